#include "app/frame_timer.h"
#include "platform/headless.h"

#include <gtest/gtest.h>

namespace {

struct ClockCase {
    const char* name;
    DWORD startTick;
    DWORD firstStep;
    DWORD secondStep;
    float elapsedAfterSecond;
    float deltaAfterSecond;
};

class FrameTimerTest : public testing::TestWithParam<ClockCase> {
protected:
    void TearDown() override { FrameTimer::destroy(); }
};

TEST_P(FrameTimerTest, MeasuresFromCreationAndBetweenUpdates) {
    const ClockCase& c = GetParam();
    headless::reset();
    headless::setStartTick(c.startTick);
    FrameTimer* timer = FrameTimer::instance();
    EXPECT_EQ(timer->elapsed, 0.0f);
    EXPECT_EQ(timer->delta, 0.0f);
    headless::advance(c.firstStep);
    timer->update();
    headless::advance(c.secondStep);
    timer->update();
    EXPECT_NEAR(timer->elapsed, c.elapsedAfterSecond, 1e-5);
    EXPECT_NEAR(timer->delta, c.deltaAfterSecond, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Clock, FrameTimerTest,
    testing::Values(ClockCase{"plain", 1000, 20, 35, 0.055f, 0.035f},
                    // The tick count wraps between the two updates.
                    ClockCase{"across_wrap", 0xFFFFFFF0u, 10, 30, 0.040f, 0.030f},
                    // A long pause (a window drag) is one large delta, unclamped.
                    ClockCase{"long_pause", 0, 20, 5000, 5.020f, 5.000f}),
    [](const testing::TestParamInfo<ClockCase>& param) { return param.param.name; });

TEST(FrameTimer, ElapsedTurnsNegativeAfterHalfTheTickRange) {
    headless::reset();
    headless::setStartTick(0);
    FrameTimer* timer = FrameTimer::instance();
    headless::advance(0x80000000u);
    timer->update();
    EXPECT_LT(timer->elapsed, 0.0f);
    FrameTimer::destroy();
}

}  // namespace
