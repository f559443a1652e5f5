#pragma once

namespace optora::cli {

// The commands that move settings as a whole; each returns the exit code.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // refused input or a failed write
inline constexpr int kExitUsage = 2;

int ExportSettings(const char* path);  // null: standard output
int ImportSettings(const char* path);
int ResetSettings(const char* setName);  // null: every set
int SetPreferenceText(const char* valueName, int value);

// Until interrupted: every change message, and every change to the stored
// settings with whatever made it.
int MonitorSettings();

}  // namespace optora::cli
