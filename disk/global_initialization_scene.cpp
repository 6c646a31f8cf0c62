#include "disk/global_initialization_scene.h"

#include "app/scene_manager.h"
#include "disk/disk_config.h"
#include "disk/playlist.h"
#include "display/window.h"
#include "gui/text.h"
#include "platform/bass.h"
#include "platform/d3dx9.h"

#include <algorithm>
#include <fstream>
#include <string>

Playlist playlist;

namespace {

constexpr DWORD kModuleFlags = BASS_MUSIC_POSRESET | BASS_MUSIC_FT2MOD | BASS_MUSIC_RAMP | BASS_SAMPLE_FLOAT;
constexpr DWORD kStreamFlags = BASS_SAMPLE_FLOAT;
constexpr float kTitleSize = 0.03f;
constexpr float kTitleStartOffset = -0.4f;
constexpr float kScrollTextSize = 0.033f;
constexpr float kScrollTextWrap = 0.75f;
constexpr float kTitleScrollSpeed = 0.07f;

void showMessage(const std::string& text) {
    const std::wstring wide(text.begin(), text.end());
    MessageBoxW(nullptr, wide.c_str(), L"Velmora", MB_OK);
}

DWORD loadTrack(const TrackEntry& entry) {
    const std::string path = musicPath(entry.fileName);
    if (entry.type == "mod") return BASS_MusicLoad(FALSE, path.c_str(), 0, 0, kModuleFlags, 0);
    if (entry.type == "stream") return BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, kStreamFlags);
    showMessage("Unsupported song type");
    return 0;
}

// The volume call may report an error instead of a volume; the player expects 0..10.
std::int32_t volumeStepOf(DWORD volume) {
    if (volume == static_cast<DWORD>(-1)) return 10;
    return static_cast<std::int32_t>(std::min<DWORD>(volume, 100) / 10);
}

std::uint64_t fileSizeOf(std::ifstream& file) {
    file.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(file.tellg());
    file.seekg(0, std::ios::beg);
    return size;
}

}  // namespace

GlobalInitializationScene::GlobalInitializationScene() {
    active = false;
    D3DXCreateTextureFromFileW(Window::instance()->device, L"data/velmora.png", &playlist.atlasTexture);

    std::ifstream config("data/disk.cfg", std::ios::binary);
    if (!config) {
        refuse("Cannot open the disk configuration data/disk.cfg");
        return;
    }
    const std::uint64_t size = fileSizeOf(config);
    std::int32_t count = 0;
    if (auto error = readTrackCount(config, size, count)) {
        refuse(error->message.c_str());
        return;
    }
    playlist.trackCount = count;
    playlist.trackHandles.assign(count, 0);
    playlist.trackTitles.assign(count, std::string());
    playlist.titleOffsets.assign(count, 0.0f);
    playlist.titleWidths.assign(count, 0.0f);
    playlist.currentTrack = 0;

    if (HIWORD(BASS_GetVersion()) != 0x0203) showMessage("An incorrect version of BASS.DLL was loaded");
    BASS_Init(-1, 44100, 0, nullptr, nullptr);
    loadTracks(config);

    playlist.scrollText = readScrollText(config);
    playlist.scrollTextHeight = measureTextBlock(playlist.scrollText, kScrollTextSize, kScrollTextWrap);

    BASS_ChannelPlay(playlist.trackHandles[playlist.currentTrack], FALSE);
    const DWORD volume = BASS_GetVolume();
    playlist.titleScrollSpeed = kTitleScrollSpeed;
    playlist.volumeStep = volumeStepOf(volume);
    playlist.playing = true;
}

void GlobalInitializationScene::loadTracks(std::istream& config) {
    for (std::int32_t i = 0; i < playlist.trackCount; ++i) {
        const TrackEntry entry = readTrackEntry(config);
        playlist.trackHandles[i] = loadTrack(entry);
        if (playlist.trackHandles[i] == 0) showMessage("Failed to load music file. Sorry.");
        playlist.trackTitles[i] = entry.title;
        playlist.titleWidths[i] = measureText(entry.title, kTitleSize);
        playlist.titleOffsets[i] = kTitleStartOffset;
    }
}

// A disk that cannot be played is refused in order: the user is told why and
// the program ends before its first frame, as after a close request.
void GlobalInitializationScene::refuse(const char* message) {
    showMessage(message);
    SceneManager::instance()->running = false;
}

GlobalInitializationScene::~GlobalInitializationScene() {
    for (std::int32_t i = 0; i < playlist.trackCount; ++i) BASS_MusicFree(playlist.trackHandles[i]);
    if (playlist.atlasTexture) {
        playlist.atlasTexture->Release();
        playlist.atlasTexture = nullptr;
    }
    BASS_Free();
}
