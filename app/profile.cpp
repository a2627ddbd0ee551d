// The main window's profile keys: what it reads when it opens and writes
// when it closes.
#include "app/profile.h"

#include <algorithm>
#include <cstdio>

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

}  // namespace

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
