#include "platform/d3dx/file_path.h"


#include <algorithm>
#include <string>

namespace d3dx {

std::filesystem::path filePath(const wchar_t* file) {
    std::wstring text(file);
    std::replace(text.begin(), text.end(), L'\\', L'/');
    return std::filesystem::path(text);
}

}  // namespace d3dx
