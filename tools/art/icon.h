#pragma once
#include "tools/art/canvas.h"

namespace art {

// The program's icon at size x size pixels: the disc emblem on a dark glass tile.
Canvas makeIcon(int size);

}  // namespace art
