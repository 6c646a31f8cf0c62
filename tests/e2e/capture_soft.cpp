#include "platform/soft_device.h"
#include "tests/e2e/frame_capture.h"

bool saveFrame(IDirect3DDevice9*, const std::string& path) { return softgfx::writePng(softgfx::backBuffer(), path); }
