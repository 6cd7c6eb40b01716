// SPDX-License-Identifier: MIT
#include "base/Files.h"
#include "engine/CalibrationModel.h"
#include "engine/DailyStats.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace lumvex;
namespace fs = std::filesystem;

namespace {

const std::string kBucket = R"({"darkBin":1,"brightBin":1,"meanBin":1,"timeOfDayBin":1})";
const std::string kEntry = R"({"offset":0.1,"sampleCount":3,"lastUpdated":1})";

std::string pairWith(int darkBin, const std::string &entry)
{
    return R"({"darkBin":)" + std::to_string(darkBin) + R"(,"brightBin":1,"meanBin":1,"timeOfDayBin":1},)" + entry;
}

// Situations learned from nine corrections each, with the optional keys given.
std::string nine(const std::vector<std::string> &keys)
{
    std::string text;
    for (std::size_t dark = 0; dark < keys.size(); ++dark) {
        text += std::string(text.empty() ? "[" : ",") + R"({"darkBin":)" + std::to_string(dark) +
                R"(,"brightBin":2,"meanBin":2,"timeOfDayBin":2},{"offset":0.2,"sampleCount":9,"lastUpdated":1,)" +
                keys[dark] + "}";
    }
    return text + "]";
}

std::string manyDays(int count)
{
    std::string text = "{";
    for (int i = 0; i < count; ++i) {
        text += "\"k" + std::to_string(i) + "\":1,";
    }
    return text + R"("2025-03-13":2})";
}

// How a hostile state file is laid down in place of the real one; a FIFO and a link to /dev/zero are
// seen with the real program (test_tray_program.py).
enum class Kind { text, unreadableMode };

struct Case
{
    const char *name;
    const char *file;
    Kind kind;
    std::string content;
    std::size_t kept;       // situations or days loaded
    bool setAside;          // moved or, when partly read, copied to <file>.unreadable-<day>
    std::string named = {}; // in the line about what was lost
};

std::vector<std::string> warnings;

fs::path asideOf(const fs::path &file, int n)
{
    for (const auto &entry : fs::directory_iterator(file.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(file.filename().string() + ".unreadable-") && --n == 0) {
            return entry.path();
        }
    }
    return {};
}

} // namespace

