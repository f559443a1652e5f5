#pragma once

#define IDD_CHOOSER 100
#define IDC_DEVICE 1001
#define IDC_AREA 1002
#define IDC_ITEMS_LABEL 1003
#define IDC_ITEMS 1004
