#include "tools/soak/random_input.h"

#include "app/scene_manager.h"
#include "platform/headless.h"

#include <array>

namespace {

constexpr WPARAM kEnter = 0x0D;
constexpr WPARAM kEscape = 0x1B;
constexpr WPARAM kAlt = 0x12;
constexpr WPARAM kLeft = 0x25;
constexpr WPARAM kRight = 0x27;
constexpr WPARAM kA = 0x41;
constexpr WPARAM kE = 0x45;
constexpr WPARAM kI = 0x49;
constexpr WPARAM kP = 0x50;
constexpr WPARAM kKeypadPlus = 0x6B;
constexpr WPARAM kKeypadMinus = 0x6D;
constexpr std::array<WPARAM, 5> kTransportKeys = {kEnter, kP, kLeft, kRight, kE};
constexpr int kClientWidth = 818;
constexpr int kClientHeight = 318;
// One quit in this many runs its fade to the end, which ends the program.
constexpr std::uint32_t kQuitsPerQuitLetThrough = 40;

}  // namespace

void RandomInput::step(DWORD sinceStart, std::uint32_t currentScene) {
    if (sinceStart < nextAt) return;
    // Actions start just ahead of the clock, so that none is scheduled in the past.
    const DWORD at = sinceStart + 1;
    const std::uint32_t roll = below(100);
    DWORD end = at;
    if (roll < 30) {
        end = tap(at, kTransportKeys[below(kTransportKeys.size())]);
    } else if (roll < 40) {
        end = tap(at, below(2) ? kA : kI);
        ++done.screenKeys;
    } else if (roll < 48) {
        end = hold(at, below(2) ? kKeypadPlus : kKeypadMinus);
    } else if (roll < 68) {
        end = click(at);
    } else if (roll < 78) {
        end = move(at);
    } else if (roll < 85) {
        // Any other key: the program must ignore what it does not use. Escape and
        // Alt are left to the quits, since Alt+F4 would close the window.
        WPARAM key = 0;
        while (key == 0 || key == kEscape || key == kAlt) key = between(0x08, 0xFE);
        end = tap(at, key);
    } else {
        end = quit(at, currentScene);
    }
    nextAt = end + between(20, 1500);
}

DWORD RandomInput::tap(DWORD at, WPARAM key) {
    const DWORD up = at + between(20, 250);
    headless::scheduleKey(at, key, true);
    headless::scheduleKey(up, key, false);
    ++done.keys;
    return up;
}

DWORD RandomInput::hold(DWORD at, WPARAM key) {
    const DWORD up = at + between(100, 3000);
    headless::scheduleKey(at, key, true);
    headless::scheduleKey(up, key, false);
    ++done.keys;
    return up;
}

DWORD RandomInput::click(DWORD at) {
    const DWORD up = at + between(20, 200);
    headless::scheduleMouseMove(at, static_cast<int>(below(kClientWidth)), static_cast<int>(below(kClientHeight)));
    headless::scheduleButton(at, below(8) == 0 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN);
    headless::scheduleButton(up, WM_LBUTTONUP);
    headless::scheduleButton(up, WM_RBUTTONUP);
    ++done.clicks;
    return up;
}

DWORD RandomInput::move(DWORD at) {
    headless::scheduleMouseMove(at, static_cast<int>(below(kClientWidth)), static_cast<int>(below(kClientHeight)));
    ++done.moves;
    return at;
}

// Escape, then before the one-second fade ends, what takes the user to another
// screen: the main screen's A or I, or the about and info screens' other key or a click.
DWORD RandomInput::quit(DWORD at, std::uint32_t currentScene) {
    const DWORD escapeUp = tap(at, kEscape);
    if (below(kQuitsPerQuitLetThrough) == 0) {
        ++done.quitsLetThrough;
        return escapeUp + 1500;
    }
    const DWORD interruptAt = escapeUp + between(50, 700);
    DWORD end = interruptAt;
    const bool byClick = currentScene != kMainScene && below(2) == 0;
    if (byClick) {
        headless::scheduleButton(interruptAt, WM_LBUTTONDOWN);
        end = interruptAt + 40;
        headless::scheduleButton(end, WM_LBUTTONUP);
    } else {
        const WPARAM key = currentScene == kAboutScene ? kI : currentScene == kInfoScene ? kA : (below(2) ? kA : kI);
        end = tap(interruptAt, key);
    }
    ++done.quitsInterrupted;
    return end;
}
