#pragma once
// Dialogs 132 to 134 and their controls.
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
