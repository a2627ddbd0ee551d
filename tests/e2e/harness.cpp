#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

std::string Exact(const std::string& title) {
  std::string out = "^";
  for (char c : title)
    out += (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos ? "\\" : "") + std::string(1, c);
  return out + "$";
}

}  // namespace

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

}  // namespace e2e
