// `optora-cli monitor`: what an administrator watches while applications and
// the registry editor change settings.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "options/policy_rules.h"
#include "optora.h"
#include "settings_commands.h"
#include "settings_registry.h"
#include "store/policy_tree.h"
#include "store/settings_trees.h"
#include "store/unique_resource.h"
#include "value_text.h"

namespace optora::cli {
namespace {

const char* const kMessages[] = {OPTORA_MSG_PREFERENCES,  OPTORA_MSG_GRADEOPTIONS,  OPTORA_MSG_ALTERATION,
                                 OPTORA_MSG_CUTOPTIONS,   OPTORA_MSG_PLOTOPTIONS,   OPTORA_MSG_ORDEROPTIONS,
                                 OPTORA_MSG_VERIFYOPTIONS};
UINT g_ids[sizeof kMessages / sizeof kMessages[0]];

void Line(const std::string& what) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::printf("%02u:%02u:%02u.%03u  %s\n", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, what.c_str());
    std::fflush(stdout);
}

LRESULT CALLBACK MonitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (std::size_t i = 0; i < sizeof kMessages / sizeof kMessages[0]; ++i)
        if (message == g_ids[i]) {
            Line(std::string("message   ") + kMessages[i] + "  wParam=" + std::to_string(wParam) +
                 "  lParam=" + std::to_string(lParam));
            return 0;
        }
    return DefWindowProcA(window, message, wParam, lParam);
}

using Snapshot = std::map<std::string, FileValue>;

// The user's settings by path, and every policy value by its location.
Snapshot TakeSnapshot() {
    Snapshot snapshot;
    for (const FileKey& key : ReadStoredSettings(false).keys)
        for (const FileValue& value : key.values) snapshot[key.path + "\\" + value.name] = value;
    for (const PolicyEntry& entry : ReadPolicyTrees())
        snapshot[PolicyLocation(entry)] = FileValue{entry.name, entry.type, entry.data, 0, {}};
    return snapshot;
}

std::string Shown(const FileValue* value) { return value ? RegistryValueText(value->type, value->data) : "(none)"; }

void ReportDifferences(const Snapshot& before, const Snapshot& after) {
    const auto report = [](const std::string& where, const FileValue* was, const FileValue* is) {
        // Only a policy's location names its hive.
        const bool policy = where.rfind("HKLM\\", 0) == 0 || where.rfind("HKCU\\", 0) == 0;
        Line((policy ? "policy    " : "registry  ") + where + "  " + Shown(was) + " -> " + Shown(is));
    };
    for (const auto& [where, value] : before) {
        const auto now = after.find(where);
        if (now == after.end())
            report(where, &value, nullptr);
        else if (now->second.type != value.type || now->second.data != value.data)
            report(where, &value, &now->second);
    }
    for (const auto& [where, value] : after)
        if (!before.count(where)) report(where, nullptr, &value);
}

}  // namespace

int MonitorSettings() {
    for (std::size_t i = 0; i < sizeof kMessages / sizeof kMessages[0]; ++i) g_ids[i] = RegisterWindowMessageA(kMessages[i]);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MonitorProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OptoraCliMonitor";
    RegisterClassA(&windowClass);
    // A top-level window, since broadcasts reach only those; never shown.
    if (!CreateWindowA("OptoraCliMonitor", "optora-cli monitor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                       windowClass.hInstance, nullptr)) {
        std::fprintf(stderr, "optora-cli: cannot create a window to receive messages (no display?)\n");
        return kExitFailed;
    }
    // An event per tree, each watch set again alone: under Wine, one event
    // shared by the watches lost changes made soon after they were set again.
    constexpr std::size_t kWatchedCount = kSettingsTreeCount;
    UniqueKernelHandle changed[kWatchedCount];
    UniqueHKey watched[kWatchedCount];
    HANDLE handles[kWatchedCount];
    const auto arm = [&](std::size_t i) {
        bool atTree = false;  // a parent is watched at any depth too: the tree appears below it
        watched[i] = OpenForNotification(kSettingsTrees[i], atTree);
        return watched[i] && RegNotifyChangeKeyValue(watched[i].get(), TRUE,
                                                     REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                                     changed[i].get(), TRUE) == ERROR_SUCCESS;
    };
    Snapshot snapshot = TakeSnapshot();
    for (std::size_t i = 0; i < kWatchedCount; ++i) {
        changed[i] = UniqueKernelHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        handles[i] = changed[i].get();
        if (!handles[i] || !arm(i)) {
            std::fprintf(stderr, "optora-cli: cannot watch the registry\n");
            return kExitFailed;
        }
    }
    Line("monitoring the suite's change messages, HKEY_CURRENT_USER\\Software\\Kestrel and both policy trees "
         "(Ctrl+C ends)");
    while (true) {
        const DWORD woke = MsgWaitForMultipleObjects(kWatchedCount, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (woke < WAIT_OBJECT_0 + kWatchedCount) {
            // Watch again before looking, so a change made meanwhile wakes us once more.
            if (!arm(woke - WAIT_OBJECT_0)) return kExitFailed;
            Snapshot now = TakeSnapshot();
            ReportDifferences(snapshot, now);
            snapshot = std::move(now);
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return kExitDone;
            DispatchMessageA(&message);
        }
    }
}

}  // namespace optora::cli
