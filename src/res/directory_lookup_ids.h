#pragma once
// Texts of the directory lookup's folder browser. Language libraries have
// always carried them; the library keeps base-language ones too.
#define IDS_BROWSE_CUT_DIRECTORY 102
#define IDS_BROWSE_PLOT_DIRECTORY 103
#define IDS_NOT_A_FOLDER 106
