// The whole disk in this process: the real screens on the shipped data/, in
// the headless world's virtual time, with a look at every frame once it has
// been drawn (and a chance to change what the next frame starts from).
#pragma once

#include "app/scene_manager.h"
#include "platform/win32.h"

#include <functional>
#include <vector>

// A quad as it reached the vertex buffer, with the texture it was drawn with.
struct DrawnQuad {
    float x, y, w, h;
    float texLeft, texTop, texRight, texBottom;
    float r, g, b, a;
    float depth;
    const void* texture;
    bool hasTexRect(float left, float top) const { return texLeft == left && texTop == top; }
};

class DiskRun {
public:
    DiskRun();
    ~DiskRun();
    DiskRun(const DiskRun&) = delete;
    DiskRun& operator=(const DiskRun&) = delete;

    // Input, in milliseconds since the start, as a hand gives it.
    void tap(DWORD atMs, WPARAM key);  // released 40 ms after the press
    void hold(DWORD fromMs, DWORD toMs, WPARAM key);
    void click(DWORD atMs, int x, int y);  // a move there first, so the button sees the mouse

    // Runs until no screen is active or the clock reaches the limit.
    void run(double seconds, const std::function<void()>& everyFrame = {});
};

// During a run: the virtual milliseconds since the start, the screens, and
// what the frame just drawn submitted, in drawing order.
DWORD nowMs();
template <typename Screen>
Screen& screen(SceneIndex index) {
    return *static_cast<Screen*>(SceneManager::instance()->scenes.at(index));
}
bool isActive(SceneIndex index);
bool isCurrent(SceneIndex index);
std::vector<DrawnQuad> drawnQuads();
std::vector<DrawnQuad> drawnQuadsWithTexRect(float texLeft, float texTop);

// The client pixel at the centre of a button given in drawing coordinates,
// its height before the aspect ratio, as the screens' button tables give it.
struct Pixel {
    int x, y;
};
Pixel buttonCentre(float x, float y, float w, float h);
