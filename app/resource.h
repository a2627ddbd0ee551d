#pragma once
// Resource identifiers shared by the resource script and the code: the icon,
// the menu and every dialog with its controls.

// Icon, menu and the main dialog.
#define IDI_ORVINALE 106
#define IDR_MAIN_MENU 108
#define IDD_MAIN 107
#define IDC_SURFACE 1003
#define IDC_LINE 1004

// FILE
#define ID_FILE_NEW 40232
#define ID_FILE_OPEN 40231
#define ID_FILE_OPEN_FOLDER 40237
#define ID_FILE_REOPEN 40267
#define ID_FILE_SAVE 40230
#define ID_FILE_SAVE_AS 40229
#define ID_FILE_SAVE_ALL 40234
#define ID_FILE_CLOSE 40259
#define ID_FILE_CLOSE_OTHERS 40261
#define ID_FILE_EXIT 40001
// EDIT
#define ID_EDIT_CUT 40246
#define ID_EDIT_COPY 40247
#define ID_EDIT_PASTE 40248
#define ID_EDIT_SELECT_ALL 40249
#define ID_EDIT_FIND 40241
#define ID_EDIT_CHANGE 40242
#define ID_EDIT_GOTO 40251
#define ID_EDIT_COMMENT 40264
#define ID_EDIT_UNCOMMENT 40265
// VIEW
#define ID_VIEW_PREVIOUS 40269
#define ID_VIEW_SWITCH 40240
#define ID_VIEW_FOLDERS 40262
#define ID_VIEW_FULLSCREEN 40252
#define ID_VIEW_LINE_NUMBER 40253
#define ID_VIEW_FILENAME 40256
#define ID_VIEW_RULER 40263
#define ID_VIEW_WHITESPACE 40266
// OPTIONS
#define ID_OPTIONS_PREFERENCES 40015
// HELP
#define ID_HELP_TEXT_FILE_LABEL 40002
#define ID_HELP_DOCUMENTATION 40003
#define ID_HELP_ABOUT 40137
#define ID_HELP_CHANGELOG 40005
#define ID_HELP_VERSION 40006
#define ID_HELP_ONLINE_LABEL 40007
#define ID_HELP_WEBSITE 40008
#define ID_HELP_LICENSE 40009

// Find (132), Change (133) and Go-to (134).
#define IDD_FIND 132
#define IDD_CHANGE 133
#define IDD_GOTO 134

// The text to find, the replacement and the two search options; the Go-to
// dialog's line number takes the find text's id.
#define IDC_FIND_TEXT 1020
#define IDC_GOTO_LINE 1020
#define IDC_CHANGE_TEXT 1021
#define IDC_MATCH_CASE 1022
#define IDC_WHOLE_WORD 1023

// Folders (130) and Switch (131).
#define IDD_FOLDERS 130
#define IDD_SWITCH 131

#define IDC_FOLDERS_TREE 1018
#define IDC_SWITCH_LIST 1019
#define IDC_FOLDERS_FILTER 1020

// Preferences (108) and Changelog (105).
#define IDD_CHANGELOG 105
#define IDD_PREFERENCES 108
#define IDC_CHANGELOG_VIEW 1003      // the Changelog's console pane
#define IDC_PREFERENCES_USER 1004    // right pane: "preferences.txt"
#define IDC_PREFERENCES_DEFAULT 1005 // left pane: "preferences-default.txt"

// License (104) and About (106).
#define IDD_LICENSE 104
#define IDC_LICENSE_TEXT 1002
#define IDD_ABOUT 106
#define IDC_ABOUT_AREA 1081
