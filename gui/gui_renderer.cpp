#include "gui/gui_renderer.h"

#include "display/window.h"
#include "gui/error_message.h"
#include "gui/gui_system.h"

#include <limits>

namespace {

constexpr int verticesPerQuad = 4;
constexpr int indicesPerQuad = 6;
// 16-bit indices address vertices up to 65,535.
constexpr std::int64_t firstVertexCountNeedingWideIndices = 65536;

const D3DVERTEXELEMENT9 guiVertexElements[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    {0, 20, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    D3DDECL_END(),
};

IDirect3DDevice9* device() { return Window::instance()->device; }

template <typename Object>
void releaseAndClear(Object*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

template <typename Index>
void writeQuadIndices(void* target, std::int32_t quadCount) {
    Index* index = static_cast<Index*>(target);
    for (std::int32_t k = 0; k < quadCount; ++k) {
        const Index first = static_cast<Index>(verticesPerQuad * k);
        *index++ = first;
        *index++ = static_cast<Index>(first + 1);
        *index++ = static_cast<Index>(first + 2);
        *index++ = first;
        *index++ = static_cast<Index>(first + 2);
        *index++ = static_cast<Index>(first + 3);
    }
}

void writeQuadVertices(GuiVertex* vertex, const GuiQuad& q) {
    vertex[0] = {q.x, q.y, q.depth, q.texLeft, q.texBottom, q.r, q.g, q.b, q.a};
    vertex[1] = {q.x, q.y + q.h, q.depth, q.texLeft, q.texTop, q.r, q.g, q.b, q.a};
    vertex[2] = {q.x + q.w, q.y + q.h, q.depth, q.texRight, q.texTop, q.r, q.g, q.b, q.a};
    vertex[3] = {q.x + q.w, q.y, q.depth, q.texRight, q.texBottom, q.r, q.g, q.b, q.a};
}

}  // namespace

GuiRenderer::GuiRenderer() { createDeviceObjects(); }

GuiRenderer::~GuiRenderer() { releaseDeviceObjects(); }

void GuiRenderer::createDeviceObjects() {
    IDirect3DDevice9* target = device();
    if (!target || FAILED(target->CreateVertexDeclaration(guiVertexElements, &vertexDeclaration))) {
        vertexDeclaration = nullptr;
        showGuiError(L"Failed to create vertex declaration");
    }
    if (FAILED(D3DXCreateEffectFromFileW(target, L"data/gui.fx", nullptr, nullptr, 0, nullptr, &effect, nullptr))) {
        effect = nullptr;
        showGuiError(L"Failed to create effect gui.fx");
        // Without an effect there is nothing to look a technique up in.
        return;
    }
    technique = effect->GetTechniqueByName("GUI");
    if (!technique) showGuiError(L"No such technique GUI in gui.fx");
}

void GuiRenderer::releaseDeviceObjects() {
    releaseBuffers();
    releaseAndClear(vertexDeclaration);
    releaseAndClear(effect);
    technique = nullptr;
}

void GuiRenderer::releaseBuffers() {
    releaseAndClear(vertexBuffer);
    releaseAndClear(indexBuffer);
    vertexCapacity = 0;
}

void GuiRenderer::onDeviceLost() {
    releaseBuffers();
    if (effect) effect->OnLostDevice();
}

void GuiRenderer::onDeviceReset() {
    releaseDeviceObjects();
    createDeviceObjects();
}

void GuiRenderer::submit(const GuiQuad& quad) { quads.push_back(quad); }

void GuiRenderer::draw() {
    // Without an effect and its technique, or without a device, there is no way
    // to draw; the frame's quads are dropped all the same.
    const bool canDraw = effect && technique && device();
    if (!quads.empty() && canDraw && build()) render();
    quads.clear();
    batches.clear();
}

bool GuiRenderer::build() {
    drawingOrder.sort(quads);
    const auto quadCount = static_cast<std::int32_t>(quads.size());
    return ensureCapacity(quadCount) && writeVertices();
}

bool GuiRenderer::ensureCapacity(std::int32_t quadCount) {
    const std::int64_t vertexCount = std::int64_t{verticesPerQuad} * quadCount;
    if (vertexCapacity >= vertexCount) return true;

    releaseBuffers();
    const std::int64_t vertexBytes = vertexCount * vertexStride;
    // A count the device's 32-bit sizes cannot express fails like any refused buffer.
    const bool sizeFits = vertexBytes <= std::numeric_limits<UINT>::max();
    if (!sizeFits || FAILED(device()->CreateVertexBuffer(static_cast<UINT>(vertexBytes),
                                                         D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0,
                                                         D3DPOOL_DEFAULT, &vertexBuffer, nullptr))) {
        vertexBuffer = nullptr;
        showGuiError(L"Failed to create a vertex buffer");
        return false;
    }
    if (!createIndexBuffer(quadCount)) {
        releaseBuffers();
        return false;
    }
    vertexCapacity = static_cast<std::int32_t>(vertexCount);
    return true;
}

bool GuiRenderer::createIndexBuffer(std::int32_t quadCount) {
    const bool wide = std::int64_t{verticesPerQuad} * quadCount >= firstVertexCountNeedingWideIndices;
    const std::int64_t indexBytes = std::int64_t{indicesPerQuad} * quadCount * (wide ? 4 : 2);
    const bool sizeFits = indexBytes <= std::numeric_limits<UINT>::max();
    if (!sizeFits || FAILED(device()->CreateIndexBuffer(static_cast<UINT>(indexBytes), D3DUSAGE_WRITEONLY,
                                                        wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16, D3DPOOL_DEFAULT,
                                                        &indexBuffer, nullptr))) {
        indexBuffer = nullptr;
        showGuiError(wide ? L"Failed to create a 32bit index buffer" : L"Failed to create a 16bit index buffer");
        return false;
    }
    void* indices = nullptr;
    // Buffers whose indices could not be written are not kept, so that the next
    // frame creates them again.
    if (FAILED(indexBuffer->Lock(0, 0, &indices, 0))) return false;
    if (wide) {
        writeQuadIndices<std::uint32_t>(indices, quadCount);
    } else {
        writeQuadIndices<std::uint16_t>(indices, quadCount);
    }
    indexBuffer->Unlock();
    return true;
}

bool GuiRenderer::writeVertices() {
    void* locked = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &locked, D3DLOCK_DISCARD))) return false;
    auto* vertices = static_cast<GuiVertex*>(locked);
    IDirect3DTexture9* runningTexture = nullptr;
    const auto quadCount = static_cast<std::int32_t>(quads.size());
    const std::vector<std::uint32_t>& order = drawingOrder.indices();
    for (std::int32_t k = 0; k < quadCount; ++k) {
        const GuiQuad& quad = quads[order[static_cast<std::size_t>(k)]];
        if (quad.texture != runningTexture) {
            batches.push_back({k, quad.texture});
            runningTexture = quad.texture;
        }
        writeQuadVertices(vertices + verticesPerQuad * static_cast<std::ptrdiff_t>(k), quad);
    }
    batches.push_back({quadCount, runningTexture});
    vertexBuffer->Unlock();
    return true;
}

