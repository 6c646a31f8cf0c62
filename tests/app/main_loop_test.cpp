// The frame loop: order of one frame, pacing, screen switching, device loss.
#include "app/frame_timer.h"
#include "app/input_state.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "tests/app/loop_fixture.h"

#include <gtest/gtest.h>

namespace {

void stopAfterFrames(SceneScript& scene, std::uint64_t frames) {
    scene.onUpdate = [frames](Scene& self) {
        if (SceneManager::instance()->frameCount + 1 >= frames) self.active = false;
    };
}

TEST(MainLoop, FirstScreenIsEnteredDirectlyAndSceneZeroNeverRuns) {
    LoopFixture loop;
    stopAfterFrames(loop.scene(1), 3);
    loop.run();
    EXPECT_EQ(loop.log.front(), "enter 1");
    EXPECT_TRUE(loop.scene(0).views.empty());
    EXPECT_EQ(loop.scene(1).views.size(), 3u);
    // The frame that finds no active scene still clears and presents, then the loop ends.
    EXPECT_EQ(SceneManager::instance()->frameCount, 4u);
    EXPECT_EQ(softgfx::presentCount(), 4u);
}

TEST(MainLoop, ScenesSeeTheClockAsThePreviousFrameLeftIt) {
    LoopFixture loop;
    headless::setFrameCost(1);
    stopAfterFrames(loop.scene(1), 3);
    loop.run();
    const auto& views = loop.scene(1).views;
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0].elapsed, 0.0f);
    EXPECT_EQ(views[0].delta, 0.0f);
    // The first frame is shown at once: its clock update finds no time gone by.
    EXPECT_EQ(views[1].elapsed, 0.0f);
    EXPECT_EQ(views[1].delta, 0.0f);
    // The second sleeps what its 1 ms present left of the single-precision 20 ms,
    // 18.99... ms, taken as 18.
    EXPECT_NEAR(views[2].delta, 0.019f, 1e-6);
    EXPECT_NEAR(views[2].elapsed - views[1].elapsed, views[2].delta, 1e-6);
}

TEST(MainLoop, FramesOfTwentyMillisecondsOrMoreAreNotPaced) {
    LoopFixture loop;
    headless::setFrameCost(25);
    std::vector<DWORD> steps;
    headless::addClockListener([&steps, last = DWORD{0}](DWORD now) mutable {
        steps.push_back(now - last);
        last = now;
    });
    stopAfterFrames(loop.scene(1), 6);
    loop.run();
    ASSERT_GE(steps.size(), 6u);
    // Nothing but the 25 ms presents moves the clock: the first frame has no frame
    // before it to keep apart from, and every later one already took 20 ms or more.
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(steps[i], 25u) << i;
}

TEST(MainLoop, KeyReleaseReachesTheScenesOneFrameAfterThePumpThatSawIt) {
    LoopFixture loop;
    headless::scheduleKey(0, VK_RETURN, true);
    headless::scheduleKey(30, VK_RETURN, false);
    headless::scheduleKey(22, 'P', true);  // pressed and released between two pumps
    headless::scheduleKey(27, 'P', false);
    std::vector<std::uint64_t> releasedIn;
    bool pSeen = false;
    loop.scene(1).onUpdate = [&](Scene& self) {
        const InputState* input = InputState::instance();
        if (input->keyReleased(VK_RETURN)) releasedIn.push_back(SceneManager::instance()->frameCount);
        pSeen |= input->keyReleased('P');
        if (SceneManager::instance()->frameCount >= 6) self.active = false;
    };
    loop.run();
    // Pumps run at 0, 20 and 40 ms: the release at 30 ms is pumped in frame 2.
    EXPECT_EQ(releasedIn, std::vector<std::uint64_t>{3});
    EXPECT_FALSE(pSeen);
}

TEST(MainLoop, LaterOfTwoRequestsWinsAndEachLeavesTheCurrentScene) {
    LoopFixture loop;
    loop.scene(1).onUpdate = [](Scene& self) {
        if (SceneManager::instance()->frameCount == 0) {
            SceneManager::instance()->requestScene(1);  // the current scene: nothing happens
            SceneManager::instance()->requestScene(2);
            SceneManager::instance()->requestScene(3);
        }
        self.active = false;
    };
    stopAfterFrames(loop.scene(3), 2);
    loop.run();
    EXPECT_EQ(loop.log, (std::vector<std::string>{"enter 1", "leave 1", "leave 1", "enter 3"}));
    EXPECT_TRUE(loop.scene(2).views.empty());
}

TEST(MainLoop, SceneRequestedAgainWhileStillActiveIsEnteredAgain) {
    LoopFixture loop;
    int entries = 0;
    loop.scene(3).onEnter = [&entries](Scene&) { ++entries; };
    loop.scene(1).onUpdate = [](Scene&) {
        const auto frame = SceneManager::instance()->frameCount;
        if (frame == 0) SceneManager::instance()->requestScene(3);
    };
    loop.scene(3).onUpdate = [](Scene& self) {
        const auto frame = SceneManager::instance()->frameCount;
        if (frame == 1) SceneManager::instance()->requestScene(1);
        if (frame == 2) SceneManager::instance()->requestScene(3);
        if (frame >= 4) {
            self.active = false;
            SceneManager::instance()->scenes[1]->active = false;
        }
    };
    loop.run();
    EXPECT_EQ(entries, 2) << "scene 3 stayed active while 1 was current, and is entered again";
}

TEST(MainLoop, CloseRequestEndsTheLoopAfterTheCurrentFrame) {
    LoopFixture loop;
    headless::scheduleClose(100);
    loop.run();
    EXPECT_TRUE(headless::closeDelivered());
    const auto frames = SceneManager::instance()->frameCount;
    EXPECT_GE(frames, 5u);
    EXPECT_LE(frames, 7u);
}

TEST(MainLoop, LostDeviceIsResetOnceItsResourcesAreGoneAndDrawingResumes) {
    LoopFixture loop;
    loop.scene(1).onUpdate = [](Scene& self) {
        const auto frame = SceneManager::instance()->frameCount;
        if (frame == 2) softgfx::failNext(softgfx::Fault::Present);
        if (frame >= 8) self.active = false;
    };
    loop.run();
    const auto resets = softgfx::callsOf(softgfx::Op::Reset);
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(resets[0].result, D3D_OK);
    EXPECT_FALSE(softgfx::deviceLost());
}

TEST(MainLoop, FailedResetsAreRetriedWhileCloseRequestsStillEndTheProgram) {
    LoopFixture loop;
    softgfx::setLogPerFrame(false);
    softgfx::setLostTests(3);
    loop.scene(1).onUpdate = [](Scene&) {
        if (SceneManager::instance()->frameCount == 1) {
            softgfx::failNext(softgfx::Fault::Present);
            softgfx::failNext(softgfx::Fault::Reset, 2);
        }
    };
    headless::scheduleClose(5000);
    loop.run();
    const auto resets = softgfx::callsOf(softgfx::Op::Reset);
    ASSERT_EQ(resets.size(), 3u);
    EXPECT_TRUE(FAILED(resets[0].result));
    EXPECT_TRUE(FAILED(resets[1].result));
    EXPECT_EQ(resets[2].result, D3D_OK);
    EXPECT_TRUE(headless::closeDelivered());
    // The scene ran again once the device was back.
    EXPECT_GT(loop.scene(1).views.back().tick, 1000u);
}

}  // namespace
