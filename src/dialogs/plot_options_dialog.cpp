#include "dialogs/plot_options_dialog.h"

#include <cstring>
#include <vector>

#include "dialogs/output_dialogs.h"
#include "frame/app_names.h"
#include "frame/library_text.h"
#include "frame/notifications.h"
#include "options/field_copy.h"
#include "options/library_records.h"
#include "options/notation.h"
#include "options/plot_options.h"
#include "res/output_ids.h"
#include "res/plot_options_ids.h"
#include "store/plot_queues.h"
#include "store/store_lock.h"
#include "ui/data_exchange.h"

namespace optora {
namespace {

// The destination that plots to files, as the queue library names it.
constexpr const char* kFileDestination = "DOS FILE";

struct ApplicationLook {
    const char* name;
    UINT caption;
    std::vector<int> disabled;
};

const ApplicationLook& LookOf(const char* plotApp) {
    static const std::vector<int> utilization = {IDC_PLOT_UTILIZATION_GROUP, IDC_PLOT_USED_GROUP,
                                                 IDC_PLOT_LENGTH_GROUP,      IDC_PLOT_USED,
                                                 IDC_PLOT_WASTE,             IDC_PLOT_LENGTH_MIXED,
                                                 IDC_PLOT_LENGTH_DECIMAL};
    const auto with = [](std::vector<int> ids, std::initializer_list<int> more) {
        ids.insert(ids.begin(), more);
        return ids;
    };
    static const ApplicationLook looks[] = {
        {"CUTPLOT_PLOT_OPTIONS", IDS_PLOT_CAPTION_CUTPLOT,
         with(utilization, {IDC_PLOT_BY_MARKER, IDC_PLOT_BY_MODEL, IDC_PLOT_BUNDLES_GROUP,
                            IDC_PLOT_IMAGE_DIRECTORY_LABEL, IDC_PLOT_IMAGE_DIRECTORY, IDC_PLOT_IMAGE_TYPE_LABEL,
                            IDC_PLOT_IMAGE_TYPE, IDC_PLOT_IMAGE_GROUP})},
        {"MARKERPLOT_PLOT_OPTIONS", IDS_PLOT_CAPTION_MARKERPLOT, {}},
        {"PIECEPLOT_PLOT_OPTIONS", IDS_PLOT_CAPTION_PIECEPLOT,
         with(utilization, {IDC_PLOT_BY_MARKER, IDC_PLOT_BY_MODEL, IDC_PLOT_BUNDLES_GROUP, IDC_PLOT_AUTO})},
        {nullptr, IDS_PLOT_CAPTION_DEFAULT, {}},
    };
    for (const ApplicationLook& look : looks)
        if (!look.name || std::strcmp(look.name, plotApp) == 0) return look;
    return looks[0];  // not reached: the last row takes every name
}

// Selects the entry equal to text but for case and gives its text; a text
// no entry matches stays shown, unselected, and comes back unchanged.
std::string ShowChoice(ui::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i) {
        if (_stricmp(list.ItemText(i).c_str(), text.c_str()) == 0) {
            list.Select(i);
            return list.ItemText(i);
        }
    }
    list.Send(CB_SETCURSEL, static_cast<WPARAM>(-1));
    SetWindowTextA(list.Handle(), text.c_str());
    return text;
}

std::string SelectFirst(ui::ComboBox& list) { return list.Select(0) ? list.ItemText(0) : std::string(); }

}  // namespace

CPlotOptionsDlg::CPlotOptionsDlg(HWND owner, int showAstm) : ModalDialog(IDD_PLOT_OPTIONS, owner), showAstm_(showAstm) {
    Load();
    Listen(MessageId(OPTORA_MSG_PLOTOPTIONS));
    Listen(MessageId(OPTORA_MSG_CUTOPTIONS));
}

