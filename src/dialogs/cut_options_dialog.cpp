#include "dialogs/cut_options_dialog.h"

#include <cstdint>
#include <cstring>

#include "dialogs/output_dialogs.h"
#include "frame/app_names.h"
#include "frame/library_text.h"
#include "frame/notifications.h"
#include "options/cut_options.h"
#include "options/field_copy.h"
#include "options/library_records.h"
#include "res/cut_options_ids.h"
#include "store/store_lock.h"
#include "ui/data_exchange.h"

namespace optora {
namespace {

const char* const kFormats[] = {"33format", "42format", "43format"};
constexpr uint32_t kCutterParameterTables = 0x1000;  // "cutgenpt"

UINT CaptionOf(const char* cutApp) {
    if (std::strcmp(cutApp, "CUTGEN_CUT_OPTIONS") == 0) return IDS_CUT_CAPTION_CUTGEN;
    if (std::strcmp(cutApp, "CUTPLOT_CUT_OPTIONS") == 0) return IDS_CUT_CAPTION_CUTPLOT;
    return IDS_CUT_CAPTION_DEFAULT;
}

}  // namespace

CCutOptionsDlg::CCutOptionsDlg(HWND owner) : ModalDialog(IDD_CUT_OPTIONS, owner) {
    Load();
    Listen(MessageId(OPTORA_MSG_CUTOPTIONS));
    Listen(MessageId(OPTORA_MSG_PLOTOPTIONS));
}

// Through the getter's own record: a load into a fresh record would count as
// the process's first and write this variant's directory over the device
// file's, which another application may just have stored.
void CCutOptionsDlg::Load() {
    const CutOptions_tag& stored = LibraryCutOptions();
    directory_ = FieldText(stored.DosCutPath);
    export_ = stored.Export;
    bundles_ = loadedBundles_ = stored.Bundles_By;
    extension_ = loadedExtension_ = FieldText(stored.DosCutExtension);
    saveToStorage_ = stored.SaveToStorageArea;
    autoCut_ = stored.AutoCut;
    parameterTable_ = loadedParameterTable_ = FieldText(stored.CutDefaultParamTbl);
    nameFormat_ = stored.DosNameFormat;
    extensionType_ = stored.DosExtType;
    appendCount_ = stored.FilenameAppendCnt;
    for (int i = 0; i < 3; ++i)  // an unknown format keeps the one shown
        if (FieldText(stored.CutFormat) == kFormats[i]) format_ = i;
    changed_ = false;
}

void CCutOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Check(IDC_CUT_TO_STORAGE, saveToStorage_);
    exchange.Check(IDC_CUT_EXPORT, export_);
    DDX_FileEditCtrl(exchange, IDC_CUT_DIRECTORY, directoryLookup_, CustomBrowse);
    exchange.RadioGroup(IDC_CUT_SHORT_NAME, nameFormat_);
    exchange.Check(IDC_CUT_APPEND_COUNT, appendCount_);
    exchange.RadioGroup(IDC_CUT_EXT_SPECIFIED, extensionType_);
    exchange.Text(IDC_CUT_EXTENSION, extension_);
    exchange.RadioGroup(IDC_CUT_FORMAT_33, format_);
    exchange.RadioGroup(IDC_CUT_BY_MARKER, bundles_);
    DDX_FileEditCtrl(exchange, IDC_CUT_TABLE, parameterTableLookup_, CustomBrowse);
    exchange.Check(IDC_CUT_AUTO, autoCut_);
}

bool CCutOptionsDlg::OnInitDialog() {
    ModalDialog::OnInitDialog();
    directoryAtOpening_ = directory_;
    directoryLookup_.SetMode(DosPathLookup::kCutDirectory, directory_);
    parameterTableLookup_.SetType(kCutterParameterTables, parameterTable_);
    shownDirectory_ = ui::WindowText(directoryLookup_.Handle());
    shownParameterTable_ = ui::WindowText(parameterTableLookup_.Handle());
    ApplyExportRule();
    ApplyAppendCountRule();
    ApplyExtensionRule();
    UpdateData(false);
    SetWindowTextA(Handle(), LibraryText(CaptionOf(CutAppName().Text())).c_str());
    locks_.Show(Handle());
    return true;
}

void CCutOptionsDlg::OnOutputClicked(int id) {
    UpdateData(true);
    if (saveToStorage_ || export_) {
        changed_ = true;
        ApplyExportRule();
        return;
    }
    MessageBoxA(Handle(), LibraryText(IDS_NO_CUT_OUTPUT).c_str(), nullptr, MB_OK);
    (id == IDC_CUT_TO_STORAGE ? saveToStorage_ : export_) = 1;
    UpdateData(false);
}

void CCutOptionsDlg::ApplyExtensionRule() {
    UpdateData(true);
    changed_ = true;
    if (ExtensionCountRule(Handle(), IDC_CUT_APPEND_COUNT, extensionType_, appendCount_)) UpdateData(false);
    locks_.Hold();
}

