#pragma once
// The Folders and Switch windows (dialogs 130 and 131), owned by the main
// window: a filter box over a tree of the folder roots and the supported
// files found under each, and the list of open documents by file name.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/sizer.h"

// The Folders window.
struct FoldersWindowRecord {
  HWND hwnd = nullptr;
  HWND filter = nullptr;  // control 1020
  HWND tree = nullptr;    // control 1018, with the UTF-8 subclass
  TVINSERTSTRUCTA insert{};  // reused for every insertion
  Sizer sizer;
  std::string filter_text;   // the filter of the last fill
};

// Null while the window is closed.
extern FoldersWindowRecord* folders_window;

// View > Folders and Alt+D: focuses the window, or creates and shows it.
void OpenFoldersWindow(HWND owner);

// The actions below do nothing while the window is closed.
// Leaves only the "Root" item.
void ResetFoldersTree();
// Opens the selected item's path when it is a file item.
void OpenSelectedFile();
// Removes the selected item and its children from the tree (the folder root
// and its scan remain).
void DeleteSelectedTreeItem();
// True when the tree's selected item is its first top-level item ("Root").
bool FoldersTreeOnRoot();
// Moves the focus to the filter box; with `select_all` its text is selected.
void FocusFoldersFilter(bool select_all);
void FocusFoldersTree();
// Rebuilds the tree with the filter box's text as the filter: "Root", one
// item per folder root, and under each the root's files that contain the
// filter without regard to case; the last root is expanded.
void ApplyFoldersFilter();
// Fills the tree again with the filter of its last fill: a scan has ended.
void RefillFoldersTree();

// The Switch window.
struct SwitchWindowRecord {
  HWND hwnd = nullptr;
  HWND list = nullptr;  // control 1019, with the UTF-8 subclass
  Sizer sizer;
};

// Null while the window is closed.
extern SwitchWindowRecord* switch_window;

// View > Switch and Ctrl+Tab: focuses the window, or creates and shows it.
void OpenSwitchWindow(HWND owner);

// The actions below do nothing while the window is closed.
// Makes the document of the selected and focused row current, then closes
// the window (which closes in any case).
void ActivateSelectedDocument();
// Tab and Shift+Tab: the selection moves one row, wrapping at the ends.
void SelectNextRow();
void SelectPreviousRow();
