#include <gtest/gtest.h>

#include <string>

#include "options/device_file_format.h"

using namespace optora;

namespace {
DeviceDestinations Parse(const std::string& bytes) { return ParseDeviceFile(bytes); }
}  // namespace

TEST(DeviceFileFormat, ReadsTheThreeLinesAndWritesThemBackByteForByte) {
    const std::string file = "plot_type=3\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n";
    const DeviceDestinations record = Parse(file);
    EXPECT_EQ(record.plotType, 3);
    EXPECT_EQ(record.plotDestination, "D:\\PLOTS");
    EXPECT_EQ(record.cutDestination, "E:\\CUT");
    EXPECT_EQ(FormatDeviceFile(record), file);
}

TEST(DeviceFileFormat, CarriageReturnsAndOtherLineOrders) {
    const DeviceDestinations crlf = Parse("plot_type=3\r\nplot_dest=D:\\PLOTS\r\ncut_dest=E:\\CUT\r\n");
    EXPECT_EQ(crlf.plotType, 3);
    EXPECT_EQ(crlf.plotDestination, "D:\\PLOTS");
    EXPECT_EQ(crlf.cutDestination, "E:\\CUT");
    EXPECT_EQ(FormatDeviceFile(crlf), "plot_type=3\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");

    // The type line must come first; the destinations are found anywhere.
    const DeviceDestinations moved = Parse("cut_dest=E:\\CUT\nplot_type=3\nplot_dest=D:\\PLOTS\n");
    EXPECT_EQ(moved.plotType, 0);
    EXPECT_EQ(moved.plotDestination, "D:\\PLOTS");
    EXPECT_EQ(moved.cutDestination, "E:\\CUT");

    const DeviceDestinations noBreak = Parse("plot_type=1\ncut_dest=E:\\LAST");
    EXPECT_EQ(noBreak.cutDestination, "E:\\LAST") << "the text's end closes the last line";
}

TEST(DeviceFileFormat, PlotTypeIsTheOneCharacterAfterTheTypeLetters) {
    EXPECT_EQ(Parse("plot_type=12\n").plotType, 1);
    EXPECT_EQ(Parse("plot_type=x\n").plotType, 0);
    EXPECT_EQ(Parse("plot_type=").plotType, 0) << "the end of the text gives 0";
    EXPECT_EQ(Parse("plot_type=-1\n").plotType, 0) << "the minus sign is not a digit";
    EXPECT_EQ(Parse("type=7").plotType, 7) << "any run of the type line's letters";
    EXPECT_EQ(Parse("7\nplot_dest=D:\\").plotType, 0) << "no run: the file sets no type";
}

TEST(DeviceFileFormat, DestinationsWithoutDriveOrLine) {
    const DeviceDestinations record = Parse("plot_type=2\nplot_dest=PLOTS\n");
    EXPECT_EQ(record.plotDestination, "C:\\PLOTS");
    EXPECT_EQ(record.cutDestination, "C:\\") << "a missing line reads as the drive root";
    EXPECT_EQ(Parse("plot_dest=\ncut_dest=\r\n").plotDestination, "C:\\");
    EXPECT_EQ(Parse("plot_dest=\ncut_dest=\r\n").cutDestination, "C:\\");
    const DeviceDestinations empty = Parse("");
    EXPECT_EQ(empty.plotType, 0);
    EXPECT_EQ(empty.plotDestination, "C:\\");
}

TEST(DeviceFileFormat, WritesNegativeTypesAndNothingAfterTheLastLine) {
    DeviceDestinations record;
    record.plotType = -1;
    record.plotDestination = "D:\\P";
    record.cutDestination = "E:\\C";
    EXPECT_EQ(FormatDeviceFile(record), "plot_type=-1\nplot_dest=D:\\P\ncut_dest=E:\\C\n");
}
