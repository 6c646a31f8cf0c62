// The main screen run in this process: the equalizer's cells, the volume bars,
// the speed keys, the marquee and the particles, read from what each frame drew.
#include "disk/playlist.h"
#include "platform/bass.h"
#include "scenes/about_scene.h"
#include "scenes/main_scene.h"
#include "tests/screens/disk_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace {

constexpr DWORD kMainShown = 7500;  // entered at about 6 s, faded in one second later
constexpr float kCellLeft = 0.005859375f, kCellTop = 0.9599609375f;
constexpr float kBarLeft = 0.0332f, kBarTop = 0.9863f;
constexpr float kLightLeft = 0.875f, kLightTop = 0.875f;
constexpr WPARAM kKeypadPlus = 0x6B, kKeypadMinus = 0x6D, kPlus = 0xBB, kMinus = 0xBD;

MainScene& mainScreen() { return screen<MainScene>(kMainScene); }

bool mainShownAlone() { return isCurrent(kMainScene) && isActive(kMainScene) && !isActive(kIntroScene); }

TEST(MainScreen, EqualizerCellsAreDrawnOnlyWhilePlayingAndSwitchedOn) {
    DiskRun disk;
    disk.tap(8000, 'E');    // off
    disk.tap(9000, 'E');    // on
    disk.tap(10000, 'P');   // paused
    disk.tap(11000, 'P');   // playing
    disk.tap(12000, VK_RETURN);  // stopped
    struct Span {
        DWORD from, to;
        std::size_t cells;
        const char* state;
    };
    // Each span leaves a frame's margin around the key releases.
    const Span spans[] = {{kMainShown, 8000, 192, "on"},  {8100, 9000, 0, "off"},   {9100, 10000, 192, "on again"},
                          {10100, 11000, 0, "paused"},    {11100, 12000, 192, "resumed"}, {12100, 13000, 0, "stopped"}};
    std::size_t framesChecked = 0;
    disk.run(13, [&] {
        for (const Span& span : spans) {
            if (nowMs() < span.from || nowMs() >= span.to) continue;
            ++framesChecked;
            EXPECT_EQ(drawnQuadsWithTexRect(kCellLeft, kCellTop).size(), span.cells) << span.state << " at " << nowMs();
        }
    });
    EXPECT_GT(framesChecked, 200u);
}

// While the display does not run, the cells keep their brightness; when it runs
// again it starts from them.
TEST(MainScreen, EqualizerLevelsFreezeWhileOffOrPaused) {
    DiskRun disk;
    disk.tap(8000, 'E');
    disk.tap(9000, 'E');
    disk.tap(10000, 'P');
    std::optional<EqualizerLevels> frozen;
    const auto sameLevels = [](const EqualizerLevels& a, const EqualizerLevels& b) {
        return std::memcmp(a.cells, b.cells, sizeof a.cells) == 0;
    };
    float litWhenFrozen = 0;
    disk.run(11, [&] {
        const bool displayStopped = (nowMs() >= 8100 && nowMs() < 9000) || nowMs() >= 10100;
        if (!displayStopped) {
            frozen.reset();
            return;
        }
        if (!frozen) {
            frozen = mainScreen().equalizerLevels;
            for (float level : frozen->cells) litWhenFrozen += level;
            return;
        }
        EXPECT_TRUE(sameLevels(*frozen, mainScreen().equalizerLevels)) << "at " << nowMs();
    });
    EXPECT_GT(litWhenFrozen, 0.0f) << "the music had lit some cells before they froze";
}

TEST(MainScreen, NoCellIsBrighterThanTheScreenWhileItFadesIn) {
    DiskRun disk;
    std::size_t fadingFrames = 0;
    disk.run(7.5, [&] {
        if (!isActive(kMainScene) || !mainScreen().fadingIn) return;
        ++fadingFrames;
        // The quads hold the opacity the frame was drawn with, before this frame's fade step.
        for (const DrawnQuad& cell : drawnQuadsWithTexRect(kCellLeft, kCellTop))
            EXPECT_LE(cell.a, mainScreen().alpha) << "at " << nowMs();
    });
    EXPECT_GT(fadingFrames, 30u);
}

