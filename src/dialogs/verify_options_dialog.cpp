#include "dialogs/verify_options_dialog.h"

#include <algorithm>

#include "controls/devadod_dialog.h"
#include "controls/edit_filter.h"
#include "controls/file_choice.h"
#include "frame/library_text.h"
#include "frame/notifications.h"
#include "optora.h"
#include "options/storage_area.h"
#include "programs/command_line.h"
#include "programs/program_lookup.h"
#include "programs/program_start.h"
#include "res/verify_ids.h"
#include "ui/data_exchange.h"
#include "ui/validation_text.h"
#include "ui/window_text.h"

namespace optora {
namespace {

constexpr size_t kAreaLength = OPTORA_STORAGE_AREA_SIZE - 1;
constexpr size_t kPrefixLength = 16;
constexpr size_t kSizeLength = 6;
constexpr int kLargestStartingNumber = 9999;

// One of the record's texts through a field; a rejected field keeps the
// record's text.
void ExchangeText(ui::DataExchange& exchange, int id, OptoraText& field, size_t maxLength) {
    std::string text(VerifyOptions::Read(field));
    exchange.Text(id, text, maxLength);
    if (exchange.Saving() && !exchange.Failed()) VerifyOptions::Assign(field, text);
}


}  // namespace

CVerifyOptionsDlg::CVerifyOptionsDlg(HWND owner, int focusId)
    : ModalDialog(IDD_VERIFY_OPTIONS, owner),
      areaBrowseKey_(IDC_VERIFY_AREA_BROWSE),
      modelBrowseKey_(IDC_VERIFY_MODEL_BROWSE),
      ruleBrowseKey_(IDC_VERIFY_RULE_BROWSE),
      focusId_(focusId == -1 ? IDC_VERIFY_AREA : focusId) {}

void CVerifyOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Control(IDC_VERIFY_SIZE, size_);
    exchange.Control(IDC_VERIFY_RULE_TYPE, gradingSource_);

    std::string area(record_.StorageArea());
    exchange.Text(IDC_VERIFY_AREA, area, kAreaLength);
    if (exchange.Saving() && !exchange.Failed()) record_.SetStorageArea(area);
    ExchangeText(exchange, IDC_VERIFY_PREFIX, record_.Prefix, kPrefixLength);
    if (exchange.Saving()) {
        int number = 0;
        exchange.WholeNumber(IDC_VERIFY_START, number, 0, kLargestStartingNumber);
        if (!exchange.Failed()) record_.StartingNumber = static_cast<uint32_t>(number);
    } else {
        SetDlgItemTextA(Handle(), IDC_VERIFY_START, std::to_string(record_.StartingNumber).c_str());
    }
    ExchangeText(exchange, IDC_VERIFY_CATEGORY, record_.Category, 0);
    int sameCategory = record_.CategoryChB ? BST_CHECKED : BST_UNCHECKED;
    exchange.Check(IDC_VERIFY_SAME_CATEGORY, sameCategory);
    if (exchange.Saving()) record_.CategoryChB = sameCategory == BST_CHECKED;  // skipped: unchanged
    ExchangeText(exchange, IDC_VERIFY_SIZE, record_.Size, kSizeLength);
    ExchangeText(exchange, IDC_VERIFY_MODEL, record_.Model, ItemName::kMaxLength);
    ExchangeText(exchange, IDC_VERIFY_RULE, record_.GradeRule, ItemName::kMaxLength);
    int type = record_.Type;
    exchange.ComboIndex(IDC_VERIFY_RULE_TYPE, type);
    if (exchange.Saving()) record_.Type = type;
}

bool CVerifyOptionsDlg::OnInitDialog() {
    initializing_ = true;
    for (UINT id : {IDS_VERIFY_RULE_TABLE_ITEM, IDS_VERIFY_COPY_PIECE_ITEM})
        SendDlgItemMessageA(Handle(), IDC_VERIFY_RULE_TYPE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LibraryText(id).c_str()));
    locks_.Show(Handle());
    Load();
    SendDlgItemMessageA(Handle(), IDC_VERIFY_START, EM_LIMITTEXT, 4, 0);
    for (int id : {IDC_VERIFY_MODEL, IDC_VERIFY_AREA, IDC_VERIFY_RULE, IDC_VERIFY_PREFIX, IDC_VERIFY_CATEGORY})
        InstallEditFilter(RememberWindowProc(Item(id)), 1, false);
    areaBrowseKey_.Attach(Item(IDC_VERIFY_AREA));
    modelBrowseKey_.Attach(Item(IDC_VERIFY_MODEL));
    ruleBrowseKey_.Attach(Item(IDC_VERIFY_RULE));
    initializing_ = false;
    SetFocus(Item(focusId_));
    return false;
}

void CVerifyOptionsDlg::Load() {
    store_.Load();
    UpdateData(false);
    ShowGradingSource(record_.Type != 0);
    EnableCategory();
}

bool CVerifyOptionsDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (IsPolicyChange(message, lParam)) {
        locks_.Show(Handle());
        initializing_ = true;
        Load();
        initializing_ = false;
    }
    return false;
}

