#include "BusLock.h"
#include "simulated/ddc/FakeDdcClock.h"
#include "base/Files.h"
#include "base/UniqueFd.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/file.h>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace lumvex::ddc;
using namespace std::chrono_literals;

namespace {

TEST(BusLock, CarriesThePauseToTheNextRun)
{
    test::TempDir folder;
    FakeDdcClock clock;
    BusLock::Failure failure = BusLock::Failure::Unavailable;
    {
        std::optional<BusLock> lock = BusLock::acquire(folder / "locks", 5, clock, 400ms, failure);
        ASSERT_TRUE(lock);
        EXPECT_EQ(failure, BusLock::Failure::None);
        EXPECT_EQ(lock->quietUntil(), clock.now());
        lock->setQuietUntil(clock.now() + 50ms);
    }
    EXPECT_EQ(test::permissionsOf(folder / "locks"), 0700u);
    clock.advance(20ms);
    std::optional<BusLock> next = BusLock::acquire(folder / "locks", 5, clock, 400ms, failure);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->quietUntil(), clock.now() + 30ms);

    // Another bus has its own.
    EXPECT_EQ(BusLock::acquire(folder / "locks", 6, clock, 400ms, failure)->quietUntil(), clock.now());
}

TEST(BusLock, IgnoresAMomentFromAnotherBootOrADamagedFile)
{
    test::TempDir folder;
    FakeDdcClock clock;
    BusLock::Failure failure{};
    BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->setQuietUntil(clock.now() + 1h);
    EXPECT_EQ(BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->quietUntil(), clock.now());
    files::writeAtomically(folder / "i2c-5.lock", "soon");
    EXPECT_EQ(BusLock::acquire(folder.path(), 5, clock, 400ms, failure)->quietUntil(), clock.now());
}

TEST(BusLock, WaitsForAnotherRunThenGivesUp)
{
    test::TempDir folder;
    FakeDdcClock clock;
    BusLock::Failure failure{};
    ASSERT_TRUE(BusLock::acquire(folder.path(), 5, clock, 400ms, failure));
    UniqueFd other(::open((folder / "i2c-5.lock").c_str(), O_RDWR | O_CLOEXEC));
    ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);

    EXPECT_FALSE(BusLock::acquire(folder.path(), 5, clock, 400ms, failure));
    EXPECT_EQ(failure, BusLock::Failure::Busy);
    EXPECT_GE(clock.slept(), 400ms);
}

TEST(BusLock, UnavailableWhenTheFolderCannotBeMade)
{
    test::TempDir folder;
    FakeDdcClock clock;
    files::writeAtomically(folder / "in-the-way", "");
    BusLock::Failure failure{};
    EXPECT_FALSE(BusLock::acquire(folder / "in-the-way" / "locks", 5, clock, 400ms, failure));
    EXPECT_EQ(failure, BusLock::Failure::Unavailable);
}

} // namespace
