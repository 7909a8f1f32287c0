#include "folderfilemanipulationhelper.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {
TEST(FolderCopy, CopiesTreesAndHonoursOverwriteAndFilter) {
    TestRoot root;
    root.writeFile("/src/a", "new a");
    root.writeFile("/src/sub/b", "new b");
    root.writeFile("/dst/a", "old a");

    EXPECT_TRUE(FolderFileManipulationHelper::copyDirRecursively(root.path("/src"),
                                                                 root.path("/dst"), false, {}));
    EXPECT_EQ(root.readFile("/dst/a"), "old a");
    EXPECT_EQ(root.readFile("/dst/sub/b"), "new b");

    EXPECT_TRUE(FolderFileManipulationHelper::copyDirRecursively(root.path("/src"),
                                                                 root.path("/dst"), true, {}));
    EXPECT_EQ(root.readFile("/dst/a"), "new a");

    EXPECT_TRUE(FolderFileManipulationHelper::copyDirRecursively(root.path("/src"),
                                                                 root.path("/only"), true, "b"));
    EXPECT_FALSE(root.exists("/only/a"));
    EXPECT_EQ(root.readFile("/only/sub/b"), "new b");

    EXPECT_FALSE(FolderFileManipulationHelper::copyDirRecursively(root.path("/missing"),
                                                                  root.path("/x"), true, {}));
}

TEST(FolderRemoval, EmptiesOrRemovesTheFolder) {
    TestRoot root;
    root.writeFile("/f/a", "1");
    root.writeFile("/f/sub/b", "2");
    EXPECT_TRUE(FolderFileManipulationHelper::removeDirRecursively(root.path("/f"), false));
    EXPECT_TRUE(root.exists("/f"));
    EXPECT_FALSE(root.exists("/f/sub"));
    EXPECT_TRUE(FolderFileManipulationHelper::removeDirRecursively(root.path("/f"), true));
    EXPECT_FALSE(root.exists("/f"));
}
} // namespace
