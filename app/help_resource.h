#pragma once
// Dialogs 104 and 106 and their controls.
#define IDD_LICENSE 104
#define IDC_LICENSE_TEXT 1002
#define IDD_ABOUT 106
#define IDC_ABOUT_AREA 1081
