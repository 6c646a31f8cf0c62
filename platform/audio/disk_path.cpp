#include "platform/audio/disk_path.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>
#include <vector>

namespace audio {
namespace {

std::vector<std::string> splitComponents(std::string_view diskPath)
{
    std::vector<std::string> components;
    std::string current;
    for (const char c : diskPath) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) components.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) components.push_back(std::move(current));
    return components;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// The exact name where it exists; otherwise the first name, in sorted order so
// that the choice does not depend on the directory's order, that matches
// without regard to case; otherwise the name as given.
std::string entryNamed(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code error;
    if (name == "." || name == ".." || std::filesystem::exists(folder / name, error)) return name;
    std::vector<std::string> matches;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string candidate = entry.path().filename().string();
        if (equalIgnoringCase(candidate, name)) matches.push_back(std::move(candidate));
    }
    if (matches.empty()) return name;
    return *std::ranges::min_element(matches);
}

}  // namespace

std::filesystem::path resolveDiskPath(std::string_view diskPath)
{
    const bool absolute = !diskPath.empty() && (diskPath.front() == '/' || diskPath.front() == '\\');
    std::filesystem::path resolved = absolute ? "/" : "";
    for (const std::string& component : splitComponents(diskPath)) {
        const std::filesystem::path folder = resolved.empty() ? "." : resolved;
        resolved /= entryNamed(folder, component);
    }
    return resolved;
}

}  // namespace audio
