#include "tests/gui/gui_world.h"

#include "gui/button.h"
#include "gui/gui_system.h"
#include "tests/gui/stand_ins.h"

#include <cstring>

void GuiWorld::SetUp() {
    softgfx::reset();
    softgfx::setRasterizing(false);
    device = standInDevice();
    ASSERT_NE(device, nullptr);
    resetStandInInput();
    hotId = 0;
    activeId = 0;
    messagesBefore = headless::messageBoxes().size();
    GuiSystem::instance();
    softgfx::clearCalls();
}

void GuiWorld::TearDown() {
    GuiSystem::release();
    GuiSystem::destroy();
    for (IDirect3DTexture9* texture : textures) texture->Release();
    softgfx::reset();
}

void GuiWorld::drawFrame() {
    softgfx::clearCalls();
    device->BeginScene();
    GuiSystem::draw();
    device->EndScene();
}

std::vector<softgfx::Record> GuiWorld::drawCalls() const { return softgfx::callsOf(softgfx::Op::DrawIndexedPrimitive); }

std::vector<DrawnQuad> GuiWorld::drawnQuads(std::size_t count) const {
    const auto binds = softgfx::callsOf(softgfx::Op::SetStreamSource);
    if (binds.empty()) return {};
    auto* buffer = const_cast<IDirect3DVertexBuffer9*>(static_cast<const IDirect3DVertexBuffer9*>(binds.back().object));
    const auto bytes = softgfx::contents(buffer);
    std::vector<GuiVertex> vertices(bytes.size() / sizeof(GuiVertex));
    std::memcpy(vertices.data(), bytes.data(), vertices.size() * sizeof(GuiVertex));
    std::vector<DrawnQuad> quads;
    for (std::size_t k = 0; k < count && 4 * k + 3 < vertices.size(); ++k) {
        const GuiVertex& lowerLeft = vertices[4 * k];
        const GuiVertex& upperRight = vertices[4 * k + 2];
        quads.push_back({lowerLeft.x, lowerLeft.y, upperRight.x - lowerLeft.x, upperRight.y - lowerLeft.y,
                         lowerLeft.u, upperRight.v, upperRight.u, lowerLeft.v, lowerLeft.r, lowerLeft.g,
                         lowerLeft.b, lowerLeft.a, lowerLeft.z});
    }
    return quads;
}

std::vector<DrawnQuad> GuiWorld::drawnQuads() const {
    std::size_t quadCount = 0;
    for (const softgfx::Record& call : drawCalls()) quadCount = call.startIndex / 6 + call.primitiveCount / 2;
    return drawnQuads(quadCount);
}

std::vector<std::string> GuiWorld::messagesShown() const {
    std::vector<std::string> texts;
    const auto& boxes = headless::messageBoxes();
    for (std::size_t i = messagesBefore; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].caption, "Velmora");
        EXPECT_EQ(boxes[i].style, MB_OK);
        EXPECT_FALSE(boxes[i].owned);
        texts.push_back(boxes[i].text);
    }
    return texts;
}

IDirect3DTexture9* GuiWorld::makeTexture() {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    textures.push_back(texture);
    return texture;
}

void submitMarked(float x, float depth, IDirect3DTexture9* texture) {
    drawQuadDepth(texture, x, 0.0f, 0.01f, 0.01f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, depth);
}
