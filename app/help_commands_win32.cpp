// The HELP commands without a window of their own: the Version box, the
// documentation in Notepad and the product web page.
#include <string>

#include "app/app_globals.h"
#include "app/build_stamp.h"
#include "app/help_texts.h"
#include "app/help_windows_win32.h"
#include "app/shell_execute_win32.h"
#include "app/title_text.h"
#include "engine/utf8_win32.h"

void ShowVersionBox(HWND owner) {
  std::wstring text, caption;
  Utf8ToWide(VersionBoxText(BuildTimestamp(), BuildCommit()).c_str(), &text);
  Utf8ToWide(kVersionCaption, &caption);
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

// Neither a missing file nor a missing Notepad is reported.
void OpenDocumentation(HWND owner) {
  std::string path = program_directory + "documentation.txt";
  ShellExecuteUtf8(owner, "", "notepad.exe", path.c_str(), "", SW_SHOWNORMAL);
}

void OpenWebsite(HWND owner) {
  ShellExecuteUtf8(owner, "", kWebsiteAddress, nullptr, "", SW_SHOWNORMAL);
}
