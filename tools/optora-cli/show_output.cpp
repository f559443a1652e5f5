#include "binding.h"
#include "show.h"
#include "store/registry_paths.h"

namespace {
const char* const kExtensionTypes[] = {"specified extension", "count", "last dash", "no extension"};

const char* ExtensionType(int type) { return type >= 0 && type <= 3 ? kExtensionTypes[type] : nullptr; }
}  // namespace

void ShowCutOptions() {
    auto get = Bind<CutOptions_tag* (*)()>("optora_getcutoptions");
    auto app = Bind<char* (*)()>("optora_getcutapp");
    if (!get) return;
    const std::string application = app ? app() : "";
    if (app) PrintText("Application", application.c_str());
    const CutOptions_tag* cut = get();
    const ShownKey shown(optora::keys::kCutOptions, application), general(optora::keys::kArbor);
    shown.Text("DosCutPath", cut->DosCutPath);
    shown.Text("DosCutExtension", cut->DosCutExtension);
    shown.Text("CutFormat", cut->CutFormat);
    shown.Value("Export", cut->Export);
    shown.Value("SaveToStorageArea", cut->SaveToStorageArea);
    general.Value("Bundles_By", cut->Bundles_By, cut->Bundles_By == 1 ? "by model" : "by marker");
    shown.Value("AutoCut", cut->AutoCut);
    shown.Text("CutDefaultParamTbl", cut->CutDefaultParamTbl);
    shown.Value("DosNameFormat", cut->DosNameFormat, cut->DosNameFormat ? "long name" : "8 characters");
    shown.Value("DosExtType", cut->DosExtType, ExtensionType(cut->DosExtType));
    shown.Value("FilenameAppendCnt", cut->FilenameAppendCnt);
}

void ShowPlotOptions() {
    static const char* const kPlotTypes[] = {"Generic", "HPGL", "DXF", "ASTM"};
    auto get = Bind<PlotOptions_tag* (*)()>("optora_getplotoptions");
    auto app = Bind<char* (*)()>("optora_getplotapp");
    if (!get) return;
    const std::string application = app ? app() : "";
    if (app) PrintText("Application", application.c_str());
    const PlotOptions_tag* plot = get();
    const ShownKey shown(optora::keys::kPlotOptions, application), general(optora::keys::kArbor);
    shown.Text("DosPlotPath", plot->DosPlotPath);
    shown.Value("DosPlotType", plot->DosPlotType,
               plot->DosPlotType >= 0 && plot->DosPlotType <= 3 ? kPlotTypes[plot->DosPlotType] : nullptr);
    general.Value("Bundles_By", plot->Bundles_By, plot->Bundles_By == 1 ? "by model" : "by marker");
    shown.Text("DefaultPlotQueue", plot->DefaultPlotQueue);
    shown.Text("DefaultPlotMedia", plot->DefaultPlotMedia);
    shown.Value("DefaultPlotOutput", plot->DefaultPlotOutput, plot->DefaultPlotOutput ? "file" : "queue");
    shown.Value("AutoPlot", plot->AutoPlot);
    shown.Text("ImagePath", plot->ImagePath);
    shown.Text("ImageType", plot->ImageType);
    shown.Value("WastePercentage", plot->WastePercentage, plot->WastePercentage ? "waste %" : "used %");
    shown.Value("DecimalYards", plot->DecimalYards);
    shown.Value("PlotDosNameFormat", plot->PlotDosNameFormat, plot->PlotDosNameFormat ? "long name" : "8 characters");
    shown.Value("PlotDosExtType", plot->PlotDosExtType, ExtensionType(plot->PlotDosExtType));
    shown.Text("PlotDosExt", plot->PlotDosExt);
    shown.Value("PlotFilenameAppendCnt", plot->PlotFilenameAppendCnt);
}
