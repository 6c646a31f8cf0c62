// Audio files as any bytes, opened the way the disk opens a "stream" track.
#include "platform/bass.h"
#include "tests/fuzz/audio_playback.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::ScratchFile file(".ogg");
    fuzz::initialiseAudio();
    const std::string path = file.write(data, size).string();
    if (const HSTREAM stream = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_SAMPLE_FLOAT))
        fuzz::playBrieflyAndFree(stream);
    return 0;
}
