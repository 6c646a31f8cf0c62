#include "tools/capture/capture_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

const char* const kCaptureUsage =
    "usage: velmora-capture [--data DIR] [--script FILE] [--seconds S] [--frame-cost MS]\n"
    "                       [--shot MS:FILE.png]... [--wav FILE] [--trace FILE] [--start-tick T]\n";

namespace {

template <typename T>
bool parseWhole(std::string_view text, T& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseSeconds(const std::string& text, double& seconds) {
    try {
        std::size_t used = 0;
        seconds = std::stod(text, &used);
        return used == text.size() && std::isfinite(seconds) && seconds >= 0.0 && seconds <= 4.0e6;
    } catch (...) {
        return false;
    }
}

bool parseShot(const std::string& text, Shot& shot) {
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size()) return false;
    shot.path = text.substr(colon + 1);
    return parseWhole(std::string_view(text).substr(0, colon), shot.at);
}

}  // namespace

std::optional<CaptureOptions> parseCaptureOptions(int argc, const char* const* argv, std::string& error) {
    CaptureOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            error = "";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return std::nullopt;
        }
        const std::string value = argv[++i];
        bool good = true;
        if (option == "--data") {
            options.dataDir = value;
        } else if (option == "--script") {
            options.scriptPath = value;
        } else if (option == "--seconds") {
            good = parseSeconds(value, options.seconds);
        } else if (option == "--frame-cost") {
            good = parseWhole(value, options.frameCost);
        } else if (option == "--shot") {
            Shot shot;
            good = parseShot(value, shot);
            if (good) options.shots.push_back(shot);
        } else if (option == "--wav") {
            options.wavPath = value;
        } else if (option == "--trace") {
            options.tracePath = value;
        } else if (option == "--start-tick") {
            good = parseWhole(value, options.startTick);
        } else {
            error = "unknown option " + option;
            return std::nullopt;
        }
        if (!good) {
            error = "bad value for " + option + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}
