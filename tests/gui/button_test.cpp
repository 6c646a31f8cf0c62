#include "app/input_state.h"
#include "gui/button.h"
#include "tests/gui/gui_world.h"

#include <vector>

namespace {

enum Look { normal = 0, hot = 1, pressed = 2 };

constexpr GuiColor white = {1.0f, 1.0f, 1.0f, 1.0f};
// The looks are told apart by their left texture edge.
constexpr GuiTexRect looks[3] = {{0.0f, 0.0f, 0.1f, 0.1f}, {0.2f, 0.0f, 0.3f, 0.1f}, {0.4f, 0.0f, 0.5f, 0.1f}};

struct Mouse {
    int x;
    int y;
    bool down;
};

// The mouse as a frame sees it: moved and pressed during the previous frame's message pump.
class Button : public GuiWorld {
protected:
    void setMouse(const Mouse& mouse) {
        InputState* input = InputState::instance();
        input->snapshot();
        input->mouseX = mouse.x;
        input->mouseY = mouse.y;
        input->buttons[0] = mouse.down ? 1 : 0;
    }

    struct Seen {
        bool clicked;
        Look look;
    };

    Seen frameOf(std::int32_t id, const GuiVec2& position, const GuiVec2& size) {
        const bool clicked = guiButton(id, texture, position, size, looks, white);
        drawFrame();
        return {clicked, lookDrawn()};
    }

    Look lookDrawn() const {
        const auto quads = drawnQuads();
        EXPECT_EQ(quads.size(), 1u);
        return quads.empty() ? normal : static_cast<Look>(static_cast<int>(quads[0].texLeft * 5.0f + 0.5f));
    }

    void SetUp() override {
        GuiWorld::SetUp();
        texture = makeTexture();
    }

    IDirect3DTexture9* texture = nullptr;
    // On screen 0.1 wide and 0.1 x 2.5625 high.
    const GuiVec2 buttonSize = {0.1f, 0.1f};
};

// Pixel (410, 160) is the middle of the screen; the buttons sit up and right of it.
constexpr Mouse overA{420, 150, false};
constexpr Mouse overAHeld{420, 150, true};
constexpr Mouse away{100, 300, false};
constexpr Mouse awayHeld{100, 300, true};
constexpr GuiVec2 atA = {0.0f, 0.0f};
constexpr GuiVec2 atB = {0.5f, 0.0f};
constexpr Mouse overB{635, 150, false};
constexpr Mouse overBHeld{635, 150, true};

struct Frame {
    Mouse mouse;
    Look look;
    bool clicked;
};

struct ScenarioCase {
    const char* name;
    std::vector<Frame> frames;
    GuiVec2 size = {0.1f, 0.1f};
};

}  // namespace

class ButtonScenario : public Button, public ::testing::WithParamInterface<ScenarioCase> {};

