// SPDX-License-Identifier: MIT
#include "DdcPacket.h"
#include "BrightnessScale.h"

#include <gtest/gtest.h>

using namespace lumvex::ddc;

namespace {

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
