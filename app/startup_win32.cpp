// Start-up and shut-down: window classes, configuration paths, the
// preferences, the main window and the message loop.
#include "app/startup_win32.h"

#include <objbase.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "console/console_window_win32.h"
#include "display/pane_hooks.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "documents/preferences_files.h"
#include "documents/utf8_fs.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"
#include "preferences/preferences.h"

namespace {

const wchar_t* const kDialogClasses[] = {
    L"orvinale_superhost", L"license_superhost", L"changelog_superhost",
    L"preferences_superhost", L"about_superhost", L"projects_superhost", L"switch_superhost",
};

std::string ModuleFileName() {
  wchar_t wide[2048] = {};
  DWORD n = GetModuleFileNameW(nullptr, wide, 2048);
  std::string utf8;
  if (n > 0 && n < 2048 && WideToUtf8(wide, &utf8) && utf8.size() < 2048) return utf8;
  char narrow[2048] = {};
  n = GetModuleFileNameA(nullptr, narrow, sizeof narrow);
  return n > 0 && n < sizeof narrow ? std::string(narrow) : std::string();
}

// A folder "portable" (exact case) among the program directory's entries.
bool HasPortableFolder(const std::string& directory) {
  std::string pattern = directory.substr(0, directory.size() - 1) + "\\*";
  std::wstring wide;
  WIN32_FIND_DATAW found;
  HANDLE find = WidePath(pattern.c_str(), &wide) ? FindFirstFileW(wide.c_str(), &found)
                                                 : INVALID_HANDLE_VALUE;
  if (find != INVALID_HANDLE_VALUE) {
    bool portable = false;
    do {
      portable = found.cFileName == std::wstring(L"portable") &&
                 IsPortableMarker("portable", found.dwFileAttributes);
    } while (!portable && FindNextFileW(find, &found));
    FindClose(find);
    return portable;
  }
  WIN32_FIND_DATAA narrow;
  find = FindFirstFileA(pattern.c_str(), &narrow);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool portable = false;
  do {
    portable = IsPortableMarker(narrow.cFileName, narrow.dwFileAttributes);
  } while (!portable && FindNextFileA(find, &narrow));
  FindClose(find);
  return portable;
}

bool RoamingFolder(std::string* folder) {
  wchar_t wide[MAX_PATH + 1] = {};
  if (SHGetSpecialFolderPathW(nullptr, wide, CSIDL_APPDATA, FALSE) && WideToUtf8(wide, folder) &&
      folder->size() < 2048)
    return true;
  char narrow[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, narrow, CSIDL_APPDATA, FALSE)) return false;
  *folder = narrow;
  return true;
}

void ShowParseError(const Preferences& p) {
  std::string user = config_directory + "preferences.txt";
  std::string fallback = config_directory + "preferences-default.txt";
  std::wstring text = WideText(PreferencesParseErrorText(p.error_text, user, fallback).c_str());
  MessageBoxW(GetDesktopWindow(), text.c_str(), L"Orvinale: preferences parse error found", MB_OK);
}

// "surface_superhost" and "line_superhost" from the dialog class record
// `base` (instance, icon, style and cursor already set).
void RegisterPaneClasses(WNDCLASSW base) {
  base.cbWndExtra = 0;
  base.lpfnWndProc = SurfaceWindowProc;
  base.lpszClassName = L"surface_superhost";
  RegisterClassW(&base);
  base.lpfnWndProc = LineWindowProc;
  base.lpszClassName = L"line_superhost";
  RegisterClassW(&base);
}

void ReleasePreferences() {
  delete preferences;
  preferences = nullptr;
}

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSW wc{};
  GetClassInfoW(nullptr, L"#32770", &wc);
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ORVINALE));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"#32770";
  RegisterClassW(&wc);
  wc.style = CS_DBLCLKS;
  for (const wchar_t* name : kDialogClasses) {
    wc.lpszClassName = name;
    RegisterClassW(&wc);
  }
  // The panes set their own cursors.
  wc.hCursor = nullptr;
  RegisterPaneClasses(wc);
  RegisterConsoleWindowClass(instance);
}

bool ResolveConfiguration() {
  program_directory = ProgramDirectory(ModuleFileName());
  bool portable = !program_directory.empty() && HasPortableFolder(program_directory);
  std::string roaming;
  if (!portable && !RoamingFolder(&roaming)) {
    MessageBoxA(nullptr,
                "Orvinale cannot retrieve user's roaming directory. Press OK to exit Orvinale.",
                "Orvinale error", MB_OK);
    return false;
  }
  config_directory = ConfigDirectory(program_directory, portable, roaming);
  if (!portable) CreateDirectoryUtf8(config_directory.c_str());
  profile_path = ProfilePath(config_directory);
  return true;
}

bool LoadPreferencesAtStart() {
  preferences = new Preferences;
  WriteDefaultFiles(config_directory);
  if (LoadPreferences(preferences, config_directory, false)) return true;
  ShowParseError(*preferences);
  return LoadPreferences(preferences, config_directory, true);
}

int RunOrvinale(HINSTANCE instance, const wchar_t* wide_command_line) {
  const wchar_t* line = wide_command_line != nullptr ? wide_command_line : L"";
  command_line = CommandLinePath(reinterpret_cast<const char16_t*>(line), wcslen(line));
  CoInitialize(nullptr);
  InitCommonControls();
  RegisterWindowClasses(instance);
  if (!ResolveConfiguration()) {
    CoUninitialize();
    return 1;
  }
  std::wstring wide_directory;
  if (Utf8ToWide(program_directory.c_str(), &wide_directory))
    SetScrollbarSkinFolder(wide_directory.c_str());
  pane_hooks.profile_path = profile_path;
  pane_hooks.profile_get_int = ProfileGetInt;
  pane_hooks.profile_set_int = ProfileSetInt;

  int exit_code = 1;  // both preference files refused: no window
  if (LoadPreferencesAtStart()) {
    main_window = new MainWindow;
    // A dialog whose initialisation failed destroyed itself and returned null.
    if (CreateMainDialog(instance, main_window) != nullptr) exit_code = MessageLoop();
    delete main_window;
    main_window = nullptr;
  }
  ReleasePreferences();
  CoUninitialize();
  return exit_code;
}
