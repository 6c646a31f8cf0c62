// Just enough of the headless world for the device tests while the real one
// is not in the build: a clock that frames advance, and the disk's window.
#include "platform/headless.h"

namespace headless {

namespace {
DWORD clock = 0;
DWORD cost = 1;
}  // namespace

DWORD now() { return clock; }
void advance(DWORD milliseconds) { clock += milliseconds; }
void setFrameCost(DWORD milliseconds) { cost = milliseconds; }
DWORD frameCost() { return cost; }

WindowState windowState() { return {true, true, false, 10, 100, 820, 320, "Velmora 2", "musicdisk"}; }

}  // namespace headless
