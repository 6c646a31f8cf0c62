// The loaders take wide paths relative to the current directory, with "/" or
// "\" between the parts, as the program's Windows-era strings give them.
#pragma once

#include <filesystem>

namespace d3dx {

std::filesystem::path filePath(const wchar_t* file);

}  // namespace d3dx
