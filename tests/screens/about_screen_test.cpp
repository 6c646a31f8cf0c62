// The about screen run in this process: the text that scrolls up out of its
// box and comes back, and the falling lights.
#include "disk/playlist.h"
#include "gui/gui_system.h"
#include "scenes/about_scene.h"
#include "tests/screens/disk_run.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr float kLightLeft = 0.083984375f, kLightTop = 0.96875f;

AboutScene& aboutScreen() { return screen<AboutScene>(kAboutScene); }

bool aboutShownAlone() { return isCurrent(kAboutScene) && !isActive(kMainScene); }

std::size_t glyphsDrawn() {
    std::size_t glyphs = 0;
    for (const DrawnQuad& quad : drawnQuads())
        if (quad.texture == GuiSystem::fontTexture) ++glyphs;
    return glyphs;
}

// Visible, gone above the box, visible again: the pattern of frames with and without text.
std::string collapse(const std::string& frames) {
    std::string runs;
    for (char c : frames)
        if (runs.empty() || runs.back() != c) runs += c;
    return runs;
}

TEST(AboutScreen, TextScrollsOutOfTheBoxAndComesBackFromBelow) {
    DiskRun disk;
    disk.tap(7500, 'A');
    std::string visibility;
    std::optional<float> offsetBefore;
    int restarts = 0;
    disk.run(60, [&] {
        if (!aboutShownAlone()) return;
        visibility += glyphsDrawn() > 0 ? 'T' : '-';
        const float offset = AboutScene::scrollOffset;
        if (offsetBefore && offset > *offsetBefore) {
            ++restarts;
            EXPECT_EQ(offset, 1.0f);
            // The frame before still held the text, one step above the line.
            EXPECT_GE(*offsetBefore, playlist.scrollTextHeight);
            EXPECT_LT(*offsetBefore - playlist.scrollTextHeight, 0.01f);
            SceneManager::instance()->running = false;
        }
        offsetBefore = offset;
    });
    ASSERT_LT(playlist.scrollTextHeight, -0.3f) << "the shipped text fills several lines";
    EXPECT_EQ(restarts, 1);
    // The run ends in the frame of the restart, with the text still below the box.
    EXPECT_EQ(collapse(visibility), "T-");
}

TEST(AboutScreen, RestartedTextRisesIntoTheBoxAgain) {
    DiskRun disk;
    disk.tap(7500, 'A');
    std::string visibility;
    bool restarted = false;
    disk.run(20, [&] {
        if (!aboutShownAlone()) return;
        if (!restarted) {
            // Just before the restart line: the text has left the box.
            AboutScene::scrollOffset = playlist.scrollTextHeight + 0.0001f;
            restarted = true;
            return;
        }
        visibility += glyphsDrawn() > 0 ? 'T' : '-';
    });
    EXPECT_EQ(collapse(visibility), "-T");
    EXPECT_LT(AboutScene::scrollOffset, 0.55f);
}

// A light whose top edge has passed below -1 comes back with its bottom edge
// size x aspect above the top, at the same x.
TEST(AboutScreen, ParticlesFallingOutAtTheBottomReappearAboveTheTop) {
    DiskRun disk;
    disk.tap(7500, 'A');
    bool placed = false, checked = false;
    float x = 0;
    disk.run(12, [&] {
        if (!aboutShownAlone() || checked) return;
        Particle& p = aboutScreen().particles[0];
        const float height = p.field5 * 820.0f / 320.0f;
        if (!placed) {
            p.field2 = -1.0f - height;
            x = p.field1;
            placed = true;
            return;
        }
        checked = true;
        EXPECT_EQ(p.field2, height + 1.0f);
        EXPECT_EQ(p.field1, x);
        EXPECT_EQ(aboutScreen().particles.size(), 50u);
        EXPECT_EQ(drawnQuadsWithTexRect(kLightLeft, kLightTop).size(), 50u);
    });
    EXPECT_TRUE(checked);
}

}  // namespace
