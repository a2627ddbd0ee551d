#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

const std::string kMainTitle = "Orvinale 0.53-alpha (x64)";

std::string MainTitle(const std::string& document_name) {
  return document_name + " - " + kMainTitle;
}

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
    for (int x = x0; x < x1; ++x) {
      Rgb c = At(x, y);
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  return out;
}

bool Image::Load(const std::string& png_path) {
  png_image img = {};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, png_path.c_str())) return false;
  img.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&img);
    return false;
  }
  width = static_cast<int>(img.width);
  height = static_cast<int>(img.height);
  rgb = std::move(pixels);
  return true;
}

bool WaitUntil(const std::function<bool()>& cond, double timeout_s) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
  for (;;) {
    if (cond()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
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
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

namespace {

void Run(const std::string& command) { Capture(command + " 2>/dev/null"); }

std::string TitlePattern(const std::string& title) {
  std::string out = "^";
  for (char c : title) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out + "$";
}

int ShellValue(const std::string& text, const std::string& key) {
  size_t at = text.find("\n" + key + "=");
  return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + key.size() + 2);
}

}  // namespace

std::string TitleOf(unsigned long window) {
  std::string name = Capture("xdotool getwindowname " + std::to_string(window) + " 2>/dev/null");
  if (!name.empty() && name.back() == '\n') name.pop_back();
  return name;
}

Box BoxOf(unsigned long window) {
  std::string out =
      "\n" + Capture("xdotool getwindowgeometry --shell " + std::to_string(window) + " 2>/dev/null");
  return {ShellValue(out, "X"), ShellValue(out, "Y"), ShellValue(out, "WIDTH"), ShellValue(out, "HEIGHT")};
}

void MoveWindow(unsigned long window, int x, int y) {
  Run("xdotool windowmove " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y));
}

std::vector<unsigned long> FindWindows(const std::string& pattern) {
  std::istringstream ids(Capture("xdotool search --onlyvisible --name " + ShellQuote(pattern) + " 2>/dev/null"));
  std::vector<unsigned long> out;
  for (unsigned long id; ids >> id;) out.push_back(id);
  return out;
}

int IniValue(const std::string& ini, const std::string& key, int fallback) {
  std::istringstream lines(ini);
  std::string line;
  while (std::getline(lines, line))
    if (line.rfind(key + "=", 0) == 0) return std::atoi(line.c_str() + key.size() + 1);
  return fallback;
}

Orvinale::Orvinale() {
  char tmpl[] = "/tmp/orv-e2e-XXXXXX";
  if (mkdtemp(tmpl)) dir_ = tmpl;
  const std::string src = ORV_SOURCE_DIR, win = ORV_WIN64_DIR;
  Run("cp " + ShellQuote(win + "/orvinale.exe") + " " + ShellQuote(dir_) + " && cp -r " +
      ShellQuote(src + "/data/.") + " " + ShellQuote(dir_) + " && mkdir " + ShellQuote(dir_ + "/portable"));
}

Orvinale::~Orvinale() {
  if (pid_ > 0) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (::testing::Test::HasFailure() || getenv("ORV_E2E_KEEP"))
    std::fprintf(stderr, "e2e: kept %s\n", dir_.c_str());
  else if (!dir_.empty())
    Run("rm -rf " + ShellQuote(dir_));
}

std::string Orvinale::WindowsPath(const std::string& name) const {
  std::string p = "Z:" + Path(name);
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

bool Orvinale::Start(const std::vector<std::string>& args) {
  std::vector<std::string> argv_s = {std::string(ORV_SOURCE_DIR) + "/scripts/wine-run", Path("orvinale.exe")};
  argv_s.insert(argv_s.end(), args.begin(), args.end());
  pid_ = fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    setpgid(0, 0);
    if (chdir(dir_.c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    for (auto& a : argv_s) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  setpgid(pid_, pid_);
  return true;
}

bool Orvinale::DismissBox(const std::string& title, double timeout_s) {
  unsigned long box = WaitWindow(title, timeout_s);
  if (box == 0) return false;
  // The box may not take keys at once; press Enter again only when it is
  // plainly still there, so no second Enter reaches the window behind it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    Key(box, "Return");
    if (WaitWindowGone(title, 8)) return true;
  }
  return false;
}

unsigned long Orvinale::StartMain(const std::vector<std::string>& args, const std::string& title) {
  if (!Start(args) || !DismissBox("Release for testing purposes", 60)) return 0;
  return WaitWindow(title);
}

bool Orvinale::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == 0) return true;
  if (r == pid_) exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  pid_ = -1;
  return false;
}

