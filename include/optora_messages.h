/*
 * optora_messages.h - the names of the window messages optora.dll
 * registers, apart so that code without <windows.h> can name them too.
 * The identifier getters of optora.h return the identifiers that
 * RegisterWindowMessageA assigns to these names.
 */
#ifndef OPTORA_MESSAGES_H
#define OPTORA_MESSAGES_H

#define OPTORA_MSG_PREFERENCES    "PreferencesChanged"
#define OPTORA_MSG_GRADEOPTIONS   "GradeOptionsChanged"
#define OPTORA_MSG_ALTERATION     "AlterationPreferenceChanged"
#define OPTORA_MSG_CUTOPTIONS     "CutOptionsChanged"
#define OPTORA_MSG_PLOTOPTIONS    "PlotOptionsChanged"
#define OPTORA_MSG_ORDEROPTIONS   "OrderOptionsChanged"
#define OPTORA_MSG_VERIFYOPTIONS  "VerifyStorageAreaChanged"
/* Received (never sent) by the library: WM_COPYDATA whose dwData is this id. */
#define OPTORA_MSG_DATAITEMSAVED  "DataItemSaved"

#endif /* OPTORA_MESSAGES_H */
