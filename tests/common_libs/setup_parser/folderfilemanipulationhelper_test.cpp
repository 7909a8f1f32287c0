#include "folderfilemanipulationhelper.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {
// Deliveries and backups copy whole trees over what is there, then remove the source.
TEST(FolderHelpers, CopyReplacesTheTreeAndRemovalTakesItAway) {
    TestRoot root;
    root.writeFile("/src/a", "new a");
    root.writeFile("/src/sub/b", "new b");
    root.writeFile("/dst/a", "old a");
    EXPECT_TRUE(FolderFileManipulationHelper::copyDirRecursively(root.path("/src"),
                                                                 root.path("/dst"), true, {}));
    EXPECT_EQ(root.readFile("/dst/a"), "new a");
    EXPECT_EQ(root.readFile("/dst/sub/b"), "new b");
    EXPECT_FALSE(FolderFileManipulationHelper::copyDirRecursively(root.path("/missing"),
                                                                  root.path("/x"), true, {}));

    EXPECT_TRUE(FolderFileManipulationHelper::removeDirRecursively(root.path("/src"), true));
    EXPECT_FALSE(root.exists("/src"));
    EXPECT_FALSE(FolderFileManipulationHelper::removeDirRecursively(root.path("/src"), true));
}
} // namespace
