#include "gui/gui_system.h"

#include "display/window.h"
#include "gui/error_message.h"

GuiSystem* GuiSystem::self = nullptr;
GuiRenderer* GuiSystem::renderer = nullptr;
IDirect3DTexture9* GuiSystem::fontTexture = nullptr;

GuiSystem* GuiSystem::instance() {
    if (!self) self = new GuiSystem();
    return self;
}

GuiSystem::GuiSystem() : ownRenderer(std::make_unique<GuiRenderer>()) {
    renderer = ownRenderer.get();
    fontTexture = nullptr;
    if (FAILED(D3DXCreateTextureFromFileW(Window::instance()->device, L"data/font.png", &fontTexture))) {
        fontTexture = nullptr;
        showGuiError(L"Failed to create default font");
        // The program cannot show a word without its font, so it ends.
        PostQuitMessage(0);
    }
}

GuiSystem::~GuiSystem() { release(); }

void GuiSystem::draw() {
    if (renderer) renderer->draw();
}

void GuiSystem::release() {
    if (fontTexture) {
        fontTexture->Release();
        fontTexture = nullptr;
    }
    if (self) self->ownRenderer.reset();
    renderer = nullptr;
}

void GuiSystem::destroy() {
    delete self;
    self = nullptr;
}
