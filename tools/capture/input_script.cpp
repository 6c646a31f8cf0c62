#include "tools/capture/input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <sstream>

namespace {

const std::map<std::string, unsigned, std::less<>>& namedKeys() {
    static const std::map<std::string, unsigned, std::less<>> keys = {
        {"escape", 0x1B}, {"esc", 0x1B},       {"enter", 0x0D},     {"return", 0x0D},   {"space", 0x20},
        {"tab", 0x09},    {"backspace", 0x08}, {"left", 0x25},      {"up", 0x26},       {"right", 0x27},
        {"down", 0x28},   {"kp_plus", 0x6B},   {"kp_minus", 0x6D},  {"plus", 0xBB},     {"minus", 0xBD},
        {"alt", 0x12},    {"shift", 0x10},     {"control", 0x11},   {"ctrl", 0x11},     {"home", 0x24},
        {"end", 0x23},    {"insert", 0x2D},    {"delete", 0x2E},    {"pageup", 0x21},   {"pagedown", 0x22},
    };
    return keys;
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

template <typename T>
bool parseNumber(std::string_view text, T& value, int base = 10) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    return ec == std::errc() && ptr == end;
}

std::vector<std::string> words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> out;
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

std::string_view withoutComment(std::string_view line) {
    const auto hash = line.find('#');
    return hash == std::string_view::npos ? line : line.substr(0, hash);
}

// One line's event, or the reason it is malformed.
std::optional<ScriptEvent> parseLine(const std::vector<std::string>& w, std::string& reason) {
    using Kind = ScriptEvent::Kind;
    ScriptEvent event{};
    if (!parseNumber(w[0], event.at)) {
        reason = "the time \"" + w[0] + "\" is not a number of milliseconds";
        return std::nullopt;
    }
    if (w.size() < 2) {
        reason = "an event is missing after the time";
        return std::nullopt;
    }
    const std::string verb = lower(w[1]);
    const std::size_t n = w.size();
    if ((verb == "down" || verb == "up") && n == 3) {
        const auto code = keyCode(w[2]);
        if (!code) {
            reason = "unknown key \"" + w[2] + "\"";
            return std::nullopt;
        }
        event.kind = verb == "down" ? Kind::KeyDown : Kind::KeyUp;
        event.virtualKey = *code;
        return event;
    }
    if (verb == "move" && n == 4) {
        if (!parseNumber(w[2], event.x) || !parseNumber(w[3], event.y)) {
            reason = "move needs two whole numbers, X and Y";
            return std::nullopt;
        }
        event.kind = Kind::Move;
        return event;
    }
    if ((verb == "lbutton" || verb == "rbutton") && n == 3) {
        const std::string state = lower(w[2]);
        if (state != "down" && state != "up") {
            reason = verb + " must be followed by down or up";
            return std::nullopt;
        }
        const bool left = verb == "lbutton";
        event.kind = state == "down" ? (left ? Kind::LeftDown : Kind::RightDown) : (left ? Kind::LeftUp : Kind::RightUp);
        return event;
    }
    if ((verb == "close" || verb == "quit") && n == 2) {
        event.kind = verb == "close" ? Kind::Close : Kind::Quit;
        return event;
    }
    reason = "\"" + w[1] + "\" is not an event with " + std::to_string(n - 2) + " argument(s)";
    return std::nullopt;
}

}  // namespace

std::optional<unsigned> keyCode(std::string_view name) {
    const std::string key = lower(name);
    if (key.size() > 2 && key[0] == '0' && key[1] == 'x') {
        unsigned code = 0;
        if (parseNumber(std::string_view(key).substr(2), code, 16) && code < 256) return code;
        return std::nullopt;
    }
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
        return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(key[0])));
    if (key.size() >= 2 && key[0] == 'f') {
        unsigned number = 0;
        if (parseNumber(std::string_view(key).substr(1), number) && number >= 1 && number <= 24) return 0x6F + number;
    }
    const auto& keys = namedKeys();
    if (auto found = keys.find(key); found != keys.end()) return found->second;
    return std::nullopt;
}

std::vector<ScriptEvent> parseScript(std::string_view text, std::optional<ScriptError>& error) {
    std::vector<ScriptEvent> events;
    error.reset();
    int number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto w = words(withoutComment(line));
        if (w.empty()) continue;
        std::string reason;
        auto event = parseLine(w, reason);
        if (!event) {
            error = ScriptError{number, reason};
            return {};
        }
        events.push_back(*event);
    }
    return events;
}
