#include "tests/disk/sound_fixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <stdexcept>

namespace {

std::size_t frameAt(const Sound& sound, double ms) {
    const auto frame = static_cast<long long>(ms * sound.rate / 1000.0);
    return static_cast<std::size_t>(std::clamp<long long>(frame, 0, static_cast<long long>(sound.samples.size())));
}

}  // namespace

double Sound::rms(double fromMs, double toMs) const {
    const std::size_t from = frameAt(*this, fromMs), to = frameAt(*this, toMs);
    if (to <= from) return 0.0;
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

double Sound::toneFrequency(double fromMs, double toMs) const {
    const std::size_t from = frameAt(*this, fromMs), to = frameAt(*this, toMs);
    std::size_t first = 0, last = 0, crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0.0;
    return static_cast<double>(crossings - 1) * rate / static_cast<double>(last - first);
}

Sound readSound(const std::filesystem::path& wav) {
    SF_INFO info{};
    SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
    if (!file) throw std::runtime_error("cannot read " + wav.string());
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    Sound sound;
    sound.rate = info.samplerate;
    sound.samples.resize(static_cast<std::size_t>(info.frames));
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        float sum = 0.0f;
        for (int c = 0; c < info.channels; ++c) sum += interleaved[i * info.channels + c];
        sound.samples[i] = sum / static_cast<float>(info.channels);
    }
    return sound;
}

void writeTone(const std::filesystem::path& path, double hertz, double seconds, double amplitude) {
    constexpr int kRate = 44100;
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::filesystem::create_directories(path.parent_path());
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path.string());
    std::vector<float> tone(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / kRate));
    sf_writef_float(file, tone.data(), static_cast<sf_count_t>(tone.size()));
    sf_close(file);
}

std::string release(unsigned atMs, const std::string& key) {
    return std::to_string(atMs) + " down " + key + "\n" + std::to_string(atMs + 50) + " up " + key + "\n";
}

std::string skipToMainScreen() { return release(500, "escape") + release(1000, "escape"); }

std::string call(const std::string& name, const std::vector<std::string>& args) {
    std::string text = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) text += (i ? "," : "") + args[i];
    return text + ")";
}

std::vector<std::string> transportCalls(const CaptureResult& result, std::uint32_t fromMs) {
    std::vector<std::string> calls;
    for (const TraceEvent& e : result.events("audio")) {
        const std::string& name = e["call"];
        if (e.t < fromMs) continue;
        if (name == "BASS_ChannelPlay" || name == "BASS_ChannelStop" || name == "BASS_ChannelPause" ||
            name == "BASS_ChannelSetPosition")
            calls.push_back(call(name, e.array("args")));
    }
    return calls;
}

std::vector<std::string> trackHandles(const CaptureResult& result) {
    std::vector<std::string> handles;
    for (const TraceEvent& e : result.events("audio"))
        if (e["call"] == "BASS_MusicLoad" || e["call"] == "BASS_StreamCreateFile") handles.push_back(e["result"]);
    return handles;
}

std::uint32_t soundStart(const CaptureResult& result) {
    const auto inits = result.audioCalls("BASS_Init");
    if (inits.empty()) throw std::runtime_error("the library was never initialised");
    return inits.front().t;
}
