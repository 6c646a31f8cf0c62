// The equalizer on the shipped music: it must move with the sound, neither
// stay dark nor stick at the top.
#include "scenes/main_scene.h"
#include "tests/screens/disk_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Cells lit to full brightness from the bottom of a column up.
int litFromBottom(EqualizerLevels& levels, int column) {
    int lit = 0;
    while (lit < kEqualizerCells && levels.at(column, lit) == 1.0f) ++lit;
    return lit;
}

TEST(Equalizer, OverTheMainScreensFirstTwentySecondsTheColumnsMoveWithTheMusic) {
    DiskRun disk;
    std::optional<DWORD> mainEntered;
    std::array<int, kEqualizerColumns> highest{};
    std::array<std::size_t, kEqualizerColumns> framesFullyLit{};
    std::size_t frames = 0;
    disk.run(27, [&] {
        if (!isCurrent(kMainScene)) return;
        if (!mainEntered) mainEntered = nowMs();
        if (nowMs() > *mainEntered + 20000) return;
        ++frames;
        auto& levels = screen<MainScene>(kMainScene).equalizerLevels;
        for (int column = 0; column < kEqualizerColumns; ++column) {
            const int lit = litFromBottom(levels, column);
            highest[column] = std::max(highest[column], lit);
            if (lit == kEqualizerCells) ++framesFullyLit[column];
        }
    });
    ASSERT_GT(frames, 900u);
    const auto reachingThree = std::count_if(highest.begin(), highest.end(), [](int lit) { return lit >= 3; });
    EXPECT_GT(reachingThree, kEqualizerColumns / 2) << "columns that lit 3 cells at some time";
    // A scale too sensitive for the music would keep the columns at the top.
    for (int column = 0; column < kEqualizerColumns; ++column)
        EXPECT_LT(framesFullyLit[column], frames / 2) << "column " << column << " stayed fully lit";
}

}  // namespace