// One bar per volume step, 0.015 apart from x 0.276; the volume buttons move
// the step and the master volume together.
TEST(MainScreen, VolumeBarsFollowTheVolumeButtons) {
    DiskRun disk;
    const Pixel down = buttonCentre(0.43f, -0.87f, 0.04f, 0.032f);
    const Pixel up = buttonCentre(0.473f, -0.87f, 0.04f, 0.032f);
    for (int i = 0; i < 11; ++i) disk.click(9000 + 200 * i, down.x, down.y);
    disk.click(12000, up.x, up.y);
    struct Expected {
        DWORD at;
        std::size_t bars;
        DWORD volume;
    };
    const Expected expected[] = {{8500, 10, 100}, {11800, 0, 0}, {12500, 1, 10}};
    std::size_t next = 0;
    disk.run(13, [&] {
        if (next == std::size(expected) || nowMs() < expected[next].at) return;
        const Expected& e = expected[next++];
        const auto bars = drawnQuadsWithTexRect(kBarLeft, kBarTop);
        EXPECT_EQ(bars.size(), e.bars) << "at " << e.at;
        EXPECT_EQ(playlist.volumeStep, static_cast<std::int32_t>(e.bars));
        EXPECT_EQ(BASS_GetVolume(), e.volume);
        if (e.bars == 10) {
            EXPECT_NEAR(bars.front().x, 0.276f, 1e-6);
            EXPECT_NEAR(bars.back().x + bars.back().w, 0.424f, 1e-6);
        }
    });
    EXPECT_EQ(next, std::size(expected));
}

// Keypad + and - change the marquee's speed on the main screen and the text's
// on the about screen by 0.2 per second held; the main keyboard's keys do nothing.
TEST(SpeedKeys, OnlyTheKeypadKeysChangeTheSpeedWhileHeld) {
    struct Case {
        SceneIndex screenShown;
        WPARAM key;
        float change;
    };
    const Case cases[] = {{kMainScene, kKeypadPlus, +0.2f}, {kMainScene, kKeypadMinus, -0.2f},
                          {kMainScene, kPlus, 0.0f},        {kMainScene, kMinus, 0.0f},
                          {kAboutScene, kKeypadPlus, -0.2f}, {kAboutScene, kKeypadMinus, +0.2f},
                          {kAboutScene, kPlus, 0.0f},       {kAboutScene, kMinus, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "screen " << c.screenShown << " key 0x" << std::hex << c.key);
        DiskRun disk;
        if (c.screenShown == kAboutScene) disk.tap(kMainShown, 'A');
        disk.hold(9000, 10000, c.key);
        const auto speed = [&] {
            return c.screenShown == kMainScene ? playlist.titleScrollSpeed : AboutScene::scrollSpeed;
        };
        std::optional<float> before;
        disk.run(10.5, [&] {
            if (!before && nowMs() >= 8900) before = speed();
        });
        ASSERT_TRUE(before);
        // The press and the release fall between frames: one frame more or less of holding.
        EXPECT_NEAR(speed() - *before, c.change, 0.021f);
    }
}

TEST(MainScreen, MarqueeRestartsAtMinusOneAndAHalfOnceTheTitleHasPassed) {
    struct Case {
        float offsetPastWidth;
        bool restarts;
    };
    for (const Case c : {Case{0.0f, false}, Case{0.001f, true}}) {
        DiskRun disk;
        std::optional<float> next;
        disk.run(9, [&] {
            if (!mainShownAlone() || nowMs() < 8000) return;
            const std::int32_t track = playlist.currentTrack;
            if (next) {
                EXPECT_EQ(playlist.titleOffsets[track], *next) << "past the width by " << c.offsetPastWidth;
                SceneManager::instance()->running = false;
                return;
            }
            playlist.titleScrollSpeed = 0.0f;
            playlist.titleOffsets[track] = playlist.titleWidths[track] + c.offsetPastWidth;
            next = c.restarts ? -1.5f : playlist.titleOffsets[track];
        });
        EXPECT_TRUE(next);
    }
}

// A light whose left edge has passed 1 + size comes back with its right edge
// at -1; no light moves up or down.
TEST(MainScreen, ParticlesWrapFromTheRightEdgeToTheLeft) {
    DiskRun disk;
    std::vector<float> heights;
    bool placed = false, checked = false;
    disk.run(9, [&] {
        if (!mainShownAlone()) return;
        auto& particles = mainScreen().particles;
        if (heights.empty())
            for (const Particle& p : particles) heights.push_back(p.field2);
        for (std::size_t i = 0; i < particles.size(); ++i) ASSERT_EQ(particles[i].field2, heights[i]) << i;
        if (!placed) {
            // Particle 0 just inside the wrap line, particle 1 just past it after the next move.
            particles[0].field1 = 1.0f + particles[0].field5 - 0.1f;
            particles[1].field1 = 1.0f + particles[1].field5;
            placed = true;
            return;
        }
        if (checked) return;
        checked = true;
        EXPECT_GT(particles[0].field1, 0.0f);
        EXPECT_EQ(particles[1].field1, -1.0f - particles[1].field5);
        // The frame drew particle 1 once more where it was before it wrapped.
        const auto lights = drawnQuadsWithTexRect(kLightLeft, kLightTop);
        EXPECT_EQ(lights.size(), 50u);
    });
    EXPECT_TRUE(checked);
}

}  // namespace
