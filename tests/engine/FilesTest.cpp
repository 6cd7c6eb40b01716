// SPDX-License-Identifier: MIT
#include "base/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;
namespace fs = std::filesystem;

TEST(Files, CreatesPrivateFoldersAndLeavesExistingOnesAlone)
{
    test::TempDir dir;
    fs::create_directory(dir / "shared");
    fs::permissions(dir / "shared", fs::perms(0755));

    ASSERT_TRUE(files::makePrivateDirectories(dir / "shared/a/b"));
    EXPECT_EQ(test::permissionsOf(dir / "shared"), 0755u);
    EXPECT_EQ(test::permissionsOf(dir / "shared/a"), 0700u);
    EXPECT_EQ(test::permissionsOf(dir / "shared/a/b"), 0700u);
    EXPECT_TRUE(files::makePrivateDirectories(dir / "shared/a/b")); // exists already

    files::writeAtomically(dir / "plain", "x");
    EXPECT_FALSE(files::makePrivateDirectories(dir / "plain/sub")); // a file is in the way
}

TEST(Files, FailedWriteKeepsThePreviousFileAndLeavesNoTemporary)
{
    test::TempDir dir;
    const fs::path file = dir / "state.json";
    ASSERT_TRUE(files::writeAtomically(file, "good"));
    {
        test::ScopedFileSizeLimit limit(8); // the disk is "full" after 8 bytes
        EXPECT_FALSE(files::writeAtomically(file, std::string(100, 'x')));
    }
    EXPECT_EQ(files::readAll(file), "good");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    EXPECT_FALSE(files::writeAtomically(dir / "missing/folder/file", "data"));
    EXPECT_FALSE(files::readAll(dir / "missing"));
}
