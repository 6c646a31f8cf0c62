#include "tools/music/mod_writer.h"

#include "tools/music/byte_writer.h"
#include "tools/music/pitch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace music {
namespace {

// Period 428 (ProTracker's C-2) plays a sample at 8287 Hz on a PAL Amiga; it
// stands for MIDI note 60 here.
constexpr double modMiddleCRate = 7093789.2 / (2.0 * 428.0);
constexpr int lowestNote = 48;
constexpr int periods[36] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 340, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};
constexpr int sampleSlots = 31;
constexpr int modChannels = 4;

struct Tuning {
    int transpose;
    int finetune;     // eighths of a semitone, -8..7
};

Tuning tuningOf(const Instrument& instrument)
{
    double shift = semitoneShift(instrument, modMiddleCRate);
    int transpose = static_cast<int>(std::lround(shift));
    int finetune = static_cast<int>(std::lround((shift - transpose) * 8.0));
    return {transpose, std::clamp(finetune, -8, 7)};
}

int periodOf(const Cell& cell, const std::vector<Tuning>& tunings)
{
    if (cell.note == 0)
        return 0;
    if (cell.instrument < 1 || static_cast<std::size_t>(cell.instrument) > tunings.size())
        throw std::runtime_error("MOD notes need an instrument");
    int index = cell.note + tunings[static_cast<std::size_t>(cell.instrument - 1)].transpose - lowestNote;
    if (index < 0 || index >= 36)
        throw std::runtime_error("note outside the MOD range");
    return periods[index];
}

void writeSampleHeader(ByteWriter& out, const Instrument* instrument, const Tuning& tuning)
{
    if (!instrument) {
        out.zeros(22);
        out.u16be(0);
        out.u8(0);
        out.u8(0);
        out.u16be(0);
        out.u16be(1);
        return;
    }
    if (instrument->pcm.size() / 2 > 0xFFFF)
        throw std::runtime_error("sample too long for MOD: " + instrument->name);
    out.text(instrument->name, 22);
    out.u16be(static_cast<unsigned>(instrument->pcm.size() / 2));
    out.u8(static_cast<unsigned>(tuning.finetune) & 0x0F);
    out.u8(static_cast<unsigned>(instrument->volume));
    bool looped = instrument->loopLength > 0;
    out.u16be(looped ? static_cast<unsigned>(instrument->loopStart / 2) : 0);
    out.u16be(looped ? static_cast<unsigned>(instrument->loopLength / 2) : 1);
}

void writeCell(ByteWriter& out, const Cell& cell, const std::vector<Tuning>& tunings)
{
    int period = periodOf(cell, tunings);
    int effect = cell.effect;
    int param = cell.param;
    if (cell.noteOff) {
        effect = 0x0C;
        param = 0;
    } else if (effect == 0 && param == 0 && cell.volume >= 0) {
        effect = 0x0C;
        param = cell.volume;
    }
    if (effect > 0x0F)
        throw std::runtime_error("effect outside the MOD set");
    out.u8(static_cast<unsigned>((cell.instrument & 0xF0) | (period >> 8)));
    out.u8(static_cast<unsigned>(period & 0xFF));
    out.u8(static_cast<unsigned>(((cell.instrument & 0x0F) << 4) | effect));
    out.u8(static_cast<unsigned>(param));
}

} // namespace

std::vector<std::uint8_t> writeMod(const TrackerModule& module)
{
    if (module.channels != modChannels || module.instruments.size() > sampleSlots || module.orders.size() > 128)
        throw std::runtime_error("module does not fit the MOD format");
    std::vector<Tuning> tunings;
    for (const Instrument& instrument : module.instruments)
        tunings.push_back(tuningOf(instrument));

    ByteWriter out;
    out.text(module.name, 20);
    for (std::size_t slot = 0; slot < sampleSlots; ++slot)
        writeSampleHeader(out, slot < module.instruments.size() ? &module.instruments[slot] : nullptr,
                          slot < tunings.size() ? tunings[slot] : Tuning{});
    out.u8(static_cast<unsigned>(module.orders.size()));
    out.u8(127);
    for (std::size_t i = 0; i < 128; ++i)
        out.u8(i < module.orders.size() ? static_cast<unsigned>(module.orders[i]) : 0);
    out.text("M.K.", 4);
    for (const Pattern& pattern : module.patterns) {
        if (pattern.rows != 64)
            throw std::runtime_error("MOD patterns have 64 rows");
        for (const Cell& cell : pattern.cells)
            writeCell(out, cell, tunings);
    }
    for (const Instrument& instrument : module.instruments)
        for (std::size_t i = 0; i < instrument.pcm.size() / 2 * 2; ++i)
            out.u8(static_cast<unsigned>(instrument.pcm[i] >> 8) & 0xFF);
    return out.bytes();
}

} // namespace music
