// The window and the input state the GUI reads, reduced to what it needs, so
// that the GUI's tests do not need the program's main loop.
#pragma once

#include "platform/d3d9.h"

IDirect3DDevice9* standInDevice();
void resetStandInInput();
