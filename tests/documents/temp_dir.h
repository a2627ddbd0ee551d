#pragma once
// A private folder under /tmp for one test, removed with its files, and
// whole-file reads and writes; shared by the native tests and the fuzzers.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/orv-documents-XXXXXX";
    const char* made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    path_ = made != nullptr ? std::string(made) + "/" : "/tmp/";
  }
  ~TempDir() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cleanup failed\n");
  }
  // Full path of a file in the folder ("" gives the folder with its slash).
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

inline bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
