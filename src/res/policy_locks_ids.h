#pragma once
// What the option dialogs show of values the administrator locked.
#define IDS_POLICY_FOOT_LINE 29000
#define IDS_POLICY_TOOLTIP 29001
#define IDS_POLICY_MACHINE 29002
#define IDS_POLICY_USER 29003
// The foot line's control, added to a dialog while a value is locked.
#define IDC_POLICY_FOOT_LINE 29010
