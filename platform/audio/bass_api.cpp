// The BASS calls: each does its work through the engine, then reports itself
// to the trace observer, if there is one.
#include "platform/bass.h"

#include "platform/audio/disk_path.h"
#include "platform/audio/engine.h"
#include "platform/audio/faults.h"
#include "platform/audio/module_source.h"
#include "platform/audio/regular_file.h"
#include "platform/audio/stream_source.h"
#include "platform/utf8.h"
#include "platform/audio/trace.h"

#include <concepts>
#include <string>

namespace {

using audio::Engine;
using audio::trace::boolean;
using audio::trace::pointer;

constexpr DWORD kFailedDword = static_cast<DWORD>(-1);
constexpr QWORD kBytesPerMixFrame = audio::kMixChannels * sizeof(float);

template <std::integral T>
std::string number(T value)
{
    return std::to_string(value);
}

void report(const char* name, std::vector<std::string> args, std::string result)
{
    audio::trace::emit({name, std::move(args), std::move(result)});
}

std::string pathText(const void* file, DWORD flags)
{
    if (flags & BASS_UNICODE) return platform::utf8FromWide(static_cast<const wchar_t*>(file));
    return static_cast<const char*>(file);
}

std::string fileArgument(BOOL mem, const void* file, DWORD flags)
{
    if (mem || !file) return pointer(file);
    return audio::trace::text(pathText(file, flags));
}

enum class SourceKind { module, stream };

std::unique_ptr<audio::Source> openSource(const std::string& path, SourceKind kind, DWORD flags)
{
    std::optional<audio::RegularFile> file = audio::RegularFile::open(audio::resolveDiskPath(path));
    if (!file) return nullptr;
    if (kind == SourceKind::stream) return audio::openStream(std::move(*file));
    const std::optional<std::vector<std::uint8_t>> content = file->readAll();
    if (!content) return nullptr;
    return audio::openModule(*content, {.volumeRamping = (flags & BASS_MUSIC_RAMP) != 0});
}

// Only whole files are played: loading from memory or from a part of a file is
// not offered and fails.
DWORD load(SourceKind kind, BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    if (mem || !file || offset != 0 || length != 0) return 0;
    const std::string path = pathText(file, flags);
    if (audio::faults().loadFails(path) || !Engine::instance().initialised()) return 0;
    std::unique_ptr<audio::Source> source = openSource(path, kind, flags);
    return source ? Engine::instance().addChannel(std::move(source)) : 0;
}

}  // namespace

DWORD BASS_GetVersion()
{
    const DWORD version = audio::faults().reportedVersion;
    if (audio::trace::active()) report("BASS_GetVersion", {}, number(version));
    return version;
}

// The mix always runs at 44,100 Hz on the default output, whichever device and
// rate are asked for.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND window, const void* clsid)
{
    const BOOL done = !audio::faults().failInit && Engine::instance().init();
    if (audio::trace::active()) {
        report("BASS_Init", {number(device), number(freq), number(flags), pointer(window), pointer(clsid)},
               boolean(done));
    }
    return done;
}

BOOL BASS_Free()
{
    const BOOL done = Engine::instance().shutdown();
    if (audio::trace::active()) report("BASS_Free", {}, boolean(done));
    return done;
}

HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags, DWORD freq)
{
    const HMUSIC handle = load(SourceKind::module, mem, file, offset, length, flags);
    if (audio::trace::active()) {
        report("BASS_MusicLoad",
               {boolean(mem), fileArgument(mem, file, flags), number(offset), number(length), number(flags),
                number(freq)},
               number(handle));
    }
    return handle;
}

BOOL BASS_MusicFree(HMUSIC handle)
{
    const BOOL done = Engine::instance().freeChannel(handle);
    if (audio::trace::active()) report("BASS_MusicFree", {number(handle)}, boolean(done));
    return done;
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    const HSTREAM handle = load(SourceKind::stream, mem, file, offset, length, flags);
    if (audio::trace::active()) {
        report("BASS_StreamCreateFile",
               {boolean(mem), fileArgument(mem, file, flags), number(offset), number(length), number(flags)},
               number(handle));
    }
    return handle;
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart)
{
    const BOOL done = Engine::instance().play(handle, restart != FALSE);
    if (audio::trace::active()) report("BASS_ChannelPlay", {number(handle), boolean(restart)}, boolean(done));
    return done;
}

BOOL BASS_ChannelStop(DWORD handle)
{
    const BOOL done = Engine::instance().stop(handle);
    if (audio::trace::active()) report("BASS_ChannelStop", {number(handle)}, boolean(done));
    return done;
}

BOOL BASS_ChannelPause(DWORD handle)
{
    const BOOL done = Engine::instance().pause(handle);
    if (audio::trace::active()) report("BASS_ChannelPause", {number(handle)}, boolean(done));
    return done;
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position)
{
    const BOOL done = Engine::instance().seek(handle, position / kBytesPerMixFrame);
    if (audio::trace::active()) {
        report("BASS_ChannelSetPosition", {number(handle), number(position)}, boolean(done));
    }
    return done;
}

DWORD BASS_ChannelIsActive(DWORD handle)
{
    const auto activity = static_cast<DWORD>(Engine::instance().activity(handle));
    if (audio::trace::active()) report("BASS_ChannelIsActive", {number(handle)}, number(activity));
    return activity;
}

DWORD BASS_GetVolume()
{
    const DWORD volume = Engine::instance().volume().value_or(kFailedDword);
    if (audio::trace::active()) report("BASS_GetVolume", {}, number(volume));
    return volume;
}

BOOL BASS_SetVolume(DWORD volume)
{
    const BOOL done = Engine::instance().setVolume(volume);
    if (audio::trace::active()) report("BASS_SetVolume", {number(volume)}, boolean(done));
    return done;
}

DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length)
{
    constexpr DWORD kSpectrumBytes = audio::kSpectrumBins * sizeof(float);
    const bool done = buffer && length == BASS_DATA_FFT512 &&
                      Engine::instance().spectrum(handle, std::span<float, audio::kSpectrumBins>(
                                                              static_cast<float*>(buffer), audio::kSpectrumBins));
    const DWORD result = done ? kSpectrumBytes : kFailedDword;
    if (audio::trace::active()) {
        report("BASS_ChannelGetData", {number(handle), pointer(buffer), number(length)}, number(result));
    }
    return result;
}
