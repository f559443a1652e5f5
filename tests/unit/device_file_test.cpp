#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "kestrel_test.h"
#include "options/device_file.h"

using namespace optora;
using namespace optora::test;

namespace {

const std::string kLibraryForm = "plot_type=3\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n";

class DeviceFileTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        std::filesystem::create_directories("c:\\userroot\\system\\state");
    }
    void TearDown() override {
        SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_NORMAL);
    }
};

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Contents(const std::string& path = kDeviceFilePath) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DeviceDestinations Record(int type, const char* plot, const char* cut) {
    DeviceDestinations record;
    record.plotType = type;
    record.plotDestination = plot;
    record.cutDestination = cut;
    return record;
}

}  // namespace

TEST_F(DeviceFileTest, AMissingFileReadsAsNoneAndIsNeverCreated) {
    EXPECT_FALSE(ReadDeviceFile().has_value());
    WriteDeviceFile(std::nullopt);
    WriteDeviceFile(Record(1, "D:\\P", "E:\\C"));
    EXPECT_FALSE(std::filesystem::exists(kDeviceFilePath));
    EXPECT_FALSE(std::filesystem::exists(DeviceFileTemporary()));
}

TEST_F(DeviceFileTest, RoundTripIsByteIdenticalAndCarriageReturnsGo) {
    Put(kDeviceFilePath, kLibraryForm);
    std::optional<DeviceDestinations> read = ReadDeviceFile();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->plotType, 3);
    EXPECT_EQ(read->cutDestination, "E:\\CUT");
    WriteDeviceFile(read);
    EXPECT_EQ(Contents(), kLibraryForm);

    Put(kDeviceFilePath, "plot_type=3\r\nplot_dest=D:\\PLOTS\r\ncut_dest=E:\\CUT\r\n");
    WriteDeviceFile(ReadDeviceFile());
    EXPECT_EQ(Contents(), kLibraryForm);
}

TEST_F(DeviceFileTest, LargeAndBinaryFilesReadTheirFirstBytes) {
    const std::string head = "plot_type=2\nplot_dest=D:\\P\n", tail = "\ncut_dest=E:\\LATE\n";
    Put(kDeviceFilePath, head + std::string(2048 - head.size() - tail.size(), 'x') + tail);
    ASSERT_EQ(std::filesystem::file_size(kDeviceFilePath), 2048u);
    std::optional<DeviceDestinations> large = ReadDeviceFile();
    ASSERT_TRUE(large.has_value());
    EXPECT_EQ(large->plotType, 2);
    EXPECT_EQ(large->plotDestination, "D:\\P");
    EXPECT_EQ(large->cutDestination, "C:\\") << "beyond the first 1040 bytes";
    WriteDeviceFile(large);
    EXPECT_EQ(Contents(), "plot_type=2\nplot_dest=D:\\P\ncut_dest=C:\\\n") << "the whole file is replaced";

    Put(kDeviceFilePath, std::string("plot_type=5\nplot_dest=D:\\P\0\0cut_dest=E:\\C\n", 41));
    std::optional<DeviceDestinations> zeros = ReadDeviceFile();
    ASSERT_TRUE(zeros.has_value());
    EXPECT_EQ(zeros->plotType, 5);
    EXPECT_EQ(zeros->cutDestination, "C:\\");

    Put(kDeviceFilePath, "");
    std::optional<DeviceDestinations> empty = ReadDeviceFile();
    ASSERT_TRUE(empty.has_value()) << "an empty file still exists";
    EXPECT_EQ(empty->plotDestination, "C:\\");
}

TEST_F(DeviceFileTest, AStaleTemporaryFromAnInterruptedSaveDoesNotStopTheNext) {
    Put(kDeviceFilePath, kLibraryForm);
    Put(DeviceFileTemporary(), "plot_type=9\npartial");
    WriteDeviceFile(Record(-1, "D:\\NEW", "E:\\NEW"));
    EXPECT_EQ(Contents(), "plot_type=-1\nplot_dest=D:\\NEW\ncut_dest=E:\\NEW\n");
    EXPECT_FALSE(std::filesystem::exists(DeviceFileTemporary()));

    // One that cannot even be replaced: the file is rewritten in place.
    std::filesystem::create_directory(DeviceFileTemporary());
    WriteDeviceFile(Record(1, "D:\\AGAIN", "E:\\AGAIN"));
    EXPECT_EQ(Contents(), "plot_type=1\nplot_dest=D:\\AGAIN\ncut_dest=E:\\AGAIN\n");
    EXPECT_TRUE(std::filesystem::is_directory(DeviceFileTemporary()));
}

TEST_F(DeviceFileTest, AFileHeldOpenByAnotherProgramIsRewrittenInPlace) {
    Put(kDeviceFilePath, kLibraryForm);
    HANDLE held = CreateFileA(kDeviceFilePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WriteDeviceFile(Record(2, "D:\\HELD", "E:\\HELD"));
    CloseHandle(held);
    EXPECT_EQ(Contents(), "plot_type=2\nplot_dest=D:\\HELD\ncut_dest=E:\\HELD\n");
    EXPECT_FALSE(std::filesystem::exists(DeviceFileTemporary()));
}

TEST_F(DeviceFileTest, AReadOnlyFileIsLeftAsItIs) {
    Put(kDeviceFilePath, kLibraryForm);
    SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    WriteDeviceFile(Record(1, "D:\\X", "E:\\X"));
    EXPECT_EQ(Contents(), kLibraryForm);

    SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_HIDDEN);
    WriteDeviceFile(Record(1, "D:\\X", "E:\\X"));
    EXPECT_EQ(Contents(), "plot_type=1\nplot_dest=D:\\X\ncut_dest=E:\\X\n");
    EXPECT_TRUE(GetFileAttributesA(kDeviceFilePath) & FILE_ATTRIBUTE_HIDDEN) << "attributes outlive the replace";
}