void CVerifyOptionsDlg::OnOK() {
    if (!UpdateData(true)) return;
    const std::string area(record_.StorageArea());
    if (!StorageAreaAccepted(area)) return Refuse(IDS_VERIFY_NO_AREA, IDC_VERIFY_AREA, {area});
    NormalizeModel(record_);
    if (!GradeRuleAccepted(record_))
        return Refuse(record_.Type == 1 ? IDS_VERIFY_NO_PIECE : IDS_VERIFY_NO_RULE_TABLE, IDC_VERIFY_RULE,
                      {std::string(VerifyOptions::Read(record_.GradeRule)), area});
    EndDialog(IDOK);
    uint32_t changes = 0;
    if (store_.Save(changes)) Broadcast(OPTORA_MSG_VERIFYOPTIONS, changes, 0, kBroadcastDefault);
}

bool CVerifyOptionsDlg::OnCommand(WORD id, WORD code, HWND) {
    const bool clicked = code == BN_CLICKED;
    if (id == IDC_VERIFY_AREA && code == EN_CHANGE)
        OnStorageAreaChanged();
    else if (id == IDC_VERIFY_PREFIX && code == EN_CHANGE && !initializing_) {
        // A new prefix starts a new series.
        record_.StartingNumber = 1;
        SetDlgItemTextA(Handle(), IDC_VERIFY_START, "1");
    } else if (id == IDC_VERIFY_RULE_TYPE && code == CBN_SELCHANGE) {
        ShowGradingSource(gradingSource_.Selection() != 0);
        SetDlgItemTextA(Handle(), IDC_VERIFY_RULE, "");
    } else if (id == IDC_VERIFY_AREA_BROWSE && clicked)
        BrowseStorageArea();
    else if (id == IDC_VERIFY_MODEL_BROWSE && clicked)
        BrowseItem(IDC_VERIFY_MODEL, file_choice::kModels);
    else if (id == IDC_VERIFY_RULE_BROWSE && clicked)
        BrowseItem(IDC_VERIFY_RULE, gradingSource_.Selection() != 0 ? file_choice::kPieces : file_choice::kRuleTables);
    else if (id == IDC_VERIFY_SAME_CATEGORY && clicked)
        EnableCategory();
    else if (id == IDC_VERIFY_START_MODEL)
        StartModelProgram();
    else
        return false;
    return true;
}

// Model and grading source belong to the area they were chosen in. Only the
// area is read back: the other fields are checked on OK, not while the user
// types here.
void CVerifyOptionsDlg::OnStorageAreaChanged() {
    if (initializing_) return;
    SetDlgItemTextA(Handle(), IDC_VERIFY_RULE, "");
    SetDlgItemTextA(Handle(), IDC_VERIFY_MODEL, "");
    record_.SetStorageArea(ui::WindowText(Item(IDC_VERIFY_AREA)));
}

void CVerifyOptionsDlg::BrowseStorageArea() {
    Designation designation = SplitDesignation(record_.StorageArea());
    uint32_t index = 0;
    std::vector<std::string> unused;
    CDevaDodDialog chooser(Handle(), true, CDevaDodDialog::kBufferSize);
    if (!chooser.ChooseItems("Test", file_choice::kStorageAreas, index, designation.drive, designation.area,
                             ui::WindowText(Handle()), unused, "", 0))
        return;
    // Drive and area may hold 259 characters each; the field and the record
    // hold 255 in all.
    const std::string chosen = (designation.drive + designation.area).substr(0, kAreaLength);
    SetDlgItemTextA(Handle(), IDC_VERIFY_AREA, chosen.c_str());
    OnStorageAreaChanged();
}

void CVerifyOptionsDlg::BrowseItem(int fieldId, uint32_t kindMask) {
    ChooseItem(Handle(), fieldId, kindMask, std::string(record_.StorageArea()));
}

void CVerifyOptionsDlg::ShowGradingSource(bool copyPiece) {
    const UINT label = copyPiece ? IDS_VERIFY_COPY_PIECE_LABEL : IDS_VERIFY_RULE_TABLE_LABEL;
    SetDlgItemTextA(Handle(), IDC_VERIFY_RULE_LABEL, LibraryText(label).c_str());
}

void CVerifyOptionsDlg::EnableCategory() {
    EnableWindow(Item(IDC_VERIFY_CATEGORY), IsDlgButtonChecked(Handle(), IDC_VERIFY_SAME_CATEGORY) != BST_CHECKED);
    locks_.Hold();
}

// The model display, opened on the model of the chosen area.
void CVerifyOptionsDlg::StartModelProgram() {
    if (!UpdateData(true)) return;
    const Designation designation = SplitDesignation(record_.StorageArea());
    CommandLine line(FindProgramPath("model"));
    line.Add(" -d" + designation.drive + " -s" + designation.area + " -i").Quoted(VerifyOptions::Read(record_.Model));
    StartProgram(line.Add(" -R").Text(), StartCall::WinExec, SW_SHOW);
}

void CVerifyOptionsDlg::Refuse(UINT promptId, int fieldId, const std::vector<std::string>& inserts) {
    OnInvalidField(Item(fieldId), ui::FillPrompt(LibraryText(promptId), inserts));
}

}  // namespace optora
