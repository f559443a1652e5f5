#include "output_test_support.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

// The file as the library writes it.
std::string Form(int type, const std::string& plot, const std::string& cut) {
    return "plot_type=" + std::to_string(type) + "\nplot_dest=" + plot + "\ncut_dest=" + cut + "\n";
}

DeviceDestinations Record(int type, const char* plot, const char* cut) {
    DeviceDestinations record;
    record.plotType = type;
    record.plotDestination = plot;
    record.cutDestination = cut;
    return record;
}

void ExpectRead(int type, const char* plot, const char* cut) {
    const std::optional<DeviceDestinations> read = ReadDeviceFile();
    ASSERT_TRUE(read.has_value()) << "an existing file always reads";
    EXPECT_EQ(read->plotType, type);
    EXPECT_EQ(read->plotDestination, plot);
    EXPECT_EQ(read->cutDestination, cut);
}

class DeviceFileTest : public KestrelTest {
protected:
    void TearDown() override { SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_NORMAL); }
};

}  // namespace

TEST_F(DeviceFileTest, AMissingFileReadsAsNoneAndIsNeverCreated) {
    fs::create_directories("c:\\userroot\\system\\state");  // where it would be created
    EXPECT_FALSE(ReadDeviceFile().has_value());
    WriteDeviceFile(std::nullopt);
    WriteDeviceFile(Record(1, "D:\\P", "E:\\C"));
    EXPECT_FALSE(DeviceFileExists());
    EXPECT_FALSE(fs::exists(DeviceFileTemporary()));
}

// A file larger than what is read, and an empty one.
TEST_F(DeviceFileTest, ReadsOnlyTheHeadOfALargeFileAndReplacesItWhole) {
    // Only the first 1040 bytes count, and the whole file is replaced.
    const std::string head = "plot_type=2\nplot_dest=D:\\P\n", tail = "\ncut_dest=E:\\LATE\n";
    PutDeviceFile(head + std::string(2048 - head.size() - tail.size(), 'x') + tail);
    ASSERT_EQ(fs::file_size(kDeviceFilePath), 2048u);
    ExpectRead(2, "D:\\P", "C:\\");
    WriteDeviceFile(ReadDeviceFile());
    EXPECT_EQ(DeviceFileBytes(), Form(2, "D:\\P", "C:\\"));

    PutDeviceFile("");
    ExpectRead(0, "C:\\", "C:\\");
}

TEST_F(DeviceFileTest, AStaleTemporaryFromAnInterruptedSaveDoesNotStopTheNext) {
    PutDeviceFile(Form(3, "D:\\PLOTS", "E:\\CUT"));
    WriteWhole(DeviceFileTemporary(), "plot_type=9\npartial");
    WriteDeviceFile(Record(-1, "D:\\NEW", "E:\\NEW"));
    EXPECT_EQ(DeviceFileBytes(), Form(-1, "D:\\NEW", "E:\\NEW"));
    EXPECT_FALSE(fs::exists(DeviceFileTemporary()));

    // One that cannot even be replaced: the file is rewritten in place.
    fs::create_directory(DeviceFileTemporary());
    WriteDeviceFile(Record(1, "D:\\AGAIN", "E:\\AGAIN"));
    EXPECT_EQ(DeviceFileBytes(), Form(1, "D:\\AGAIN", "E:\\AGAIN"));
    EXPECT_TRUE(fs::is_directory(DeviceFileTemporary()));
}

TEST_F(DeviceFileTest, AFileHeldOpenIsRewrittenInPlaceAndAReadOnlyOneLeftAlone) {
    PutDeviceFile(Form(3, "D:\\PLOTS", "E:\\CUT"));
    HANDLE held = CreateFileA(kDeviceFilePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WriteDeviceFile(Record(2, "D:\\H", "E:\\H"));  // shorter: no tail of the old text may stay
    CloseHandle(held);
    EXPECT_EQ(DeviceFileBytes(), Form(2, "D:\\H", "E:\\H"));
    EXPECT_FALSE(fs::exists(DeviceFileTemporary()));

    SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    WriteDeviceFile(Record(1, "D:\\X", "E:\\X"));
    EXPECT_EQ(DeviceFileBytes(), Form(2, "D:\\H", "E:\\H"));
    SetFileAttributesA(kDeviceFilePath, FILE_ATTRIBUTE_HIDDEN);
    WriteDeviceFile(Record(1, "D:\\X", "E:\\X"));
    EXPECT_EQ(DeviceFileBytes(), Form(1, "D:\\X", "E:\\X"));
    EXPECT_TRUE(GetFileAttributesA(kDeviceFilePath) & FILE_ATTRIBUTE_HIDDEN) << "attributes outlive the replace";
}
