// The capture tool's trace: JSON lines, each with the virtual time "t" in
// milliseconds since the program started and the "event" that happened.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class TraceWriter {
public:
    // An empty path writes nothing.
    bool open(const std::string& path);
    ~TraceWriter();

    void scene(std::uint32_t t, std::uint32_t current, const std::vector<std::uint32_t>& active);
    void message(std::uint32_t t, std::string_view text, std::string_view caption, unsigned style);
    void window(std::uint32_t t, std::string_view op, int x, int y);
    void audio(std::uint32_t t, std::string_view call, const std::vector<std::string>& args, std::string_view result);
    void exit(std::uint32_t t, std::uint64_t frames, std::string_view reason);

private:
    void line(const std::string& text);
    std::FILE* file = nullptr;
};

// A JSON string literal of the bytes: quotes, backslashes and control bytes escaped.
std::string jsonString(std::string_view text);
