#include "gui/screen_ratio.h"

#include "display/window.h"

float screenAspect() {
    const Window* window = Window::instance();
    return static_cast<float>(static_cast<double>(window->width) / static_cast<double>(window->height));
}
