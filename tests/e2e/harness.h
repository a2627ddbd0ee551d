#pragma once
// End-to-end harness: the real orvinale.exe under Wine on the test display,
// driven by xdotool, seen in screenshots; every wait polls with a deadline.
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
  std::vector<uint8_t> Region(int x0, int y0, int x1, int y1) const;
};

// Polls cond every 50 ms until it holds or timeout_s passes.
bool WaitUntil(const std::function<bool()>& cond, double timeout_s);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Runs a shell command; its standard output (its errors go nowhere).
std::string Capture(const std::string& command);
std::string ShellQuote(const std::string& s);

// The main window's title without and with a document (the program's version).
extern const std::string kMainTitle;
std::string MainTitle(const std::string& document_name);

struct Box {  // a window's place and size, as X knows them
  int x = 0, y = 0, w = 0, h = 0;
};
std::string TitleOf(unsigned long window);
Box BoxOf(unsigned long window);
void MoveWindow(unsigned long window, int x, int y);
inline bool At(unsigned long window, int x, int y) { return BoxOf(window).x == x && BoxOf(window).y == y; }
// Visible windows whose title matches the extended regular expression.
std::vector<unsigned long> FindWindows(const std::string& pattern);
// The integer value of key in an .ini text; `fallback` when absent.
int IniValue(const std::string& ini, const std::string& key, int fallback = -1);

// One orvinale.exe, run from a fresh folder with a copy of the exe, the data
// files and a "portable" folder for its configuration. A failed test keeps
// the folder (so does ORV_E2E_KEEP=1).
class Orvinale {
 public:
  Orvinale();
  ~Orvinale();
  Orvinale(const Orvinale&) = delete;
  Orvinale& operator=(const Orvinale&) = delete;

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string WindowsPath(const std::string& name) const;  // Z:\...
  std::string Ini() const { return ReadFile(Path("portable/orvinale.ini")); }

  bool Start(const std::vector<std::string>& args);
  // Start, dismiss the welcome box, wait for the main window: its id or 0.
  unsigned long StartMain(const std::vector<std::string>& args, const std::string& title);
  // Enter in the box titled `title` until it is gone; false if it never showed or stays.
  bool DismissBox(const std::string& title, double timeout_s = 30);
  // `keys`, then the program's exit code; -1 (and a failure) if it does not end.
  int Quit(unsigned long window, const std::string& keys = "ctrl+q");

  // A visible window titled `title` (not `other`: a box sharing its dialog's caption); 0 on time-out.
  unsigned long WaitWindow(const std::string& title, double timeout_s = 30, unsigned long other = 0);
  bool WaitWindowGone(const std::string& title, double timeout_s = 20);
  // `keys` in `window`, then WaitWindow(title) or WaitWindowGone(title).
  unsigned long Open(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys);
    return WaitWindow(title);
  }
  bool Close(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys);
    return WaitWindowGone(title);
  }
  bool WaitTitle(unsigned long window, const std::string& title, double timeout_s = 10) {
    return WaitUntil([&] { return TitleOf(window) == title; }, timeout_s);
  }
  bool KeyThenTitle(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys);
    return WaitTitle(window, title);
  }
  bool WaitBytes(const std::string& name, const std::string& bytes, double timeout_s = 10) {
    return WaitUntil([&] { return ReadFile(Path(name)) == bytes; }, timeout_s);
  }
  // Ctrl+S in the window, then WaitBytes.
  bool Saves(unsigned long window, const std::string& name, const std::string& bytes) {
    Key(window, "ctrl+s");
    return WaitBytes(name, bytes);
  }
  // The file dialog `keys` open, given the file's Windows name and Enter: its id or 0.
  unsigned long ChooseFile(unsigned long window, const std::string& keys, const std::string& title,
                           const std::string& name) {
    unsigned long dialog = Open(window, keys, title);
    if (dialog != 0) {
      Type(dialog, WindowsPath(name));
      Key(dialog, "Return");
    }
    return dialog;
  }

  // Input through xdotool, focusing the window first. QuickKeys sends with no delay,
  // so all chords are queued before a console pane's 50 ms timer hands one on.
  void Focus(unsigned long window);
  void Key(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 30 " + keys); }
  void QuickKeys(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 0 " + keys); }
  void Type(unsigned long window, const std::string& text) {
    Xdo(window, "type --delay 30 -- " + ShellQuote(text));
  }
  void Click(unsigned long window, int x, int y, int button = 1) {
    Xdo(window, MoveTo(window, x, y) + " click " + std::to_string(button));
  }
  void Press(unsigned long window, int x, int y) { Xdo(window, MoveTo(window, x, y) + " mousedown 1"); }
  void Release() { Capture("xdotool mouseup 1"); }
  void Drag(unsigned long window, int x0, int y0, int x1, int y1);

  // A window's picture (0: the screen), kept as a PNG in the test folder;
  // WaitShot takes them until `test` accepts one.
  Image Screenshot(unsigned long window, const std::string& name);
  bool WaitShot(unsigned long window, const std::string& name, const std::function<bool(const Image&)>& test,
                Image* shot, double timeout_s = 20);
  // The texts of the controls of the window titled `title`, read by a Windows helper.
  std::string ControlTexts(const std::string& title);

 private:
  bool Running();
  void Xdo(unsigned long window, const std::string& command);
  static std::string MoveTo(unsigned long window, int x, int y);
  std::string dir_;
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

}  // namespace e2e
