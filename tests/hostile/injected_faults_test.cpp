// Faults injected into the running disk through the headless backends: a lost
// device, resets and buffer creations that fail, failing locks, an audio output
// that dies, a streamed file cut short while it plays. The disk must keep
// running, recover, and keep the user's track, volume and screen.
#include "app/scene_manager.h"
#include "disk/playlist.h"
#include "platform/bass.h"
#include "platform/bass_headless.h"
#include "platform/headless.h"
#include "platform/soft_device.h"
#include "tests/support/capture_run.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <functional>

namespace fs = std::filesystem;

namespace {

constexpr WPARAM kEscape = 0x1B;
constexpr WPARAM kRight = 0x27;
constexpr DWORD kFaultAt = 3000;
constexpr DWORD kRunMs = 6000;

struct PlayerState {
    std::int32_t track;
    std::int32_t volumeStep;
    std::uint32_t scene;
    bool playing;
    DWORD masterVolume;
    bool operator==(const PlayerState&) const = default;
};

PlayerState playerState() {
    return {playlist.currentTrack, playlist.volumeStep, SceneManager::instance()->currentScene, playlist.playing,
            BASS_GetVolume()};
}

void PrintTo(const PlayerState& s, std::ostream* out) {
    *out << "track " << s.track << ", volume step " << s.volumeStep << ", screen " << s.scene
         << (s.playing ? ", playing" : ", not playing") << ", master volume " << s.masterVolume;
}

// The real disk in the headless world, with actions run at the first frame at
// or after their time. Input skips the logo and the intro and selects track 1,
// so that the state a fault must not lose differs from the start.
class FaultedDisk {
public:
    enum class Input { toSecondTrack, toMainScreen };
    explicit FaultedDisk(const fs::path& root, Input input = Input::toSecondTrack) {
        fs::current_path(root);
        headless::reset();
        softgfx::reset();
        softgfx::setLogPerFrame(true);
        softgfx::setRasterizing(false);
        bass_headless::reset();
        softgfx::setPresentListener([this](HRESULT result) { onPresent(result); });
        std::vector<std::pair<DWORD, WPARAM>> taps = {{200, kEscape}, {1300, kEscape}};
        if (input == Input::toSecondTrack) taps.push_back({2500, kRight});
        for (auto [at, key] : taps) {
            headless::scheduleKey(at, key, true);
            headless::scheduleKey(at + 100, key, false);
        }
    }
    ~FaultedDisk() {
        softgfx::setPresentListener({});
        SceneManager::instance()->frameObserver = nullptr;
    }

    void at(DWORD ms, std::function<void()> action) { actions.push_back({ms, std::move(action), false}); }

    void run() {
        headless::setTimeLimit(kRunMs);
        SceneManager* manager = SceneManager::instance();
        manager->frameObserver = [this] {
            for (Action& action : actions) {
                if (action.done || headless::sinceStart() < action.at) continue;
                action.done = true;
                action.run();
                if (!faultAt) faultAt = headless::sinceStart();
            }
            if (headless::sinceStart() < kFaultAt) stateBeforeFault = playerState();
            lastFrameQuads = 0;
            for (const softgfx::Record& call : softgfx::callsOf(softgfx::Op::DrawIndexedPrimitive))
                lastFrameQuads += call.primitiveCount / 2;
            stateAtEnd = playerState();
            activityAtEnd = BASS_ChannelIsActive(playlist.trackHandles[playlist.currentTrack]);
        };
        manager->run();
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : headless::messageBoxes()) texts.push_back(box.text);
        return texts;
    }

    PlayerState stateBeforeFault{};
    PlayerState stateAtEnd{};
    std::uint32_t lastFrameQuads = 0;
    DWORD activityAtEnd = BASS_ACTIVE_STOPPED;  // of the current track's channel
    unsigned presentsAfterFault = 0;
    std::optional<DWORD> faultAt;
    std::optional<DWORD> firstPresentAfterFault;

private:
    struct Action {
        DWORD at;
        std::function<void()> run;
        bool done;
    };
    void onPresent(HRESULT result) {
        const DWORD now = headless::sinceStart();
        if (FAILED(result) || !faultAt) return;
        ++presentsAfterFault;
        if (!firstPresentAfterFault) firstPresentAfterFault = now;
    }
    std::vector<Action> actions;
};

struct DeviceFault {
    const char* name;
    std::function<void()> inject;
    std::vector<std::string> messages;
    DWORD leastRecoveryMs;  // the program waits 100 ms between tries of a lost device
};

void PrintTo(const DeviceFault& fault, std::ostream* out) { *out << fault.name; }

const std::string kNoVertexBuffer = "Failed to create a vertex buffer";
const std::string kNoIndexBuffer = "Failed to create a 16bit index buffer";

class DeviceFaults : public testing::TestWithParam<DeviceFault> {};

