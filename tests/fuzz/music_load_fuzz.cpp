// Tracker modules as any bytes, loaded the way the disk loads a "mod" track.
#include "platform/bass.h"
#include "tests/fuzz/audio_playback.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::ScratchFile file(".mod");
    fuzz::initialiseAudio();
    const std::string path = file.write(data, size).string();
    constexpr DWORD kDiskModuleFlags = BASS_MUSIC_POSRESET | BASS_MUSIC_FT2MOD | BASS_MUSIC_RAMP | BASS_SAMPLE_FLOAT;
    if (const HMUSIC music = BASS_MusicLoad(FALSE, path.c_str(), 0, 0, kDiskModuleFlags, 0))
        fuzz::playBrieflyAndFree(music);
    return 0;
}
