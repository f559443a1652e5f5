#include "binding.h"
#include "show.h"

namespace {
const char* const kExtensionTypes[] = {"specified extension", "count", "last dash", "no extension"};

const char* ExtensionType(int type) { return type >= 0 && type <= 3 ? kExtensionTypes[type] : nullptr; }
}  // namespace

void ShowCutOptions() {
    auto get = Bind<CutOptions_tag* (*)()>("optora_getcutoptions");
    auto app = Bind<char* (*)()>("optora_getcutapp");
    if (!get) return;
    if (app) PrintText("Application", app());
    const CutOptions_tag* cut = get();
    PrintText("DosCutPath", cut->DosCutPath);
    PrintText("DosCutExtension", cut->DosCutExtension);
    PrintText("CutFormat", cut->CutFormat);
    PrintValue("Export", cut->Export);
    PrintValue("SaveToStorageArea", cut->SaveToStorageArea);
    PrintValue("Bundles_By", cut->Bundles_By, cut->Bundles_By == 1 ? "by model" : "by marker");
    PrintValue("AutoCut", cut->AutoCut);
    PrintText("CutDefaultParamTbl", cut->CutDefaultParamTbl);
    PrintValue("DosNameFormat", cut->DosNameFormat, cut->DosNameFormat ? "long name" : "8 characters");
    PrintValue("DosExtType", cut->DosExtType, ExtensionType(cut->DosExtType));
    PrintValue("FilenameAppendCnt", cut->FilenameAppendCnt);
}

void ShowPlotOptions() {
    static const char* const kPlotTypes[] = {"Generic", "HPGL", "DXF", "ASTM"};
    auto get = Bind<PlotOptions_tag* (*)()>("optora_getplotoptions");
    auto app = Bind<char* (*)()>("optora_getplotapp");
    if (!get) return;
    if (app) PrintText("Application", app());
    const PlotOptions_tag* plot = get();
    PrintText("DosPlotPath", plot->DosPlotPath);
    PrintValue("DosPlotType", plot->DosPlotType,
               plot->DosPlotType >= 0 && plot->DosPlotType <= 3 ? kPlotTypes[plot->DosPlotType] : nullptr);
    PrintValue("Bundles_By", plot->Bundles_By, plot->Bundles_By == 1 ? "by model" : "by marker");
    PrintText("DefaultPlotQueue", plot->DefaultPlotQueue);
    PrintText("DefaultPlotMedia", plot->DefaultPlotMedia);
    PrintValue("DefaultPlotOutput", plot->DefaultPlotOutput, plot->DefaultPlotOutput ? "file" : "queue");
    PrintValue("AutoPlot", plot->AutoPlot);
    PrintText("ImagePath", plot->ImagePath);
    PrintText("ImageType", plot->ImageType);
    PrintValue("WastePercentage", plot->WastePercentage, plot->WastePercentage ? "waste %" : "used %");
    PrintValue("DecimalYards", plot->DecimalYards);
    PrintValue("PlotDosNameFormat", plot->PlotDosNameFormat, plot->PlotDosNameFormat ? "long name" : "8 characters");
    PrintValue("PlotDosExtType", plot->PlotDosExtType, ExtensionType(plot->PlotDosExtType));
    PrintText("PlotDosExt", plot->PlotDosExt);
    PrintValue("PlotFilenameAppendCnt", plot->PlotFilenameAppendCnt);
}
