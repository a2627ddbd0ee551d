#pragma once
// The real orvinale.exe under Wine, driven by xdotool, seen in screenshots.
// Header only: the stories' files are its only users.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "orv_version.h"
#include "tests/documents/temp_dir.h"

namespace e2e {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};
using PixelTest = std::function<bool(Rgb)>;

inline PixelTest Is(const Rgb& c) {
  return [c](Rgb p) { return p == c; };
}

// Pixels whose three channels lie in [low, high].
inline PixelTest Grey(int low, int high) {
  return [=](Rgb p) { return std::min({p.r, p.g, p.b}) >= low && std::max({p.r, p.g, p.b}) <= high; };
}

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel

  Rgb At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
  }
  // Pixels in [x0, x1) x [y0, y1) accepted by the test.
  int Count(const PixelTest& test, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += test(At(x, y));
    return n;
  }
  int Count(const Rgb& c, int x0, int y0, int x1, int y1) const { return Count(Is(c), x0, y0, x1, y1); }
  // The rows from y0 down holding a pixel accepted by the test in columns [x0, x1).
  std::vector<int> Rows(const PixelTest& test, int x0, int x1, int y0) const {
    std::vector<int> rows;
    for (int y = y0; y < height; ++y)
      if (Count(test, x0, y, x1, y + 1) > 0) rows.push_back(y);
    return rows;
  }
  std::vector<uint8_t> Region(int x0, int y0, int x1, int y1) const {
    std::vector<uint8_t> out;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) out.insert(out.end(), {At(x, y).r, At(x, y).g, At(x, y).b});
    return out;
  }
};

// The first row of each run of `rows` that follows a gap of at least `gap` rows: one per line of text.
inline std::vector<int> Bands(const std::vector<int>& rows, int gap = 1) {
  std::vector<int> tops;
  for (size_t i = 0; i < rows.size(); ++i)
    if (i == 0 || rows[i] - rows[i - 1] > gap) tops.push_back(rows[i]);
  return tops;
}

inline bool WaitUntil(const std::function<bool()>& cond, double timeout_s) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs a shell command; its standard output (its errors go nowhere).
inline std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* p = popen(("{ " + command + "\n} 2>/dev/null").c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}

inline const std::string kMainTitle = "Orvinale " ORV_VERSION " (x64)";

inline std::string MainTitle(const std::string& document_name) { return document_name + " - " + kMainTitle; }

inline std::string TitleOf(unsigned long window) {
  std::string name = Capture("xdotool getwindowname " + std::to_string(window));
  return name.empty() ? name : name.substr(0, name.size() - 1);
}

// Visible windows whose title matches the ERE.
inline std::vector<unsigned long> FindWindows(const std::string& pattern) {
  std::istringstream ids(Capture("xdotool search --onlyvisible --name " + ShellQuote(pattern)));
  std::vector<unsigned long> out;
  for (unsigned long id; ids >> id;) out.push_back(id);
  return out;
}

inline std::string Exact(const std::string& title) {  // an ERE matching the title alone
  std::string out = "^";
  for (char c : title)
    out += (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos ? "\\" : "") + std::string(1, c);
  return out + "$";
}

// The keys whose value in the profile is not the expected one, with what it holds (-1: none); empty when all match.
inline std::string IniMismatches(const std::string& ini, const std::vector<std::pair<std::string, int>>& expected) {
  std::string out;
  for (const auto& [key, value] : expected) {
    const size_t at = ("\n" + ini).find("\n" + key + "=");
    const int held = at == std::string::npos ? -1 : std::atoi(ini.c_str() + at + key.size() + 1);
    if (held != value) out += key + "=" + std::to_string(held) + " ";
  }
  return out;
}

