// The records cross the boundary by pointer: their layout is the interface,
// on both targets.
#include <cstddef>

#include "optora.h"

#define OPTORA_AT(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "::" #field)

OPTORA_AT(CutOptions_tag, DosCutPath, 0);
OPTORA_AT(CutOptions_tag, DosCutExtension, 256);
OPTORA_AT(CutOptions_tag, CutFormat, 512);
OPTORA_AT(CutOptions_tag, Export, 768);
OPTORA_AT(CutOptions_tag, SaveToStorageArea, 772);
OPTORA_AT(CutOptions_tag, Bundles_By, 776);
OPTORA_AT(CutOptions_tag, AutoCut, 780);
OPTORA_AT(CutOptions_tag, CutDefaultParamTbl, 784);
OPTORA_AT(CutOptions_tag, DosNameFormat, 1040);
OPTORA_AT(CutOptions_tag, DosExtType, 1044);
OPTORA_AT(CutOptions_tag, FilenameAppendCnt, 1048);
static_assert(sizeof(CutOptions_tag) == 1052, "CutOptions_tag size");

OPTORA_AT(PlotOptions_tag, DosPlotPath, 0);
OPTORA_AT(PlotOptions_tag, DosPlotType, 256);
OPTORA_AT(PlotOptions_tag, Bundles_By, 260);
OPTORA_AT(PlotOptions_tag, DefaultPlotQueue, 264);
OPTORA_AT(PlotOptions_tag, DefaultPlotMedia, 520);
OPTORA_AT(PlotOptions_tag, DefaultPlotOutput, 776);
OPTORA_AT(PlotOptions_tag, AutoPlot, 780);
OPTORA_AT(PlotOptions_tag, ImagePath, 784);
OPTORA_AT(PlotOptions_tag, ImageType, 1040);
OPTORA_AT(PlotOptions_tag, WastePercentage, 1296);
OPTORA_AT(PlotOptions_tag, DecimalYards, 1300);
OPTORA_AT(PlotOptions_tag, PlotDosNameFormat, 1304);
OPTORA_AT(PlotOptions_tag, PlotDosExtType, 1308);
OPTORA_AT(PlotOptions_tag, PlotDosExt, 1312);
OPTORA_AT(PlotOptions_tag, PlotFilenameAppendCnt, 1568);
static_assert(sizeof(PlotOptions_tag) == 1572, "PlotOptions_tag size");

OPTORA_AT(OrderOptions_tag, OverwriteMarker, 0);
OPTORA_AT(OrderOptions_tag, SplitPieceSeam, 8);
OPTORA_AT(OrderOptions_tag, LayruleMethod, 16);
static_assert(sizeof(OrderOptions_tag) == 24, "OrderOptions_tag size");

OPTORA_AT(UserEnvItems_tag, Bundles_By, 0);
OPTORA_AT(UserEnvItems_tag, OverwriteMarker, 4);
OPTORA_AT(UserEnvItems_tag, SplitPieceSeam, 8);
OPTORA_AT(UserEnvItems_tag, DosPlotPath, 16);
OPTORA_AT(UserEnvItems_tag, DosPlotType, 272);
OPTORA_AT(UserEnvItems_tag, DosCutPath, 276);
OPTORA_AT(UserEnvItems_tag, DosCutExtension, 532);
OPTORA_AT(UserEnvItems_tag, CutFormat, 788);
OPTORA_AT(UserEnvItems_tag, Export, 1044);
OPTORA_AT(UserEnvItems_tag, SaveToStorageArea, 1048);
OPTORA_AT(UserEnvItems_tag, GroupCount, 1052);
OPTORA_AT(UserEnvItems_tag, Reserved, 1056);
OPTORA_AT(UserEnvItems_tag, LayruleMethod, 1060);
static_assert(sizeof(UserEnvItems_tag) == 1064, "UserEnvItems_tag size");

// Texts are one pointer each, so the offsets after the first differ by target.
static_assert(sizeof(OptoraText) == sizeof(void*), "OptoraText is one pointer");
OPTORA_AT(VerifyOptions_tag, VerifyStorageArea, 0);
OPTORA_AT(VerifyOptions_tag, Model, 256);
#ifdef _WIN64
OPTORA_AT(VerifyOptions_tag, GradeRule, 264);
OPTORA_AT(VerifyOptions_tag, Prefix, 272);
OPTORA_AT(VerifyOptions_tag, Category, 280);
OPTORA_AT(VerifyOptions_tag, CategoryChB, 288);
OPTORA_AT(VerifyOptions_tag, StartingNumber, 292);
OPTORA_AT(VerifyOptions_tag, Size, 296);
OPTORA_AT(VerifyOptions_tag, Type, 304);
static_assert(sizeof(VerifyOptions_tag) == 312, "VerifyOptions_tag size");
#else
OPTORA_AT(VerifyOptions_tag, GradeRule, 260);
OPTORA_AT(VerifyOptions_tag, Prefix, 264);
OPTORA_AT(VerifyOptions_tag, Category, 268);
OPTORA_AT(VerifyOptions_tag, CategoryChB, 272);
OPTORA_AT(VerifyOptions_tag, StartingNumber, 276);
OPTORA_AT(VerifyOptions_tag, Size, 280);
OPTORA_AT(VerifyOptions_tag, Type, 284);
static_assert(sizeof(VerifyOptions_tag) == 288, "VerifyOptions_tag size");
#endif