TEST_P(ButtonScenario, LookAndClickFollowTheMouse) {
    const auto& frames = GetParam().frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        setMouse(frames[i].mouse);
        const Seen seen = frameOf(10, atA, GetParam().size);
        EXPECT_EQ(seen.look, frames[i].look) << "frame " << i;
        EXPECT_EQ(seen.clicked, frames[i].clicked) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, ButtonScenario,
    ::testing::Values(
        ScenarioCase{"HoverPressReleaseClicksOnce",
                     {{away, normal, false}, {overA, hot, false}, {overAHeld, pressed, false},
                      {overA, pressed, true}, {overA, hot, false}, {overA, hot, false}}},
        // The press and the release both fell between two frames: no frame saw the button down.
        ScenarioCase{"PressAndReleaseBetweenFramesDoNothing", {{overA, hot, false}, {overA, hot, false}}},
        ScenarioCase{"HeldButtonAtTheFirstFrameIsNoPress", {{overAHeld, normal, false}, {overA, hot, false}}},
        ScenarioCase{"DraggingOntoTheButtonDoesNotPressIt",
                     {{awayHeld, normal, false}, {overAHeld, normal, false}, {overA, hot, false}}},
        ScenarioCase{"LeavingAndComingBackHeldStillClicks",
                     {{overA, hot, false}, {overAHeld, pressed, false}, {awayHeld, pressed, false},
                      {overAHeld, pressed, false}, {overA, pressed, true}}},
        ScenarioCase{"ReleasedOutsideStaysPressedWithoutAClick",
                     {{overA, hot, false}, {overAHeld, pressed, false}, {away, pressed, false},
                      {away, pressed, false}}},
        // Height 0.08 x 2.5625 = 0.205: pixel row 128 is y 0.2, row 126 is y 0.2125.
        ScenarioCase{"HitHeightIsScaledByTheAspectRatio",
                     {{{412, 128, false}, hot, false}, {{412, 126, false}, normal, false}},
                     {0.09f, 0.08f}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(Button, ReleaseOverAnotherButtonClicksNeitherAndTheFirstStaysPressed) {
    auto frame = [&](const Mouse& mouse) {
        setMouse(mouse);
        const bool clickedA = guiButton(1, texture, atA, buttonSize, looks, white);
        const bool clickedB = guiButton(2, texture, atB, buttonSize, looks, white);
        drawFrame();
        const auto quads = drawnQuads();
        EXPECT_EQ(quads.size(), 2u);
        return std::vector<float>{clickedA ? 1.0f : 0.0f, clickedB ? 1.0f : 0.0f, quads.at(0).texLeft,
                                  quads.at(1).texLeft};
    };
    frame(overA);
    frame(overAHeld);
    frame(overBHeld);
    EXPECT_EQ(frame(overB), (std::vector<float>{0.0f, 0.0f, looks[pressed].texLeft, looks[hot].texLeft}));
    // Pressing B takes the press away from A.
    frame(overBHeld);
    EXPECT_EQ(frame(overB), (std::vector<float>{0.0f, 1.0f, looks[normal].texLeft, looks[pressed].texLeft}));
}

TEST_F(Button, IsDrawnAboveTextAtItsOnScreenSize) {
    guiButton(10, texture, atB, GuiVec2{0.09f, 0.08f}, looks, white);
    drawFrame();
    const auto quads = drawnQuads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].x, 0.5f);
    EXPECT_FLOAT_EQ(quads[0].w, 0.09f);
    EXPECT_NEAR(quads[0].h, 0.205f, 1e-6f);
    EXPECT_FLOAT_EQ(quads[0].depth, 0.1f);
}

TEST_F(Button, MousePixelsMapToDrawingCoordinatesOfTheOuterWindow) {
    struct Case {
        float mx, my;
        GuiVec2 expected;
    };
    const Case cases[] = {{410, 160, {0.0f, 0.0f}}, {0, 0, {-1.0f, 1.0f}}, {820, 320, {1.0f, -1.0f}},
                          {205, 240, {-0.5f, -0.5f}}};
    for (const Case& c : cases) {
        const GuiVec2 p = mouseToNdc(c.mx, c.my);
        EXPECT_FLOAT_EQ(p.x, c.expected.x) << c.mx;
        EXPECT_FLOAT_EQ(p.y, c.expected.y) << c.my;
    }
}

TEST(PointInRect, BorderPointsAreOutside) {
    const GuiVec2 position = {0.0f, 0.0f};
    const GuiVec2 size = {0.5f, 0.25f};
    struct Case {
        GuiVec2 point;
        bool inside;
    };
    const Case cases[] = {{{0.25f, 0.125f}, true},  {{0.0f, 0.1f}, false},  {{0.5f, 0.1f}, false},
                          {{0.25f, 0.0f}, false},   {{0.25f, 0.25f}, false}, {{-0.1f, 0.1f}, false},
                          {{0.001f, 0.249f}, true}, {{0.25f, 0.3f}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(pointInRect(c.point, position, size), c.inside) << c.point.x << ", " << c.point.y;
}
