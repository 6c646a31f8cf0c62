// Writing the framebuffer as PNG, through libpng's simplified API.
#include "platform/soft_device.h"

#include <png.h>

namespace softgfx {

bool writePng(const Image& image, const std::string& path, std::string* error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    const bool written = png_image_write_to_file(&png, path.c_str(), 0, image.rgba.data(), 0, nullptr) != 0;
    if (!written && error) *error = png.message;
    png_image_free(&png);
    return written;
}

}  // namespace softgfx
