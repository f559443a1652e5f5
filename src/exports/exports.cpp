// The exported entry points: thin C functions that put each call in its frame.
#include "optora.h"

#include "dialogs/preference_dialog.h"
#include "frame/app_names.h"
#include "frame/call_frame.h"
#include "frame/notifications.h"
#include "options/alteration.h"

using namespace optora;

namespace {
// Like the application names, the identifiers need neither the library's
// resources nor its start-up: a caller may ask for them from any state.
int Id(const char* name) noexcept { return static_cast<int>(MessageId(name)); }
}  // namespace

extern "C" {

// The preference dialog's class answers without a window.
int optora_getnotation(void) { return Shielded(0, [] { return CPreference().ReadNotation(); }); }
int optora_getprecision(void) { return Shielded(2, [] { return CPreference().ReadPrecision(); }); }
int optora_getalteration(void) { return Shielded(0, [] { return ReadAlteration(); }); }
void optora_setalteration(int value) { Shielded([value] { WriteAlteration(value); }); }

int optora_getbroadcastid(void) { return Id(OPTORA_MSG_PREFERENCES); }
int optora_getbroadcastid_gradeopt(void) { return Id(OPTORA_MSG_GRADEOPTIONS); }
int optora_getbroadcastalt(void) { return Id(OPTORA_MSG_ALTERATION); }
int optora_getbroadcastid_cutopt(void) { return Id(OPTORA_MSG_CUTOPTIONS); }
int optora_getbroadcastid_plotopt(void) { return Id(OPTORA_MSG_PLOTOPTIONS); }
int optora_getbroadcastid_orderopt(void) { return Id(OPTORA_MSG_ORDEROPTIONS); }
int optora_getbroadcastid_verifyopt(void) { return Id(OPTORA_MSG_VERIFYOPTIONS); }

void optora_setcutapp(char* name) { CutAppName().Set(name); }
char* optora_getcutapp(void) { return CutAppName().Buffer(); }
void optora_setplotapp(char* name) { PlotAppName().Set(name); }
char* optora_getplotapp(void) { return PlotAppName().Buffer(); }

int _optora_getnotation(void) { return optora_getnotation(); }
int _optora_getprecision(void) { return optora_getprecision(); }
int _optora_getbroadcastid(void) { return optora_getbroadcastid(); }
int _optora_getbroadcastid_gradeopt(void) { return optora_getbroadcastid_gradeopt(); }
int _optora_getbroadcastalt(void) { return optora_getbroadcastalt(); }
int _optora_getbroadcastid_cutopt(void) { return optora_getbroadcastid_cutopt(); }
int _optora_getbroadcastid_plotopt(void) { return optora_getbroadcastid_plotopt(); }
int _optora_getbroadcastid_orderopt(void) { return optora_getbroadcastid_orderopt(); }
int _optora_getbroadcastid_verifyopt(void) { return optora_getbroadcastid_verifyopt(); }

}  // extern "C"
