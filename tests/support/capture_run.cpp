#include "tests/support/capture_run.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A small reader for the trace's own JSON lines: flat objects whose values are
// numbers, strings, booleans, null or arrays of those.
class LineReader {
public:
    explicit LineReader(const std::string& text) : s(text) {}
    std::map<std::string, std::string> object() {
        std::map<std::string, std::string> fields;
        skip('{');
        while (peek() != '}') {
            const std::string key = string();
            skip(':');
            fields[key] = value();
            if (peek() == ',') ++i;
        }
        return fields;
    }

private:
    char peek() {
        while (i < s.size() && s[i] == ' ') ++i;
        if (i >= s.size()) throw std::runtime_error("trace line ends early: " + s);
        return s[i];
    }
    void skip(char c) {
        if (peek() != c) throw std::runtime_error(std::string("expected ") + c + " in " + s);
        ++i;
    }
    std::string string() {
        skip('"');
        std::string out;
        while (s.at(i) != '"') {
            if (s[i] == '\\') {
                const char e = s.at(++i);
                if (e == 'n') out += '\n';
                else if (e == 'r') out += '\r';
                else if (e == 't') out += '\t';
                else if (e == 'u') {
                    out += static_cast<char>(std::stoi(s.substr(i + 1, 4), nullptr, 16));
                    i += 4;
                } else out += e;
            } else {
                out += s[i];
            }
            ++i;
        }
        ++i;
        return out;
    }
    std::string value() {
        if (peek() == '"') return string();
        const std::size_t start = i;
        int depth = 0;
        bool inString = false;
        for (; i < s.size(); ++i) {
            const char c = s[i];
            if (inString) {
                if (c == '\\') ++i;
                else if (c == '"') inString = false;
                continue;
            }
            if (c == '"') inString = true;
            else if (c == '[') ++depth;
            else if (c == ']') --depth;
            else if ((c == ',' || c == '}') && depth == 0) break;
        }
        return s.substr(start, i - start);
    }
    const std::string& s;
    std::size_t i = 0;
};

// Runs the command as system() does, and reads the peak memory of the process
// tree it started from the exit record of the shell.
int runShell(const std::string& command, long& peakResidentKb) {
    const char* arguments[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(arguments), environ) != 0) return -1;
    int status = 0;
    struct rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0)
        if (errno != EINTR) return -1;
    peakResidentKb = usage.ru_maxrss;
    return status;
}

std::vector<TraceEvent> readTrace(const fs::path& path) {
    std::vector<TraceEvent> events;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        TraceEvent event;
        event.fields = LineReader(line).object();
        event.t = static_cast<std::uint32_t>(std::stoul(event.fields.at("t")));
        event.event = event.fields.at("event");
        events.push_back(std::move(event));
    }
    return events;
}

}  // namespace

const std::string& TraceEvent::operator[](const std::string& key) const {
    static const std::string missing;
    auto found = fields.find(key);
    return found == fields.end() ? missing : found->second;
}

long long TraceEvent::number(const std::string& key) const { return std::stoll((*this)[key]); }

std::vector<std::string> TraceEvent::array(const std::string& key) const {
    std::string text = (*this)[key];
    std::vector<std::string> out;
    if (text.size() < 2) return out;
    text = text.substr(1, text.size() - 2);
    std::string current;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString && c == '\\') {
            current += c;
            current += text[++i];
            continue;
        }
        if (c == '"') inString = !inString;
        if (c == ',' && !inString) {
            out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

std::vector<TraceEvent> CaptureResult::events(const std::string& kind) const {
    std::vector<TraceEvent> out;
    for (const TraceEvent& e : trace)
        if (e.event == kind) out.push_back(e);
    return out;
}

std::vector<TraceEvent> CaptureResult::audioCalls(const std::string& call) const {
    std::vector<TraceEvent> out;
    for (const TraceEvent& e : trace)
        if (e.event == "audio" && e["call"] == call) out.push_back(e);
    return out;
}

std::vector<std::string> CaptureResult::messages() const {
    std::vector<std::string> out;
    for (const TraceEvent& e : events("message")) out.push_back(e["text"]);
    return out;
}

const TraceEvent* CaptureResult::exitEvent() const {
    for (const TraceEvent& e : trace)
        if (e.event == "exit") return &e;
    return nullptr;
}

CaptureResult runCapture(const CaptureRun& run) {
    TemporaryFolder scratch;
    const fs::path trace = scratch.path() / "trace.jsonl";
    const fs::path errors = scratch.path() / "stderr.txt";
    std::string command = quoted(VELMORA_CAPTURE) + " --data " + quoted(run.dataDir.string()) + " --trace " +
                          quoted(trace.string()) + " --seconds " + std::to_string(run.seconds);
    if (!run.script.empty()) {
        const fs::path script = scratch.path() / "script.txt";
        writeFile(script, run.script);
        command += " --script " + quoted(script.string());
    }
    if (run.frameCost) command += " --frame-cost " + std::to_string(*run.frameCost);
    if (run.startTick) command += " --start-tick " + std::to_string(*run.startTick);
    for (const auto& [at, path] : run.shots) command += " --shot " + quoted(std::to_string(at) + ":" + path.string());
    if (!run.wav.empty()) command += " --wav " + quoted(run.wav.string());
    for (const std::string& argument : run.extraArguments) command += " " + quoted(argument);
    command += " 2>" + quoted(errors.string());

    CaptureResult result;
    const int status = runShell(command, result.peakResidentKb);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.errorOutput = readFile(errors);
    if (fs::exists(trace)) result.trace = readTrace(trace);
    return result;
}

fs::path shippedDiskRoot() { return VELMORA_DATA_ROOT; }

TemporaryFolder::TemporaryFolder() {
    std::random_device seed;
    root = fs::temp_directory_path() / ("velmora-test-" + std::to_string(seed()) + std::to_string(seed()));
    fs::create_directories(root);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void makeDisk(const fs::path& root, const std::string& config, const std::map<std::string, std::string>& music) {
    const fs::path shipped = shippedDiskRoot() / "data";
    fs::create_directories(root / "data" / "music");
    for (const char* asset : {"velmora.png", "font.png", "gui.fx"})
        fs::copy_file(shipped / asset, root / "data" / asset, fs::copy_options::overwrite_existing);
    writeFile(root / "data" / "disk.cfg", config);
    for (const auto& [name, bytes] : music) writeFile(root / "data" / "music" / name, bytes);
}
