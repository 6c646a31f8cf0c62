// The opening screens as the user sees them: the logo, the intro after 3 s and
// the main screen after 6 s, and the switch rules that can go wrong.
#include "scenes/intro_scene.h"
#include "tests/screens/disk_run.h"
#include "tests/screens/shot.h"
#include "tests/support/capture_run.h"

#include "platform/headless.h"

#include <gtest/gtest.h>

namespace {

// Regions of the 818 x 318 picture.
constexpr Region kWhole{0, 0, 818, 318};
constexpr Region kLogoCorner{0, 0, 200, 80};           // outside the centred logo
constexpr Region kLogo{300, 120, 520, 200};            // the logo's middle
constexpr Region kSkyCorner{5, 5, 100, 60};            // only the shared background, on the intro and main screens
constexpr Region kIntroPicture{300, 80, 780, 230};     // the intro's picture; the main screen's equalizer and panels
constexpr Region kBanner{160, 20, 640, 100};           // the main screen's banner

TEST(OpeningPictures, WithoutKeysTheLogoThenTheIntroThenTheMainScreen) {
    TemporaryFolder folder;
    CaptureRun run{shippedDiskRoot()};
    run.seconds = 9;
    const auto shot = [&](std::uint32_t at, const char* name) {
        run.shots.emplace_back(at, folder.path() / name);
        return folder.path() / name;
    };
    const auto logo = shot(2000, "logo.png"), logoLater = shot(2900, "logo-later.png");
    const auto intro = shot(5000, "intro.png"), introLater = shot(5900, "intro-later.png");
    const auto main = shot(8500, "main.png");
    const CaptureResult result = runCapture(run);
    ASSERT_EQ(result.exitCode, 0) << result.errorOutput;

    const Shot logoShot(logo), logoLaterShot(logoLater), introShot(intro), introLaterShot(introLater), mainShot(main);
    ASSERT_TRUE(logoShot.loaded() && logoLaterShot.loaded() && introShot.loaded() && introLaterShot.loaded() &&
                mainShot.loaded());
    // The logo glows in the middle of a black window.
    EXPECT_EQ(logoShot.brightness(kLogoCorner), 0.0);
    EXPECT_GT(logoShot.brightness(kLogo), 20.0);
    // Both opening screens are still pictures once faded in.
    EXPECT_EQ(logoShot.difference(logoLaterShot, kWhole), 0.0);
    EXPECT_EQ(introShot.difference(introLaterShot, kWhole), 0.0);
    // The intro covers the whole window with the background the main screen shares.
    EXPECT_GT(introShot.brightness(kLogoCorner), 5.0);
    EXPECT_GT(introShot.difference(logoShot, kWhole), 20.0);
    EXPECT_LT(mainShot.difference(introShot, kSkyCorner), 1.0);
    EXPECT_GT(mainShot.difference(introShot, kIntroPicture), 20.0);
    EXPECT_GT(mainShot.difference(introShot, kBanner), 20.0);
}

// A loop held up during the logo (a window drag holds the frames) enters the
// intro with the clock already past 6 s: the intro leaves in its first frame.
TEST(OpeningPictures, IntroEnteredLateLeavesInItsFirstFrame) {
    DiskRun disk;
    bool heldUp = false;
    bool sawIntroFirstFrame = false;
    disk.run(10, [&] {
        if (!heldUp && nowMs() >= 1000) {
            headless::advance(6000);
            heldUp = true;
        }
        if (!sawIntroFirstFrame && isCurrent(kIntroScene)) {
            sawIntroFirstFrame = true;
            const auto& intro = screen<IntroScene>(kIntroScene);
            EXPECT_EQ(SceneManager::instance()->requestedScene, kMainScene);
            EXPECT_TRUE(intro.fadingOut);
            EXPECT_EQ(intro.alpha, 1.0f) << "the fade-out starts from full opacity";
        }
    });
    EXPECT_TRUE(sawIntroFirstFrame);
    EXPECT_TRUE(isCurrent(kMainScene) || SceneManager::instance()->scenes.empty());
}

}  // namespace