void GuiRenderer::render() {
    UINT passes = 0;
    if (FAILED(effect->SetTechnique(technique)) || FAILED(effect->Begin(&passes, 0))) return;
    IDirect3DDevice9* target = device();
    target->SetVertexDeclaration(vertexDeclaration);
    target->SetStreamSource(0, vertexBuffer, 0, static_cast<UINT>(vertexStride));
    target->SetIndices(indexBuffer);
    for (UINT pass = 0; pass < passes; ++pass) {
        effect->BeginPass(pass);
        drawBatches();
        effect->EndPass();
    }
    effect->End();
}

void GuiRenderer::drawBatches() {
    IDirect3DDevice9* target = device();
    for (std::size_t i = 0; i + 1 < batches.size(); ++i) {
        const std::int32_t first = batches[i].firstQuad;
        const std::int32_t count = batches[i + 1].firstQuad - first;
        effect->SetTexture("texture_0", batches[i].texture);
        effect->CommitChanges();
        const HRESULT result = target->DrawIndexedPrimitive(
            primitiveType, 0, 0, static_cast<UINT>(vertexCapacity), static_cast<UINT>(indicesPerQuad * first),
            static_cast<UINT>(2 * count));
        if (FAILED(result)) showGuiError(L"Failed to render graphical user interface");
    }
}

void drawQuad(IDirect3DTexture9* texture, float x, float y, float w, float h, float texLeft, float texTop,
              float texRight, float texBottom, float r, float g, float b, float a) {
    drawQuadDepth(texture, x, y, w, h, texLeft, texTop, texRight, texBottom, r, g, b, a, 1.0f);
}

void drawQuadDepth(IDirect3DTexture9* texture, float x, float y, float w, float h, float texLeft, float texTop,
                   float texRight, float texBottom, float r, float g, float b, float a, float depth) {
    // Before the GUI exists and after it is gone there is nothing to draw into.
    if (!GuiSystem::renderer) return;
    GuiSystem::renderer->submit({r, g, b, a, texLeft, texTop, texRight, texBottom, x, y, w, h, texture, depth});
}
