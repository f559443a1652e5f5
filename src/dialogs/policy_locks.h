#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "res/cut_options_ids.h"
#include "res/order_ids.h"
#include "res/plot_options_ids.h"
#include "res/preferences_ids.h"
#include "res/verify_ids.h"
#include "store/registry_paths.h"

namespace optora {

// The dialogs whose values an administrator can lock.
enum class PolicyDialog { Preference, GradeOptions, Cut, Plot, Order, Verify };

// One value a dialog edits and every control that edits it: each button of a
// radio group; a list, field or box with its label when that has an id.
struct PolicyControl {
    const char* key;  // the owned key, as store/registry_paths.h spells it
    const char* name;
    int ids[4];  // unused places 0
};

struct PolicyControls {
    const PolicyControl* first;
    std::size_t count;
    const PolicyControl* begin() const { return first; }
    const PolicyControl* end() const { return first + count; }
};

namespace policy_tables {
inline constexpr PolicyControl kPreference[] = {
    {keys::kArbor, "Notation", {IDC_PREF_METRIC, IDC_PREF_IMPERIAL}},
    {keys::kArbor, "Precision", {IDC_PREF_PRECISION}},
};

inline constexpr PolicyControl kGradeOptions[] = {
    {keys::kGradeOptions, "Grade Method", {IDC_GRADE_METHOD}},
};

inline constexpr PolicyControl kCut[] = {
    {keys::kCutOptions, "SaveToStorageArea", {IDC_CUT_TO_STORAGE}},
    {keys::kCutOptions, "Export", {IDC_CUT_EXPORT}},
    {keys::kCutOptions, "DosCutPath", {IDC_CUT_DIRECTORY, IDC_CUT_DIRECTORY_LABEL}},
    {keys::kCutOptions, "DosNameFormat", {IDC_CUT_SHORT_NAME, IDC_CUT_LONG_NAME}},
    {keys::kCutOptions, "FilenameAppendCnt", {IDC_CUT_APPEND_COUNT}},
    {keys::kCutOptions, "DosExtType", {IDC_CUT_EXT_SPECIFIED, IDC_CUT_EXT_COUNT, IDC_CUT_EXT_DASH, IDC_CUT_EXT_NONE}},
    {keys::kCutOptions, "DosCutExtension", {IDC_CUT_EXTENSION}},
    {keys::kCutOptions, "CutFormat", {IDC_CUT_FORMAT_33, IDC_CUT_FORMAT_42, IDC_CUT_FORMAT_43}},
    {keys::kArbor, "Bundles_By", {IDC_CUT_BY_MARKER, IDC_CUT_BY_MODEL}},
    {keys::kCutOptions, "CutDefaultParamTbl", {IDC_CUT_TABLE, IDC_CUT_TABLE_LABEL}},
    {keys::kCutOptions, "AutoCut", {IDC_CUT_AUTO}},
};

inline constexpr PolicyControl kPlot[] = {
    {keys::kPlotOptions, "DosPlotType", {IDC_PLOT_GENERIC, IDC_PLOT_HPGL, IDC_PLOT_DXF, IDC_PLOT_ASTM}},
    {keys::kArbor, "Bundles_By", {IDC_PLOT_BY_MARKER, IDC_PLOT_BY_MODEL}},
    {keys::kPlotOptions, "DefaultPlotQueue", {IDC_PLOT_DESTINATION, IDC_PLOT_DESTINATION_LABEL}},
    {keys::kPlotOptions, "DefaultPlotMedia", {IDC_PLOT_MEDIA, IDC_PLOT_MEDIA_LABEL}},
    // The destination chosen also says whether plots go to a file.
    {keys::kPlotOptions, "DefaultPlotOutput", {IDC_PLOT_DESTINATION, IDC_PLOT_DESTINATION_LABEL}},
    {keys::kPlotOptions, "DosPlotPath", {IDC_PLOT_DIRECTORY, IDC_PLOT_DIRECTORY_LABEL}},
    {keys::kPlotOptions, "ImagePath", {IDC_PLOT_IMAGE_DIRECTORY, IDC_PLOT_IMAGE_DIRECTORY_LABEL}},
    {keys::kPlotOptions, "ImageType", {IDC_PLOT_IMAGE_TYPE, IDC_PLOT_IMAGE_TYPE_LABEL}},
    {keys::kPlotOptions, "AutoPlot", {IDC_PLOT_AUTO}},
    {keys::kPlotOptions, "WastePercentage", {IDC_PLOT_USED, IDC_PLOT_WASTE}},
    {keys::kPlotOptions, "DecimalYards", {IDC_PLOT_LENGTH_MIXED, IDC_PLOT_LENGTH_DECIMAL}},
    {keys::kPlotOptions, "PlotDosNameFormat", {IDC_PLOT_SHORT_NAME, IDC_PLOT_LONG_NAME}},
    {keys::kPlotOptions, "PlotFilenameAppendCnt", {IDC_PLOT_APPEND_COUNT}},
    {keys::kPlotOptions, "PlotDosExtType",
     {IDC_PLOT_EXT_SPECIFIED, IDC_PLOT_EXT_COUNT, IDC_PLOT_EXT_DASH, IDC_PLOT_EXT_NONE}},
    {keys::kPlotOptions, "PlotDosExt", {IDC_PLOT_EXTENSION}},
};

// The split piece seam is left out: no policy offers it.
inline constexpr PolicyControl kOrder[] = {
    {keys::kOrderOptions, "OverwriteMarker", {IDC_ORDER_OVERWRITE_NO, IDC_ORDER_OVERWRITE_YES, IDC_ORDER_OVERWRITE_PROMPT}},
    {keys::kOrderOptions, "LayruleMethod", {IDC_ORDER_LAYRULE, IDC_ORDER_LAYRULE_LABEL}},
};

// A browse button edits its field's value too.
inline constexpr PolicyControl kVerify[] = {
    {keys::kArbor, "VerifyStorageArea", {IDC_VERIFY_AREA, IDC_VERIFY_AREA_BROWSE}},
    {keys::kQuillon, "Prefix", {IDC_VERIFY_PREFIX}},
    {keys::kQuillon, "StartingNumber", {IDC_VERIFY_START}},
    {keys::kQuillon, "Category", {IDC_VERIFY_CATEGORY}},
    {keys::kQuillon, "CategoryChB", {IDC_VERIFY_SAME_CATEGORY}},
    {keys::kQuillon, "Model", {IDC_VERIFY_MODEL, IDC_VERIFY_MODEL_BROWSE}},
    {keys::kQuillon, "Type", {IDC_VERIFY_RULE_TYPE}},
    {keys::kQuillon, "GradeRule", {IDC_VERIFY_RULE, IDC_VERIFY_RULE_LABEL, IDC_VERIFY_RULE_BROWSE}},
    {keys::kQuillon, "Size", {IDC_VERIFY_SIZE}},
};

template <std::size_t N>
constexpr PolicyControls Of(const PolicyControl (&table)[N]) {
    return {table, N};
}

}  // namespace policy_tables

constexpr PolicyControls PolicyControlsOf(PolicyDialog dialog) {
    switch (dialog) {
    case PolicyDialog::Preference: return policy_tables::Of(policy_tables::kPreference);
    case PolicyDialog::GradeOptions: return policy_tables::Of(policy_tables::kGradeOptions);
    case PolicyDialog::Cut: return policy_tables::Of(policy_tables::kCut);
    case PolicyDialog::Plot: return policy_tables::Of(policy_tables::kPlot);
    case PolicyDialog::Order: return policy_tables::Of(policy_tables::kOrder);
    case PolicyDialog::Verify: return policy_tables::Of(policy_tables::kVerify);
    }
    return {nullptr, 0};
}

// The application whose variant the dialog's values are read for: the cut or
// plot application's name, empty for a set without variants.
std::string PolicyApplicationOf(PolicyDialog dialog);

// Windows tells every top-level window with this after it applied policy.
bool IsPolicyChange(UINT message, LPARAM lParam);

// What a dialog shows of the administrator's locks: the locked values'
// controls disabled, each with a tooltip naming the policy, and while any is
// locked a line at the dialog's foot, for which the dialog grows.
class PolicyLocks {
public:
    explicit PolicyLocks(PolicyDialog dialog) : dialog_(dialog) {}
    PolicyLocks(const PolicyLocks&) = delete;
    PolicyLocks& operator=(const PolicyLocks&) = delete;

    // Reads the locks anew and shows them. The controls of a value no longer
    // locked are enabled again: the dialog's own rules, run after this, then
    // decide on them. True when any value is locked.
    bool Show(HWND window);
    // Disables the locked controls again after a rule of the dialog enabled one.
    void Hold() const;

private:
    void ShowFootLine(bool show);

    PolicyDialog dialog_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND footLine_ = nullptr;
    int grownBy_ = 0;
    std::vector<int> locked_;
};

}  // namespace optora
