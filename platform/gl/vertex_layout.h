// Vertex declarations as GL vertex attributes: position, texture coordinate
// and colour go to the attribute locations 0, 1 and 2 that the effect's
// vertex programs declare.
#pragma once

#include "platform/gl/resources.h"

#include <optional>
#include <vector>

namespace glgfx {

// The attributes of a declaration ending in D3DDECL_END, or nothing when it
// uses a stream, type or usage this device does not draw.
std::optional<std::vector<VertexAttribute>> vertexAttributes(const D3DVERTEXELEMENT9* elements);

}  // namespace glgfx