TEST_P(DeviceFaults, TheDiskRecoversAndKeepsItsState) {
    FaultedDisk disk(shippedDiskRoot());
    disk.at(kFaultAt, GetParam().inject);
    disk.run();

    EXPECT_TRUE(headless::timedOut());
    EXPECT_EQ(disk.messages(), GetParam().messages);
    EXPECT_FALSE(softgfx::deviceLost());
    EXPECT_EQ(disk.stateBeforeFault.track, 1) << "the input did not reach the main screen's next track";
    EXPECT_EQ(disk.stateBeforeFault.scene, kMainScene);
    EXPECT_EQ(disk.stateAtEnd, disk.stateBeforeFault);
    ASSERT_TRUE(disk.firstPresentAfterFault.has_value());
    EXPECT_GE(*disk.firstPresentAfterFault, *disk.faultAt + GetParam().leastRecoveryMs);
    // Drawing goes on: most of the remaining three seconds' frames are shown, the last one with its quads.
    EXPECT_GT(disk.presentsAfterFault, 100u);
    EXPECT_GT(disk.lastFrameQuads, 100u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceFaults,
    testing::Values(
        DeviceFault{"LostForTenTestsThenReset", [] { softgfx::loseDevice(10); }, {}, 1000},
        DeviceFault{"PresentFailsOnce", [] { softgfx::failNext(softgfx::Fault::Present); }, {}, 0},
        DeviceFault{"ResetFailsFourTimes",
                    [] {
                        softgfx::loseDevice();
                        softgfx::failNext(softgfx::Fault::Reset, 4);
                    },
                    {}, 400},
        DeviceFault{"VertexBuffersRefusedForThreeFrames",
                    [] {
                        softgfx::loseDevice();
                        softgfx::failNext(softgfx::Fault::CreateVertexBuffer, 3);
                    },
                    {kNoVertexBuffer, kNoVertexBuffer, kNoVertexBuffer}, 0},
        DeviceFault{"IndexBuffersRefusedForTwoFrames",
                    [] {
                        softgfx::loseDevice();
                        softgfx::failNext(softgfx::Fault::CreateIndexBuffer, 2);
                    },
                    {kNoIndexBuffer, kNoIndexBuffer}, 0},
        // After a reset the first lock is the new index buffer's, then the vertices'.
        DeviceFault{"IndexAndVertexLocksFailAfterAReset",
                    [] {
                        softgfx::loseDevice();
                        softgfx::failNext(softgfx::Fault::Lock, 2);
                    },
                    {}, 0},
        DeviceFault{"VertexLocksFailForThreeFrames", [] { softgfx::failNext(softgfx::Fault::Lock, 3); }, {}, 0},
        DeviceFault{"DrawCallFailsOnce", [] { softgfx::failNext(softgfx::Fault::DrawIndexedPrimitive); },
                    {"Failed to render graphical user interface"}, 0}),
    [](const testing::TestParamInfo<DeviceFault>& param) { return param.param.name; });

// Peak level of the captured sound between two times, in full scale.
float peakBetween(const fs::path& wav, DWORD fromMs, DWORD toMs) {
    SF_INFO info{};
    SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
    if (!file) return -1.0f;
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    const auto first = static_cast<std::size_t>(fromMs * 44100ull / 1000 * 2);
    const auto last = std::min(samples.size(), static_cast<std::size_t>(toMs * 44100ull / 1000 * 2));
    float peak = 0.0f;
    for (std::size_t i = first; i < last; ++i) peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

TEST(AudioFaults, AnOutputThatFailsMidRunLeavesTheDiskPlayingSilently) {
    TemporaryFolder scratch;
    const fs::path wav = scratch.path() / "heard.wav";
    FaultedDisk disk(shippedDiskRoot());
    ASSERT_TRUE(bass_headless::startWavCapture(wav.string()));
    disk.at(kFaultAt, [] { bass_headless::failOutput(); });
    disk.run();
    bass_headless::stopWavCapture();

    EXPECT_TRUE(headless::timedOut());
    EXPECT_TRUE(disk.messages().empty());
    EXPECT_EQ(disk.stateAtEnd, disk.stateBeforeFault);
    EXPECT_NE(disk.activityAtEnd, BASS_ACTIVE_STOPPED);
    EXPECT_GT(peakBetween(wav, 1000, kFaultAt - 100), 0.01f);
    EXPECT_EQ(peakBetween(wav, kFaultAt + 100, kRunMs), 0.0f);
    EXPECT_GT(disk.presentsAfterFault, 100u);
}

// A stream reads its file while it plays. Cut short under it (removing it
// would not do: an open file stays readable), the channel ends and the disk
// moves on to the next track.
TEST(AudioFaults, AStreamWhoseFileIsCutShortWhilePlayingEndsAndTheDiskMovesOn) {
    TemporaryFolder folder;
    const fs::path music = shippedDiskRoot() / "data" / "music";
    makeDisk(folder.path(), "2\nstream\nnight_ferry.ogg\nNight Ferry\nmod\npaper_robots.mod\nPaper Robots\n",
             {{"night_ferry.ogg", readFile(music / "night_ferry.ogg")},
              {"paper_robots.mod", readFile(music / "paper_robots.mod")}});
    FaultedDisk disk(folder.path(), FaultedDisk::Input::toMainScreen);
    std::int32_t trackWhenCut = -1;
    disk.at(kFaultAt, [&] {
        trackWhenCut = playlist.currentTrack;
        fs::resize_file(folder.path() / "data" / "music" / "night_ferry.ogg", 0);
    });
    disk.run();

    EXPECT_TRUE(headless::timedOut());
    EXPECT_TRUE(disk.messages().empty());
    EXPECT_EQ(trackWhenCut, 0);
    EXPECT_EQ(disk.stateAtEnd.track, 1);
    EXPECT_TRUE(disk.stateAtEnd.playing);
    EXPECT_EQ(disk.stateAtEnd.scene, kMainScene);
    EXPECT_NE(disk.activityAtEnd, BASS_ACTIVE_STOPPED);
}

}  // namespace
