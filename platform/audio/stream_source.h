// Audio files through libsndfile (WAV, FLAC, Ogg Vorbis, Opus, MP3 and whatever
// else it reads), decoded while they play.
#pragma once

#include "platform/audio/regular_file.h"
#include "platform/audio/source.h"

#include <memory>

namespace audio {

// Takes over the file. Files of another rate are resampled with libsamplerate;
// mono plays on both sides, and of more channels the first two are played.
// Returns nothing for a file that libsndfile cannot decode.
std::unique_ptr<Source> openStream(RegularFile file);

}  // namespace audio
