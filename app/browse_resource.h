#pragma once
// Dialogs 130 and 131 and their controls.
#define IDD_FOLDERS 130
#define IDD_SWITCH 131

#define IDC_FOLDERS_TREE 1018
#define IDC_SWITCH_LIST 1019
#define IDC_FOLDERS_FILTER 1020