void CCutOptionsDlg::ApplyAppendCountRule() {
    UpdateData(true);
    changed_ = true;
    if (AppendCountRule(Handle(), IDC_CUT_EXT_COUNT, appendCount_, extensionType_)) UpdateData(false);
    locks_.Hold();
}

// Only an export uses the directory: while there is none the field takes no
// typing that OK would not keep.
void CCutOptionsDlg::ApplyExportRule() {
    EnableControls(Handle(), {IDC_CUT_DIRECTORY_LABEL, IDC_CUT_DIRECTORY}, export_ != 0);
    locks_.Hold();
}

CutOptions_tag CCutOptionsDlg::Record() const {
    CutOptions_tag record = {};
    CopyField(record.DosCutPath, directory_);
    CopyField(record.DosCutExtension, extension_);
    CopyField(record.CutFormat, format_ >= 0 && format_ < 3 ? kFormats[format_] : "");
    record.Export = export_;
    record.SaveToStorageArea = saveToStorage_;
    record.Bundles_By = bundles_;
    record.AutoCut = autoCut_;
    CopyField(record.CutDefaultParamTbl, parameterTable_);
    record.DosNameFormat = nameFormat_;
    record.DosExtType = extensionType_;
    record.FilenameAppendCnt = appendCount_;
    return record;
}

void CCutOptionsDlg::OnOK() {
    UpdateData(true);
    // Only an export uses the directory: an offline share the user does not
    // export to neither blocks the other settings nor gets created.
    bool directoryValid = true;
    if (export_) {
        directoryValid = directoryLookup_.CheckDirectory();
        if (directoryValid)
            directory_ = ui::WindowText(directoryLookup_.Handle());
        else
            SetFocus(directoryLookup_.Handle());
    }
    parameterTable_ = ui::WindowText(parameterTableLookup_.Handle());
    const bool outputChosen = saveToStorage_ || export_;
    if (!outputChosen) MessageBoxA(Handle(), LibraryText(IDS_NO_CUT_OUTPUT).c_str(), nullptr, MB_OK);
    if (!outputChosen || !directoryValid) {
        InvalidateRect(Handle(), nullptr, TRUE);
        return;
    }
    {
        const StoreLock hold;  // both keys in one save, let go before the broadcast
        SaveCutOptions(Record());
        SaveCutOptionsWhereRead(Record());
    }
    // Typed texts count as changes too, or one typed after a reload would be
    // saved but never announced.
    if (directory_ != directoryAtOpening_ || bundles_ != loadedBundles_ || extension_ != loadedExtension_ ||
        parameterTable_ != loadedParameterTable_)
        changed_ = true;
    if (changed_) {
        BroadcastOutputChange(Handle());
        changed_ = false;
    }
    EndDialog(IDOK);
}

bool CCutOptionsDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_CUT_TO_STORAGE: case IDC_CUT_EXPORT: OnOutputClicked(id); break;
    case IDC_CUT_EXT_SPECIFIED: case IDC_CUT_EXT_COUNT: case IDC_CUT_EXT_DASH: case IDC_CUT_EXT_NONE:
        ApplyExtensionRule();
        break;
    case IDC_CUT_APPEND_COUNT: ApplyAppendCountRule(); break;
    case IDC_CUT_FORMAT_33: case IDC_CUT_FORMAT_42: case IDC_CUT_FORMAT_43: case IDC_CUT_BY_MARKER:
    case IDC_CUT_BY_MODEL: case IDC_CUT_SHORT_NAME: case IDC_CUT_LONG_NAME: case IDC_CUT_AUTO:
        UpdateData(true);
        changed_ = true;
        break;
    default: break;
    }
    return false;
}

bool CCutOptionsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsPolicyChange(message, lParam)) {
        locks_.Show(Handle());
        Reload();
        directoryAtOpening_ = directory_;  // what the administrator changed is no news from here
        return false;
    }
    if (message != WM_CTLCOLOREDIT) return false;
    const bool rejected = reinterpret_cast<HWND>(lParam) == directoryLookup_.Handle() && !directoryLookup_.IsValid();
    result = reinterpret_cast<LRESULT>(ColourControl(Handle(), message, wParam, lParam, rejected));
    return true;
}

// The lookups show the new texts unless the user edited them since: OK then
// saves neither a stale text over another application's nor drops an edit.
LRESULT CCutOptionsDlg::OnRegisteredMessage(UINT, WPARAM wParam, LPARAM) {
    if (FromElsewhere(Handle(), wParam)) Reload();
    return 0;
}

void CCutOptionsDlg::Reload() {
    Load();
    UpdateData(false);
    RefreshUntouched(directoryLookup_.Handle(), shownDirectory_, directory_);
    RefreshUntouched(parameterTableLookup_.Handle(), shownParameterTable_, parameterTable_);
    // The rules' enabling only: the loaded values are what they are.
    int appendCount = appendCount_, extensionType = extensionType_;
    ExtensionCountRule(Handle(), IDC_CUT_APPEND_COUNT, extensionType_, appendCount);
    AppendCountRule(Handle(), IDC_CUT_EXT_COUNT, appendCount_, extensionType);
    ApplyExportRule();
}

}  // namespace optora
