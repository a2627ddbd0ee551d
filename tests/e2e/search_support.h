#pragma once
// Window titles, positions and profile values for the end-to-end tests of
// the Find, Change and Go-to dialogs.
#include <string>
#include <utility>

namespace e2e {

// The window's title as X has it ("" when the window is gone).
std::string WindowTitle(unsigned long window);
bool WaitTitle(unsigned long window, const std::string& title, double timeout_s = 10);
// The window's top-left corner on the screen; {-99999, -99999} when unknown.
std::pair<int, int> WindowPosition(unsigned long window);
void MoveWindowTo(unsigned long window, int x, int y);
// The integer value of key in an .ini file's text; `fallback` when absent.
int IniValue(const std::string& ini, const std::string& key, int fallback);
// How many visible windows have exactly this title (plain text, no regex
// characters).
int CountWindows(const std::string& title);

}  // namespace e2e
