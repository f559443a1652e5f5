// Another suite process saving output options as fast as it can, to race a
// second one over the device file.
//
//   device_saver.exe cut|plot MILLISECONDS
//
// It alternates between two directories of different lengths until the time
// is up, then saves its final value: cut "E:\AFINAL", plot "D:\BFINAL" type 3.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "frame/app_names.h"
#include "options/cut_options.h"
#include "options/field_copy.h"
#include "options/plot_options.h"

using namespace optora;

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const bool cut = std::strcmp(argv[1], "cut") == 0;
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2]));
    CutAppName().Set("CUTGEN_CUT_OPTIONS");
    PlotAppName().Set("MARKERPLOT_PLOT_OPTIONS");
    CutOptions_tag cutOptions = {};
    PlotOptions_tag plotOptions = {};
    for (int round = 0;; ++round) {
        const bool last = static_cast<LONG>(GetTickCount() - until) >= 0;
        if (cut) {
            CopyField(cutOptions.DosCutPath, last ? "E:\\AFINAL" : round % 2 ? "E:\\A1" : "E:\\A22222");
            SaveCutOptions(cutOptions);
        } else {
            CopyField(plotOptions.DosPlotPath, last ? "D:\\BFINAL" : round % 2 ? "D:\\B1" : "D:\\B22222");
            plotOptions.DosPlotType = last ? 3 : round % 2;
            SavePlotOptions(plotOptions);
        }
        if (last) return 0;
    }
}