// Through the getter's own record: the dialog shows what the getter hands
// out, the ZID directory included.
void CPlotOptionsDlg::Load() {
    const PlotOptions_tag& stored = LibraryPlotOptions();
    fileType_ = stored.DosPlotType;
    plotDirectory_ = FieldText(stored.DosPlotPath);
    imageDirectory_ = FieldText(stored.ImagePath);
    imageType_ = FieldText(stored.ImageType);
    nameFormat_ = stored.PlotDosNameFormat;
    extensionType_ = stored.PlotDosExtType;
    extension_ = FieldText(stored.PlotDosExt);
    appendCount_ = stored.PlotFilenameAppendCnt;
    waste_ = stored.WastePercentage;
    decimal_ = stored.DecimalYards;
    storedDestination_ = FieldText(stored.DefaultPlotQueue);
    storedMedia_ = FieldText(stored.DefaultPlotMedia);
    output_ = stored.DefaultPlotOutput;
    bundles_ = stored.Bundles_By;
    autoPlot_ = stored.AutoPlot;
    changed_ = false;
    if (Handle()) Initialise();
}

void CPlotOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.RadioGroup(IDC_PLOT_GENERIC, fileType_);
    exchange.RadioGroup(IDC_PLOT_BY_MARKER, bundles_);
    exchange.Control(IDC_PLOT_DESTINATION, destinationList_);
    exchange.Control(IDC_PLOT_MEDIA, mediaList_);
    DDX_FileEditCtrl(exchange, IDC_PLOT_DIRECTORY, plotDirectoryLookup_, CustomBrowse);
    DDX_FileEditCtrl(exchange, IDC_PLOT_IMAGE_DIRECTORY, imageDirectoryLookup_, CustomBrowse);
    exchange.Control(IDC_PLOT_IMAGE_TYPE, imageTypeList_);
    exchange.ComboText(IDC_PLOT_IMAGE_TYPE, imageType_);
    exchange.Check(IDC_PLOT_AUTO, autoPlot_);
    exchange.RadioGroup(IDC_PLOT_USED, waste_);
    exchange.RadioGroup(IDC_PLOT_LENGTH_MIXED, decimal_);
    exchange.RadioGroup(IDC_PLOT_SHORT_NAME, nameFormat_);
    exchange.Check(IDC_PLOT_APPEND_COUNT, appendCount_);
    exchange.RadioGroup(IDC_PLOT_EXT_SPECIFIED, extensionType_);
    exchange.Text(IDC_PLOT_EXTENSION, extension_);
}

bool CPlotOptionsDlg::OnInitDialog() {
    ModalDialog::OnInitDialog();
    plotDirectoryLookup_.SetMode(DosPathLookup::kPlotDirectory, plotDirectory_);
    imageDirectoryLookup_.SetMode(DosPathLookup::kPlotDirectory, imageDirectory_);
    shownPlotDirectory_ = ui::WindowText(plotDirectoryLookup_.Handle());
    shownImageDirectory_ = ui::WindowText(imageDirectoryLookup_.Handle());
    Initialise();
    locks_.Show(Handle());
    return true;
}

// Also after a reload: lists refilled, rules, captions and looks applied
// again; a directory the user is typing stays.
void CPlotOptionsDlg::Initialise() {
    UpdateData(false);
    RefreshUntouched(plotDirectoryLookup_.Handle(), shownPlotDirectory_, plotDirectory_);
    RefreshUntouched(imageDirectoryLookup_.Handle(), shownImageDirectory_, imageDirectory_);
    if (imageTypeList_.Count() == 0)
        for (const char* type : {"JPEG", "EMF", "BMP"}) imageTypeList_.Add(type);

    FillDestinations();
    ApplyDestinationRule();
    // A stored media the queue no longer offers is kept until the user picks one.
    if (!storedMedia_.empty()) media_ = ShowChoice(mediaList_, storedMedia_);
    ShowUnits();
    ApplyAppendCountRule();
    ApplyExtensionRule();
    UpdateData(false);
    ShowWindow(Item(IDC_PLOT_ASTM), showAstm_ ? SW_SHOW : SW_HIDE);
    ShowApplicationLook();
    locks_.Hold();
}

