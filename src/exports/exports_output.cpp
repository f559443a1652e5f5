// Entry points of the cut and plot options records.
#include "optora.h"

#include "exports/kept_getter.h"
#include "options/cut_options.h"
#include "options/plot_options.h"

using namespace optora;

namespace {
// Handed out by address; a call that finds something changed reloads them in place.
CutOptions_tag g_cutOptions = {};
PlotOptions_tag g_plotOptions = {};
}  // namespace

extern "C" {

CutOptions_tag* optora_getcutoptions(void) {
    return KeptGetter(g_cutOptions, [](CutOptions_tag& record, DeviceFileSeen& seen) { LoadCutOptions(record, &seen); });
}

PlotOptions_tag* optora_getplotoptions(void) {
    return KeptGetter(g_plotOptions, [](PlotOptions_tag& record, DeviceFileSeen& seen) {
        LoadPlotOptions(record, &seen);
        ApplyZidPlotPath(record);
    });
}

CutOptions_tag* _optora_getcutoptions(void) { return optora_getcutoptions(); }
PlotOptions_tag* _optora_getplotoptions(void) { return optora_getplotoptions(); }

}  // extern "C"
