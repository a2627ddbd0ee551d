#pragma once
// End-to-end harness: runs the real orvinale.exe under Wine on the test
// display, drives it with xdotool, looks at it through screenshots and reads
// the files it writes. Every wait polls a condition with a deadline.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
  Rgb At(int x, int y) const;
  // Pixels in [x0, x1) x [y0, y1) of colour c, or accepted by the test.
  int Count(const Rgb& c, int x0, int y0, int x1, int y1) const;
  int Count(const std::function<bool(Rgb)>& test, int x0, int y0, int x1, int y1) const;
  // The pixels of a region, to compare two pictures.
  std::vector<uint8_t> Region(int x0, int y0, int x1, int y1) const;
  bool Load(const std::string& png_path);
};

// Polls cond every 50 ms until it holds or timeout_s passes.
bool WaitUntil(const std::function<bool()>& cond, double timeout_s);

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Runs a shell command and returns its standard output.
std::string Capture(const std::string& command);
std::string ShellQuote(const std::string& s);

// The main window's title with no document, and with the named one. The one
// place the tests know the program's version.
extern const std::string kMainTitle;
std::string MainTitle(const std::string& document_name);

// What X knows of a window: its title ("" once gone) and its rectangle.
struct Box {
  int x = -99999, y = -99999, w = 0, h = 0;
};
std::string TitleOf(unsigned long window);
Box BoxOf(unsigned long window);
void MoveWindow(unsigned long window, int x, int y);
// Visible windows whose title matches the extended regular expression.
std::vector<unsigned long> FindWindows(const std::string& pattern);
// The integer value of key in an .ini text; `fallback` when absent.
int IniValue(const std::string& ini, const std::string& key, int fallback = -1);

// One running orvinale.exe, started from a fresh temporary folder that holds
// a copy of the exe, the data files and a "portable" folder, so every
// configuration file stays in that folder.
class Orvinale {
 public:
  Orvinale();
  ~Orvinale();
  Orvinale(const Orvinale&) = delete;
  Orvinale& operator=(const Orvinale&) = delete;

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The file's Windows name, as the program sees it (Z:\...).
  std::string WindowsPath(const std::string& name) const;
  std::string Ini() const { return ReadFile(Path("portable/orvinale.ini")); }

  bool Start(const std::vector<std::string>& args = {});
  // Start, dismiss the welcome box, then wait for the main window's title;
  // its X window id, or 0.
  unsigned long StartMain(const std::vector<std::string>& args, const std::string& title);
  // Waits for the message box titled `title`, dismisses it with Enter and
  // waits until it is gone; false when it never showed or stays.
  bool DismissBox(const std::string& title, double timeout_s = 30);
  bool Running();
  // Waits for the program to end; false on time-out.
  bool WaitExit(double timeout_s, int* exit_code);
  // `keys` ("ctrl+q", "alt+F4") in the window, then waits for the exit: the
  // exit code, or -1 (and a test failure) when the program does not end.
  int Quit(unsigned long window, const std::string& keys = "ctrl+q");

  // Waits for a visible window titled exactly `title` (other than `other`,
  // for a box that shares its dialog's caption); 0 on time-out.
  unsigned long WaitWindow(const std::string& title, double timeout_s = 30, unsigned long other = 0);
  bool WaitWindowGone(const std::string& title, double timeout_s = 20);
  // `keys` in `window`, then waits for the window titled `title`.
  unsigned long Open(unsigned long window, const std::string& keys, const std::string& title);
  bool WaitTitle(unsigned long window, const std::string& title, double timeout_s = 10);
  // Waits until the file holds exactly `bytes`.
  bool WaitBytes(const std::string& name, const std::string& bytes, double timeout_s = 10);
  // Ctrl+S in the window, then WaitBytes.
  bool Saves(unsigned long window, const std::string& name, const std::string& bytes);
  // In an open file dialog: types the file's Windows name and presses Enter.
  void ChooseFile(unsigned long dialog, const std::string& name);

  // Input to a window: focus it, then keys ("ctrl+s Return"), text, clicks.
  void Focus(unsigned long window);
  void Key(unsigned long window, const std::string& keys);
  void Type(unsigned long window, const std::string& text);
  // Keys with no delay, each chord released at once: all are queued before
  // a console pane's 50 ms timer hands the first to its editor.
  void QuickKeys(unsigned long window, const std::string& keys);
  void Click(unsigned long window, int x, int y, int button = 1);
  // The left button pressed at (x, y) and held; released where it is.
  void Press(unsigned long window, int x, int y);
  void Release();
  // Presses the left button at (x0, y0), moves to (x1, y1) in a few steps
  // and releases it there.
  void Drag(unsigned long window, int x0, int y0, int x1, int y1);

  // Screenshot of one window, saved as a PNG in the test folder and loaded;
  // window 0 is the whole screen.
  Image Screenshot(unsigned long window, const std::string& name);
  // Screenshots the window until `test` accepts the picture; the last one
  // is left in *shot.
  bool WaitShot(unsigned long window, const std::string& name,
                const std::function<bool(const Image&)>& test, Image* shot, double timeout_s = 20);
  // The texts of the controls of the window titled `title` (a message box's
  // text), read by a small Windows helper beside the exe.
  std::string ControlTexts(const std::string& title);

 private:
  std::string dir_;
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

}  // namespace e2e
