#pragma once

#include <filesystem>

namespace music {

// Plays a module through libopenmpt, or decodes a stream through libsndfile,
// as the disk will, and prints its length, levels and what the equalizer's 16
// lowest bins would show. Returns whether the figures are in the ranges the
// disk wants: 60 to 150 seconds for modules, no clipping, healthy loudness,
// most bins lit within the first 20 seconds and none lit all the time.
bool checkModule(const std::filesystem::path& file);
bool checkStream(const std::filesystem::path& file);

} // namespace music
