#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "orv_version.h"

namespace e2e {

const std::string kMainTitle = "Orvinale " ORV_VERSION " (x64)";

std::string MainTitle(const std::string& document_name) { return document_name + " - " + kMainTitle; }

Rgb Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

int Image::Count(const Rgb& c, int x0, int y0, int x1, int y1) const {
  return Count([&](Rgb p) { return p == c; }, x0, y0, x1, y1);
}

int Image::Count(const std::function<bool(Rgb)>& test, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += test(At(x, y));
  return n;
}

std::vector<uint8_t> Image::Region(int x0, int y0, int x1, int y1) const {
  std::vector<uint8_t> out;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) out.insert(out.end(), {At(x, y).r, At(x, y).g, At(x, y).b});
  return out;
}

bool WaitUntil(const std::function<bool()>& cond, double timeout_s) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::stringstream ss;
  ss << std::ifstream(path, std::ios::binary).rdbuf();
  return ss.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* p = popen(("{ " + command + "\n} 2>/dev/null").c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}

static std::string Exact(const std::string& title) {
  std::string out = "^";
  for (char c : title)
    out += (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos ? "\\" : "") + std::string(1, c);
  return out + "$";
}

std::string TitleOf(unsigned long window) {
  std::string name = Capture("xdotool getwindowname " + std::to_string(window));
  return name.empty() ? name : name.substr(0, name.size() - 1);
}

Box BoxOf(unsigned long window) {
  std::string out = Capture("xdotool getwindowgeometry --shell " + std::to_string(window));
  Box b;
  std::sscanf(out.c_str(), "WINDOW=%*d X=%d Y=%d WIDTH=%d HEIGHT=%d", &b.x, &b.y, &b.w, &b.h);
  return b;
}

void MoveWindow(unsigned long window, int x, int y) {
  Capture("xdotool windowmove " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y));
}

std::vector<unsigned long> FindWindows(const std::string& pattern) {
  std::istringstream ids(Capture("xdotool search --onlyvisible --name " + ShellQuote(pattern)));
  std::vector<unsigned long> out;
  for (unsigned long id; ids >> id;) out.push_back(id);
  return out;
}

int IniValue(const std::string& ini, const std::string& key, int fallback) {
  size_t at = ("\n" + ini).find("\n" + key + "=");
  return at == std::string::npos ? fallback : std::atoi(ini.c_str() + at + key.size() + 1);
}

Orvinale::Orvinale() {
  char tmpl[] = "/tmp/orv-e2e-XXXXXX";
  dir_ = mkdtemp(tmpl) ? tmpl : "/nonexistent";
  Capture("cd " + ShellQuote(dir_) + " && cp " + ShellQuote(ORV_WIN64_DIR "/orvinale.exe") + " . && cp -r " +
          ShellQuote(ORV_SOURCE_DIR "/data/.") + " . && mkdir portable");
}

Orvinale::~Orvinale() {
  if (pid_ > 0) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (::testing::Test::HasFailure() || getenv("ORV_E2E_KEEP"))
    std::fprintf(stderr, "e2e: kept %s\n", dir_.c_str());
  else
    Capture("rm -rf " + ShellQuote(dir_));
}

std::string Orvinale::WindowsPath(const std::string& name) const {
  std::string p = "Z:" + Path(name);
  for (char& c : p) c = c == '/' ? '\\' : c;
  return p;
}

bool Orvinale::Start(const std::vector<std::string>& args) {
  std::string command = "cd " + ShellQuote(dir_) + " && exec ";
  command += ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " " + ShellQuote(Path("orvinale.exe"));
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  pid_ = fork();
  if (pid_ == 0) {  // in a process group of its own, which the destructor kills
    setpgid(0, 0);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ > 0) setpgid(pid_, pid_);
  return pid_ > 0;
}

unsigned long Orvinale::StartMain(const std::vector<std::string>& args, const std::string& title) {
  if (!Start(args) || !DismissBox("Release for testing purposes", 60)) return 0;
  return WaitWindow(title);
}

