#pragma once
// The Find, Change and Go-to dialogs, owned by the main window: modeless
// standard dialogs (templates 132 to 134) that close after OK or Cancel and
// reopen where they were last closed.
#include <windows.h>

#include <string>

#include "app/sizer.h"

// One record per open dialog, reached through its global while the dialog
// exists; the dialog's destroy handler frees it and nulls the global.
struct FindDialog {
  HWND hwnd = nullptr;
  Sizer sizer;  // moves nothing: the dialogs keep their size
  HWND find_edit = nullptr;
  HWND case_box = nullptr;
  HWND word_box = nullptr;
};

struct ChangeDialog {
  HWND hwnd = nullptr;
  Sizer sizer;
  HWND find_edit = nullptr;
  HWND replace_edit = nullptr;
  HWND case_box = nullptr;
  HWND word_box = nullptr;
};

struct GoToDialog {
  HWND hwnd = nullptr;
  Sizer sizer;
  HWND line_edit = nullptr;
};

// Null while the dialog is closed.
extern FindDialog* find_dialog;
extern ChangeDialog* change_dialog;
extern GoToDialog* goto_dialog;

// Each does nothing without an open document, focuses its dialog when it is
// already open, and otherwise creates and shows it, owned by `owner`.
void OpenFindDialog(HWND owner);
void OpenChangeDialog(HWND owner);
void OpenGoToDialog(HWND owner);

// The edit's text as UTF-8, cut to at most 2,047 bytes on a character
// boundary.
std::string ReadEditUtf8(HWND edit);
