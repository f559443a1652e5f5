#pragma once
// Validation prompts of the dialogs' data exchange ("%1", "%2" are filled in).
#define IDS_PROMPT_INTEGER 61700
#define IDS_PROMPT_NUMBER 61701
#define IDS_PROMPT_INTEGER_RANGE 61702
#define IDS_PROMPT_NUMBER_RANGE 61703
#define IDS_PROMPT_TEXT_LENGTH 61704