// A stored destination the queue library no longer offers (renamed, offline)
// is kept, not replaced by the first entry, until the user picks another.
void CPlotOptionsDlg::FillDestinations() {
    destinationList_.Clear();
    for (const std::string& name : PlotDestinations(kFileDestination)) destinationList_.InsertAt(-1, name);
    destination_ = storedDestination_.empty() ? SelectFirst(destinationList_)
                                              : ShowChoice(destinationList_, storedDestination_);
}

bool CPlotOptionsDlg::PlotsToFile() const { return destination_ == kFileDestination; }

void CPlotOptionsDlg::ApplyDestinationRule() {
    Touch();
    output_ = PlotsToFile() ? 1 : 0;
    EnableControls(Handle(),
                   {IDC_PLOT_DIRECTORY, IDC_PLOT_DIRECTORY_LABEL, IDC_PLOT_NAME_GROUP, IDC_PLOT_EXTENSION_GROUP,
                    IDC_PLOT_SHORT_NAME, IDC_PLOT_LONG_NAME, IDC_PLOT_APPEND_COUNT, IDC_PLOT_EXT_SPECIFIED,
                    IDC_PLOT_EXT_COUNT, IDC_PLOT_EXT_DASH, IDC_PLOT_EXT_NONE, IDC_PLOT_EXTENSION},
                   PlotsToFile());
    mediaList_.Clear();
    for (const std::string& name : PlotMedia(destination_, LibraryText(IDS_PLOT_MEDIA_NONE).c_str()))
        mediaList_.Add(name);
    UpdateData(false);
    media_ = SelectFirst(mediaList_);
    const bool fileDestination = _stricmp(destination_.c_str(), kFileDestination) == 0;
    EnableWindow(mediaList_.Handle(), !fileDestination && mediaList_.Count() != 1);
    locks_.Hold();
}

// The count rules hold for a plot file only: a queue leaves both counts off.
bool CPlotOptionsDlg::CountRulesApply() {
    Touch();
    if (PlotsToFile()) return true;
    EnableControls(Handle(), {IDC_PLOT_APPEND_COUNT, IDC_PLOT_EXT_COUNT}, false);
    return false;
}

void CPlotOptionsDlg::ApplyExtensionRule() {
    if (CountRulesApply() && ExtensionCountRule(Handle(), IDC_PLOT_APPEND_COUNT, extensionType_, appendCount_))
        UpdateData(false);
    locks_.Hold();
}

void CPlotOptionsDlg::ApplyAppendCountRule() {
    if (CountRulesApply() && AppendCountRule(Handle(), IDC_PLOT_EXT_COUNT, appendCount_, extensionType_))
        UpdateData(false);
    locks_.Hold();
}

void CPlotOptionsDlg::ShowUnits() {
    char measure[10] = "0";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof measure);
    const bool us = measure[0] == '1' && measure[1] == '\0';
    SetDlgItemTextA(Handle(), IDC_PLOT_LENGTH_DECIMAL, LibraryText(us ? IDS_DECIMAL_YARDS : IDS_DECIMAL_METERS).c_str());
    SetDlgItemTextA(Handle(), IDC_PLOT_LENGTH_MIXED, LibraryText(us ? IDS_YARDS_INCHES : IDS_METERS_CM).c_str());
}

void CPlotOptionsDlg::ShowApplicationLook() {
    const ApplicationLook& look = LookOf(PlotAppName().Text());
    SetWindowTextA(Handle(), LibraryText(look.caption).c_str());
    for (int id : look.disabled) EnableWindow(Item(id), FALSE);
}

void CPlotOptionsDlg::Touch() {
    UpdateData(true);
    changed_ = true;
}

