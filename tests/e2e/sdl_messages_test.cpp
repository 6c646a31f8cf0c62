// The SDL2 window backend: key codes, message packing, and the messages a
// window procedure receives for SDL's events, under a private X server.
#include "platform/sdl/event_translation.h"
#include "platform/sdl/keymap.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct KeyCase {
    SDL_Scancode scancode;
    WPARAM virtualKey;
};

TEST(SdlKeymap, PhysicalKeysGiveTheirWindowsCodes) {
    const KeyCase cases[] = {
        {SDL_SCANCODE_KP_PLUS, VK_ADD},      {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT}, {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
        {SDL_SCANCODE_MINUS, VK_OEM_MINUS},  {SDL_SCANCODE_ESCAPE, VK_ESCAPE},     {SDL_SCANCODE_RETURN, VK_RETURN},
        {SDL_SCANCODE_KP_ENTER, VK_RETURN},  {SDL_SCANCODE_A, 'A'},                {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_0, '0'},               {SDL_SCANCODE_9, '9'},                {SDL_SCANCODE_F10, VK_F10},
        {SDL_SCANCODE_F24, VK_F24},          {SDL_SCANCODE_KP_0, VK_NUMPAD0},      {SDL_SCANCODE_KP_9, VK_NUMPAD9},
        {SDL_SCANCODE_LEFT, VK_LEFT},        {SDL_SCANCODE_RIGHT, VK_RIGHT},       {SDL_SCANCODE_LALT, VK_MENU},
        {SDL_SCANCODE_RCTRL, VK_CONTROL},    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
    };
    for (const KeyCase& key : cases)
        EXPECT_EQ(sdlwin::virtualKeyFor(key.scancode), key.virtualKey) << SDL_GetScancodeName(key.scancode);
}

TEST(SdlKeymap, EveryKeyOfAFullKeyboardHasACode) {
    for (int code = SDL_SCANCODE_A; code <= SDL_SCANCODE_KP_PERIOD; ++code)
        EXPECT_NE(sdlwin::virtualKeyFor(static_cast<SDL_Scancode>(code)), 0u) << code;
    EXPECT_EQ(sdlwin::virtualKeyFor(SDL_SCANCODE_UNKNOWN), 0u);
    EXPECT_EQ(sdlwin::virtualKeyFor(static_cast<SDL_Scancode>(-1)), 0u);
    EXPECT_EQ(sdlwin::virtualKeyFor(SDL_NUM_SCANCODES), 0u);
}

SDL_KeyboardEvent key(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE, bool repeat = false) {
    SDL_KeyboardEvent event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.repeat = repeat;
    event.keysym.scancode = scancode;
    event.keysym.mod = modifiers;
    return event;
}

struct KeyMessageCase {
    const char* name;
    SDL_KeyboardEvent event;
    UINT message;
};

TEST(SdlEvents, AltKeysAndF10AreSystemKeys) {
    const KeyMessageCase cases[] = {
        {"E down", key(SDL_SCANCODE_E, true), WM_KEYDOWN},
        {"E up", key(SDL_SCANCODE_E, false), WM_KEYUP},
        {"E repeated", key(SDL_SCANCODE_E, true, KMOD_NONE, true), WM_KEYDOWN},
        {"Alt+E down", key(SDL_SCANCODE_E, true, KMOD_LALT), WM_SYSKEYDOWN},
        {"Alt+E up", key(SDL_SCANCODE_E, false, KMOD_RALT), WM_SYSKEYUP},
        {"Alt down", key(SDL_SCANCODE_LALT, true), WM_SYSKEYDOWN},
        {"Alt up (modifier already clear)", key(SDL_SCANCODE_LALT, false), WM_SYSKEYUP},
        {"F10 down", key(SDL_SCANCODE_F10, true), WM_SYSKEYDOWN},
        {"F10 up", key(SDL_SCANCODE_F10, false), WM_SYSKEYUP},
    };
    for (const auto& c : cases) {
        const auto message = sdlwin::keyMessage(c.event);
        ASSERT_TRUE(message) << c.name;
        EXPECT_EQ(message->message, c.message) << c.name;
    }
    EXPECT_FALSE(sdlwin::keyMessage(key(SDL_SCANCODE_UNKNOWN, true)));
}

TEST(SdlEvents, KeyFlagsTellRepeatsAndReleases) {
    constexpr LPARAM previous = LPARAM{1} << 30, transition = LPARAM{1} << 31;
    EXPECT_EQ(sdlwin::keyMessage(key(SDL_SCANCODE_P, true))->lParam & (previous | transition), 0);
    EXPECT_EQ(sdlwin::keyMessage(key(SDL_SCANCODE_P, true, KMOD_NONE, true))->lParam & (previous | transition), previous);
    EXPECT_EQ(sdlwin::keyMessage(key(SDL_SCANCODE_P, false))->lParam & (previous | transition), previous | transition);
}

TEST(SdlEvents, MousePositionsAreSignedClientPixels) {
    SDL_MouseMotionEvent motion{};
    motion.state = SDL_BUTTON_LMASK;
    struct {
        int windowX, windowY, clientX, clientY;
    } const cases[] = {{1, 1, 0, 0}, {818, 318, 817, 317}, {0, 0, -1, -1}, {-40, 500, -41, 499}};
    for (const auto& c : cases) {
        motion.x = c.windowX;
        motion.y = c.windowY;
        const sdlwin::Message message = sdlwin::mouseMoveMessage(motion, KMOD_NONE);
        EXPECT_EQ(message.message, WM_MOUSEMOVE);
        EXPECT_EQ(static_cast<std::int16_t>(LOWORD(message.lParam)), c.clientX);
        EXPECT_EQ(static_cast<std::int16_t>(HIWORD(message.lParam)), c.clientY);
        EXPECT_EQ(message.wParam, MK_LBUTTON);
    }
}

TEST(SdlEvents, DoubleClicksOnlyForClassesThatAskForThem) {
    SDL_MouseButtonEvent button{};
    button.button = SDL_BUTTON_LEFT;
    button.state = SDL_PRESSED;
    button.clicks = 2;
    EXPECT_EQ(sdlwin::mouseButtonMessage(button, SDL_BUTTON_LMASK, KMOD_NONE, false)->message, WM_LBUTTONDOWN);
    EXPECT_EQ(sdlwin::mouseButtonMessage(button, SDL_BUTTON_LMASK, KMOD_NONE, true)->message, WM_LBUTTONDBLCLK);
    button.state = SDL_RELEASED;
    const auto up = sdlwin::mouseButtonMessage(button, 0, KMOD_SHIFT, false);
    EXPECT_EQ(up->message, WM_LBUTTONUP);
    EXPECT_EQ(up->wParam, MK_SHIFT);
    button.button = SDL_BUTTON_X1;
    EXPECT_FALSE(sdlwin::mouseButtonMessage(button, 0, KMOD_NONE, false));
}

// A window on a private X server, and the messages its procedure received.
class SdlWindowTest : public ::testing::Test {
protected:
    static inline std::vector<MSG> received;

    static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        received.push_back(MSG{window, message, wParam, lParam, 0, {}});
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static void SetUpTestSuite() {
        for (int number = 150; number < 170 && !display; ++number) {
            const std::string name = ":" + std::to_string(number);
            if (access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0) continue;
            const pid_t child = fork();
            if (child == 0) {
                // -noreset: the server would otherwise reset, refusing connections for a
                // moment, whenever its last client leaves.
                execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x720x24", "-nolisten", "tcp", "-noreset",
                       static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int wait = 0; wait < 50; ++wait) {
                usleep(100000);
                if (access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0) {
                    xvfb = child;
                    setenv("DISPLAY", name.c_str(), 1);
                    display = true;
                    break;
                }
                if (waitpid(child, nullptr, WNOHANG) == child) break;
            }
            if (!display) kill(child, SIGTERM);
        }
        if (!display) return;
        usleep(200000);
        const WNDCLASSEXW wc{sizeof(WNDCLASSEXW), CS_CLASSDC, procedure, 0, 0, GetModuleHandleW(nullptr), nullptr,
                             LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr, L"musicdisk", nullptr};
        RegisterClassExW(&wc);
        window = CreateWindowExW(0, L"musicdisk", L"Velmora 2", WS_POPUPWINDOW, 10, 100, 820, 320, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
    }

    static void TearDownTestSuite() {
        if (xvfb > 0) {
            kill(xvfb, SIGTERM);
            waitpid(xvfb, nullptr, 0);
        }
    }

    void SetUp() override {
        if (!display) GTEST_SKIP() << "Xvfb could not start";
        ASSERT_NE(window, nullptr);
        pump();
        received.clear();
    }

    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static Uint32 windowId() {
        SDL_Window* sdl = SDL_GetMouseFocus() ? SDL_GetMouseFocus() : SDL_GetWindowFromID(1);
        return SDL_GetWindowID(sdl);
    }

    static std::vector<UINT> messages() {
        std::vector<UINT> list;
        for (const MSG& m : received) list.push_back(m.message);
        return list;
    }

    static inline bool display = false;
    static inline pid_t xvfb = 0;
    static inline HWND window = nullptr;
};

TEST_F(SdlWindowTest, EveryMouseMessageFollowsAHitTest) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button = SDL_MouseButtonEvent{SDL_MOUSEBUTTONDOWN, 0, windowId(), 0, SDL_BUTTON_LEFT, SDL_PRESSED, 1, 0, 41, 21};
    SDL_PushEvent(&event);
    event.button.type = event.type = SDL_MOUSEBUTTONUP;
    event.button.state = SDL_RELEASED;
    SDL_PushEvent(&event);
    pump();
    const std::vector<UINT> expected = {WM_NCHITTEST, WM_LBUTTONDOWN, WM_NCHITTEST, WM_LBUTTONUP};
    EXPECT_EQ(messages(), expected);
    const MSG& down = received.at(1);
    EXPECT_EQ(LOWORD(down.lParam), 40);
    EXPECT_EQ(HIWORD(down.lParam), 20);
    EXPECT_EQ(down.wParam, MK_LBUTTON);
    // The hit test carries the point on the screen: the window stands at (10, 100).
    EXPECT_EQ(LOWORD(received.at(0).lParam), 10 + 41);
    EXPECT_EQ(HIWORD(received.at(0).lParam), 100 + 21);
}

TEST_F(SdlWindowTest, CloseRequestsBecomeWmClose) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    pump();
    SDL_Event altF4{};
    altF4.key = key(SDL_SCANCODE_F4, true, KMOD_LALT);
    altF4.key.windowID = windowId();
    altF4.type = SDL_KEYDOWN;
    SDL_PushEvent(&altF4);
    pump();
    const std::vector<UINT> expected = {WM_CLOSE, WM_SYSKEYDOWN, WM_CLOSE};
    EXPECT_EQ(messages(), expected);
}

TEST_F(SdlWindowTest, QuitComesAfterEverythingElseAndOnlyOnce) {
    PostQuitMessage(3);
    SDL_Event event{};
    event.key = key(SDL_SCANCODE_ESCAPE, true);
    event.key.windowID = windowId();
    event.type = SDL_KEYDOWN;
    SDL_PushEvent(&event);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.wParam, VK_ESCAPE);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
