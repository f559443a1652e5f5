#pragma once

// Registry keys under HKEY_CURRENT_USER shared with the suite's other programs.
namespace optora::keys {
inline constexpr const char* kKestrel = "Software\\Kestrel";  // everything of the suite
inline constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
inline constexpr const char* kCutOptions = "Software\\Kestrel\\Arbor\\CutOptions";
inline constexpr const char* kPlotOptions = "Software\\Kestrel\\Arbor\\PlotOptions";
inline constexpr const char* kOrderOptions = "Software\\Kestrel\\Arbor\\OrderOptions";
inline constexpr const char* kVelorSettings = "Software\\Kestrel\\Velor\\Settings";
inline constexpr const char* kZid = "Software\\Kestrel\\ZID";
inline constexpr const char* kQuillon = "Software\\Kestrel\\Quillon";
inline constexpr const char* kGradeOptions = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
}  // namespace optora::keys

namespace optora::keys {
// Where Group Policy writes the suite's settings, in either hive; the
// recommended ones below kRecommended in it.
inline constexpr const char* kPolicies = "Software\\Policies\\Kestrel";
inline constexpr const char* kRecommended = "Recommended";
}  // namespace optora::keys
