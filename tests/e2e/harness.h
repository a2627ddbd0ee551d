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
std::string ToString(const Rgb& c);

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
  Rgb At(int x, int y) const;
  // Number of pixels of the given colour in [x0, x1) × [y0, y1).
  int Count(const Rgb& c, int x0, int y0, int x1, int y1) const;
  bool Load(const std::string& png_path);
};

// Polls cond every 50 ms until it holds or timeout_s passes.
bool WaitUntil(const std::function<bool()>& cond, double timeout_s);

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
// Runs a shell command and returns its standard output.
std::string Capture(const std::string& command);
std::string ShellQuote(const std::string& s);

// The main window's title with no document, and with the named one.
extern const std::string kMainTitle;
std::string MainTitle(const std::string& document_name);

// One running orvinale.exe, started from a fresh temporary folder that holds
// a copy of the exe, the data files and a "portable" folder, so every
// configuration file stays in that folder.
class Orvinale {
 public:
  Orvinale();
  ~Orvinale();
  Orvinale(const Orvinale&) = delete;
  Orvinale& operator=(const Orvinale&) = delete;

  const std::string& dir() const { return dir_; }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The folder's Windows name, as the program sees it (Z:\...).
  std::string WindowsPath(const std::string& name) const;

  bool Start(const std::vector<std::string>& args = {});
  // Waits for a top-level window whose title matches exactly; returns its
  // X window id, or 0.
  unsigned long WaitWindow(const std::string& title, double timeout_s = 60);
  bool Running();
  // Waits for the program to end; false on time-out.
  bool WaitExit(double timeout_s, int* exit_code);
  // Ctrl+Q in the window, then waits for the exit: the exit code, or -1
  // (and a test failure) when the program does not end.
  int Quit(unsigned long window);

  // Input to a window: focus it, then keys ("ctrl+s", "Return"), text, clicks.
  void Focus(unsigned long window);
  void Key(unsigned long window, const std::string& keys);
  void Type(unsigned long window, const std::string& text);
  void Click(unsigned long window, int x, int y, int button = 1);
  // The left button pressed at (x, y) and held, and released where it is.
  void Press(unsigned long window, int x, int y);
  void Release();
  // Presses the left button at (x0, y0), moves to (x1, y1) in a few steps
  // and releases it there.
  void Drag(unsigned long window, int x0, int y0, int x1, int y1);

  // Waits for the welcome box ("Release for testing purposes"), dismisses it
  // with Enter and waits until it is gone; false when it never showed.
  bool DismissWelcome(double timeout_s = 60);
  // Start, dismiss the welcome box, then wait for the main window's title.
  unsigned long StartMain(const std::vector<std::string>& args, const std::string& title);
  // Waits for a visible window with this exact title other than `other`
  // (a box that shares its dialog's caption); 0 on time-out.
  unsigned long WaitOtherWindow(const std::string& title, unsigned long other, double timeout_s = 20);
  // Waits until no visible window has this exact title.
  bool WaitWindowGone(const std::string& title, double timeout_s = 20);

  // Screenshot of one window, saved under the test folder and loaded.
  Image Screenshot(unsigned long window, const std::string& name = "shot.png");

 private:
  std::string dir_;
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

}  // namespace e2e
