// Entry points of the cut and plot options records.
#include "optora.h"

#include "frame/call_frame.h"
#include "frame/record_lock.h"
#include "options/cut_options.h"
#include "options/kept_record.h"
#include "options/plot_options.h"

using namespace optora;

namespace {
// Handed out by address; a call that finds something changed reloads them in place.
CutOptions_tag g_cutOptions = {};
PlotOptions_tag g_plotOptions = {};
KeptRecord<CutOptions_tag> g_keptCut;
KeptRecord<PlotOptions_tag> g_keptPlot;
}  // namespace

extern "C" {

CutOptions_tag* optora_getcutoptions(void) {
    return Shielded(&g_cutOptions, [] {
        const auto hold = LockRecord(g_cutOptions);
        g_keptCut.Refresh(g_cutOptions, [](CutOptions_tag& record, DeviceFileSeen& seen) {
            LoadCutOptions(record, &seen);
        });
        return &g_cutOptions;
    });
}

PlotOptions_tag* optora_getplotoptions(void) {
    return Shielded(&g_plotOptions, [] {
        const auto hold = LockRecord(g_plotOptions);
        g_keptPlot.Refresh(g_plotOptions, [](PlotOptions_tag& record, DeviceFileSeen& seen) {
            LoadPlotOptions(record, &seen);
            ApplyZidPlotPath(record);
        });
        return &g_plotOptions;
    });
}

CutOptions_tag* _optora_getcutoptions(void) { return optora_getcutoptions(); }
PlotOptions_tag* _optora_getplotoptions(void) { return optora_getplotoptions(); }

}  // extern "C"
