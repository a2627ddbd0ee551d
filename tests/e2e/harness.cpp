#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

std::string ToString(const Rgb& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

Rgb Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

int Image::Count(const Rgb& c, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += At(x, y) == c;
  return n;
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

int Run(const std::string& command) { return system(command.c_str()); }

std::string RegexEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

Orvinale::Orvinale() {
  char tmpl[] = "/tmp/orv-e2e-XXXXXX";
  if (mkdtemp(tmpl)) dir_ = tmpl;
  std::string src = ORV_SOURCE_DIR;
  std::string win = ORV_WIN64_DIR;
  Run("cp " + ShellQuote(win + "/orvinale.exe") + " " + ShellQuote(dir_) +
      " && { [ ! -d " + ShellQuote(src + "/data") + " ] || cp -r " + ShellQuote(src + "/data/.") + " " + ShellQuote(dir_) + "; }" +
      " && mkdir -p " + ShellQuote(dir_ + "/portable"));
}

Orvinale::~Orvinale() {
  if (pid_ > 0) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (::testing::Test::HasFailure() || getenv("ORV_E2E_KEEP")) {
    std::fprintf(stderr, "e2e: kept %s\n", dir_.c_str());
  } else if (!dir_.empty()) {
    Run("rm -rf " + ShellQuote(dir_));
  }
}

std::string Orvinale::WindowsPath(const std::string& name) const {
  std::string p = "Z:" + dir_ + "/" + name;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

bool Orvinale::Start(const std::vector<std::string>& args) {
  std::string runner = std::string(ORV_SOURCE_DIR) + "/scripts/wine-run";
  std::vector<std::string> argv_s = {runner, dir_ + "/orvinale.exe"};
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

unsigned long Orvinale::WaitWindow(const std::string& title, double timeout_s) {
  unsigned long id = 0;
  std::string cmd = "xdotool search --onlyvisible --name " +
                    ShellQuote("^" + RegexEscape(title) + "$") + " 2>/dev/null";
  WaitUntil([&] {
    id = std::strtoul(Capture(cmd).c_str(), nullptr, 10);
    return id != 0 || !Running();
  }, timeout_s);
  return id;
}

bool Orvinale::DismissWelcome(double timeout_s) {
  const std::string caption = "Release for testing purposes";
  unsigned long box = WaitWindow(caption, timeout_s);
  if (box == 0) return false;
  // The box may not take keys at once; press Enter again only when it is
  // plainly still there, so no second Enter reaches the main window.
  for (int attempt = 0; attempt < 4; ++attempt) {
    Key(box, "Return");
    if (WaitWindowGone(caption, 8)) return true;
  }
  return false;
}

unsigned long Orvinale::StartMain(const std::vector<std::string>& args, const std::string& title) {
  if (!Start(args) || !DismissWelcome()) return 0;
  return WaitWindow(title, 30);
}

unsigned long Orvinale::WaitOtherWindow(const std::string& title, unsigned long other,
                                        double timeout_s) {
  std::string cmd = "xdotool search --onlyvisible --name " +
                    ShellQuote("^" + RegexEscape(title) + "$") + " 2>/dev/null";
  unsigned long found = 0;
  WaitUntil([&] {
    std::string ids = Capture(cmd);
    for (size_t at = 0; at < ids.size();) {
      unsigned long id = std::strtoul(ids.c_str() + at, nullptr, 10);
      if (id != 0 && id != other) found = id;
      at = ids.find('\n', at);
      if (at == std::string::npos) break;
      ++at;
    }
    return found != 0 || !Running();
  }, timeout_s);
  return found;
}

bool Orvinale::WaitWindowGone(const std::string& title, double timeout_s) {
  std::string cmd = "xdotool search --onlyvisible --name " +
                    ShellQuote("^" + RegexEscape(title) + "$") + " 2>/dev/null";
  return WaitUntil([&] { return Capture(cmd).empty(); }, timeout_s);
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

const std::string kMainTitle = "Orvinale 0.53-alpha (x64)";

std::string MainTitle(const std::string& document_name) {
  return document_name + " - " + kMainTitle;
}

int Orvinale::Quit(unsigned long window) {
  Key(window, "ctrl+q");
  int code = -1;
  EXPECT_TRUE(WaitExit(30, &code)) << "the program did not end after Ctrl+Q";
  return code;
}

bool Orvinale::WaitExit(double timeout_s, int* exit_code) {
  bool ended = WaitUntil([&] { return !Running(); }, timeout_s);
  if (exit_code) *exit_code = exit_code_;
  return ended;
}

void Orvinale::Focus(unsigned long window) {
  std::string id = std::to_string(window);
  Run("xdotool windowraise " + id + " windowfocus " + id + " 2>/dev/null");
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

void Orvinale::Click(unsigned long window, int x, int y, int button) {
  Focus(window);
  Run("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
      std::to_string(y) + " click " + std::to_string(button));
}

void Orvinale::Press(unsigned long window, int x, int y) {
  Focus(window);
  Run("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
      std::to_string(y) + " mousedown 1");
}

void Orvinale::Release() { Run("xdotool mouseup 1"); }

void Orvinale::Drag(unsigned long window, int x0, int y0, int x1, int y1) {
  Focus(window);
  const std::string w = std::to_string(window);
  auto move = [&](int x, int y) {
    return " mousemove --window " + w + " " + std::to_string(x) + " " + std::to_string(y);
  };
  std::string cmd = "xdotool" + move(x0, y0) + " mousedown 1";
  const int steps = 4;
  for (int i = 1; i <= steps; ++i)
    cmd += " sleep 0.05" + move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  Run(cmd + " mouseup 1");
}

Image Orvinale::Screenshot(unsigned long window, const std::string& name) {
  Image img;
  std::string path = Path(name);
  Run("import -silent -window " + std::to_string(window) + " " + ShellQuote("png:" + path));
  img.Load(path);
  return img;
}

}  // namespace e2e