PlotOptions_tag CPlotOptionsDlg::Record() const {
    PlotOptions_tag record = {};
    record.DosPlotType = fileType_;
    CopyField(record.DosPlotPath, plotDirectory_);
    record.AutoPlot = autoPlot_;
    // With nothing offered and nothing chosen, the stored names stay.
    CopyField(record.DefaultPlotQueue, destination_.empty() ? storedDestination_ : destination_);
    CopyField(record.DefaultPlotMedia, media_.empty() ? storedMedia_ : media_);
    record.Bundles_By = bundles_;
    record.DefaultPlotOutput = output_;
    CopyField(record.ImagePath, imageDirectory_);
    CopyField(record.ImageType, imageType_);
    record.DecimalYards = decimal_;
    record.PlotDosNameFormat = nameFormat_;
    record.WastePercentage = waste_;
    record.PlotDosExtType = extensionType_;
    CopyField(record.PlotDosExt, extension_);
    record.PlotFilenameAppendCnt = appendCount_;
    return record;
}

void CPlotOptionsDlg::OnOK() {
    UpdateData(true);
    // A queue destination neither needs nor changes the plot directory.
    if (output_ == 1) {
        if (!plotDirectoryLookup_.CheckDirectory()) {
            SetFocus(plotDirectoryLookup_.Handle());
            InvalidateRect(Handle(), nullptr, TRUE);
            return;
        }
        plotDirectory_ = ui::WindowText(plotDirectoryLookup_.Handle());
    }
    imageDirectory_ = ui::WindowText(imageDirectoryLookup_.Handle());
    if (changed_) {
        {
            const StoreLock hold;  // both keys in one save, let go before the broadcast
            SavePlotOptions(Record());
            SavePlotOptionsWhereRead(Record());
        }
        BroadcastOutputChange(Handle());
        changed_ = false;
    }
    EndDialog(IDOK);
}

bool CPlotOptionsDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_PLOT_EXT_SPECIFIED: case IDC_PLOT_EXT_COUNT: case IDC_PLOT_EXT_DASH: case IDC_PLOT_EXT_NONE:
            ApplyExtensionRule();
            break;
        case IDC_PLOT_APPEND_COUNT: ApplyAppendCountRule(); break;
        case IDC_PLOT_AUTO: case IDC_PLOT_BY_MARKER: case IDC_PLOT_BY_MODEL: case IDC_PLOT_SHORT_NAME:
        case IDC_PLOT_LONG_NAME:
            Touch();
            break;
        case IDC_PLOT_GENERIC: case IDC_PLOT_HPGL: case IDC_PLOT_DXF: case IDC_PLOT_ASTM:
            if (IsWindowVisible(Handle())) Touch();
            break;
        default: break;
        }
        return false;
    }
    if (id == IDC_PLOT_DESTINATION && code == CBN_SELCHANGE) {
        if (destinationList_.Selection() != CB_ERR) destination_ = destinationList_.ItemText(destinationList_.Selection());
        ApplyDestinationRule();
        // The rules of the file names follow the destination they now belong to.
        ApplyAppendCountRule();
        ApplyExtensionRule();
    } else if (id == IDC_PLOT_MEDIA && code == CBN_SELCHANGE) {
        Touch();
        if (mediaList_.Selection() != CB_ERR) media_ = mediaList_.ItemText(mediaList_.Selection());
    } else if (code == CBN_KILLFOCUS && (id == IDC_PLOT_DESTINATION || id == IDC_PLOT_MEDIA)) {
        // Typing picks nothing: the field shows again what OK would save.
        ShowChoice(id == IDC_PLOT_DESTINATION ? destinationList_ : mediaList_,
                   id == IDC_PLOT_DESTINATION ? destination_ : media_);
    }
    return false;
}

bool CPlotOptionsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsPolicyChange(message, lParam)) {
        locks_.Show(Handle());
        Load();
        return false;
    }
    if (message != WM_CTLCOLORSTATIC) return false;
    const bool rejected = reinterpret_cast<HWND>(lParam) == Item(IDC_PLOT_DIRECTORY_LABEL) &&
                          !plotDirectoryLookup_.IsValid();
    result = reinterpret_cast<LRESULT>(ColourControl(Handle(), message, wParam, lParam, rejected));
    return true;
}

LRESULT CPlotOptionsDlg::OnRegisteredMessage(UINT, WPARAM wParam, LPARAM) {
    if (FromElsewhere(Handle(), wParam)) Load();
    return 0;
}

}  // namespace optora