bool Orvinale::DismissBox(const std::string& title, double timeout_s) {
  unsigned long box = WaitWindow(title, timeout_s);
  // The box may not take keys at once; press Enter again only when it is
  // plainly still there, so no second Enter reaches the window behind it.
  for (int attempt = 0; box != 0 && attempt < 4; ++attempt) {
    Key(box, "Return");
    if (WaitWindowGone(title, 8)) return true;
  }
  return false;
}

bool Orvinale::Running() {
  int status = 0;
  if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) == 0) return pid_ > 0;
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  pid_ = -1;
  return false;
}

int Orvinale::Quit(unsigned long window, const std::string& keys) {
  Key(window, keys);
  exit_code_ = -1;
  EXPECT_TRUE(WaitUntil([&] { return !Running(); }, 30)) << "the program did not end after " << keys;
  return exit_code_;
}

unsigned long Orvinale::WaitWindow(const std::string& title, double timeout_s, unsigned long other) {
  unsigned long found = 0;
  WaitUntil([&] {
    for (unsigned long id : FindWindows(Exact(title))) found = id != other ? id : found;
    return found != 0 || !Running();
  }, timeout_s);
  return found;
}

bool Orvinale::WaitWindowGone(const std::string& title, double timeout_s) {
  return WaitUntil([&] { return FindWindows(Exact(title)).empty(); }, timeout_s);
}

void Orvinale::Focus(unsigned long window) {
  const std::string id = std::to_string(window);
  Capture("xdotool windowraise " + id + " windowfocus " + id);
  WaitUntil([&] { return Capture("xdotool getwindowfocus") == id + "\n"; }, 5);
}

void Orvinale::Xdo(unsigned long window, const std::string& command) {
  Focus(window);
  Capture("xdotool " + command);
}

std::string Orvinale::MoveTo(unsigned long window, int x, int y) {
  return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y);
}

