// The main window's profile keys: names, defaults, and what a close writes.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/profile.h"

namespace {

struct MapStore : ProfileStore {
  std::map<std::string, std::string> keys;
  int GetInt(const char* key, int fallback) override {
    auto it = keys.find(key);
    return it == keys.end() ? fallback : std::stoi(it->second);
  }
  void SetString(const char* key, const char* value) override { keys[key] = value; }
};

std::vector<int> Fields(const MainProfile& p) {
  return {p.window.x, p.window.y, p.window.w, p.window.h, p.maximized, p.line_x, p.line_w, p.surface_x,
          p.line_numbers, p.filename};
}

TEST(ShellProfile, ReadsEachKeyOrItsDefaultAndACloseWritesThemBack) {
  MapStore store;
  EXPECT_EQ(std::vector<int>({50, 50, 900, 900, 0, 0, 0, 0, 1, 1}), Fields(ReadMainProfile(&store)));
  // A monitor left of the primary one; surface_x defaults to line_x + line_w.
  store.keys = {{"main_wnd_x", "-1200"}, {"main_wnd_h", "480"}, {"main_wnd_maximized", "1"},
                {"line_x", "3"}, {"line_w", "44"}, {"linenumber", "0"}};
  EXPECT_EQ(std::vector<int>({-1200, 50, 900, 480, 1, 3, 44, 47, 0, 1}), Fields(ReadMainProfile(&store)));
  store.keys = {{"surface_x", "60"}, {"filename", "0"}, {"main_wnd_y", "7"}, {"main_wnd_w", "640"}};
  EXPECT_EQ(std::vector<int>({50, 7, 640, 900, 0, 0, 0, 60, 1, 0}), Fields(ReadMainProfile(&store)));
  MainProfileOut out;
  out.window = {10, 20, 640, 480};
  out.line = {0, 0, 33, 700};
  out.surface = {33, 0, 867, 700};
  out.line_numbers = true;
  store.keys.clear();
  WriteMainProfile(&store, out);
  const std::map<std::string, std::string> expected = {
      {"main_wnd_maximized", "0"}, {"main_wnd_x", "10"}, {"main_wnd_y", "20"}, {"main_wnd_w", "640"},
      {"main_wnd_h", "480"},       {"line_x", "0"},      {"line_y", "0"},      {"line_w", "33"},
      {"line_h", "700"},           {"surface_x", "33"},  {"surface_y", "0"},   {"surface_w", "867"},
      {"surface_h", "700"},        {"linenumber", "1"},  {"filename", "0"}};
  EXPECT_EQ(store.keys, expected);
  // Maximized: only the flag changes, the last normal rectangle stays.
  out.maximized = true;
  out.window = {0, 0, 1920, 1080};
  WriteMainProfile(&store, out);
  EXPECT_EQ(std::vector<int>({10, 20, 640, 480, 1, 0, 33, 33, 1, 0}), Fields(ReadMainProfile(&store)));
}

}  // namespace
