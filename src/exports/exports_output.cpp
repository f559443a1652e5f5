// Entry points of the cut and plot options records.
#include "optora.h"

#include "frame/call_frame.h"
#include "options/library_records.h"

using namespace optora;

extern "C" {

CutOptions_tag* optora_getcutoptions(void) {
    return Shielded(&HeldRecord<CutOptions_tag>(), [] { return &LibraryCutOptions(); });
}

PlotOptions_tag* optora_getplotoptions(void) {
    return Shielded(&HeldRecord<PlotOptions_tag>(), [] { return &LibraryPlotOptions(); });
}

CutOptions_tag* _optora_getcutoptions(void) { return optora_getcutoptions(); }
PlotOptions_tag* _optora_getplotoptions(void) { return optora_getplotoptions(); }

}  // extern "C"
