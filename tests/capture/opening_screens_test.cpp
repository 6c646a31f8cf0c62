// The whole program on the shipped disk: the opening screens, their
// cross-fades and what ends a run.
#include "tests/support/capture_run.h"

#include <gtest/gtest.h>

namespace {

struct SceneChange {
    std::uint32_t t;
    long long current;
    std::vector<std::string> active;
};

std::vector<SceneChange> sceneChanges(const CaptureResult& result) {
    std::vector<SceneChange> changes;
    for (const TraceEvent& e : result.events("scene")) changes.push_back({e.t, e.number("current"), e.array("active")});
    return changes;
}

using Active = std::vector<std::string>;

TEST(OpeningScreens, LogoThenIntroAfterThreeSecondsThenMainAfterSix) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 10;
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
    const auto changes = sceneChanges(result);
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[0].current, 1);
    EXPECT_EQ(changes[0].active, (Active{"1"}));
    EXPECT_LT(changes[0].t, 100u);
    // Each switch is a one-second cross-fade with both screens active. The clock
    // starts when loading ends, a little after the program does.
    EXPECT_EQ(changes[1].current, 2);
    EXPECT_EQ(changes[1].active, (Active{"1", "2"}));
    EXPECT_GT(changes[1].t, 3000u);
    EXPECT_LT(changes[1].t, 3100u);
    EXPECT_EQ(changes[2].active, (Active{"2"}));
    EXPECT_NEAR(changes[2].t - changes[1].t, 1000.0, 60.0);
    EXPECT_EQ(changes[3].current, 3);
    EXPECT_EQ(changes[3].active, (Active{"2", "3"}));
    EXPECT_GT(changes[3].t, 6000u);
    EXPECT_LT(changes[3].t, 6100u);
    EXPECT_EQ(changes[4].active, (Active{"3"}));
    EXPECT_NEAR(changes[4].t - changes[3].t, 1000.0, 60.0);
    ASSERT_NE(result.exitEvent(), nullptr);
    EXPECT_EQ((*result.exitEvent())["reason"], "timeout");
}

TEST(OpeningScreens, OneEscapeReleaseSkipsOneScreen) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 7;
    run.script = "500 down escape\n600 up escape\n";
    const auto changes = sceneChanges(runCapture(run));
    ASSERT_GE(changes.size(), 4u);
    EXPECT_EQ(changes[1].current, 2);
    EXPECT_GT(changes[1].t, 600u);
    EXPECT_LT(changes[1].t, 700u);
    // The intro still waits for the clock.
    EXPECT_EQ(changes[3].current, 3);
    EXPECT_GT(changes[3].t, 6000u);
}

TEST(OpeningScreens, HeldEscapeDoesNothingUntilItComesUp) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 2.5;
    run.script = "300 down escape\n2000 up escape\n";
    const auto changes = sceneChanges(runCapture(run));
    ASSERT_GE(changes.size(), 2u);
    EXPECT_GT(changes[1].t, 2000u);
}

TEST(OpeningScreens, CloseRequestAndQuitEndTheRunAtOnce) {
    for (const char* ending : {"close", "quit"}) {
        CaptureRun run{shippedDiskRoot()};
        run.seconds = 10;
        run.script = std::string("2000 ") + ending + "\n";
        const CaptureResult result = runCapture(run);
        ASSERT_EQ(result.exitCode, 0) << result.errorOutput;
        const TraceEvent* exit = result.exitEvent();
        ASSERT_NE(exit, nullptr);
        EXPECT_EQ((*exit)["reason"], ending);
        EXPECT_GE(exit->t, 2000u);
        EXPECT_LT(exit->t, 2060u);
    }
}

TEST(OpeningScreens, AltF4IsACloseRequestWhileAltKeysReachNoScreen) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 10;
    // Alt+Escape must not skip the logo; Alt+F4 closes.
    run.script = "500 down alt\n520 down escape\n540 up escape\n560 up alt\n1000 down alt\n1020 down 0x73\n";
    const CaptureResult result = runCapture(run);
    const auto changes = sceneChanges(result);
    ASSERT_EQ(changes.size(), 1u) << "no switch before the close";
    ASSERT_NE(result.exitEvent(), nullptr);
    EXPECT_EQ((*result.exitEvent())["reason"], "close");
}

TEST(OpeningScreens, DraggingTheWindowMovesItAndHoldsTheFrames) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 2;
    run.script = "200 move 100 100\n300 lbutton down\n400 move 130 90\n900 move 160 120\n1000 lbutton up\n";
    const CaptureResult result = runCapture(run);
    const auto moves = result.events("window");
    std::vector<TraceEvent> moved;
    for (const TraceEvent& e : moves)
        if (e["op"] == "move") moved.push_back(e);
    ASSERT_EQ(moved.size(), 1u);
    // The drag starts at the move that found the button down; from there the
    // window follows the mouse: (130, 90) to (160, 120).
    EXPECT_EQ(moved[0].number("x"), 10 + 30);
    EXPECT_EQ(moved[0].number("y"), 100 + 30);
}

TEST(OpeningScreens, SameScriptGivesTheSameTraceTwice) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 8;
    run.script = "500 down escape\n600 up escape\n3000 down right\n3100 up right\n";
    const CaptureResult first = runCapture(run);
    const CaptureResult second = runCapture(run);
    ASSERT_EQ(first.trace.size(), second.trace.size());
    for (std::size_t i = 0; i < first.trace.size(); ++i) {
        EXPECT_EQ(first.trace[i].t, second.trace[i].t) << i;
        EXPECT_EQ(first.trace[i].fields, second.trace[i].fields) << i;
    }
}

TEST(OpeningScreens, ClockStartingNearTheTickWrapRunsTheSameTimeline) {
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 8;
    run.startTick = 0xFFFFFFFFu - 4000;
    const auto changes = sceneChanges(runCapture(run));
    ASSERT_GE(changes.size(), 4u);
    EXPECT_GT(changes[1].t, 3000u);
    EXPECT_LT(changes[1].t, 3100u);
    EXPECT_GT(changes[3].t, 6000u);
    EXPECT_LT(changes[3].t, 6100u);
}

}  // namespace
