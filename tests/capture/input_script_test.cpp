#include "tests/support/capture_run.h"
#include "tools/capture/input_script.h"

#include <gtest/gtest.h>

namespace {

using Kind = ScriptEvent::Kind;

TEST(InputScript, ReadsEveryKindOfEventAndSkipsCommentsAndBlankLines) {
    std::optional<ScriptError> error;
    const auto events = parseScript(
        "# opening\n\n100 down escape\n150 up 0x1B   # the same key by code\n200 move -3 40\n"
        "250 lbutton down\r\n300 rbutton up\n350 down kp_plus\n400 up F10\n450 close\n500 quit\n",
        error);
    ASSERT_FALSE(error) << error->reason;
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0].kind, Kind::KeyDown);
    EXPECT_EQ(events[0].virtualKey, 0x1Bu);
    EXPECT_EQ(events[1].kind, Kind::KeyUp);
    EXPECT_EQ(events[1].virtualKey, 0x1Bu);
    EXPECT_EQ(events[2].kind, Kind::Move);
    EXPECT_EQ(events[2].x, -3);
    EXPECT_EQ(events[2].y, 40);
    EXPECT_EQ(events[3].kind, Kind::LeftDown);
    EXPECT_EQ(events[4].kind, Kind::RightUp);
    EXPECT_EQ(events[5].virtualKey, 0x6Bu);
    EXPECT_EQ(events[6].virtualKey, 0x79u);
    EXPECT_EQ(events[7].kind, Kind::Close);
    EXPECT_EQ(events[8].at, 500u);
}

TEST(InputScript, KeyNamesMapToTheirVirtualKeyCodes) {
    const std::pair<const char*, unsigned> names[] = {
        {"enter", 0x0D}, {"p", 0x50},        {"a", 0x41},     {"i", 0x49},     {"e", 0x45},
        {"left", 0x25},  {"right", 0x27},    {"kp_plus", 0x6B}, {"kp_minus", 0x6D}, {"plus", 0xBB},
        {"minus", 0xBD}, {"alt", 0x12},      {"f10", 0x79},   {"0x27", 0x27},  {"7", 0x37},
    };
    for (const auto& [name, code] : names) EXPECT_EQ(keyCode(name), code) << name;
    for (const char* bad : {"0x100", "0x", "f25", "kp_star", "pp", ""}) EXPECT_FALSE(keyCode(bad)) << bad;
}

TEST(InputScript, MalformedLineIsReportedByItsNumber) {
    const std::pair<const char*, int> cases[] = {
        {"10 down escape\nsoon down escape\n", 2},
        {"10 down\n", 1},
        {"\n\n10 press escape\n", 3},
        {"10 move 4\n", 1},
        {"10 lbutton sideways\n", 1},
        {"10 down nokey\n", 1},
        {"-5 close\n", 1},
        {"10 close now\n", 1},
    };
    for (const auto& [text, line] : cases) {
        std::optional<ScriptError> error;
        EXPECT_TRUE(parseScript(text, error).empty());
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(error->line, line) << text;
        EXPECT_FALSE(error->reason.empty());
    }
}

TEST(CaptureTool, RefusesBadArgumentsAndScriptsWithAMessage) {
    TemporaryFolder folder;
    CaptureRun badScript{shippedDiskRoot()};
    badScript.script = "100 down escape\n200 jump\n";
    const CaptureResult script = runCapture(badScript);
    EXPECT_NE(script.exitCode, 0);
    EXPECT_NE(script.errorOutput.find(":2:"), std::string::npos) << script.errorOutput;

    CaptureRun badOption{shippedDiskRoot()};
    badOption.extraArguments = {"--frame-cost", "lots"};
    const CaptureResult option = runCapture(badOption);
    EXPECT_NE(option.exitCode, 0);
    EXPECT_NE(option.errorOutput.find("--frame-cost"), std::string::npos) << option.errorOutput;

    CaptureRun noData{folder.path() / "missing"};
    EXPECT_NE(runCapture(noData).exitCode, 0);
}

}  // namespace
