// SPDX-License-Identifier: MIT
#include "DdcTool.h"
#include "BrightnessScale.h"
#include "BusLock.h"
#include "DdcChannel.h"
#include "DdcPacket.h"
#include "base/Files.h"
#include "base/UniqueFd.h"
#include "sensing/OutputNameId.h"
#include "simulated/ddc/FakeDdcClock.h"
#include "simulated/ddc/SimulatedMonitor.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/file.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace lumvex;
using namespace lumvex::ddc;
using namespace std::chrono_literals;
using test::fakeEdid;
using testing::HasSubstr;

namespace {

constexpr std::uint32_t kExternal = 415;
constexpr std::uint32_t kPanel = 416;

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

// The command line against a simulated monitor on /dev/i2c-5 behind DP-1, beside a built-in panel
// whose connector has no I2C bus.
class DdcToolTest : public testing::Test
{
protected:
    Outcome run(const std::vector<std::string> &args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runTool(args, context, out, err);
        return {status, out.str(), err.str()};
    }

    Outcome get(std::uint32_t display) { return run({"display", "id=" + std::to_string(display), "get", "luminance"}); }
    Outcome set(std::uint32_t display, int percent)
    {
        return run({"display", "id=" + std::to_string(display), "set", "luminance", std::to_string(percent)});
    }

    FakeDdcClock clock;
    SimulatedMonitor monitor{clock, {73, 100}};
    test::TempDir runtime;

    bool xServer = true;
    std::vector<X11Monitor> xMonitors{{kExternal, "DP-1", {{"DP-1", fakeEdid(1), {}}}},
                                      {kPanel, "eDP-1", {{"eDP-1", fakeEdid(2), {}}}}};
    std::vector<DrmConnector> connectors{{"card0-DP-1", "DP-1", true, fakeEdid(1), {}, 5},
                                         {"card0-eDP-1", "eDP-1", true, fakeEdid(2), {}, {}}};
    std::error_code openFailure;
    bool addressRefused = false;
    std::optional<std::string> group;
    std::vector<std::filesystem::path> opened;

    ToolContext context{
        .clock = clock,
        .monitors = [this] { return xServer ? std::optional(xMonitors) : std::nullopt; },
        .connectors = [this] { return connectors; },
        .openBus =
            [this](const std::filesystem::path &device) {
                opened.push_back(device);
                return openFailure ? OpenedBus{nullptr, openFailure, addressRefused}
                                   : OpenedBus{monitor.connect(), {}, false};
            },
        .deviceGroup = [this](const std::filesystem::path &) { return group; },
        .timings = {},
        .root = "/",
        .lockFolder = runtime / "lumvex-ddc",
        .connectorOverride = {},
    };
};

bool isOneLine(const std::string &text)
{
    return !text.empty() && text.back() == '\n' && std::ranges::count(text, '\n') == 1;
}

// Reading, writing and not writing what the monitor holds are seen with the tool as a process
// (SimulatedToolTest); these are the edges.
TEST_F(DdcToolTest, OnACoarseScaleTwoPercentagesCanBeOneRawStep)
{
    monitor.setBrightness({5, 10});
    EXPECT_EQ(set(kExternal, 52).status, 0);
    EXPECT_EQ(monitor.writesApplied(), 0);
}

TEST_F(DdcToolTest, ThePauseAfterAWriteIsKeptByTheNextRun)
{
    ASSERT_EQ(set(kExternal, 40).status, 0);
    const auto sleptBySet = clock.slept();
    EXPECT_EQ(sleptBySet, 40ms); // only its own read's reply delay
    ASSERT_EQ(get(kExternal).out, "40\n");
    EXPECT_EQ(clock.slept() - sleptBySet, 90ms); // the write's pause, then the reply delay
    EXPECT_EQ(monitor.timingViolations(), 0);

    // Without a lock folder the run sleeps the pause itself before it ends.
    context.lockFolder.reset();
    const auto before = clock.slept();
    ASSERT_EQ(set(kExternal, 60).status, 0);
    EXPECT_EQ(clock.slept() - before, 90ms);

    // Without the pauses the simulated monitor answers with null messages: it is what catches a hasty run.
    context.timings = {.replyDelay = 0ms, .writeDelay = 0ms, .retryDelay = 0ms, .attempts = 1};
    EXPECT_THAT(get(kExternal).err, HasSubstr("no DDC/CI reply"));
    EXPECT_GT(monitor.timingViolations(), 0);
}

TEST_F(DdcToolTest, DisplaysThatCannotBeReachedAreExplained)
{
    EXPECT_THAT(get(kPanel).err, HasSubstr("card0-eDP-1 has no I2C bus"));
    xMonitors.push_back({417, "HDMI-1", {{"HDMI-1", fakeEdid(3), {}}}});
    EXPECT_THAT(get(417).err, HasSubstr("display 417 (HDMI-1) matches no connected connector"));
    EXPECT_TRUE(opened.empty());

    // One NAK, garbled or empty reply is tried again.
    for (void (SimulatedMonitor::*fault)(int) :
         {&SimulatedMonitor::nakNext, &SimulatedMonitor::corruptNext, &SimulatedMonitor::busyNext}) {
        (monitor.*fault)(1);
        EXPECT_EQ(get(kExternal).out, "73\n");
    }
    monitor.busyNext(2);
    EXPECT_THAT(get(kExternal).err, HasSubstr("no DDC/CI reply"));
    monitor.nakNext(10);
    const Outcome silent = get(kExternal);
    EXPECT_EQ(silent.status, 1);
    EXPECT_THAT(silent.err, HasSubstr("no DDC/CI reply from the monitor on card0-DP-1 (/dev/i2c-5)"));
    EXPECT_THAT(silent.err, HasSubstr("switch DDC/CI on"));
    EXPECT_TRUE(isOneLine(silent.err));

    monitor.clearFaults();
    monitor.corruptNext(10);
    EXPECT_THAT(get(kExternal).err, HasSubstr("garbled DDC/CI replies"));
    monitor.clearFaults();
    monitor.setSupportsBrightness(false);
    const int reads = monitor.readsRequested();
    const Outcome unsupported = set(kExternal, 10);
    EXPECT_THAT(unsupported.err, HasSubstr("offers no brightness control"));
    EXPECT_EQ(monitor.readsRequested(), reads + 1); // not asked twice
    EXPECT_EQ(monitor.writesApplied(), 0);
}

TEST_F(DdcToolTest, AnotherRunOnTheBusIsWaitedForThenReported)
{
    ASSERT_EQ(get(kExternal).status, 0);
    UniqueFd other(::open((runtime / "lumvex-ddc/i2c-5.lock").c_str(), O_RDWR | O_CLOEXEC));
    ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);
    const Outcome result = get(kExternal);
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("/dev/i2c-5 is in use by another lumvex-ddc"));
}

