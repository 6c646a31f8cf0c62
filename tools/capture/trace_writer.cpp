#include "tools/capture/trace_writer.h"

bool TraceWriter::open(const std::string& path) {
    if (path.empty()) return true;
    file = std::fopen(path.c_str(), "w");
    return file != nullptr;
}

TraceWriter::~TraceWriter() {
    if (file) std::fclose(file);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

static std::string head(std::uint32_t t, const char* event) {
    return "{\"t\":" + std::to_string(t) + ",\"event\":\"" + event + "\"";
}

void TraceWriter::scene(std::uint32_t t, std::uint32_t current, const std::vector<std::uint32_t>& active) {
    std::string text = head(t, "scene") + ",\"current\":" + std::to_string(current) + ",\"active\":[";
    for (std::size_t i = 0; i < active.size(); ++i) text += (i ? "," : "") + std::to_string(active[i]);
    line(text + "]}");
}

void TraceWriter::message(std::uint32_t t, std::string_view text, std::string_view caption, unsigned style) {
    line(head(t, "message") + ",\"text\":" + jsonString(text) + ",\"caption\":" + jsonString(caption) +
         ",\"style\":" + std::to_string(style) + "}");
}

void TraceWriter::window(std::uint32_t t, std::string_view op, int x, int y) {
    line(head(t, "window") + ",\"op\":" + jsonString(op) + ",\"x\":" + std::to_string(x) + ",\"y\":" +
         std::to_string(y) + "}");
}

void TraceWriter::audio(std::uint32_t t, std::string_view call, const std::vector<std::string>& args,
                        std::string_view result) {
    std::string text = head(t, "audio") + ",\"call\":" + jsonString(call) + ",\"args\":[";
    for (std::size_t i = 0; i < args.size(); ++i) text += (i ? "," : "") + args[i];
    line(text + "],\"result\":" + std::string(result) + "}");
}

void TraceWriter::exit(std::uint32_t t, std::uint64_t frames, std::string_view reason) {
    line(head(t, "exit") + ",\"frames\":" + std::to_string(frames) + ",\"reason\":" + jsonString(reason) + "}");
}

// Each line is flushed, so that a run that crashes still leaves what led up to it.
void TraceWriter::line(const std::string& text) {
    if (!file) return;
    std::fputs(text.c_str(), file);
    std::fputc('\n', file);
    std::fflush(file);
}
