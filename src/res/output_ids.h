#pragma once
// Strings of the cut and plot options; a language library replaces them by id.
#define IDS_PLOT_QUEUE_DOS_FILE 26015
#define IDS_PLOT_MEDIA_NONE 26018
