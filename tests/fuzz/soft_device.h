// A software graphics device for the loader targets, made once per process.
#pragma once

#include "platform/d3d9.h"

namespace fuzz {

IDirect3DDevice9* softDevice();
// Aborts when a loader left device objects behind, which the fuzzer reports as a crash.
void expectNoLeak(unsigned liveBefore);

}  // namespace fuzz
