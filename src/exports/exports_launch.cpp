// The exported launchers of the user-environment editor. The window argument
// is part of the interface but nothing is shown over it.
#include "optora.h"

#include "frame/call_frame.h"
#include "programs/launchers.h"

using namespace optora;

extern "C" {

void optora_dopreferences(HWND) {
    Shielded([] { StartUserEnvironmentEditor(); });
}

void optora_dopreferences_devarea(HWND, const char* device, const char* area) {
    Shielded([device, area] { StartUserEnvironmentEditor(device, area); });
}

void optora_dopreferences_devarea_name(HWND, const char* device, const char* area, const char* name) {
    Shielded([device, area, name] { StartUserEnvironmentEditor(device, area, name); });
}

void _optora_dopreferences(HWND window) { optora_dopreferences(window); }

}  // extern "C"
