#include <gtest/gtest.h>

#include <string>

#include "options/device_file_format.h"

using namespace optora;
using namespace std::string_literals;

TEST(DeviceFileFormat, ReadsAnyLinesIntoTypeAndDestinations) {
    const std::string file = "plot_type=3\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n";
    const std::string late =
        "plot_type=2\nplot_dest=D:\\P\n" + std::string(kDeviceFileReadLimit, 'x') + "\ncut_dest=E:\\C";
    const struct { std::string bytes; int type; const char* plot; const char* cut; } cases[] = {
        {file, 3, "D:\\PLOTS", "E:\\CUT"},
        {"plot_type=3\r\nplot_dest=D:\\PLOTS\r\ncut_dest=E:\\CUT\r\n", 3, "D:\\PLOTS", "E:\\CUT"},
        // The type line must come first; the destinations are found anywhere.
        {"cut_dest=E:\\CUT\nplot_type=3\nplot_dest=D:\\PLOTS\n", 0, "D:\\PLOTS", "E:\\CUT"},
        {"plot_type=1\ncut_dest=E:\\LAST", 1, "C:\\", "E:\\LAST"},  // the text's end closes the last line
        // The type is the one character after any run of the type line's letters.
        {"plot_type=12\n", 1, "C:\\", "C:\\"},
        {"plot_type=x\n", 0, "C:\\", "C:\\"},
        {"plot_type=", 0, "C:\\", "C:\\"},
        {"plot_type=-1\n", 0, "C:\\", "C:\\"},
        {"type=7", 7, "C:\\", "C:\\"},
        {"7\nplot_dest=D:\\", 0, "D:\\", "C:\\"},
        // A destination without a drive, an empty one, or none.
        {"plot_type=2\nplot_dest=PLOTS\n", 2, "C:\\PLOTS", "C:\\"},
        {"plot_dest=\ncut_dest=\r\n", 0, "C:\\", "C:\\"},
        {"", 0, "C:\\", "C:\\"},
        // Older tools stop at a zero byte and at the end of their buffer.
        {"plot_type=5\nplot_dest=D:\\P\0cut_dest=E:\\C\n"s, 5, "D:\\P", "C:\\"},
        {late, 2, "D:\\P", "C:\\"},
    };
    for (const auto& c : cases) {
        const DeviceDestinations record = ParseDeviceFile(c.bytes);
        EXPECT_EQ(record.plotType, c.type) << c.bytes;
        EXPECT_EQ(record.plotDestination, c.plot) << c.bytes;
        EXPECT_EQ(record.cutDestination, c.cut) << c.bytes;
    }
    EXPECT_EQ(FormatDeviceFile(ParseDeviceFile(file)), file) << "written back byte for byte";
}
