// Runs the capture tool as a separate process, as scripts outside the test
// suite do, and reads back what it recorded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One line of a trace. Fields keep their JSON text: numbers as digits,
// strings with their quotes removed and escapes resolved, arrays as written.
struct TraceEvent {
    std::uint32_t t = 0;
    std::string event;
    std::map<std::string, std::string> fields;
    const std::string& operator[](const std::string& key) const;
    long long number(const std::string& key) const;
    // The elements of an array field, as JSON texts.
    std::vector<std::string> array(const std::string& key) const;
};

struct CaptureResult {
    int exitCode = -1;
    std::string errorOutput;
    std::vector<TraceEvent> trace;
    // The capture process's peak resident memory, in kilobytes.
    long peakResidentKb = 0;

    std::vector<TraceEvent> events(const std::string& kind) const;
    std::vector<TraceEvent> audioCalls(const std::string& call) const;
    std::vector<std::string> messages() const;
    const TraceEvent* exitEvent() const;
};

struct CaptureRun {
    std::filesystem::path dataDir;
    std::string script;  // the script's text; empty for none
    double seconds = 10;
    std::optional<unsigned> frameCost;
    std::optional<std::uint32_t> startTick;
    std::vector<std::pair<std::uint32_t, std::filesystem::path>> shots;
    std::filesystem::path wav;
    std::vector<std::string> extraArguments;
};

CaptureResult runCapture(const CaptureRun& run);

// The folder that holds the shipped data/.
std::filesystem::path shippedDiskRoot();

// A fresh folder below the system's temporary folder, removed when it goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return root; }

private:
    std::filesystem::path root;
};

// A disk of the test's own: the shipped pictures and effect, with the given
// configuration and music files (name -> bytes).
void makeDisk(const std::filesystem::path& root, const std::string& config,
              const std::map<std::string, std::string>& music = {});
// The shipped disk's files.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
