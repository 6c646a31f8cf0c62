#include "platform/d3dx/png_decoder.h"

#include <png.h>

namespace d3dx {

namespace {

// png_image_free on every way out of the decoder.
struct PngReader {
    png_image png{};
    PngReader() { png.version = PNG_IMAGE_VERSION; }
    ~PngReader() { png_image_free(&png); }
};

}  // namespace

bool decodePng(const std::filesystem::path& file, RgbaImage& image, std::string& error) {
    PngReader reader;
    if (!png_image_begin_read_from_file(&reader.png, file.c_str())) {
        error = file.string() + ": " + reader.png.message;
        return false;
    }
    if (reader.png.width > largestTextureSide || reader.png.height > largestTextureSide) {
        error = file.string() + ": " + std::to_string(reader.png.width) + " x " + std::to_string(reader.png.height) +
                " pixels is larger than " + std::to_string(largestTextureSide) + " on a side";
        return false;
    }
    reader.png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(reader.png));
    if (!png_image_finish_read(&reader.png, nullptr, pixels.data(), 0, nullptr)) {
        error = file.string() + ": " + reader.png.message;
        return false;
    }
    image.width = reader.png.width;
    image.height = reader.png.height;
    image.rgba = std::move(pixels);
    return true;
}

}  // namespace d3dx
