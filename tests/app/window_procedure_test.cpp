// The window procedure records input as the screens expect it.
#include "app/input_state.h"
#include "app/scene_manager.h"
#include "display/window.h"

#include <gtest/gtest.h>

namespace {

class WindowProcedureTest : public testing::Test {
protected:
    void SetUp() override { InputState::destroy(); }
    void TearDown() override { InputState::destroy(); }
    InputState* input() { return InputState::instance(); }
    void send(UINT message, WPARAM wParam, LPARAM lParam = 0) { windowProcedure(nullptr, message, wParam, lParam); }
    // One frame boundary: the loop snapshots before it pumps.
    void nextFrame() { input()->snapshot(); }
};

TEST_F(WindowProcedureTest, HeldKeyIsReleasedExactlyOnceAfterItComesUp) {
    send(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(input()->keyHeld(VK_RETURN)) << "the first frame after the key went down it is not held yet";
    nextFrame();
    send(WM_KEYDOWN, VK_RETURN);  // auto-repeat
    EXPECT_TRUE(input()->keyHeld(VK_RETURN));
    EXPECT_FALSE(input()->keyReleased(VK_RETURN)) << "auto-repeat is not a release";
    send(WM_KEYUP, VK_RETURN);
    EXPECT_TRUE(input()->keyReleased(VK_RETURN));
    nextFrame();
    EXPECT_FALSE(input()->keyReleased(VK_RETURN));
}

TEST_F(WindowProcedureTest, KeyPressedAndReleasedWithinOnePumpLeavesNoTrace) {
    send(WM_KEYDOWN, 'P');
    send(WM_KEYUP, 'P');
    EXPECT_FALSE(input()->keyReleased('P'));
    nextFrame();
    EXPECT_FALSE(input()->keyReleased('P'));
}

TEST_F(WindowProcedureTest, SystemKeysAndOutOfRangeCodesAreNotRecorded) {
    send(WM_SYSKEYDOWN, VK_F10);
    send(WM_SYSKEYDOWN, 'A');
    send(WM_KEYDOWN, 300);
    for (int key = 0; key < 256; ++key) EXPECT_EQ(input()->keys[key], 0) << key;
}

struct MouseCase {
    LPARAM lParam;
    int x;
    int y;
};

class MouseDecodingTest : public WindowProcedureTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(MouseDecodingTest, CoordinatesAreSigned16BitWords) {
    send(WM_MOUSEMOVE, 0, GetParam().lParam);
    EXPECT_EQ(input()->mouseX, GetParam().x);
    EXPECT_EQ(input()->mouseY, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Packing, MouseDecodingTest,
                         testing::Values(MouseCase{MAKELPARAM(410, 160), 410, 160},
                                         MouseCase{MAKELPARAM(-5, -7), -5, -7},
                                         MouseCase{MAKELPARAM(32767, -32768), 32767, -32768},
                                         MouseCase{static_cast<LPARAM>(0x7FFF0001u) | (LPARAM{1} << 40), 1, 32767}));

TEST_F(WindowProcedureTest, ButtonsFollowTheirMessagesAndTheMiddleOneIsNeverSet) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(input()->buttons[0], 1);
    EXPECT_EQ(input()->buttons[1], 0);
    EXPECT_EQ(input()->buttons[2], 1);
    nextFrame();
    send(WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(input()->buttonReleased(0));
    EXPECT_FALSE(input()->buttonReleased(2));
}

TEST_F(WindowProcedureTest, CloseRequestAndQuitStopTheLoop) {
    for (UINT message : {WM_CLOSE, WM_QUIT}) {
        SceneManager::instance()->running = true;
        EXPECT_EQ(windowProcedure(nullptr, message, 0, 0), 0);
        EXPECT_FALSE(SceneManager::instance()->running);
    }
}

}  // namespace
