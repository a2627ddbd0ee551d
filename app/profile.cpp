// The main window's profile keys: what it reads when it opens and writes
// when it closes.
#include "app/profile.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "engine/dpi_scale.h"

namespace {

void SetInt(ProfileStore* store, const char* key, int value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%d", value);
  store->SetString(key, text);
}

void SetRect(ProfileStore* store, const char* x, const char* y, const char* w, const char* h,
             const ProfileRect& r) {
  SetInt(store, x, r.x);
  SetInt(store, y, r.y);
  SetInt(store, w, r.w);
  SetInt(store, h, r.h);
}

std::string_view Trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string MergeProfileText(const std::string& text, const std::vector<ProfileEntry>& entries) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
    at = end + 1;
  }
  std::vector<bool> done(entries.size(), false);
  bool in_section = false, section_seen = false;
  size_t section_end = lines.size();  // where the keys not found go
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trimmed(lines[i]);
    if (!line.empty() && line.front() == '[') {
      const bool ours = !section_seen && SameName(Trimmed(line.substr(1, line.find(']') - 1)), "orvinale");
      in_section = ours;
      section_seen |= ours;
      if (ours) section_end = i + 1;
      continue;
    }
    if (!in_section || line.empty()) continue;
    section_end = i + 1;
    const std::string_view key = Trimmed(line.substr(0, line.find('=')));
    for (size_t k = 0; k < entries.size(); ++k) {
      if (done[k] || line.find('=') == std::string_view::npos || !SameName(key, entries[k].key)) continue;
      lines[i] = entries[k].key + "=" + entries[k].value;
      done[k] = true;
      break;
    }
  }
  std::vector<std::string> added;
  if (!section_seen) added.push_back("[orvinale]");
  for (size_t k = 0; k < entries.size(); ++k)
    if (!done[k]) added.push_back(entries[k].key + "=" + entries[k].value);
  lines.insert(lines.begin() + static_cast<ptrdiff_t>(section_end), added.begin(), added.end());
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

ProfileRect FitRectToScreen(const ProfileRect& r, const ScreenArea& screen) {
  const int64_t width = static_cast<int64_t>(screen.right) - screen.left;
  const int64_t height = static_cast<int64_t>(screen.bottom) - screen.top;
  if (width <= 0 || height <= 0) return r;
  ProfileRect out;
  out.w = static_cast<int32_t>(std::clamp<int64_t>(r.w, 0, width));
  out.h = static_cast<int32_t>(std::clamp<int64_t>(r.h, 0, height));
  out.x = static_cast<int32_t>(std::clamp<int64_t>(r.x, screen.left, screen.right - out.w));
  out.y = static_cast<int32_t>(std::clamp<int64_t>(r.y, screen.top, screen.bottom - out.h));
  return out;
}

MainProfile ReadMainProfile(ProfileStore* store, int dpi) {
  const MainProfile design;
  MainProfile p;
  const ProfileRect fallback{ScaleToDpi(design.window.x, dpi), ScaleToDpi(design.window.y, dpi),
                             ScaleToDpi(design.window.w, dpi), ScaleToDpi(design.window.h, dpi)};
  p.window.x = store->GetInt("main_wnd_x", fallback.x);
  p.window.y = store->GetInt("main_wnd_y", fallback.y);
  p.window.w = store->GetInt("main_wnd_w", fallback.w);
  p.window.h = store->GetInt("main_wnd_h", fallback.h);
  // No window was ever closed with such a size: the profile is damaged, and
  // none of its four numbers can be trusted to put the window on a screen.
  if (p.window.w <= 0 || p.window.h <= 0) p.window = fallback;
  p.maximized = store->GetInt("main_wnd_maximized", 0) != 0;
  p.line_numbers = store->GetInt("linenumber", 1) != 0;
  p.filename = store->GetInt("filename", 1) != 0;
  // A shown pane of no width would be written back as such and never come
  // back: without a usable width the panes keep the template's places.
  p.line_w = std::max(store->GetInt("line_w", 0), 0);
  p.template_panes = p.line_numbers && p.line_w == 0;
  if (p.template_panes) return p;
  p.line_x = store->GetInt("line_x", 0);
  p.surface_x = store->GetInt("surface_x", p.line_x + p.line_w);
  return p;
}

void WriteMainProfile(ProfileStore* store, const MainProfileOut& out) {
  if (out.maximized) {
    // The last normal rectangle stays as an earlier close wrote it.
    store->SetString("main_wnd_maximized", "1");
  } else {
    store->SetString("main_wnd_maximized", "0");
    SetRect(store, "main_wnd_x", "main_wnd_y", "main_wnd_w", "main_wnd_h", out.window);
  }
  SetRect(store, "line_x", "line_y", "line_w", "line_h", out.line);
  SetRect(store, "surface_x", "surface_y", "surface_w", "surface_h", out.surface);
  store->SetString("linenumber", out.line_numbers ? "1" : "0");
  store->SetString("filename", out.filename ? "1" : "0");
}
