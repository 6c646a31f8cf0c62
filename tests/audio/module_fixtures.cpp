#include "tests/audio/module_fixtures.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace audio_test {
namespace {

constexpr int kCycles = 64;
constexpr int kSampleLength = kSamplesPerCycle * kCycles;
constexpr int kRows = 64;
constexpr int kBreakRow = 7;
constexpr double kAmigaPalClock = 7093789.2;
constexpr double kMiddleCRate = 8363.0;

class Bytes {
public:
    Bytes& u8(int value) { data.push_back(static_cast<std::uint8_t>(value)); return *this; }
    Bytes& le16(int value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
    Bytes& be16(int value) { return u8((value >> 8) & 0xFF).u8(value & 0xFF); }
    Bytes& le32(std::uint32_t value) { return le16(static_cast<int>(value & 0xFFFF)).le16(static_cast<int>(value >> 16)); }
    Bytes& text(std::string_view s, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i) u8(i < s.size() ? s[i] : 0);
        return *this;
    }
    Bytes& zeros(std::size_t count) { data.insert(data.end(), count, 0); return *this; }
    Bytes& padTo(std::size_t size) { return zeros(size - data.size()); }
    void setLe16(std::size_t at, int value)
    {
        data[at] = static_cast<std::uint8_t>(value & 0xFF);
        data[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
    void setLe32(std::size_t at, std::uint32_t value)
    {
        setLe16(at, static_cast<int>(value & 0xFFFF));
        setLe16(at + 2, static_cast<int>(value >> 16));
    }
    std::size_t size() const { return data.size(); }

    std::vector<std::uint8_t> data;
};

std::vector<std::int8_t> sineSample()
{
    std::vector<std::int8_t> sample(kSampleLength);
    for (int i = 0; i < kSampleLength; ++i) {
        sample[i] = static_cast<std::int8_t>(std::lround(100.0 * std::sin(2.0 * std::numbers::pi * i / kSamplesPerCycle)));
    }
    return sample;
}

}  // namespace

ModuleFixture protrackerModule()
{
    constexpr int kPeriodC = 428;
    Bytes mod;
    mod.text("tone", 20);
    mod.text("sine", 22).be16(kSampleLength / 2).u8(0).u8(64).be16(0).be16(kSampleLength / 2);
    for (int i = 1; i < 31; ++i) mod.zeros(22).be16(0).u8(0).u8(0).be16(0).be16(1);
    mod.u8(1).u8(127).zeros(128).text("M.K.", 4);
    for (int row = 0; row < kRows; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            if (row == 0 && channel == 0) {
                mod.u8(kPeriodC >> 8).u8(kPeriodC & 0xFF).u8(0x10).u8(0);
            } else if (row == kBreakRow && channel == 0) {
                mod.u8(0).u8(0).u8(0x0D).u8(0);
            } else {
                mod.zeros(4);
            }
        }
    }
    for (const std::int8_t s : sineSample()) mod.u8(static_cast<std::uint8_t>(s));
    return {"mod", mod.data, kAmigaPalClock / (2.0 * kPeriodC) / kSamplesPerCycle};
}

ModuleFixture fastTrackerModule()
{
    constexpr int kChannels = 2;
    constexpr int kNoteC4 = 49;
    Bytes xm;
    xm.text("Extended Module: ", 17).text("tone", 20).u8(0x1A).text("fixture", 20).le16(0x0104);
    xm.le32(276).le16(1).le16(0).le16(kChannels).le16(1).le16(1).le16(1).le16(6).le16(125);
    xm.zeros(256);
    Bytes cells;
    for (int row = 0; row < kRows; ++row) {
        for (int channel = 0; channel < kChannels; ++channel) {
            if (row == 0 && channel == 0) {
                cells.u8(kNoteC4).u8(1).u8(0).u8(0).u8(0);
            } else if (row == kBreakRow && channel == 0) {
                cells.u8(0).u8(0).u8(0).u8(0x0D).u8(0);
            } else {
                cells.zeros(5);
            }
        }
    }
    xm.le32(9).u8(0).le16(kRows).le16(static_cast<int>(cells.size()));
    xm.data.insert(xm.data.end(), cells.data.begin(), cells.data.end());
    const std::size_t instrument = xm.size();
    xm.le32(263).text("sine", 22).u8(0).le16(1).le32(40);
    xm.padTo(instrument + 263);
    xm.le32(kSampleLength).le32(0).le32(kSampleLength).u8(64).u8(0).u8(1).u8(128).u8(0).u8(0).text("sine", 22);
    std::int8_t previous = 0;
    for (const std::int8_t s : sineSample()) {
        xm.u8(static_cast<std::uint8_t>(s - previous));
        previous = s;
    }
    return {"xm", xm.data, kMiddleCRate / kSamplesPerCycle};
}

ModuleFixture screamTrackerModule()
{
    constexpr int kNoteC4 = 0x40;
    Bytes s3m;
    s3m.text("tone", 28).u8(0x1A).u8(16).zeros(2);
    s3m.le16(2).le16(1).le16(1).le16(0).le16(0x1320).le16(2).text("SCRM", 4);
    s3m.u8(64).u8(6).u8(125).u8(0xB0).u8(16).u8(0).zeros(8).le16(0);
    s3m.u8(0).u8(8);
    for (int i = 2; i < 32; ++i) s3m.u8(255);
    s3m.u8(0).u8(255);  // the order list: pattern 0, then the end marker
    const std::size_t instrumentPointer = s3m.size();
    const std::size_t patternPointer = instrumentPointer + 2;
    s3m.zeros(4);
    s3m.padTo((s3m.size() + 15) / 16 * 16);

    const std::size_t instrument = s3m.size();
    s3m.setLe16(instrumentPointer, static_cast<int>(instrument / 16));
    s3m.u8(1).text("sine.raw", 12);
    const std::size_t memSegment = s3m.size();
    s3m.zeros(3).le32(kSampleLength).le32(0).le32(kSampleLength).u8(64).u8(0).u8(0).u8(1);
    s3m.le32(static_cast<std::uint32_t>(kMiddleCRate)).zeros(12).text("sine", 28).text("SCRS", 4);
    s3m.padTo((s3m.size() + 15) / 16 * 16);

    const std::size_t pattern = s3m.size();
    s3m.setLe16(patternPointer, static_cast<int>(pattern / 16));
    s3m.le16(0);
    for (int row = 0; row < kRows; ++row) {
        if (row == 0) s3m.u8(0x20).u8(kNoteC4).u8(1);
        if (row == kBreakRow) s3m.u8(0x80).u8(3).u8(0);
        s3m.u8(0);
    }
    s3m.setLe16(pattern, static_cast<int>(s3m.size() - pattern));
    s3m.padTo((s3m.size() + 15) / 16 * 16);

    const std::size_t sampleData = s3m.size() / 16;
    s3m.data[memSegment] = static_cast<std::uint8_t>(sampleData >> 16);
    s3m.setLe16(memSegment + 1, static_cast<int>(sampleData & 0xFFFF));
    for (const std::int8_t s : sineSample()) s3m.u8(static_cast<std::uint8_t>(s + 128));
    return {"s3m", s3m.data, kMiddleCRate / kSamplesPerCycle};
}

ModuleFixture impulseTrackerModule()
{
    constexpr int kNoteC5 = 60;
    Bytes it;
    it.text("IMPM", 4).text("tone", 26).u8(4).u8(16);
    it.le16(2).le16(0).le16(1).le16(1).le16(0x0214).le16(0x0214).le16(1).le16(0);
    it.u8(128).u8(48).u8(6).u8(125).u8(128).u8(0).le16(0).le32(0).le32(0);
    for (int i = 0; i < 64; ++i) it.u8(32);
    for (int i = 0; i < 64; ++i) it.u8(64);
    it.u8(0).u8(255);  // the order list: pattern 0, then the end marker
    const std::size_t samplePointer = it.size();
    const std::size_t patternPointer = samplePointer + 4;
    it.zeros(8);

    const std::size_t sample = it.size();
    it.setLe32(samplePointer, static_cast<std::uint32_t>(sample));
    it.text("IMPS", 4).text("sine.raw", 12).u8(0).u8(64).u8(0x11).u8(64).text("sine", 26).u8(1).u8(0);
    const std::size_t dataPointer = sample + 72;
    it.le32(kSampleLength).le32(0).le32(kSampleLength).le32(static_cast<std::uint32_t>(kMiddleCRate));
    it.le32(0).le32(0).le32(0).zeros(4);

    Bytes cells;
    for (int row = 0; row < kRows; ++row) {
        if (row == 0) cells.u8(0x81).u8(0x03).u8(kNoteC5).u8(1);
        if (row == kBreakRow) cells.u8(0x81).u8(0x08).u8(3).u8(0);
        cells.u8(0);
    }
    const std::size_t pattern = it.size();
    it.setLe32(patternPointer, static_cast<std::uint32_t>(pattern));
    it.le16(static_cast<int>(cells.size())).le16(kRows).zeros(4);
    it.data.insert(it.data.end(), cells.data.begin(), cells.data.end());

    it.setLe32(dataPointer, static_cast<std::uint32_t>(it.size()));
    for (const std::int8_t s : sineSample()) it.u8(static_cast<std::uint8_t>(s));
    return {"it", it.data, kMiddleCRate / kSamplesPerCycle};
}

}  // namespace audio_test
