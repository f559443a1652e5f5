#include "options/plot_options.h"

#include <cstring>
#include <string>

#include "frame/app_names.h"
#include "frame/library_text.h"
#include "options/device_file.h"
#include "options/field_copy.h"
#include "options/output_paths.h"
#include "options/output_storage.h"
#include "options/policy.h"
#include "res/output_ids.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

constexpr const char* kPiecePlot = "PIECEPLOT_PLOT_OPTIONS";
constexpr const char* kZidPlot = "ZID_PLOT_OPTIONS";

// Queue and media names: a stored empty text counts as missing.
bool ReadName(const RegistryKey& key, const char* name, std::string& out) {
    return key.ReadText(name, out) && !out.empty();
}

// Writes only the values that differ, so a load that repairs nothing new
// leaves the registry and the device file untouched.
// The load hands in its key: values it read need no second query.
void WritePlotValues(RegistryKey& plot, const PlotOptions_tag& options) {
    const auto text = [&plot](const char* name, const auto& field) {
        plot.UpdateText(name, std::string(FieldText(field)));
    };
    plot.UpdateInt32("DosPlotType", options.DosPlotType);
    text("DosPlotPath", options.DosPlotPath);
    text("ImagePath", options.ImagePath);
    text("ImageType", options.ImageType);
    text("DefaultPlotQueue", options.DefaultPlotQueue);
    text("DefaultPlotMedia", options.DefaultPlotMedia);
    plot.UpdateInt32("DefaultPlotOutput", options.DefaultPlotOutput);
    plot.UpdateInt32("AutoPlot", options.AutoPlot);
    plot.UpdateInt32("WastePercentage", options.WastePercentage);
    plot.UpdateInt32("DecimalYards", options.DecimalYards);
    plot.UpdateInt32("PlotDosNameFormat", options.PlotDosNameFormat);
    plot.UpdateInt32("PlotDosExtType", options.PlotDosExtType);
    text("PlotDosExt", options.PlotDosExt);
    plot.UpdateInt32("PlotFilenameAppendCnt", options.PlotFilenameAppendCnt);
}

constexpr const char* kPlotVariants[] = {"CUTPLOT_PLOT_OPTIONS", "MARKERPLOT_PLOT_OPTIONS", kZidPlot, kPiecePlot};

// Callers hold the store lock, and took it before reading the device file.
void StorePlotOptions(const PlotOptions_tag& options, std::optional<DeviceFileRecord> device, SharedBundles& bundles,
                      RegistryKey* loaded = nullptr) {
    SaveUnderApplication(keys::kPlotOptions, PlotAppName().Text(), kPlotVariants, loaded, [&options](RegistryKey& plot) {
        WritePlotValues(plot, options);
        plot.Close();
    });
    bundles.Update(options.Bundles_By);

    if (device) {
        device->plotDestination = FieldText(options.DosPlotPath);
        device->plotType = options.DosPlotType;
        WriteDeviceFile(std::move(device));
    }
}

}  // namespace

const char* PlotVariant(const char* appName) { return KnownVariant(appName, kPlotVariants, "DEFAULT_PLOT_OPTIONS"); }

