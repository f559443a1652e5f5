#include "binding.h"
#include "optora.h"
#include "show.h"

void ShowUserEnvItems() {
    auto get = Bind<UserEnvItems_tag* (*)()>("optora_getoptionsettings");
    if (!get) return;
    const UserEnvItems_tag* items = get();
    PrintValue("Bundles_By", items->Bundles_By, items->Bundles_By == 1 ? "model" : "marker");
    PrintValue("OverwriteMarker", items->OverwriteMarker);
    PrintNumber("SplitPieceSeam", items->SplitPieceSeam);
    PrintValue("LayruleMethod", items->LayruleMethod);
    PrintText("DosPlotPath", items->DosPlotPath);
    PrintValue("DosPlotType", items->DosPlotType);
    PrintText("DosCutPath", items->DosCutPath);
    PrintText("DosCutExtension", items->DosCutExtension);
    PrintText("CutFormat", items->CutFormat);
    PrintValue("Export", items->Export);
    PrintValue("SaveToStorageArea", items->SaveToStorageArea);
}
