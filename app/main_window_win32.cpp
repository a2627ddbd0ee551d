// The main window's dialog procedure: initialisation, destruction with its
// profile keys, size, position, activation, paint, the menu's opening, and
// the document registry's view of it.
#include "app/main_window_win32.h"

#include <memory>

#include "app/browse_windows_win32.h"
#include "app/file_dialogs_win32.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "app/startup_paths.h"
#include "app/window_layout_win32.h"
#include "display/panes_win32.h"
#include "documents/document_commands.h"
#include "documents/text_encoder.h"
#include "documents/utf8_fs.h"
#include "engine/utf8_win32.h"

MainWindow* main_window = nullptr;

namespace {

constexpr COLORREF kBackground = 0x191919;

ProfileRect WindowRectOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void SetUpPanes(MainWindow* w) {
  SetUpWindowSizer(&w->sizer, w->hwnd);
  // The line pane keeps its width; the text pane follows both edges.
  AddSizerControl(&w->sizer, w->hwnd, IDC_LINE, {0, 0, 0, 1});
  AddSizerControl(&w->sizer, w->hwnd, IDC_SURFACE, {0, 0, 1, 1});
}

void ApplyProfile(MainWindow* w, const MainProfile& p) {
  w->profile_read = true;
  w->saved_rect = FitToNearestScreen(p.window);
  const ProfileRect& r = w->saved_rect;
  SetWindowPos(w->hwnd, nullptr, r.x, r.y, r.w, r.h, SWP_NOACTIVATE | SWP_NOZORDER);
  SizerChild* line = FindSizerChild(&w->sizer, IDC_LINE);
  SizerChild* surface = FindSizerChild(&w->sizer, IDC_SURFACE);
  if (p.template_panes) line = surface = nullptr;
  if (line != nullptr) {
    line->rect.left = p.line_x;
    line->rect.right = p.line_x + p.line_w;
  }
  if (surface != nullptr) surface->rect.left = p.surface_x;
  LayOutPanes(w);
}

bool OnInitDialog(MainWindow* w) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  w->title = kProductTitle;
  SetWindowTextA(w->hwnd, w->title.c_str());
  w->line_hwnd = GetDlgItem(w->hwnd, IDC_LINE);
  w->surface_hwnd = GetDlgItem(w->hwnd, IDC_SURFACE);
  SetUpPanes(w);
  // A scan thread's word that it has ended, handed to this thread.
  HWND hwnd = w->hwnd;
  w->folder_roots.on_scan_done = [hwnd] { PostMessageW(hwnd, kScanDoneMessage, 0, 0); };
  w->menu = LoadMenuW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(w->hwnd, GWLP_HINSTANCE)),
                      MAKEINTRESOURCEW(IDR_MAIN_MENU));
  SetMenu(w->hwnd, w->menu);

  std::unique_ptr<KeyBindingTable> table(new (std::nothrow) KeyBindingTable);
  if (table == nullptr || !BuildKeyBindingTable(table.get())) return false;
  key_bindings = table.release();
  app_state = new (std::nothrow) AppState;
  if (app_state == nullptr) return false;
  app_state->ui = &w->ui;

  FileProfileStore store(profile_path);
  MainProfile profile = ReadMainProfile(&store, WindowDpi(w->hwnd));
  ApplyProfile(w, profile);
  ShowWindow(w->hwnd, profile.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  // Both start off; the profile turns them on whether or not a document is
  // open (only their keys and items wait for one).
  if (profile.line_numbers) ToggleLineNumbers(w);
  if (profile.filename) ToggleFilename(w);
  // The command-line file opens once the window shows, so that a box
  // saying why it was refused has a window to stand on.
  if (!command_line.empty()) OpenOrActivate(app_state, command_line);
  UpdateTitle(w);
  if (w->surface_hwnd != nullptr) SetFocus(w->surface_hwnd);

  QueryPerformanceCounter(&now);
  double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) /
                   static_cast<double>(frequency.QuadPart ? frequency.QuadPart : 1);
  if (w->show_welcome) ShowWelcomeBox(w->hwnd, elapsed);
  return true;
}

