#pragma once
// The storage-area field's chooser title and context menu. Language
// libraries have always carried them; the library keeps base-language ones
// too, so a right click works without a language library.
#define IDS_CHOOSE_STORAGE_ITEM 100
#define IDM_STORAGE_AREA_LOOKUP 130

// Its commands; the editing ones are the system's own.
#define ID_ITEM_CLEAR 32776
#define ID_ITEM_OPEN 32777
#define ID_ITEM_MODEL_DISPLAY 40001
#define ID_ITEM_PLOT_VIEWER 40002
#define ID_ITEM_OPEN_EDITOR 40003
#define ID_ITEM_MARLOW_NEW 40004
#define ID_ITEM_MARLOW 40005
#define ID_ITEM_MARLOW_NEW_OPTIONS 40006
#define ID_ITEM_MARLOW_OPTIONS 40007
#define ID_ITEM_COPY 57634
#define ID_ITEM_CUT 57635
#define ID_ITEM_PASTE 57637
