// Paths reach the library as narrow (UTF-8) or, with BASS_UNICODE, wide text.
#pragma once

#include <string>

namespace audio {

// Code points that cannot be encoded become U+FFFD.
std::string utf8FromWide(const wchar_t* wide);

}  // namespace audio
