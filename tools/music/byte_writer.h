#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace music {

// Little- and big-endian field writer for the binary module formats.
class ByteWriter {
public:
    void u8(unsigned value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void u16le(unsigned value) { u8(value & 0xFF); u8((value >> 8) & 0xFF); }
    void u32le(std::uint32_t value) { u16le(value & 0xFFFF); u16le(value >> 16); }
    void u16be(unsigned value) { u8((value >> 8) & 0xFF); u8(value & 0xFF); }

    // A fixed-width text field, cut or padded with `pad`.
    void text(std::string_view value, std::size_t width, char pad = '\0')
    {
        for (std::size_t i = 0; i < width; ++i)
            u8(static_cast<unsigned char>(i < value.size() ? value[i] : pad));
    }

    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void padTo(std::size_t size) { if (bytes_.size() < size) zeros(size - bytes_.size()); }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    void append(const std::vector<std::uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace music
