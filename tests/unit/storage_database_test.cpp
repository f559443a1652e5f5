// The library's view of the storage-area database, through the stordb.dll
// stand-in beside the test program.
#include "kestrel_test.h"
#include "store/storage_database.h"

using namespace optora;
using namespace optora::test;

class StorageDatabaseTest : public KestrelTest {};

TEST_F(StorageDatabaseTest, AreasAreListedAndOverlongPathsNeverReachTheDatabase) {
    EXPECT_FALSE(StorageAreaListed("c:\\userroot\\storage\\DATA70"));
    MakeStorageArea("DATA70");
    EXPECT_TRUE(StorageAreaListed("c:\\userroot\\storage\\DATA70"));
    EXPECT_FALSE(StorageAreaListed(nullptr));

    // The database cuts a path to 259 characters: a longer one must not reach it.
    std::string area = "c:\\userroot\\storage\\DATA70";
    while (area.size() < 258) area += "\\.";
    area += "\\";
    EXPECT_TRUE(StorageAreaListed(area.c_str()));
    EXPECT_FALSE(StorageAreaListed((area + ".").c_str()));
}

TEST_F(StorageDatabaseTest, ControlFilesListItemsAndOverlongTextsNeverReachTheDatabase) {
    MakeStorageArea("AREA1", {{"param\\usrpt.ctl", "P-USER-ENVIRON\r\nMYTABLE\r\n"},
                              {"param\\names.ctl", "ABCDEFGHIJKLMNOPQRST\n"}});
    const std::string param = "c:\\userroot\\storage\\AREA1\\param\\";
    EXPECT_TRUE(ControlFileLists((param + "usrpt.ctl").c_str(), "MYTABLE"));
    EXPECT_FALSE(ControlFileLists((param + "usrpt.ctl").c_str(), "OTHER"));
    EXPECT_FALSE(ControlFileLists(nullptr, "MYTABLE"));

    // It cuts names to 20 bytes and paths to 259 characters: longer ones must
    // not reach it.
    std::string longest = param;
    while (longest.size() < 259 - 10) longest += ".\\";
    longest += "names.ctl";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(ControlFileLists(longest.c_str(), "ABCDEFGHIJKLMNOPQRST"));
    EXPECT_FALSE(ControlFileLists(longest.c_str(), "ABCDEFGHIJKLMNOPQRSTU"));
    EXPECT_FALSE(ControlFileLists((longest + "X").c_str(), "ABCDEFGHIJKLMNOPQRST"));
}