// One orvinale.exe run from a fresh folder holding a copy of the exe, the data
// files and a "portable" folder, on a display of `dpi` (Wine's setting; see
// scripts/wine-env). A failed test keeps the folder (so does ORV_E2E_KEEP=1).
class Orvinale {
 public:
  explicit Orvinale(int dpi = 96)
      : wine_("ORV_WINE_DPI=" + std::to_string(dpi) + " " + ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " ") {
    Capture("cd " + ShellQuote(Path("")) + " && cp " + ShellQuote(ORV_WIN64_DIR "/orvinale.exe") + " . && cp -r " +
            ShellQuote(ORV_SOURCE_DIR "/data/.") + " . && mkdir portable");
  }
  ~Orvinale() {
    if (pid_ > 0) {
      kill(-pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    dir_.keep = ::testing::Test::HasFailure() || getenv("ORV_E2E_KEEP");
    if (dir_.keep) std::fprintf(stderr, "e2e: kept %s\n", Path("").c_str());
  }

  std::string Path(const std::string& name) const { return dir_.File(name); }
  std::string WindowsPath(const std::string& name) const {  // Z:\...
    std::string p = "Z:" + Path(name);
    for (char& c : p) c = c == '/' ? '\\' : c;
    return p;
  }
  std::string Ini() const { return ReadBytes(Path("portable/orvinale.ini")); }
  // Writes each file of the test folder; false if one cannot be written.
  bool Files(const std::vector<std::pair<std::string, std::string>>& files) const {
    for (const auto& [name, bytes] : files)
      if (!WriteBytes(Path(name), bytes)) return false;
    return true;
  }

  // Starts the program with the file (if any: a name in the test folder, or one passed as it stands: a full
  // one in the \\?\ form or a relative ".\\name") given, dismisses the boxes of the start (the welcome box last) and waits for the main window: its id, or 0.
  unsigned long StartMain(const std::string& file = "", std::vector<std::string> boxes = {}) {
    std::string command = "cd " + ShellQuote(Path("")) + " && exec env " + wine_ + ShellQuote(Path(exe));
    if (!file.empty()) command += " " + ShellQuote(file.rfind("\\\\?\\", 0) == 0 || file.rfind(".\\", 0) == 0 ? file : WindowsPath(file));
    pid_ = fork();
    if (pid_ == 0) {  // in a process group of its own, which the destructor kills
      setpgid(0, 0);
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    if (pid_ > 0) setpgid(pid_, pid_);
    boxes.push_back("Release for testing purposes");
    for (const std::string& box : boxes)
      if (pid_ < 0 || !DismissBox(box, 60)) return 0;
    return WaitWindow(file.empty() ? kMainTitle : MainTitle(file.substr(file.find_last_of("/\\") + 1)));
  }
  // Enter in the box titled `title` until it is gone; false if it never showed or stays.
  bool DismissBox(const std::string& title, double timeout_s = 30) {
    unsigned long box = WaitWindow(title, timeout_s);
    // The box may not take keys at once; press Enter again only when it is
    // plainly still there, so no second Enter reaches the window behind it.
    for (int attempt = 0; box != 0 && attempt < 4; ++attempt) {
      Key(box, "Return");
      if (WaitWindowGone(title, 8)) return true;
    }
    return false;
  }
  // True when the box titled `title` shows a control holding `text` and is then dismissed.
  bool BoxSays(const std::string& title, const std::string& text) {
    return WaitUntil([&] { return ControlTexts(title).find(text) != std::string::npos; }, 30) && DismissBox(title);
  }
  // `keys`, then the program's exit code; -1 (and a failure) if it does not end.
  int Quit(unsigned long window, const std::string& keys = "ctrl+q") {
    Key(window, keys);
    exit_code_ = -1;
    EXPECT_TRUE(WaitUntil([&] { return !Running(); }, 30)) << "the program did not end after " << keys;
    return exit_code_;
  }

  // A visible window titled `title` (not `other`: a box sharing its dialog's caption); 0 on time-out.
  unsigned long WaitWindow(const std::string& title, double timeout_s = 30, unsigned long other = 0) {
    unsigned long found = 0;
    WaitUntil([&] {
      for (unsigned long id : FindWindows(Exact(title))) found = id != other ? id : found;
      return found != 0 || !Running();
    }, timeout_s);
    return found;
  }
  bool WaitWindowGone(const std::string& title, double timeout_s = 20) {
    return WaitUntil([&] { return FindWindows(Exact(title)).empty(); }, timeout_s);
  }
  unsigned long Open(unsigned long window, const std::string& keys, const std::string& title) {
    if (!keys.empty()) Key(window, keys);  // none: it opens by itself
    return WaitWindow(title);
  }
  bool Close(unsigned long window, const std::string& keys, const std::string& title) {
    Key(window, keys);
    return WaitWindowGone(title);
  }
  // The window `keys` open, seen passing the test, then closed with `close`.
  bool Visit(unsigned long window, const std::string& keys, const std::string& title,
             const std::function<bool(const Image&)>& test, const std::string& close = "Escape") {
    unsigned long opened = Open(window, keys, title);
    return opened != 0 && Shows(opened, title + ".png", test) && Close(opened, close, title);
  }
  // The dialog `keys` open, given `entry` and then `close`; true once it is gone.
  bool Submit(unsigned long window, const std::string& keys, const std::string& title, const std::string& entry,
              const std::string& close = "Return") {
    unsigned long dialog = Open(window, keys, title);
    if (dialog != 0) Type(dialog, entry);
    return dialog != 0 && Close(dialog, close, title);
  }
  bool WaitTitle(unsigned long window, const std::string& title) {
    return WaitUntil([&] { return TitleOf(window) == title; }, 10);
  }
  bool WaitBytes(const std::string& name, const std::string& bytes) {
    return WaitUntil([&] { return ReadBytes(Path(name)) == bytes; }, 10);
  }
  bool Saves(unsigned long window, const std::string& name, const std::string& bytes) {
    Key(window, "ctrl+s");
    return WaitBytes(name, bytes);
  }
  // The file dialog `keys` open, given the file's Windows name and Enter, then `answer` given to the
  // question about replacing the file (a box with the dialog's caption) unless it is empty; true once
  // both are gone.
  bool ChooseFile(unsigned long window, const std::string& keys, const std::string& title, const std::string& name,
                  const std::string& answer = "") {
    unsigned long dialog = Open(window, keys, title);
    if (dialog == 0) return false;
    Type(dialog, WindowsPath(name));
    Key(dialog, "Return");
    unsigned long question = answer.empty() ? 0 : WaitWindow(title, 30, dialog);
    if (question != 0) Key(question, answer);
    return (answer.empty() || question != 0) && WaitWindowGone(title);
  }

  void Focus(unsigned long window) {
    const std::string id = std::to_string(window);
    Capture("xdotool windowraise " + id + " windowfocus " + id);
    WaitUntil([&] { return Capture("xdotool getwindowfocus") == id + "\n"; }, 5);
  }
  // QuickKeys sends with no delay: all chords are queued before a console pane's 50 ms timer hands one on.
  void Key(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 30 " + keys); }
  void QuickKeys(unsigned long window, const std::string& keys) { Xdo(window, "key --delay 0 " + keys); }
  void Type(unsigned long window, const std::string& text) { Xdo(window, "type --delay 30 -- " + ShellQuote(text)); }
  void Click(unsigned long window, int x, int y, int button = 1) {
    Xdo(window, "mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y) +
                    " click " + std::to_string(button));
  }

  // A window's picture (0: the screen), kept as a PNG in the test folder.
  Image Screenshot(unsigned long window, const std::string& name) {
    Capture("import -silent -window " + (window ? std::to_string(window) : "root") + " " +
            ShellQuote("png:" + Path(name)));
    Image img;
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, Path(name).c_str())) {
      png.format = PNG_FORMAT_RGB;
      img.rgb.resize(PNG_IMAGE_SIZE(png));
      if (png_image_finish_read(&png, nullptr, img.rgb.data(), 0, nullptr))
        img.width = static_cast<int>(png.width), img.height = static_cast<int>(png.height);
      else
        img.rgb.clear();
    }
    return img;
  }
  // Screenshots of the window until one passes the test (a failed one never does); the last stays in `shot`.
  bool Shows(unsigned long window, const std::string& name, const std::function<bool(const Image&)>& test,
             double timeout_s = 20) {
    return WaitUntil([&] {
      shot = Screenshot(window, name);
      return shot.width > 0 && test(shot);
    }, timeout_s);
  }
  // The texts of the window's controls, read by a Windows helper.
  std::string ControlTexts(const std::string& title) {
    return Capture(wine_ + ShellQuote(ORV_WIN64_DIR "/orv_window_texts.exe") + " " + ShellQuote(title));
  }

  Image shot;  // the last picture Shows took
  std::string exe = "orvinale.exe";  // what StartMain starts, inside the folder

 private:
  bool Running() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) == 0) return pid_ > 0;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    return false;
  }
  void Xdo(unsigned long window, const std::string& command) {
    Focus(window);
    Capture("xdotool " + command);
  }
  std::string wine_;  // runs a Windows program on this run's display
  TempDir dir_{"orv-e2e"};
  pid_t pid_ = -1;
  int exit_code_ = -1;
};

// Screenshots read: the main window's client starts below the caption and the menu bar.
inline const Rgb kEmpty{48, 25, 52};          // the text pane with no document
inline const Rgb kText{192, 192, 192};
inline const Rgb kLabel{70, 70, 70};          // line numbers
inline const Rgb kCaretLabel{128, 128, 255};  // the caret row's line number
inline const Rgb kWhite{255, 255, 255};
inline const Rgb kDot{20, 72, 82};            // whitespace
inline const Rgb kRuler{25, 25, 25};
constexpr int kClientTop = 45;
constexpr int kLabelsRight = 60;

inline int InClient(const Image& shot, const Rgb& c) { return shot.Count(c, 0, kClientTop, shot.width, shot.height); }

// The first pixel row of the caret row's highlighted label; -1 when none shows.
inline int CaretLabelRow(const Image& shot) {
  std::vector<int> rows = shot.Rows(Is(kCaretLabel), 0, kLabelsRight, kClientTop);
  // Glyphs, not the insert caret's two-pixel underline of the same colour.
  return rows.size() >= 2 && rows.back() - rows.front() >= 4 ? rows.front() : -1;
}

}  // namespace e2e
