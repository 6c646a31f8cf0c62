#include "app/input_state.h"

#include <cstring>

InputState* InputState::self = nullptr;

InputState* InputState::instance() {
    if (!self) self = new InputState();
    return self;
}

void InputState::destroy() {
    delete self;
    self = nullptr;
}

void InputState::snapshot() {
    std::memcpy(previousKeys, keys, sizeof keys);
    std::memcpy(previousButtons, buttons, sizeof buttons);
}

bool InputState::keyReleased(unsigned virtualKey) const {
    return virtualKey < 256 && previousKeys[virtualKey] && !keys[virtualKey];
}

bool InputState::keyHeld(unsigned virtualKey) const {
    return virtualKey < 256 && previousKeys[virtualKey] && keys[virtualKey];
}

bool InputState::buttonDown(unsigned button) const { return button < 3 && buttons[button]; }

bool InputState::buttonReleased(unsigned button) const {
    return button < 3 && previousButtons[button] && !buttons[button];
}
