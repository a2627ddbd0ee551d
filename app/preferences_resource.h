#pragma once
// Dialogs 105 and 108 and their controls.
#define IDD_CHANGELOG 105
#define IDD_PREFERENCES 108
#define IDC_CHANGELOG_VIEW 1003      // the Changelog's console pane
#define IDC_PREFERENCES_USER 1004    // right pane: "preferences.txt"
#define IDC_PREFERENCES_DEFAULT 1005 // left pane: "preferences-default.txt"
