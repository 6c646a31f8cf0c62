// Writes what a device has drawn, before Present, as a PNG of the client area.
// Each backend of the test frame program brings its own way to read it back.
#pragma once

#include "platform/d3d9.h"

#include <string>

bool saveFrame(IDirect3DDevice9* device, const std::string& path);