void Orvinale::Drag(unsigned long window, int x0, int y0, int x1, int y1) {
  std::string cmd = MoveTo(window, x0, y0) + " mousedown 1";
  for (int i = 1; i <= 4; ++i)  // paced like a hand, so each step is its own move
    cmd += " sleep 0.05" + MoveTo(window, x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
  Xdo(window, cmd + " mouseup 1");
}

Image Orvinale::Screenshot(unsigned long window, const std::string& name) {
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

bool Orvinale::WaitShot(unsigned long window, const std::string& name,
                        const std::function<bool(const Image&)>& test, Image* shot, double timeout_s) {
  return WaitUntil([&] { return test(*shot = Screenshot(window, name)); }, timeout_s);
}

std::string Orvinale::ControlTexts(const std::string& title) {
  return Capture(ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " " +
                 ShellQuote(ORV_WIN64_DIR "/orv_window_texts.exe") + " " + ShellQuote(title));
}

const Rgb kEmpty{48, 25, 52};          // the text pane with no document
const Rgb kText{192, 192, 192};
const Rgb kLabel{70, 70, 70};          // line numbers
const Rgb kCaretLabel{128, 128, 255};  // the caret row's line number
const Rgb kSelected{77, 77, 153};      // (128,128,255) at 0.6 over black: selection, block caret
const Rgb kRed{255, 0, 0};             // the caret while a selection shows
const Rgb kRuler{25, 25, 25};
const Rgb kDot{20, 72, 82};            // whitespace
const Rgb kWhite{255, 255, 255};

int InClient(const Image& shot, const Rgb& c) {
  return shot.Count(c, 0, kClientTop, shot.width, shot.height);
}

bool RowsWith(const Image& shot, const Rgb& c, int x0, int x1, int* first, int* last) {
  *first = -1;
  for (int y = kClientTop; y < shot.height; ++y)
    if (shot.Count(c, x0, y, x1, y + 1) > 0) *last = y, *first = *first < 0 ? y : *first;
  return *first >= 0;
}

bool CaretLabelRows(const Image& shot, int* first, int* last) {
  // Glyphs, not the insert caret's two-pixel underline of the same colour.
  return RowsWith(shot, kCaretLabel, 0, kLabelsRight, first, last) && *last - *first >= 4;
}

std::vector<int> LabelTops(const Image& shot) {
  std::vector<int> tops;
  for (int y = kClientTop, blank = 0; y < shot.height; ++y) {
    const bool label = shot.Count(kLabel, 0, y, kLabelsRight, y + 1) > 0;
    if (label && blank >= 3) tops.push_back(y);  // gaps inside a digit are shorter
    blank = label ? 0 : blank + 1;
  }
  return tops;
}

std::vector<int> TextProfile(const Image& shot) {
  std::vector<int> rows;
  for (int y = kClientTop; y < shot.height; ++y) rows.push_back(shot.Count(kText, 0, y, shot.width, y + 1));
  return rows;
}

static int InBar(const Image& shot, const std::function<bool(Rgb)>& test) {
  return shot.Count(test, shot.width - 18, kClientTop + 20, shot.width - 6, shot.height - 20);
}

int NotBlackInBar(const Image& shot) {
  return InBar(shot, [](Rgb p) { return p != Rgb{}; });
}

double LightShareOfBar(const Image& shot) {
  return static_cast<double>(InBar(shot, [](Rgb p) { return p.r > 150 && p.g > 150 && p.b > 150; })) /
         InBar(shot, [](Rgb) { return true; });
}

int ThumbRows(const Image& shot) {
  // The longest run of mid-grey down the bar: the thumb is lighter than the
  // track and the arrow buttons.
  int best = 0;
  for (int y = kClientTop, run = 0; y < shot.height - 8; ++y) {
    const Rgb p = shot.At(shot.width - 14, y);
    run = p.r >= 40 && p.r <= 80 && p.r == p.g && p.g == p.b ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

std::vector<int> RulerColumns(const Image& shot) {
  std::vector<int> xs;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kRuler, x, kClientTop, x + 1, shot.height) > (shot.height - kClientTop) / 2)
      xs.push_back(x);
  return xs;
}

std::string RulerRows() {
  std::string text;
  for (int column : {79, 80, 119, 120}) text += std::string(column, ' ') + "#\n";
  return text;
}

void ExpectRulerBetweenMarks(const Image& shot) {
  std::vector<int> ruler = RulerColumns(shot);
  ASSERT_FALSE(ruler.empty()) << "no ruler line";
  EXPECT_LE(ruler.back() - ruler.front(), 1) << "more than one ruler line";
  // The dots of the first row stand at the cell centres: their spacing is
  // the cell width.
  std::vector<int> dots;
  for (int x = 0; x < shot.width; ++x)
    if (shot.Count(kDot, x, kClientTop, x + 1, kClientTop + 12) > 0) dots.push_back(x);
  ASSERT_GT(dots.size(), 10u) << "no whitespace dots on the first row";
  const int cell = dots[1] - dots[0], y1 = kClientTop + 12 * cell;  // the four marked rows
  EXPECT_GT(shot.Count(kText, ruler.front() - cell, kClientTop, ruler.front(), y1), 0) << "no '#' left";
  EXPECT_GT(shot.Count(kText, ruler.back() + 1, kClientTop, ruler.back() + cell, y1), 0) << "no '#' right";
  EXPECT_EQ(shot.Count(kText, ruler.back() + cell, kClientTop, ruler.back() + 2 * cell, y1), 0)
      << "text two cells right of the ruler: it stands a column early";
}

const Rgb kPaneBlue{0, 0, 192};
const Rgb kSelectionCyan{0, 192, 192};

constexpr int kCaptionRows = 30;  // the caption and frame Wine draws

static int RightmostNotBlue(const Image& shot, const PaneBox& pane, int y0, int y1) {
  for (int x = pane.x1 - 1; x >= pane.x0; --x)
    if (shot.Count([](Rgb p) { return p != kPaneBlue; }, x, y0, x + 1, y1) > 0) return x;
  return -1;
}

static int BandHeight(const PaneBox& pane) { return pane.bottom - pane.band_top + 1; }

std::vector<PaneBox> FindPanes(const Image& shot) {
  // Runs of columns with pane blue in the lowest rows (glyphs never fill a
  // column of the band); the band's extent down a run's last column but one.
  std::vector<PaneBox> panes;
  for (int x = 0, y0 = std::max(0, shot.height - 40); x < shot.width; ++x) {
    const int start = x;
    while (x < shot.width && shot.Count(kPaneBlue, x, y0, x + 1, shot.height) > 0) ++x;
    if (x - start < 60) continue;
    PaneBox pane{start, x, shot.height - 1, shot.height - 1};
    while (pane.bottom > 0 && shot.At(x - 2, pane.bottom) != kPaneBlue) --pane.bottom;
    for (pane.band_top = pane.bottom; pane.band_top > 0 && shot.At(x - 2, pane.band_top - 1) == kPaneBlue;)
      --pane.band_top;
    panes.push_back(pane);
  }
  return panes;
}

int HelpLineRight(const Image& shot, const PaneBox& pane) {
  // A third of the band lies inside the help row whatever is below it.
  return RightmostNotBlue(shot, pane, pane.band_top, pane.band_top + BandHeight(pane) / 3);
}

double StatusToHelpWidth(const Image& shot, const PaneBox& pane) {
  const int help = HelpLineRight(shot, pane);
  const int status = RightmostNotBlue(shot, pane, pane.band_top + BandHeight(pane) / 2, pane.bottom + 1);
  return help <= pane.x0 ? -1 : static_cast<double>(status - pane.x0 + 1) / (help - pane.x0 + 1);
}

std::vector<uint8_t> StatusPixels(const Image& shot, const PaneBox& pane) {
  return shot.Region(pane.x0, pane.band_top + BandHeight(pane) / 2, pane.x1, pane.bottom + 1);
}

int CountInText(const Image& shot, const PaneBox& pane, const Rgb& c) {
  return shot.Count(c, pane.x0, kCaptionRows, pane.x1, pane.band_top);
}

bool WaitPanes(Orvinale& app, unsigned long window, size_t count,
               const std::function<bool(const Image&, const std::vector<PaneBox>&)>& test, Image* shot,
               const std::string& name) {
  return app.WaitShot(window, name, [&](const Image& s) {
    std::vector<PaneBox> panes = FindPanes(s);
    return panes.size() == count && test(s, panes);
  }, shot);
}

bool PaneBlinks(Orvinale& app, unsigned long window, size_t index) {
  std::vector<uint8_t> first;
  Image shot;
  return app.WaitShot(window, "blink.png", [&](const Image& s) {
    std::vector<PaneBox> panes = FindPanes(s);
    if (panes.size() <= index) return false;
    const PaneBox& p = panes[index];
    std::vector<uint8_t> now = s.Region(p.x0, kCaptionRows, p.x1, p.band_top);
    if (first.size() != now.size()) first = now;
    return now != first;
  }, &shot, 5);
}

bool StatusIs(Orvinale& app, unsigned long window, size_t count, size_t index,
              const std::vector<uint8_t>& status, bool is, Image* shot) {
  Image own;
  return WaitPanes(app, window, count, [&](const Image& s, const std::vector<PaneBox>& p) {
    return (StatusPixels(s, p[index]) == status) == is;
  }, shot != nullptr ? shot : &own, "status.png");
}

bool TypingChangesNothing(Orvinale& app, unsigned long window, size_t count, size_t index,
                          const std::vector<uint8_t>& status) {
  app.Type(window, "xyz");
  app.Key(window, "Return BackSpace Delete Tab");
  app.QuickKeys(window, "ctrl+f");
  const bool prompt = StatusIs(app, window, count, index, status, false);
  app.Key(window, "Escape");
  return prompt && StatusIs(app, window, count, index, status, true);
}

void FindInPane(Orvinale& app, unsigned long window, const std::string& text) {
  app.QuickKeys(window, "ctrl+f");
  app.Type(window, text);
  app.Key(window, "Return");
}


}  // namespace e2e