void LoadPlotOptions(PlotOptions_tag& options, DeviceFileSeen* seen) {
    const StoreLock hold;
    const char* variant = PlotVariant(PlotAppName().Text());
    RegistryKey plot(HKEY_CURRENT_USER, std::string(keys::kPlotOptions) + '\\' + variant);
    plot.SetOverlay(PolicyOverlay(keys::kPlotOptions, PlotAppName().Text()));
    plot.OpenForReading();  // a missing key reads as missing values

    bool haveType = ReadInteger(plot, "DosPlotType", options.DosPlotType);
    std::string path, queue, media, imagePath, imageType;
    bool havePath = plot.ReadText("DosPlotPath", path);
    const bool haveQueue = ReadName(plot, "DefaultPlotQueue", queue);
    const bool haveMedia = ReadName(plot, "DefaultPlotMedia", media);
    const bool haveOutput = ReadInteger(plot, "DefaultPlotOutput", options.DefaultPlotOutput);
    bool haveAutoPlot = true;
    if (std::strcmp(variant, kPiecePlot) == 0)
        options.AutoPlot = 0;  // piece plots are never processed automatically
    else
        haveAutoPlot = ReadInteger(plot, "AutoPlot", options.AutoPlot);
    bool haveImagePath = plot.ReadText("ImagePath", imagePath);
    bool haveImageType = plot.ReadText("ImageType", imageType);
    int waste = 0, decimalYards = 0;
    const bool haveWaste = ReadInteger(plot, "WastePercentage", waste);
    const bool haveDecimalYards = ReadInteger(plot, "DecimalYards", decimalYards);
    ReadFlag(plot, "PlotDosNameFormat", options.PlotDosNameFormat);
    if (std::strcmp(variant, kZidPlot) == 0) {  // an administrator's lock wins over its rules
        const auto rule = [](const char* name, int& field, int value) {
            if (!LockOf(keys::kPlotOptions, name, kZidPlot)) field = value;
        };
        rule("DefaultPlotOutput", options.DefaultPlotOutput, 1);
        rule("PlotDosNameFormat", options.PlotDosNameFormat, 1);
        rule("DosPlotType", options.DosPlotType, 0);
    }
    ReadInteger(plot, "PlotDosExtType", options.PlotDosExtType);
    ReadFlag(plot, "PlotFilenameAppendCnt", options.PlotFilenameAppendCnt);
    std::string extension;
    if (!ReadName(plot, "PlotDosExt", extension)) extension = ".PLT";
    CopyField(options.PlotDosExt, WithoutDots(extension));
    plot.Close();

    // What the registry held: the normalised values below are compared with these.
    CopyField(options.DosPlotPath, path);
    CopyField(options.ImagePath, imagePath);
    CopyField(options.ImageType, imageType);
    options.WastePercentage = waste;
    options.DecimalYards = decimalYards;

    // Shared with the cut options; older installations kept it with the marker editor only.
    SharedBundles bundles;
    const bool haveBundles = bundles.Read(options.Bundles_By, true);

    CopyField(options.DefaultPlotQueue, queue);
    CopyField(options.DefaultPlotMedia, media);
    bool complete = haveType && havePath && haveBundles && haveQueue && haveMedia && haveOutput && haveAutoPlot &&
                    haveImagePath && haveImageType;

    std::optional<DeviceFileRecord> device;
    const bool deviceRead = !complete;
    if (deviceRead) device = ReadDeviceFile(kDeviceFilePath, seen);
    if (device) {
        // An administrator's lock wins over the device file's values.
        const auto unlocked = [](const char* name) { return !LockOf(keys::kPlotOptions, name, PlotAppName().Text()); };
        if (unlocked("DosPlotPath")) path = device->plotDestination;
        if (unlocked("DosPlotType")) options.DosPlotType = device->plotType;
        havePath = haveType = true;
        if (unlocked("DefaultPlotOutput")) options.DefaultPlotOutput = 0;
        if (unlocked("DefaultPlotQueue"))
            CopyField(options.DefaultPlotQueue, LibraryText(IDS_PLOT_QUEUE_DOS_FILE, "DOS File"));
        if (unlocked("DefaultPlotMedia")) CopyField(options.DefaultPlotMedia, LibraryText(IDS_PLOT_MEDIA_NONE, "None"));
        if (unlocked("ImagePath")) imagePath = device->plotDestination;
        if (unlocked("ImageType")) imageType = "JPEG";
        haveImagePath = haveImageType = true;
    }

    path = AnchoredPath(path, "C:\\");
    imagePath = CollapseBackslashes(imagePath);
    if (!havePath) path = "C:\\PLOT";
    if (!haveImagePath) imagePath = path;
    if (!haveImageType) imageType = "JPEG";
    if (!haveWaste || options.WastePercentage < 0) options.WastePercentage = 0;
    if (!haveDecimalYards || options.DecimalYards < 0) options.DecimalYards = 0;

    // Only a value this load had to change is written back.
    const auto settle = [&complete](auto& field, const std::string& value) {
        const std::string_view fitted = FieldFit(field, value);
        if (fitted == FieldText(field)) return;
        CopyField(field, fitted);
        complete = false;
    };
    settle(options.DosPlotPath, path);
    settle(options.ImagePath, imagePath);
    settle(options.ImageType, imageType);

    if (!haveOutput) options.DefaultPlotOutput = 0;  // even for ZID, until a value is stored

    if (!complete)
        StorePlotOptions(options, deviceRead ? std::move(device) : ReadDeviceFile(kDeviceFilePath, seen), bundles, &plot);
}

void SavePlotOptions(PlotOptions_tag options) {
    const StoreLock hold;
    SharedBundles bundles;
    StorePlotOptions(options, ReadDeviceFile(), bundles);
}

void SavePlotOptionsWhereRead(const PlotOptions_tag& options) {
    const char* app = PlotAppName().Text();
    SaveWhereRead(keys::kPlotOptions, app, PlotVariant(app),
                  [&options](RegistryKey& plot) { WritePlotValues(plot, options); });
}

void ApplyZidPlotPath(PlotOptions_tag& options) {
    if (std::strcmp(PlotAppName().Text(), kZidPlot) != 0 || LockOf(keys::kPlotOptions, "DosPlotPath", kZidPlot)) return;
    RegistryKey zid(HKEY_CURRENT_USER, keys::kZid);
    std::string directory;
    if (!zid.OpenForReading() || !zid.ReadText("PATH", directory)) return;
    // The stored directory ends in a backslash; a long one leaves the name cut.
    CopyField(options.DosPlotPath, directory + "lotprint");
}

}  // namespace optora
