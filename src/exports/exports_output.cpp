// Entry points of the cut and plot options records.
#include "optora.h"

#include "frame/call_frame.h"
#include "frame/record_lock.h"
#include "options/cut_options.h"
#include "options/plot_options.h"

using namespace optora;

namespace {
// Handed out by address; every call reloads them in place.
CutOptions_tag g_cutOptions = {};
PlotOptions_tag g_plotOptions = {};
}  // namespace

extern "C" {

CutOptions_tag* optora_getcutoptions(void) {
    return Shielded(&g_cutOptions, [] {
        const auto hold = LockRecord(g_cutOptions);
        LoadCutOptions(g_cutOptions);
        return &g_cutOptions;
    });
}

PlotOptions_tag* optora_getplotoptions(void) {
    return Shielded(&g_plotOptions, [] {
        const auto hold = LockRecord(g_plotOptions);
        LoadPlotOptions(g_plotOptions);
        ApplyZidPlotPath(g_plotOptions);
        return &g_plotOptions;
    });
}

CutOptions_tag* _optora_getcutoptions(void) { return optora_getcutoptions(); }
PlotOptions_tag* _optora_getplotoptions(void) { return optora_getplotoptions(); }

}  // extern "C"
