#pragma once
#include <string>
#include <vector>

#include "tools/art/canvas.h"

namespace art {

// Paints every picture of the screens into its atlas rectangle. Fails, with one
// line per fault in faults, when the rectangle table does not hold together.
bool makeAtlas(Canvas& atlas, std::vector<std::string>& faults);

}  // namespace art
