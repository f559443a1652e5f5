// The library's view of the storage-area database, through the stordb.dll
// stand-in beside the test program.
#include <filesystem>
#include <fstream>

#include "kestrel_test.h"
#include "store/storage_database.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

class StorageDatabaseTest : public KestrelTest {
protected:
    static void WriteFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
};

}  // namespace

TEST_F(StorageDatabaseTest, AStorageAreaNeedsItsDataAndParamDirectories) {
    EXPECT_FALSE(StorageAreaListed("c:\\userroot\\storage\\DATA70"));
    MakeStorageArea("DATA70");
    EXPECT_TRUE(StorageAreaListed("c:\\userroot\\storage\\DATA70"));
    EXPECT_TRUE(StorageAreaListed("C:\\USERROOT\\STORAGE\\data70")) << "Windows paths ignore case";
    fs::create_directories("c:\\userroot\\storage\\HALF\\data");
    EXPECT_FALSE(StorageAreaListed("c:\\userroot\\storage\\HALF"));
    EXPECT_FALSE(StorageAreaListed(""));
    EXPECT_FALSE(StorageAreaListed(nullptr));

    // The database cuts a path to 259 characters: a longer one must not reach it.
    std::string area = "c:\\userroot\\storage\\DATA70";
    while (area.size() < 258) area += "\\.";
    area += "\\";
    EXPECT_TRUE(StorageAreaListed(area.c_str()));
    EXPECT_FALSE(StorageAreaListed((area + ".").c_str()));
}

TEST_F(StorageDatabaseTest, ControlFilesListItemsAndBadOnesListNothing) {
    MakeStorageArea("AREA1");
    const std::string param = "c:\\userroot\\storage\\AREA1\\param\\";
    WriteFile(param + "usrpt.ctl", "P-USER-ENVIRON\r\nMYTABLE\r\n");
    EXPECT_TRUE(ControlFileLists((param + "usrpt.ctl").c_str(), "MYTABLE"));
    EXPECT_FALSE(ControlFileLists((param + "usrpt.ctl").c_str(), "OTHER"));
    EXPECT_FALSE(ControlFileLists((param + "missing.ctl").c_str(), "MYTABLE"));
    EXPECT_FALSE(ControlFileLists(param.c_str(), "MYTABLE")) << "a directory is no control file";

    WriteFile(param + "binary.ctl", std::string("MYTABLE\n\0\x01\x02", 11));
    EXPECT_FALSE(ControlFileLists((param + "binary.ctl").c_str(), "MYTABLE"));
    WriteFile(param + "huge.ctl", "MYTABLE\n" + std::string(2 << 20, 'x'));
    EXPECT_FALSE(ControlFileLists((param + "huge.ctl").c_str(), "MYTABLE"));
    EXPECT_FALSE(ControlFileLists(nullptr, "MYTABLE"));

    // It cuts names to 20 bytes and paths to 259 characters: longer ones must
    // not reach it.
    std::string longest = param;
    while (longest.size() < 259 - 10) longest += ".\\";
    longest += "usrpt.ctl";
    ASSERT_EQ(longest.size(), 259u);
    WriteFile(param + "usrpt.ctl", "ABCDEFGHIJKLMNOPQRST\n");
    EXPECT_TRUE(ControlFileLists(longest.c_str(), "ABCDEFGHIJKLMNOPQRST"));
    EXPECT_FALSE(ControlFileLists(longest.c_str(), "ABCDEFGHIJKLMNOPQRSTU"));
    EXPECT_FALSE(ControlFileLists((longest + "X").c_str(), "ABCDEFGHIJKLMNOPQRST"));
}
