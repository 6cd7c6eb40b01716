// SPDX-License-Identifier: MIT
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
