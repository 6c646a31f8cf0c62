#include "platform/gl/vertex_layout.h"

namespace glgfx {

namespace {

constexpr WORD endOfDeclaration = 0xFF;
// Beyond this a declaration cannot be meant: the device draws three attributes.
constexpr int maxElements = 16;

std::optional<GLuint> locationFor(BYTE usage, BYTE usageIndex) {
    if (usageIndex != 0) return std::nullopt;
    switch (usage) {
        case D3DDECLUSAGE_POSITION: return 0;
        case D3DDECLUSAGE_TEXCOORD: return 1;
        case D3DDECLUSAGE_COLOR: return 2;
        default: return std::nullopt;
    }
}

struct AttributeFormat {
    GLint components;
    GLenum type;
    GLboolean normalized;
};

std::optional<AttributeFormat> formatFor(BYTE type) {
    switch (type) {
        case D3DDECLTYPE_FLOAT1: return AttributeFormat{1, GL_FLOAT, GL_FALSE};
        case D3DDECLTYPE_FLOAT2: return AttributeFormat{2, GL_FLOAT, GL_FALSE};
        case D3DDECLTYPE_FLOAT3: return AttributeFormat{3, GL_FLOAT, GL_FALSE};
        case D3DDECLTYPE_FLOAT4: return AttributeFormat{4, GL_FLOAT, GL_FALSE};
        // Bytes B, G, R, A in memory, read as normalised R, G, B, A.
        case D3DDECLTYPE_D3DCOLOR: return AttributeFormat{GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE};
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<std::vector<VertexAttribute>> vertexAttributes(const D3DVERTEXELEMENT9* elements) {
    if (!elements) return std::nullopt;
    std::vector<VertexAttribute> attributes;
    for (int i = 0; elements[i].Stream != endOfDeclaration; ++i) {
        const D3DVERTEXELEMENT9& element = elements[i];
        if (i == maxElements || element.Stream != 0 || element.Method != D3DDECLMETHOD_DEFAULT) return std::nullopt;
        const auto location = locationFor(element.Usage, element.UsageIndex);
        const auto format = formatFor(element.Type);
        if (!location || !format) return std::nullopt;
        attributes.push_back(VertexAttribute{*location, format->components, format->type, format->normalized,
                                             element.Offset});
    }
    return attributes;
}

}  // namespace glgfx
