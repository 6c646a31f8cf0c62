// velmora-audio-floor: plays one music file through the disk's own audio
// library and SDL output, with no window and no drawing, for a number of
// seconds; then prints how many times the device found no sound ready. What
// this process costs is the floor under the program's sound.
// Usage: velmora-audio-floor [--seconds S] FILE   (.ogg/.wav/.flac: stream, otherwise a module)
#include "platform/audio/sdl_output.h"
#include "platform/bass.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// The flags the disk loads its tracks with, so that the same mixing work is done.
constexpr DWORD kModuleFlags = BASS_MUSIC_POSRESET | BASS_MUSIC_FT2MOD | BASS_MUSIC_RAMP | BASS_SAMPLE_FLOAT;
constexpr DWORD kStreamFlags = BASS_SAMPLE_FLOAT;
constexpr auto kWatchInterval = std::chrono::milliseconds(20);

bool isStream(const std::string& path) {
    for (const char* suffix : {".ogg", ".wav", ".flac"}) {
        const std::string end(suffix);
        if (path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0) return true;
    }
    return false;
}

DWORD load(const std::string& path) {
    if (isStream(path)) return BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, kStreamFlags);
    return BASS_MusicLoad(FALSE, path.c_str(), 0, 0, kModuleFlags, 0);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 20.0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else {
            path = argument;
        }
    }
    if (path.empty() || seconds <= 0.0) {
        std::fputs("usage: velmora-audio-floor [--seconds S] FILE\n", stderr);
        return 2;
    }
    if (!BASS_Init(-1, 44100, 0, nullptr, nullptr)) {
        std::fputs("velmora-audio-floor: the audio library did not start\n", stderr);
        return 1;
    }
    const DWORD channel = load(path);
    if (!channel) {
        std::fprintf(stderr, "velmora-audio-floor: cannot load %s\n", path.c_str());
        BASS_Free();
        return 1;
    }
    BASS_ChannelPlay(channel, FALSE);
    // A short tune starts again, as the disk moves on to its next track.
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(kWatchInterval);
        if (BASS_ChannelIsActive(channel) == BASS_ACTIVE_STOPPED) BASS_ChannelPlay(channel, TRUE);
    }
    std::printf("underruns %llu\n", static_cast<unsigned long long>(audio::deviceUnderruns()));
    BASS_Free();
    return 0;
}
