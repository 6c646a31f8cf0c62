#include "tests/gui/stand_ins.h"

#include "app/input_state.h"
#include "display/window.h"

IDirect3DDevice9* standInDevice() { return Window::instance()->device; }

void resetStandInInput() { *InputState::instance() = InputState(); }