ProfileRect PaneRect(const MainWindow& w, HWND pane) {
  SizerRect r = ChildClientRect(w.hwnd, pane);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void WriteProfile(const MainWindow* w) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(w->hwnd, &placement);
  MainProfileOut out;
  out.maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                  (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
  out.window = w->saved_rect;
  out.line = PaneRect(*w, w->line_hwnd);
  out.surface = PaneRect(*w, w->surface_hwnd);
  out.line_numbers = w->show_line_numbers;
  out.filename = w->show_filename;
  FileProfileStore store(profile_path);
  WriteMainProfile(&store, out);
  store.Write();
}

void OnDestroy(MainWindow* w) {
  KillTimer(w->hwnd, kChangeCountTimer);
  if (w->profile_read) WriteProfile(w);
  if (app_state != nullptr) {
    app_state->ui = nullptr;
    delete app_state;
    app_state = nullptr;
  }
  delete key_bindings;
  key_bindings = nullptr;
  // Each root's scan ends at its next folder entry; the roots go last first.
  DestroyFolderRoots(&w->folder_roots);
  w->menu = nullptr;  // destroyed with the window
  PostQuitMessage(0);
}

void OnSize(MainWindow* w, WPARAM kind) {
  // Minimized, the caret stops blinking; restored, it blinks again.
  SetSurfaceActive(w->surface_hwnd, w->active);
  if (kind == SIZE_MINIMIZED) return;
  LayOutPanes(w);
  // Full screen is not a normal rectangle either.
  if (kind != SIZE_MAXIMIZED && !w->fullscreen) w->saved_rect = WindowRectOf(w->hwnd);
}

void OnMove(MainWindow* w, LPARAM position) {
  int x = static_cast<short>(LOWORD(position));
  int y = static_cast<short>(HIWORD(position));
  if (x >= 0 && y >= 0 && GetCapture() == w->hwnd && !w->fullscreen && !IsZoomed(w->hwnd))
    w->saved_rect = WindowRectOf(w->hwnd);
}

// The window went to a screen of another scale: the panes take the new DPI
// (fonts, margins, scrollbars), the window the rectangle the system
// suggests, and the panes are laid out again for it.
void OnDpiChanged(MainWindow* w, WPARAM wparam, LPARAM lparam) {
  const int dpi = LOWORD(wparam);
  SetSurfaceDpi(w->surface_hwnd, dpi);
  SetLinePaneDpi(w->line_hwnd, dpi);
  const RECT* r = reinterpret_cast<const RECT*>(lparam);
  if (r != nullptr && !w->fullscreen) {
    SetWindowPos(w->hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayOutPanes(w);
  UpdateLinePaneWidth(w);
}

// A scan that ended while the Folders window was open shows there in full
// (the window filled during the scan shows the files found until then).
void OnScanDone() {
  if (folders_window != nullptr) RefillFoldersTree();
}

void OnPaint(MainWindow* w) {
  PaintBegin(w->painter, w->hwnd, static_cast<int>(kBackground));
  PaintEnd(w->painter);
}

INT_PTR HandleMessage(MainWindow* w, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy(w);
      return 0;
    case WM_MOVE:
      OnMove(w, lparam);
      return 0;
    case WM_SIZE:
      OnSize(w, wparam);
      return 0;
    case WM_PAINT:
      OnPaint(w);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(w, wparam, lparam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(w->hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      if (const Command* command = FindMenuCommand(LOWORD(wparam))) command->run(w);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_TIMER:
      if (wparam == kChangeCountTimer) OnChangeCountTimer(w);
      return 0;
    case WM_INITMENUPOPUP:
      UpdateMenuStates(w);
      return 0;
    case WM_ACTIVATE:
      // The dialog manager still puts the focus back (the result is 0).
      w->active = LOWORD(wparam) != WA_INACTIVE;
      SetSurfaceActive(w->surface_hwnd, w->active);
      return 0;
    case kScanDoneMessage:
      OnScanDone();
      return 0;
  }
  return 0;
}

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* w = reinterpret_cast<MainWindow*>(lparam);
    if (w == nullptr) return 0;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    w->hwnd = hwnd;
    if (!OnInitDialog(w)) DestroyWindow(hwnd);
    return 0;
  }
  auto* w = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (w == nullptr) return 0;
  INT_PTR result = HandleMessage(w, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    w->hwnd = w->line_hwnd = w->surface_hwnd = nullptr;
  }
  return result;
}

}  // namespace

HWND CreateMainDialog(HINSTANCE instance, MainWindow* window) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), GetDesktopWindow(),
                            MainDialogProc, reinterpret_cast<LPARAM>(window));
}

void LayOutPanes(MainWindow* w) {
  if (w->hwnd != nullptr) LayOutWindow(w->sizer, w->hwnd);
}

void FocusTextPane(MainWindow* w) {
  if (w->surface_hwnd != nullptr) SetFocus(w->surface_hwnd);
}

bool MainWindowUi::ChooseSavePath(std::string* path) {
  const bool chosen = ChooseFileForSave(window_->hwnd, path);
  FocusTextPane(window_);
  return chosen;
}

void MainWindowUi::RefreshTitle() { UpdateTitle(window_); }

void MainWindowUi::ReportSaveFailure(const std::string& path, const SaveOutcome& outcome) {
  const std::string text = SaveFailureText(path, FileErrorText(outcome.error), outcome.kept_path);
  MessageBoxW(window_->hwnd, WideText(text).c_str(), L"Save file", MB_OK);
}

void MainWindowUi::ReportOpenRefusal(const std::string& path, const LoadOutcome& outcome) {
  const std::string text = OpenRefusalText(path, outcome, FileErrorText(outcome.error));
  MessageBoxW(window_->hwnd, WideText(text).c_str(), WideText(kOpenRefusalCaption).c_str(), MB_OK);
}

void MainWindowUi::ReportSavedTooLarge(const std::string& path) {
  MessageBoxW(window_->hwnd, WideText(SavedTooLargeText(path).c_str()).c_str(), L"Save file",
              MB_OK);
}
