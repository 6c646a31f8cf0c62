// The program's window and input state, as the GUI's tests use them without
// the program's main loop.
#pragma once

#include "platform/d3d9.h"

IDirect3DDevice9* standInDevice();
void resetStandInInput();
