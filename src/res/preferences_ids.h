#pragma once
// Preference dialog: notation and precision.
#define IDD_PREFERENCE 102
#define IDC_PREF_IMPERIAL 1002
#define IDC_PREF_METRIC 1003
#define IDC_PREF_PRECISION 1005
// Precision list texts "0" to "3", in list order.
#define IDS_PRECISION_0 1
#define IDS_PRECISION_1 2
#define IDS_PRECISION_2 3
#define IDS_PRECISION_3 4

// Grade Options dialog: the grade method.
#define IDD_GRADE_OPTIONS 1014
#define IDC_GRADE_METHOD 1015
#define IDS_GRADE_SMALL_LARGE_INCREMENTAL 27100
#define IDS_GRADE_BASE_CUMULATIVE 27101
#define IDS_GRADE_BASE_INCREMENTAL 27102
