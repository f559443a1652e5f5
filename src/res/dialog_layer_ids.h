#pragma once
// Validation prompts of the dialogs' data exchange ("%1", "%2" are filled in),
// at the ids of the dialog framework's standard prompts, where translations
// carry them.
#define IDS_PROMPT_INTEGER 0xF110
#define IDS_PROMPT_NUMBER 0xF111
#define IDS_PROMPT_INTEGER_RANGE 0xF112
#define IDS_PROMPT_NUMBER_RANGE 0xF113
#define IDS_PROMPT_TEXT_LENGTH 0xF114