bool Orvinale::WaitExit(double timeout_s, int* exit_code) {
  bool ended = WaitUntil([&] { return !Running(); }, timeout_s);
  if (exit_code) *exit_code = exit_code_;
  return ended;
}

int Orvinale::Quit(unsigned long window, const std::string& keys) {
  Key(window, keys);
  int code = -1;
  EXPECT_TRUE(WaitExit(30, &code)) << "the program did not end after " << keys;
  return code;
}

unsigned long Orvinale::WaitWindow(const std::string& title, double timeout_s, unsigned long other) {
  unsigned long found = 0;
  WaitUntil([&] {
    for (unsigned long id : FindWindows(TitlePattern(title)))
      if (id != other) found = id;
    return found != 0 || !Running();
  }, timeout_s);
  return found;
}

bool Orvinale::WaitWindowGone(const std::string& title, double timeout_s) {
  return WaitUntil([&] { return FindWindows(TitlePattern(title)).empty(); }, timeout_s);
}

unsigned long Orvinale::Open(unsigned long window, const std::string& keys, const std::string& title) {
  Key(window, keys);
  return WaitWindow(title);
}

bool Orvinale::WaitTitle(unsigned long window, const std::string& title, double timeout_s) {
  return WaitUntil([&] { return TitleOf(window) == title; }, timeout_s);
}

bool Orvinale::WaitBytes(const std::string& name, const std::string& bytes, double timeout_s) {
  return WaitUntil([&] { return ReadFile(Path(name)) == bytes; }, timeout_s);
}

bool Orvinale::Saves(unsigned long window, const std::string& name, const std::string& bytes) {
  Key(window, "ctrl+s");
  return WaitBytes(name, bytes);
}

void Orvinale::ChooseFile(unsigned long dialog, const std::string& name) {
  Type(dialog, WindowsPath(name));
  Key(dialog, "Return");
}

void Orvinale::Focus(unsigned long window) {
  std::string id = std::to_string(window);
  Run("xdotool windowraise " + id + " windowfocus " + id);
  WaitUntil([&] { return Capture("xdotool getwindowfocus 2>/dev/null").find(id) == 0; }, 5);
}

void Orvinale::Key(unsigned long window, const std::string& keys) {
  Focus(window);
  Run("xdotool key --delay 30 " + keys);
}

void Orvinale::Type(unsigned long window, const std::string& text) {
  Focus(window);
  Run("xdotool type --delay 30 -- " + ShellQuote(text));
}

void Orvinale::QuickKeys(unsigned long window, const std::string& keys) {
  Focus(window);
  Run("xdotool key --delay 0 " + keys);
}

namespace {

std::string MoveTo(unsigned long window, int x, int y) {
  return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y);
}

}  // namespace

void Orvinale::Click(unsigned long window, int x, int y, int button) {
  Focus(window);
  Run("xdotool" + MoveTo(window, x, y) + " click " + std::to_string(button));
}

void Orvinale::Press(unsigned long window, int x, int y) {
  Focus(window);
  Run("xdotool" + MoveTo(window, x, y) + " mousedown 1");
}

void Orvinale::Release() { Run("xdotool mouseup 1"); }

void Orvinale::Drag(unsigned long window, int x0, int y0, int x1, int y1) {
  Focus(window);
  std::string cmd = "xdotool" + MoveTo(window, x0, y0) + " mousedown 1";
  for (int i = 1; i <= 4; ++i)
    cmd += " sleep 0.05" + MoveTo(window, x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
  Run(cmd + " mouseup 1");
}

Image Orvinale::Screenshot(unsigned long window, const std::string& name) {
  Image img;
  Run("import -silent -window " + (window ? std::to_string(window) : std::string("root")) + " " +
      ShellQuote("png:" + Path(name)));
  img.Load(Path(name));
  return img;
}

bool Orvinale::WaitShot(unsigned long window, const std::string& name,
                        const std::function<bool(const Image&)>& test, Image* shot, double timeout_s) {
  return WaitUntil([&] {
    *shot = Screenshot(window, name);
    return test(*shot);
  }, timeout_s);
}

std::string Orvinale::ControlTexts(const std::string& title) {
  return Capture(ShellQuote(std::string(ORV_SOURCE_DIR) + "/scripts/wine-run") + " " +
                 ShellQuote(std::string(ORV_WIN64_DIR) + "/orv_window_texts.exe") + " " +
                 ShellQuote(title) + " 2>/dev/null");
}

}  // namespace e2e
