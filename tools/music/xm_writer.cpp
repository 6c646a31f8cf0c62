#include "tools/music/xm_writer.h"

#include "tools/music/byte_writer.h"
#include "tools/music/pitch.h"

#include <cmath>
#include <stdexcept>

namespace music {
namespace {

// XM plays its note C-4 (number 49) at 8363 Hz with no transpose.
constexpr double xmMiddleCRate = 8363.0;
constexpr int xmNoteOfMiddleC = 49;
constexpr int xmKeyOff = 97;
constexpr std::size_t instrumentHeaderSize = 263;
constexpr std::size_t sampleHeaderSize = 40;

int xmNote(const Cell& cell)
{
    if (cell.noteOff)
        return xmKeyOff;
    if (cell.note == 0)
        return 0;
    int note = cell.note - middleC + xmNoteOfMiddleC;
    if (note < 1 || note > 96)
        throw std::runtime_error("note outside the XM range");
    return note;
}

void writeHeader(ByteWriter& out, const TrackerModule& module)
{
    out.text("Extended Module: ", 17);
    out.text(module.name, 20);
    out.u8(0x1A);
    out.text("make-music", 20);
    out.u16le(0x0104);
    out.u32le(276);
    out.u16le(static_cast<unsigned>(module.orders.size()));
    out.u16le(0);                       // restart position; the song ends, it never jumps back
    out.u16le(static_cast<unsigned>(module.channels));
    out.u16le(static_cast<unsigned>(module.patterns.size()));
    out.u16le(static_cast<unsigned>(module.instruments.size()));
    out.u16le(1);                       // linear frequency table
    out.u16le(static_cast<unsigned>(module.speed));
    out.u16le(static_cast<unsigned>(module.tempo));
    for (std::size_t i = 0; i < 256; ++i)
        out.u8(i < module.orders.size() ? static_cast<unsigned>(module.orders[i]) : 0);
}

// Packed cells: a flag byte says which of the five fields follow.
void writeCell(ByteWriter& out, const Cell& cell)
{
    int note = xmNote(cell);
    int volume = cell.volume >= 0 ? 0x10 + cell.volume : 0;
    unsigned flags = 0x80;
    if (note) flags |= 0x01;
    if (cell.instrument) flags |= 0x02;
    if (volume) flags |= 0x04;
    if (cell.effect) flags |= 0x08;
    if (cell.param) flags |= 0x10;
    out.u8(flags);
    if (note) out.u8(static_cast<unsigned>(note));
    if (cell.instrument) out.u8(static_cast<unsigned>(cell.instrument));
    if (volume) out.u8(static_cast<unsigned>(volume));
    if (cell.effect) out.u8(static_cast<unsigned>(cell.effect));
    if (cell.param) out.u8(static_cast<unsigned>(cell.param));
}

void writePattern(ByteWriter& out, const Pattern& pattern)
{
    ByteWriter data;
    for (const Cell& cell : pattern.cells)
        writeCell(data, cell);
    out.u32le(9);
    out.u8(0);
    out.u16le(static_cast<unsigned>(pattern.rows));
    out.u16le(static_cast<unsigned>(data.size()));
    out.append(data.bytes());
}

void writeEnvelope(ByteWriter& out, const std::vector<EnvelopePoint>& points)
{
    for (std::size_t i = 0; i < 12; ++i) {
        out.u16le(i < points.size() ? static_cast<unsigned>(points[i].tick) : 0);
        out.u16le(i < points.size() ? static_cast<unsigned>(points[i].value) : 0);
    }
}

void writeInstrumentHeader(ByteWriter& out, const Instrument& instrument)
{
    std::size_t start = out.size();
    bool hasEnvelope = !instrument.volumeEnvelope.empty();
    out.u32le(instrumentHeaderSize);
    out.text(instrument.name, 22);
    out.u8(0);
    out.u16le(1);
    out.u32le(sampleHeaderSize);
    out.zeros(96);                      // every key plays sample 0
    writeEnvelope(out, instrument.volumeEnvelope);
    writeEnvelope(out, {});
    out.u8(static_cast<unsigned>(instrument.volumeEnvelope.size()));
    out.u8(0);
    out.u8(instrument.sustainPoint >= 0 ? static_cast<unsigned>(instrument.sustainPoint) : 0);
    out.u8(0);
    out.u8(0);
    out.zeros(3);
    out.u8(hasEnvelope ? (instrument.sustainPoint >= 0 ? 0x03 : 0x01) : 0);
    out.u8(0);
    out.u8(0);                          // sine auto-vibrato
    out.u8(static_cast<unsigned>(instrument.vibratoSweep));
    out.u8(static_cast<unsigned>(instrument.vibratoDepth));
    out.u8(static_cast<unsigned>(instrument.vibratoRate));
    out.u16le(static_cast<unsigned>(instrument.fadeout));
    out.padTo(start + instrumentHeaderSize);
}

void writeSampleHeader(ByteWriter& out, const Instrument& instrument)
{
    double shift = semitoneShift(instrument, xmMiddleCRate);
    long relativeNote = std::lround(shift);
    long finetune = std::lround((shift - static_cast<double>(relativeNote)) * 128.0);
    if (relativeNote < -96 || relativeNote > 95)
        throw std::runtime_error("instrument pitch outside the XM range: " + instrument.name);
    bool looped = instrument.loopLength > 0;
    out.u32le(static_cast<std::uint32_t>(instrument.pcm.size() * 2));
    out.u32le(static_cast<std::uint32_t>(instrument.loopStart * 2));
    out.u32le(static_cast<std::uint32_t>(instrument.loopLength * 2));
    out.u8(static_cast<unsigned>(instrument.volume));
    out.u8(static_cast<unsigned>(finetune) & 0xFF);
    out.u8((looped ? 0x01 : 0x00) | 0x10);
    out.u8(static_cast<unsigned>(instrument.panning));
    out.u8(static_cast<unsigned>(relativeNote) & 0xFF);
    out.u8(0);
    out.text(instrument.name, 22);
}

void writeDeltaSamples(ByteWriter& out, const std::vector<std::int16_t>& pcm)
{
    std::int16_t previous = 0;
    for (std::int16_t sample : pcm) {
        out.u16le(static_cast<std::uint16_t>(sample - previous));
        previous = sample;
    }
}

} // namespace

std::vector<std::uint8_t> writeXm(const TrackerModule& module)
{
    ByteWriter out;
    writeHeader(out, module);
    for (const Pattern& pattern : module.patterns)
        writePattern(out, pattern);
    for (const Instrument& instrument : module.instruments) {
        writeInstrumentHeader(out, instrument);
        writeSampleHeader(out, instrument);
        writeDeltaSamples(out, instrument.pcm);
    }
    return out.bytes();
}

} // namespace music
