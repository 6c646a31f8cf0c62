// A window with the software device and a fresh GUI for every test, and ways
// to read back what a frame drew: the draw calls, the quads as they reached the
// vertex buffer, and the message boxes shown meanwhile.
#pragma once

#include "gui/gui_renderer.h"
#include "platform/headless.h"
#include "platform/soft_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A quad read back from the four vertices the renderer wrote for it.
struct DrawnQuad {
    float x, y, w, h;
    float texLeft, texTop, texRight, texBottom;
    float r, g, b, a;
    float depth;
};

class GuiWorld : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One frame's drawing pass, as the main loop runs it.
    void drawFrame();
    std::vector<softgfx::Record> drawCalls() const;
    // The first `count` quads of the last frame, in the order they were written.
    std::vector<DrawnQuad> drawnQuads(std::size_t count) const;
    // Every quad the last frame's draw calls covered, in drawing order.
    std::vector<DrawnQuad> drawnQuads() const;
    std::vector<std::string> messagesShown() const;
    IDirect3DTexture9* makeTexture();

    IDirect3DDevice9* device = nullptr;

private:
    std::size_t messagesBefore = 0;
    std::vector<IDirect3DTexture9*> textures;
};

// A plain quad at (x, 0), told apart from the others by its x.
void submitMarked(float x, float depth, IDirect3DTexture9* texture = nullptr);
