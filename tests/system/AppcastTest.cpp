// SPDX-License-Identifier: MIT
#include "system/Appcast.h"
#include "LocalFeedServer.h"
#include "system/VersionOrder.h"

#include <QByteArray>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumvex {
namespace {

using test::feed;
using ::testing::HasSubstr;

TEST(Appcast, NewestItemWinsWhateverTheOrderAndLinksOtherThanWebPagesAreDropped)
{
    const AppcastReading reading = readAppcast(feed(R"(
    <item><title>Old</title><sparkle:version>0.1.0</sparkle:version></item>
    <item>
      <title>New</title>
      <sparkle:version>0.10.0</sparkle:version>
      <sparkle:shortVersionString>0.10</sparkle:shortVersionString>
      <sparkle:releaseNotesLink>https://example.org/notes/0.10</sparkle:releaseNotesLink>
      <link>https://example.org/download</link>
      <enclosure url="https://example.org/lumvex_0.10.0_amd64.deb" length="1000" type="application/vnd.debian.binary-package"/>
    </item>
    <item><title>Middle</title><sparkle:version>0.9.0</sparkle:version></item>)"));
    ASSERT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
    ASSERT_TRUE(reading.newest);
    const AppcastItem &n = *reading.newest;
    EXPECT_EQ(std::tuple(n.version, n.displayVersion(), n.releaseNotes, n.download, n.page()),
              std::tuple(QString("0.10.0"), QString("0.10"), QUrl("https://example.org/notes/0.10"),
                         QUrl("https://example.org/lumvex_0.10.0_amd64.deb"), QUrl("https://example.org/download")));

    // Versions may stand on the enclosure.
    const AppcastReading enclosed = readAppcast(feed(R"(
    <item><enclosure url="http://example.org/a.deb" sparkle:version="0.3.0" sparkle:shortVersionString="0.3"/></item>)"));
    ASSERT_TRUE(enclosed.newest);
    EXPECT_EQ(std::tuple(enclosed.newest->version, enclosed.newest->displayVersion(), enclosed.newest->page()),
              std::tuple(QString("0.3.0"), QString("0.3"), QUrl("http://example.org/a.deb")));

    // Links other than web pages are dropped.
    const AppcastReading dropped = readAppcast(feed(R"xml(
    <item>
      <sparkle:version>0.2.0</sparkle:version>
      <link>file:///etc/passwd</link>
      <enclosure url="javascript:alert(1)"/>
      <sparkle:releaseNotesLink>https://example.org/notes</sparkle:releaseNotesLink>
    </item>)xml"));
    ASSERT_TRUE(dropped.newest);
    EXPECT_TRUE(dropped.newest->link.isEmpty() && dropped.newest->download.isEmpty());
    EXPECT_EQ(dropped.newest->page(), QUrl("https://example.org/notes"));
}

TEST(Appcast, TextsThatAreNoFeedSayWhy)
{
    // Cut-short XML, web pages and items without a version are seen through the updater; these are the
    // subtler ones.
    // The prefix means nothing without its namespace declaration.
    EXPECT_THAT(readAppcast("<rss><channel><item><sparkle:version>1.0</sparkle:version></item></channel></rss>")
                    .error.toStdString(),
                HasSubstr("not valid XML"));
    // A fault after the items spoils the whole document.
    EXPECT_FALSE(
        readAppcast(feed("<item><sparkle:version>1.0</sparkle:version></item>") + "<trailing>").error.isEmpty());
}

// Each pair: older, newer.
TEST(VersionOrder, NewerVersionsCompareGreaterAndSpellingsOfOneAreEqual)
{
    const std::pair<const char *, const char *> pairs[] = {
        {"0.1.0", "0.2.0"},
        {"1.9", "1.10"},
        {"1.0", "1.0.1"},
        {"0.9.9", "1"},
        {"0.2.0-rc1", "0.2.0"},
        {"0.2.0-rc9", "0.2.0-rc10"},
        {"1.0b2", "1.0"},
        {"1.0~beta", "1.0"},
        {"1.0-alpha", "1.0-beta"},
        {"1.0-rc1", "1.0.1"},
        {"99999999999999999999", "100000000000000000000"},
    };
    for (const auto &[older, newer] : pairs) {
        EXPECT_TRUE(compareVersions(older, newer) < 0) << older << " < " << newer;
        EXPECT_TRUE(compareVersions(newer, older) > 0) << newer << " > " << older;
    }

    for (const auto &[one, other] :
         {std::pair{"1.0", "1.0.0"}, {"v0.2", "0.2.0"}, {" 0.1.0 ", "0.1.0+build.5"}, {"01.002", "1.2"}}) {
        EXPECT_TRUE(compareVersions(one, other) == 0) << one << " = " << other;
    }
}

} // namespace
} // namespace lumvex