// Whatever lies where a state file should be, the sound part is kept, the rest is set aside before
// anything is written, and nothing blocks or exhausts memory.
TEST(StateFiles, HostileFilesKeepWhatIsSoundAndSetTheRestAside)
{
    const std::string sound2 = pairWith(0, kEntry) + "," + pairWith(2, kEntry);
    const std::vector<Case> cases = {
        {"one bad count", "content_offsets.json", Kind::text,
         "[" + sound2 + "," + pairWith(3, R"({"offset":0.1,"sampleCount":1.5,"lastUpdated":1})") + "]", 2, true,
         "record 3 (situation 3|1|1|-|1) left out: \"sampleCount\" is not an integer"},
        {"entries out of range are clamped or left out", "content_offsets.json", Kind::text,
         "[" + pairWith(0, R"({"offset":1.7e308,"sampleCount":-9223372036854775808,"lastUpdated":1})") + "," +
             pairWith(9, kEntry) + "," + pairWith(2, R"({"offset":"0.1","sampleCount":1,"lastUpdated":1})") + "," +
             kEntry + "," + kBucket + "," + kBucket + "]",
         1, true},
        {"bad buckets and entries", "content_offsets.json", Kind::text,
         "[" + sound2 + R"(,{"brightBin":0,"meanBin":2,"timeOfDayBin":3},)" + kEntry +
             R"(,{"darkBin":1.5,"brightBin":0,"meanBin":2,"timeOfDayBin":3},)" + kEntry +
             R"(,{"darkBin":1,"brightBin":0,"meanBin":2,"ambientBin":"1","timeOfDayBin":3},)" + kEntry +
             R"(,{"DarkBin":1,"brightBin":0,"meanBin":2,"timeOfDayBin":3},)" + kEntry +
             R"(,{"darkBin":18446744073709551615,"brightBin":0,"meanBin":2,"timeOfDayBin":3},)" + kEntry +
             ",[1,0,2,3]," + kEntry + "," + pairWith(4, R"({"offset":0.1,"sampleCount":1})") + "," +
             pairWith(4, R"({"offset":0.1,"sampleCount":1,"lastUpdated":null})") + "]",
         2, true, "record 3 left out: missing \"darkBin\""},
        // A bad optional key costs only itself: each situation and its nine corrections stay.
        {"a bad brightness", "content_offsets.json", Kind::text,
         nine({R"("brightness":"NaN","brightnessCount":3)", R"("brightness":null)", R"("brightness":true)",
               R"("brightness":[1])"}),
         4, true, "record 1 (situation 0|2|2|-|2) lost a part: \"brightness\" is not a finite number"},
        {"a bad count", "content_offsets.json", Kind::text,
         nine({R"("brightness":1,"brightnessCount":2.5)", R"("brightness":1,"brightnessCount":"3")",
               R"("brightness":1,"brightnessCount":null)", R"("brightness":1,"brightnessCount":1e308)",
               R"("brightness":1)"}),
         5, true, "lost a part: \"brightnessCount\" is not an integer"},
        {"a bad following, a bad duplicate key, no brightness", "content_offsets.json", Kind::text,
         nine({R"("brightness":1,"contentFollow":"NaN")", R"("brightness":1,"contentFollow":null)",
               R"("brightness":1,"contentFollow":"0.5")", R"("brightness":1,"brightness":"NaN")",
               R"("brightnessCount":3,"contentFollow":0.5)"}),
         5, true, "lost a part: \"contentFollow\" is not a finite number"},
        {"not JSON", "content_offsets.json", Kind::text, "[{\"darkBin\":", 0, true},
        {"an object", "content_offsets.json", Kind::text, "{\"a\":1}", 0, true},
        {"too large", "content_offsets.json", Kind::text, "[" + std::string(files::kStateFileLimit, ' ') + "]", 0,
         true},
        {"mode 000", "content_offsets.json", Kind::unreadableMode, "[" + sound2 + "]", 0, true},
        {"counts as a string, negative, fractional", "dailystats.json", Kind::text,
         "{\"2025-03-13\":\"22\",\"a\":-1,\"b\":1.5,\"\\u001b[2J\":0.5,\"c\":0}", 1, true, "\"\\x1b[2J\""},
        {"many keys", "dailystats.json", Kind::text, manyDays(200000), 200001, false},
        {"an array", "dailystats.json", Kind::text, "[1,2]", 0, true},
    };
    ManualClock clock{Timestamp::fromReferenceSeconds(786000000.5)};
    files::setWarningSink([](const std::string &line) { warnings.push_back(line); });
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.name);
        if (c.kind == Kind::unreadableMode && ::geteuid() == 0) {
            continue; // root reads it anyway
        }
        test::TempDir dir;
        const fs::path file = dir / c.file;
        // A hostile file twice on one day: the second is set aside beside the first, never over it.
        for (int round = 1; round <= 2; ++round) {
            ASSERT_TRUE(files::writeAtomically(file, c.content));
            ::chmod(file.c_str(), c.kind == Kind::text ? 0600 : 0);
            std::size_t kept = 0;
            warnings.clear();
            if (std::string(c.file) == "content_offsets.json") {
                CalibrationModel model(dir.path(), clock);
                kept = model.situationCount();
                // The file as read is kept aside once, not at every write.
                model.recordCorrection({4, 4, 4, std::nullopt, 0}, 0.1);
                model.recordCorrection({4, 4, 4, std::nullopt, 0}, 0.1);
                // Loaded entries obey the limits learning keeps; a lost part never costs the corrections.
                for (const auto &[bucket, entry] : model.table()) {
                    EXPECT_LE(std::abs(entry.offset), CalibrationModel::kMaxOffset);
                    EXPECT_GE(entry.sampleCount, 0);
                    EXPECT_TRUE(bucket.brightBin != 2 || entry.sampleCount == 9);
                }
                EXPECT_EQ(CalibrationModel(dir.path(), clock).situationCount(), model.situationCount());
            } else {
                DailyStats stats(dir.path(), clock);
                kept = static_cast<std::size_t>(stats.daysRecorded());
                stats.recordManualAdjustment();
                EXPECT_EQ(DailyStats(dir.path(), clock).daysRecorded(), stats.daysRecorded());
            }
            EXPECT_EQ(kept, c.kept);
            EXPECT_TRUE(c.named.empty() || (!warnings.empty() && warnings[0].find(c.named) != std::string::npos))
                << (warnings.empty() ? "no line" : warnings[0]);
            EXPECT_EQ(asideOf(file, round).empty(), !c.setAside);
            if (c.setAside && c.kind == Kind::text) {
                EXPECT_EQ(files::readStateFile(asideOf(file, round), 2 * files::kStateFileLimit).text, c.content);
            }
            if (!c.setAside) {
                break;
            }
            fs::remove(file);
        }
        EXPECT_EQ(asideOf(file, 3), fs::path());
    }
    files::setWarningSink(nullptr);
}

TEST(StateFiles, TemporariesLeftByAKillMidWriteGoAtStart)
{
    test::TempDir dir;
    for (const char *name : {".content_offsets.json.Ab12Cd", ".dailystats.json.x9Y8z7", ".dailystats.json.keep"}) {
        ASSERT_TRUE(files::writeAtomically(dir / name, "half"));
    }
    ManualClock clock{Timestamp::fromReferenceSeconds(786000000.5)};
    CalibrationModel model(dir.path(), clock);
    DailyStats stats(dir.path(), clock);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1); // only the name that is not one
}
