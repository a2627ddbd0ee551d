#pragma once
// The main window: the modeless dialog 107 of class "orvinale_superhost"
// with the text pane, the line-number pane and menu 108; its command table;
// and the message loop that feeds it keys, with the registry of the windows
// it owns.
#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/profile.h"
#include "app/sizer.h"
#include "display/window_painter_win32.h"
#include "documents/app_state.h"
#include "documents/folder_scanner.h"

struct MainWindow;

// The registry's view of the main window: the save dialog and the title.
class MainWindowUi : public DocumentUi {
 public:
  explicit MainWindowUi(MainWindow* window) : window_(window) {}
  bool ChooseSavePath(std::string* path) override;
  void RefreshTitle() override;
  void ReportSaveFailure(const std::string& path, const SaveOutcome& outcome) override;
  void ReportSavedTooLarge(const std::string& path) override;
  void ReportOpenRefusal(const std::string& path, const LoadOutcome& outcome) override;

 private:
  MainWindow* window_;
};

constexpr UINT_PTR kChangeCountTimer = 332;  // the full title again after a change count
constexpr UINT kChangeCountPeriod = 1200;    // ms
// Posted by a folder root's scan thread when its scan has ended.
constexpr UINT kScanDoneMessage = WM_APP + 1;

// Invariants: hwnd is null or the dialog; line_hwnd and surface_hwnd are its
// controls 1004 and 1003 while it exists; saved_rect is the last normal
// (neither minimized, maximized nor full-screen) window rectangle.
struct MainWindow {
  HWND hwnd = nullptr;
  HWND line_hwnd = nullptr;
  HWND surface_hwnd = nullptr;
  ProfileRect saved_rect;
  Sizer sizer;
  WindowPainter painter;
  HMENU menu = nullptr;  // owned by the window once attached
  std::string title;
  bool fullscreen = false;
  LONG_PTR saved_style = 0, saved_ex_style = 0;
  bool was_maximized = false;
  bool show_line_numbers = false;
  FolderRoots folder_roots;  // File > Open folder, each with its scan thread
  bool show_filename = false;
  bool show_welcome = true;  // the welcome box at start (tests turn it off)
  bool profile_read = false;  // a window that failed before reading it writes none
  bool active = false;        // the active window (WM_ACTIVATE)

  MainWindowUi ui{this};
};

// Null while there is no MainWindow record.
extern MainWindow* main_window;

// Creates the dialog (hidden until its initialisation shows it); null on failure.
HWND CreateMainDialog(HINSTANCE instance, MainWindow* window);

void UpdateTitle(MainWindow* window);
void ToggleFullscreen(MainWindow* window);
void ToggleLineNumbers(MainWindow* window);
void ToggleFilename(MainWindow* window);
// Whether the command of menu item `id` may run now: the rule that grays its
// item, applied to the facts as they are (not to the item's state, which is
// only set when the menu opens).
bool CommandAvailable(const MainWindow& window, int id);
// Runs one layout pass of the panes.
void LayOutPanes(MainWindow* window);
// After a file dialog: the keys go back to the text, whichever window the
// closing dialog handed the activation to (the Folders window when it is open).
void FocusTextPane(MainWindow* window);
// Grays and checks the menu's items, when a menu opens (WM_INITMENUPOPUP).
void UpdateMenuStates(MainWindow* window);
// Gives the line pane the width of its labels (0 while line numbers are off);
// lays the panes out again only when that width changed.
void UpdateLinePaneWidth(MainWindow* window);
// Timer 332.
void OnChangeCountTimer(MainWindow* window);
// The Change dialog's action: replace all in the current document and show
// the count of changes in the title for a while.
int ReplaceAndReport(MainWindow* window, const std::string& find, const std::string& replacement,
                     bool match_case, bool whole_word);
// The welcome box, owned by the window; blocks until dismissed.
void ShowWelcomeBox(HWND owner, double startup_seconds);

// The command table: one row per command with the key that runs it (the
// engine's binding table names the key's command; None: a menu item only),
// its menu item (0: a key only), the rules by which the item is grayed and
// checked when the menu opens, and its handler. A key and WM_COMMAND both find their
// row and call the handler directly.
struct Command {
  KeyCommand key;
  int menu_id;
  MenuGray gray;
  MenuCheck check;
  void (*run)(MainWindow* window);
};

// The row of a key's command or of a menu item; null when there is none.
const Command* FindKeyCommand(KeyCommand key);
const Command* FindMenuCommand(int menu_id);
// What an opening menu does to the items of the table's rows.
std::vector<MenuItemState> DecideMenuStates(const MenuFacts& facts);

// The message loop (message_loop_win32.cpp): keys first go to the key-binding
// table, then the modeless windows' dialog managers, then translation and
// dispatch. Runs until WM_QUIT and returns its exit code.
int MessageLoop();
// 1 when the key-binding table consumed the message, 0 otherwise.
int DispatchKey(const MSG& msg);

// The registry of the owned windows whose dialog managers the loop tries
// after the main window's, in that order. It reads each window's global, the
// one record of whether the window is open. (The Find, Change and Go-to
// dialogs are standard dialogs, found from the message's window instead.)
enum class OwnedDialog { Changelog, Preferences, License, About, Folders, Switch, Count };
// The window while it is open; null otherwise.
HWND OwnedDialogWindow(OwnedDialog which);
