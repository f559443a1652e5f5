#include "dialogs/order_options_dialog.h"

#include <cstdint>

#include "frame/library_text.h"
#include "frame/notifications.h"
#include "optora.h"
#include "options/notation.h"
#include "options/order_options.h"
#include "options/policy.h"
#include "res/order_ids.h"
#include "store/registry_key.h"
#include "ui/data_exchange.h"

namespace optora {
namespace {

constexpr COLORREF kRejectedText = RGB(255, 0, 0);
constexpr double kSeamLimit = 100.0;  // inches

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveTo(HWND control, LONG left, LONG top) {
    SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

COrderOptionsDlg::COrderOptionsDlg(HWND owner, unsigned int showLayrule)
    : ModalDialog(IDD_ORDER_OPTIONS, owner), showLayrule_(showLayrule) {
    Listen(MessageId(OPTORA_MSG_PREFERENCES));
}

void COrderOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.RadioGroup(IDC_ORDER_OVERWRITE_NO, overwrite_);
    exchange.Control(IDC_ORDER_SEAM, seam_);
    exchange.Control(IDC_ORDER_LAYRULE, layrule_);
}

bool COrderOptionsDlg::OnInitDialog() {
    ModalDialog::OnInitDialog();
    layrule_.Clear();
    for (UINT id : {IDS_LAYRULE_COPY_MARKER, IDS_LAYRULE_FORCE, IDS_LAYRULE_SEARCH_TABLE})
        layrule_.InsertAt(-1, LibraryText(id));
    Load();
    if (!showLayrule_) HideLayruleRow();
    locks_.Show(Handle());
    return true;
}

void COrderOptionsDlg::Load() {
    changed_ = false;
    OrderOptions_tag stored = {};
    LoadOrderOptions(stored);
    overwrite_ = stored.OverwriteMarker;
    RefreshNotation();
    seam_.SetRange(0.0, kSeamLimit);
    seam_.SetValue(stored.SplitPieceSeam, 0, false);
    if (showLayrule_) {
        layrule_.Select(stored.LayruleMethod);  // a method without an item leaves none selected
    } else {
        // Callers without layrules store the first method.
        layrule_.Select(0);
        if (stored.LayruleMethod != 0) changed_ = true;
    }
    UpdateData(false);
}

void COrderOptionsDlg::OnOK() {
    UpdateData(true);
    if (changed_) {
        OrderOptions_tag record = {};
        record.OverwriteMarker = overwrite_;
        record.SplitPieceSeam = seam_.GetValue();
        record.LayruleMethod = static_cast<uint8_t>(layrule_.Selection() & 0xFF);
        const unsigned long before = RegistryKey::WritesMade();
        SaveOrderOptions(record);
        // Locked values are held back: with nothing else to write there is no
        // news. Without policy a confirmed change is told as it always was.
        if (RegistryKey::WritesMade() != before || !PolicyOverlay(keys::kOrderOptions))
            Broadcast(OPTORA_MSG_ORDEROPTIONS, 0, 0, kBroadcastDefault);
        changed_ = false;
    }
    EndDialog(IDOK);
}

bool COrderOptionsDlg::OnCommand(WORD id, WORD code, HWND) {
    const bool radio = id >= IDC_ORDER_OVERWRITE_NO && id <= IDC_ORDER_OVERWRITE_PROMPT && code == BN_CLICKED;
    if (radio || (id == IDC_ORDER_LAYRULE && code == CBN_SELCHANGE)) {
        UpdateData(true);
        changed_ = true;
    }
    return false;
}

bool COrderOptionsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsPolicyChange(message, lParam)) {
        locks_.Show(Handle());
        Load();
        return false;
    }
    switch (message) {
    case WM_AMOUNT_CHANGED:
        Highlight(-1);
        if (wParam == IDC_ORDER_SEAM) changed_ = true;
        result = 0;
        return true;
    case WM_AMOUNT_INVALID:
        if (wParam == IDC_ORDER_SEAM) Highlight(IDC_ORDER_SEAM_LABEL);
        result = 0;
        return true;
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(
            OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        return true;
    default:
        return false;
    }
}

LRESULT COrderOptionsDlg::OnRegisteredMessage(UINT, WPARAM, LPARAM) {
    RefreshNotation();
    return 0;
}

// The same reads as the notation and precision getters, so that the seam is
// shown as every other length of the suite.
void COrderOptionsDlg::RefreshNotation() {
    AmountEditSettings settings;
    seam_.GetSettings(settings);
    settings.Precision = ReadPrecision();
    settings.Imperial = ReadNotation() == 1;
    seam_.SetSettings(settings, true);
}

void COrderOptionsDlg::HideLayruleRow() {
    const HWND methodLabel = Item(IDC_ORDER_LAYRULE_LABEL), method = Item(IDC_ORDER_LAYRULE);
    const HWND seamLabel = Item(IDC_ORDER_SEAM_LABEL), seam = Item(IDC_ORDER_SEAM);
    const RECT methodLabelRect = ClientRectOf(Handle(), methodLabel), methodRect = ClientRectOf(Handle(), method);
    const RECT seamLabelRect = ClientRectOf(Handle(), seamLabel);
    for (HWND control : {method, methodLabel}) {
        EnableWindow(control, FALSE);
        ShowWindow(control, SW_HIDE);
    }
    for (int id : {IDOK, IDCANCEL}) MoveTo(Item(id), ClientRectOf(Handle(), Item(id)).left, seamLabelRect.top);
    MoveTo(seamLabel, methodLabelRect.left, methodLabelRect.top);
    MoveTo(seam, methodRect.left, methodRect.top);

    RECT window = {};
    GetWindowRect(Handle(), &window);
    const LONG shorter = seamLabelRect.top - methodLabelRect.top;
    SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top - shorter,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COrderOptionsDlg::Highlight(int id) {
    const int before = highlighted_;
    highlighted_ = id;
    for (int redraw : {before, id})
        if (redraw != -1) InvalidateRect(Item(redraw), nullptr, TRUE);
}

HBRUSH COrderOptionsDlg::OnCtlColorStatic(HDC dc, HWND control) {
    // The system's colours, with the text of a rejected field's label in red.
    const auto brush = reinterpret_cast<HBRUSH>(
        DefWindowProcA(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (highlighted_ != -1 && GetDlgCtrlID(control) == highlighted_) SetTextColor(dc, kRejectedText);
    return brush;
}

}  // namespace optora
