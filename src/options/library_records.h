#pragma once
#include "optora.h"

namespace optora {

class VerifyOptions;

// The one record of each set that the library hands out by address. Callers
// keep the pointer across calls, so every refresh loads into this record in
// place. Zero-filled until its first load.
template <typename Record>
Record& HeldRecord() noexcept {
    static Record record{};
    return record;
}

// What each record getter does, for the dialogs as well as the getters: under
// the record's lock, the held record is loaded anew only when something its
// last load read has changed, and returned. The store's lock is taken inside
// the loads, after the record's: never the other way round.
CutOptions_tag& LibraryCutOptions();
// For the ZID application plots go to its own directory (ApplyZidPlotPath).
PlotOptions_tag& LibraryPlotOptions();
OrderOptions_tag& LibraryOrderOptions();
UserEnvItems_tag& LibraryUserEnvItems();
// Storage areas on disk are seen by no registry watch: loaded, checked once
// more and written back normalised on every call, telling nobody.
VerifyOptions& LibraryVerifyOptions();

}  // namespace optora
