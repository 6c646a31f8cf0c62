#include "platform/gl/readback.h"
#include "tests/e2e/frame_capture.h"

#include <png.h>

#include <cstring>

bool saveFrame(IDirect3DDevice9* device, const std::string& path) {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba = glgfx::readBackBuffer(device, width, height);
    if (rgba.empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), width * 4, nullptr) != 0;
}
