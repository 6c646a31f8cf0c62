// What the user sees when the graphics device cannot be had.
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "tests/app/loop_fixture.h"

#include <gtest/gtest.h>

namespace {

struct CreationCase {
    const char* name;
    softgfx::Fault fault;
    const char* message;
    bool runs;  // whether the loop runs after the message
};

class DeviceCreationTest : public testing::TestWithParam<CreationCase> {};

TEST_P(DeviceCreationTest, ShowsItsMessageOwnedByTheWindowAndGoesOnOnlyWithADevice) {
    const CreationCase& c = GetParam();
    LoopFixture loop;
    softgfx::failNext(c.fault);
    loop.scene(1).onUpdate = [](Scene& self) {
        if (SceneManager::instance()->frameCount >= 2) self.active = false;
    };
    loop.run();
    const auto& boxes = headless::messageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().text, c.message);
    EXPECT_EQ(boxes.front().caption, "Velmora");
    EXPECT_EQ(boxes.front().style, 0u);
    EXPECT_TRUE(boxes.front().owned);
    EXPECT_EQ(!loop.scene(1).views.empty(), c.runs);
    // The window is shown whenever a device exists; without one the program ends after the message.
    EXPECT_EQ(softgfx::liveObjects(), 0u) << "every device object is released at the end";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DeviceCreationTest,
    testing::Values(
        CreationCase{"no_direct3d", softgfx::Fault::CreateDirect3D, "Please install the correct version of Direct3D 9", false},
        CreationCase{"no_caps", softgfx::Fault::GetDeviceCaps, "Failed to query device capabilities", true},
        CreationCase{"no_device", softgfx::Fault::CreateDevice, "Failed to create Direct3D Device", false}),
    [](const testing::TestParamInfo<CreationCase>& param) { return param.param.name; });

TEST(DeviceCreation, FallsBackToTwoSamplesOnlyWhenNoneIsRefused) {
    LoopFixture loop;
    softgfx::setLogPerFrame(false);
    softgfx::failNext(softgfx::Fault::CheckMultiSampleNone);
    loop.scene(1).onUpdate = [](Scene& self) { self.active = false; };
    loop.run();
    const auto creations = softgfx::callsOf(softgfx::Op::CreateDevice);
    ASSERT_EQ(creations.size(), 1u);
    EXPECT_EQ(creations[0].result, D3D_OK);
}

}  // namespace
