// Keyboard and mouse as of now and as of the previous frame, so that a screen
// can tell a key that was just released from one that is held.
#pragma once

#include <cstdint>

class InputState {
public:
    static InputState* instance();
    static void destroy();

    // Makes the current keys and buttons the previous ones (once per frame).
    void snapshot();

    bool keyReleased(unsigned virtualKey) const;
    bool keyHeld(unsigned virtualKey) const;
    bool buttonDown(unsigned button) const;
    bool buttonReleased(unsigned button) const;

    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;
    std::int32_t mouseDeltaX = 0;
    std::int32_t mouseDeltaY = 0;
    std::uint8_t keys[256] = {};
    std::uint8_t previousKeys[256] = {};
    std::uint8_t previousButtons[3] = {};
    std::uint8_t buttons[3] = {};

private:
    static InputState* self;
};
