#include "binding.h"
#include "optora.h"
#include "show.h"
#include "store/registry_paths.h"

void ShowUserEnvItems() {
    auto get = Bind<UserEnvItems_tag* (*)()>("optora_getoptionsettings");
    if (!get) return;
    const UserEnvItems_tag* items = get();
    // Each group reads its key's shared values: only a policy for every application reaches them.
    const ShownKey general(optora::keys::kArbor), cut(optora::keys::kCutOptions), plot(optora::keys::kPlotOptions),
        order(optora::keys::kOrderOptions);
    general.Value("Bundles_By", items->Bundles_By, items->Bundles_By == 1 ? "model" : "marker");
    order.Value("OverwriteMarker", items->OverwriteMarker);
    order.Number("SplitPieceSeam", items->SplitPieceSeam);
    order.Value("LayruleMethod", items->LayruleMethod);
    plot.Text("DosPlotPath", items->DosPlotPath);
    plot.Value("DosPlotType", items->DosPlotType);
    cut.Text("DosCutPath", items->DosCutPath);
    cut.Text("DosCutExtension", items->DosCutExtension);
    cut.Text("CutFormat", items->CutFormat);
    cut.Value("Export", items->Export);
    cut.Value("SaveToStorageArea", items->SaveToStorageArea);
}