TEST_F(DdcToolTest, MalformedCommandLinesAreRefusedBeforeAnyDevice)
{
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {},
             {"display"},
             {"display", "id=415", "get"},
             {"display", "id=415", "get", "contrast"},
             {"display", "415", "get", "luminance"},
             {"display", "id=-1", "get", "luminance"},
             {"display", "id=4294967296", "get", "luminance"},
             {"display", "id=415", "set", "luminance"},
             {"display", "id=415", "set", "luminance", "101"},
             {"display", "id=415", "set", "luminance", "-5"},
             {"display", "id=415", "set", "luminance", "5.5"},
             {"display", "id=415", "set", "luminance", "+5"},
             {"display", "id=415", "get", "luminance", "extra"},
             {"screen", "id=415", "get", "luminance"},
         }) {
        const Outcome result = run(args);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(isOneLine(result.err)) << result.err;
    }
    EXPECT_TRUE(opened.empty());

    EXPECT_THAT(run({"--help"}).out, HasSubstr("KERNEL==\"i2c-[0-9]*\", GROUP=\"i2c\""));
}

TEST_F(DdcToolTest, ListShowsEveryDisplayWithItsConnectorBusAndState)
{
    connectors.push_back({"card1-HDMI-A-1", "HDMI-A-1", true, {}, {}, 9});
    openFailure = {};
    Outcome result = run({"list"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "ID   MONITOR  CONNECTOR       BUS         DDC/CI\n"
                          "415  DP-1     card0-DP-1      /dev/i2c-5  answers, brightness 73%\n"
                          "416  eDP-1    card0-eDP-1     -           no I2C bus\n"
                          "-    -        card1-HDMI-A-1  /dev/i2c-9  answers, brightness 73%\n");
    EXPECT_EQ(result.err, "");

    xServer = false;
    openFailure = std::make_error_code(std::errc::permission_denied);
    group = "i2c";
    result = run({"list"});
    EXPECT_THAT(result.out, HasSubstr("-   -        card0-DP-1      /dev/i2c-5  no permission to open /dev/i2c-5"));
    EXPECT_THAT(result.err, HasSubstr("display ids are unknown"));
}

TEST_F(DdcToolTest, WaylandIdsComeFromConnectorNamesWithoutAnXServer)
{
    context.waylandSession = true;
    xServer = false;
    // The id Lumvex's Wayland displays give the output named DP-1.
    const std::uint32_t dp1 = outputNameId("DP-1");
    EXPECT_EQ(get(dp1).out, "73\n");
    EXPECT_EQ(set(dp1, 40).status, 0);
    EXPECT_EQ(get(dp1).out, "40\n");
    EXPECT_THAT(run({"list"}).out, HasSubstr(std::to_string(dp1) + "   DP-1     card0-DP-1"));
    // X ids mean nothing here, and a disconnected connector has no display.
    EXPECT_THAT(get(kExternal).err, HasSubstr("no connected connector in /sys/class/drm has display id"));
    connectors[0].connected = false;
    EXPECT_EQ(get(dp1).status, 1);
}

// The tool reads before it writes, so a refused write is only reached on the channel itself.
TEST(DdcChannel, AWriteIsTriedOnceMoreAfterANak)
{
    FakeDdcClock clock;
    SimulatedMonitor monitor{clock, {73, 100}};
    DdcChannel channel{monitor, clock};
    monitor.nakNext();
    EXPECT_TRUE(channel.write(kBrightnessCode, 10).ok());
    EXPECT_EQ(monitor.writesApplied(), 1);
    monitor.nakNext(2);
    EXPECT_EQ(channel.write(kBrightnessCode, 20).result, DdcResult::NoReply);
    EXPECT_EQ(monitor.brightness().current, 10);
}

TEST(BusLock, IgnoresAMomentFromAnotherBootOrADamagedFileAndIsUnavailableWithoutItsFolder)
{
    test::TempDir folder;
    FakeDdcClock clock;
    BusLock::Failure failure{};
    BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->setQuietUntil(clock.now() + 1h);
    EXPECT_EQ(BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->quietUntil(), clock.now());
    files::writeAtomically(folder / "i2c-5.lock", "soon");
    EXPECT_EQ(BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->quietUntil(), clock.now());
    EXPECT_FALSE(BusLock::acquire(folder / "i2c-5.lock" / "locks", 5, clock, 400ms, failure));
    EXPECT_EQ(failure, BusLock::Failure::Unavailable);
}

using Bytes = std::vector<std::uint8_t>;

Bytes withIdleBytes(Bytes reply)
{
    reply.resize(kVcpReplySize, 0xFF);
    return reply;
}

TEST(DdcPacket, HostMessagesCarryTheChecksumOverTheDisplayAddress)
{
    // 0x6E ^ 0x51 ^ 0x82 ^ 0x01 ^ 0x10
    EXPECT_EQ(getVcpRequest(kBrightnessCode), (Bytes{0x51, 0x82, 0x01, 0x10, 0xAC}));
    EXPECT_EQ(setVcpRequest(kBrightnessCode, 0x0132),
              (Bytes{0x51, 0x84, 0x03, 0x10, 0x01, 0x32, 0x6E ^ 0x51 ^ 0x84 ^ 0x03 ^ 0x10 ^ 0x01 ^ 0x32}));
    EXPECT_EQ(parseHostMessage(setVcpRequest(kBrightnessCode, 70)), (Bytes{0x03, 0x10, 0x00, 70}));

    Bytes damaged = getVcpRequest(kBrightnessCode);
    damaged[3] ^= 0x01;
    EXPECT_EQ(parseHostMessage(damaged), std::nullopt);
    EXPECT_EQ(parseHostMessage(Bytes{0x51, 0x82, 0x01}), std::nullopt);
}

// Null messages, refusals and bad checksums come from the simulated monitor in the tool's tests; these
// replies it never sends.
TEST(DdcPacket, RepliesDecodeCurrentAndMaximumOrAreMalformed)
{
    const Bytes reply = vcpReply(kBrightnessCode, {73, 100});
    // Source, length, opcode, result, feature, type, max, current, checksum summed from 0x50.
    EXPECT_EQ(reply, (Bytes{0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 100, 0x00, 73,
                            0x50 ^ 0x6E ^ 0x88 ^ 0x02 ^ 0x10 ^ 100 ^ 73}));
    const struct
    {
        Bytes bytes;
        ReplyStatus status;
        VcpValue value;
    } cases[] = {
        {withIdleBytes(reply), ReplyStatus::Ok, {73, 100}},
        {vcpReply(kBrightnessCode, {0x1234, 0xFFFF}), ReplyStatus::Ok, {0x1234, 0xFFFF}},
        {vcpReply(0x12, {73, 100}), ReplyStatus::Malformed, {}},               // another feature's
        {Bytes(kVcpReplySize, 0xFF), ReplyStatus::Malformed, {}},              // a bus that returns idle bytes
        {Bytes(reply.begin(), reply.begin() + 6), ReplyStatus::Malformed, {}}, // cut short
    };
    for (const auto &c : cases) {
        const VcpReply parsed = parseVcpReply(c.bytes, kBrightnessCode);
        EXPECT_EQ(parsed.status, c.status) << testing::PrintToString(c.bytes);
        if (c.status == ReplyStatus::Ok) {
            EXPECT_EQ(parsed.value, c.value);
        }
    }
}

TEST(BrightnessScale, PercentagesRoundToTheNearestRawValueAndBack)
{
    EXPECT_EQ(percentOf({73, 100}), 73);
    EXPECT_EQ(percentOf({1, 2}), 50);
    EXPECT_EQ(percentOf({127, 255}), 50);  // 49.8
    EXPECT_EQ(percentOf({300, 255}), 100); // above its own maximum
    EXPECT_EQ(percentOf({0, 0}), std::nullopt);

    EXPECT_EQ(rawValueFor(50, 255), 128); // 127.5 rounds up
    EXPECT_EQ(rawValueFor(0, 255), 0);
    EXPECT_EQ(rawValueFor(100, 65535), 65535);
    EXPECT_EQ(rawValueFor(140, 100), 100);
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(percentOf({rawValueFor(percent, 255), 255}), percent);
    }
}

} // namespace
