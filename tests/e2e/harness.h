#pragma once
// The real orvinale.exe under Wine, driven by xdotool, seen in screenshots.
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

bool WaitUntil(const std::function<bool()>& cond, double timeout_s);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Runs a shell command; its standard output (its errors go nowhere).
std::string Capture(const std::string& command);
std::string ShellQuote(const std::string& s);

extern const std::string kMainTitle;
std::string MainTitle(const std::string& document_name);

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
};
std::string TitleOf(unsigned long window);
Box BoxOf(unsigned long window);
void MoveWindow(unsigned long window, int x, int y);
inline bool At(unsigned long window, int x, int y) { return BoxOf(window).x == x && BoxOf(window).y == y; }
std::vector<unsigned long> FindWindows(const std::string& pattern);  // visible, title matches the ERE
int IniValue(const std::string& ini, const std::string& key, int fallback = -1);

// One orvinale.exe run from a fresh folder holding a copy of the exe, the data
// files and a "portable" folder. A failed test keeps the folder (so does ORV_E2E_KEEP=1).
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
  unsigned long Open(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys); return WaitWindow(title);
  }
  bool Close(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys); return WaitWindowGone(title);
  }
  bool WaitTitle(unsigned long window, const std::string& title) {
    return WaitUntil([&] { return TitleOf(window) == title; }, 10);
  }
  bool KeyThenTitle(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys); return WaitTitle(window, title);
  }
  bool WaitBytes(const std::string& name, const std::string& bytes) {
    return WaitUntil([&] { return ReadFile(Path(name)) == bytes; }, 10);
  }
  bool Saves(unsigned long window, const std::string& name, const std::string& bytes) {
    Key(window, "ctrl+s"); return WaitBytes(name, bytes);
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

  // QuickKeys sends with no delay: all chords are queued before a console pane's 50 ms timer hands one on.
  void Focus(unsigned long window);
  void Key(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 30 " + keys); }
  void QuickKeys(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 0 " + keys); }
  void Type(unsigned long window, const std::string& text) { Xdo(window, "type --delay 30 -- " + ShellQuote(text)); }
  void Click(unsigned long window, int x, int y, int button = 1) {
    Xdo(window, MoveTo(window, x, y) + " click " + std::to_string(button));
  }
  void Press(unsigned long window, int x, int y) { Xdo(window, MoveTo(window, x, y) + " mousedown 1"); }
  void Release() { Capture("xdotool mouseup 1"); }
  void Drag(unsigned long window, int x0, int y0, int x1, int y1);

  // A window's picture (0: the screen), kept as a PNG in the test folder.
  Image Screenshot(unsigned long window, const std::string& name);
  bool WaitShot(unsigned long window, const std::string& name, const std::function<bool(const Image&)>& test,
                Image* shot, double timeout_s = 20);
  // The texts of the window's controls, read by a Windows helper.
  std::string ControlTexts(const std::string& title);

 private:
  bool Running();
  void Xdo(unsigned long window, const std::string& command);
  static std::string MoveTo(unsigned long window, int x, int y);
  std::string dir_;
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

// Screenshots read: the main window's client starts below the caption and the menu bar.
extern const Rgb kEmpty, kText, kLabel, kCaretLabel, kSelected, kRed, kRuler, kDot, kWhite;
constexpr int kClientTop = 45;
constexpr int kLabelsRight = 60;
int InClient(const Image& shot, const Rgb& c);
bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last);
// The rows of the caret row's highlighted label; false when none shows.
bool CaretLabelRows(const Image& shot, int* first, int* last);
// Top pixel rows of the grey labels (all but the caret row's).
std::vector<int> LabelTops(const Image& shot);
// Text pixels on each client row: equal profiles show the same text.
std::vector<int> TextProfile(const Image& shot);
// The scrollbar's strip: pixels not black, share of light ones (a flat bar), thumb rows.
int NotBlackInBar(const Image& shot);
double LightShareOfBar(const Image& shot);
int ThumbRows(const Image& shot);
std::vector<int> RulerColumns(const Image& shot);
// Four lines with a '#' in the 0-based columns 79, 80, 119 and 120; the
// expectation: one ruler line with a '#' in the cell on each side of it.
std::string RulerRows();
void ExpectRulerBetweenMarks(const Image& shot);

// A console pane ends in a blue band: the help line and the status line.
extern const Rgb kPaneBlue, kSelectionCyan;
struct PaneBox {
  int x0 = 0, x1 = 0;  // columns, x1 exclusive
  int band_top = 0;    // first row of the help line
  int bottom = 0;      // last row of the pane
};
std::vector<PaneBox> FindPanes(const Image& shot);  // left to right
int HelpLineRight(const Image& shot, const PaneBox& pane);  // -1 when empty
double StatusToHelpWidth(const Image& shot, const PaneBox& pane);
std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane);
int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c);  // above the band
bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test, Image* shot,
               const std::string& name = "panes.png");
// The caret blinks only in the pane with the focus.
bool PaneBlinks(Orvinale& app, unsigned long window, size_t index);
bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index,
              const std::vector<uint8_t>& status, bool is, Image* shot = nullptr);
// Types into the focused read-only pane, then opens Ctrl+F's prompt and
// cancels it: true when the status line came back as `status`.
bool TypingChangesNothing(Orvinale& app, unsigned long window, size_t count, size_t index,
                          const std::vector<uint8_t>& status);
void FindInPane(Orvinale& app, unsigned long window, const std::string& text);

}  // namespace e2e
