// The text pane and the line-number pane in a plain top-level window under
// Wine: the profile read and written, and the messages they handle.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "display/line_view.h"
#include "display/pane_hooks.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "display/surface_view.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/render_cache.h"

namespace {

const wchar_t kHostClass[] = L"panes_test_host";
const wchar_t kSurfaceClass[] = L"panes_test_surface";
const wchar_t kLineClass[] = L"panes_test_line";

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSW wc = {};
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kHostClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassW(&wc);
  wc.style = CS_DBLCLKS;
  wc.hbrBackground = nullptr;
  wc.lpfnWndProc = SurfaceWindowProc;
  wc.lpszClassName = kSurfaceClass;
  RegisterClassW(&wc);
  wc.lpfnWndProc = LineWindowProc;
  wc.lpszClassName = kLineClass;
  RegisterClassW(&wc);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// One profile entry kept in memory for the hooks.
int ruler_in_profile = 0;
int whitespace_in_profile = -1;  // -1 = absent
int saved_ruler = -1;
int saved_whitespace = -1;

int GetInt(const char* key, int fallback, const char*) {
  if (std::string(key) == "ruler") return ruler_in_profile;
  if (std::string(key) == "whitespace") return whitespace_in_profile < 0 ? fallback : whitespace_in_profile;
  return fallback;
}
bool SetInt(const char* key, int value, const char*) {
  (std::string(key) == "ruler" ? saved_ruler : saved_whitespace) = value;
  return true;
}

struct DisplayPanesWin : testing::Test {
  HWND host = nullptr;
  HWND surface = nullptr;
  HWND line = nullptr;
  AppState app;
  AppState* previous_app = nullptr;

  void SetUp() override {
    RegisterClasses();
    previous_app = app_state;
    app_state = &app;
    pane_hooks.profile_path = "memory";
    pane_hooks.profile_get_int = GetInt;
    pane_hooks.profile_set_int = SetInt;
    host = CreateWindowExW(0, kHostClass, L"panes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700,
                           500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, host);
    line = CreateWindowExW(0, kLineClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 420, host,
                           reinterpret_cast<HMENU>(1004), GetModuleHandleW(nullptr), nullptr);
    surface = CreateWindowExW(0, kSurfaceClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 60, 0,
                              600, 420, host, reinterpret_cast<HMENU>(1003),
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, line);
    ASSERT_NE(nullptr, surface);
    Pump();
  }
  void TearDown() override {
    if (host) DestroyWindow(host);
    Pump();
    app_state = previous_app;
    pane_hooks = PaneHooks();
  }
  Document* Open(const std::string& text) {
    NewDocument(&app);
    Document* doc = GetCurrentDocument(app);
    InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
    return doc;
  }
  void Repaint() {
    RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RedrawWindow(line, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  }
  COLORREF Screen(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
  }
  int ThumbPosition() {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    SkinnedGetScrollInfo(surface, &si);
    return si.nPos;
  }
  void Click(UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(surface, message, keys, MAKELPARAM(x, y));
  }
};

TEST_F(DisplayPanesWin, PanesReadTheProfileTakeTheirMessagesAndWriteItBack) {
  ASSERT_NE(nullptr, surface_view);
  ASSERT_NE(nullptr, line_view);
  EXPECT_EQ(surface, static_cast<HWND>(surface_view->hwnd));
  EXPECT_EQ(0, surface_view->ruler_column);     // "ruler" = 0
  EXPECT_EQ(1, surface_view->show_whitespace);  // "whitespace" absent
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  Document* doc = Open(text);
  MoveTextStart(doc, false);
  Repaint();
  RenderCache& c = *doc->render_cache;
  EXPECT_EQ(RGB(128, 128, 255), Screen(surface, 5 + c.cell_width / 2, c.cell_height)) << "the caret";
  // Keys the key table leaves to the pane move neither the text nor the thumb.
  for (WPARAM key : {VK_NEXT, VK_END, VK_DOWN}) SendMessageW(surface, WM_KEYDOWN, key, 0);
  Repaint();
  EXPECT_EQ(0, c.top_line);
  EXPECT_EQ(0, ThumbPosition());
  SendMessageW(surface, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(3, c.top_line);
  SendMessageW(surface, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(201 - static_cast<int>(c.rows), c.top_line);
  // A press takes the capture and the release gives it back.
  Click(WM_LBUTTONDOWN, 5 + 3 * c.cell_width + 1, c.cell_height + 2);
  EXPECT_EQ(surface, GetCapture());
  Click(WM_LBUTTONUP, 5 + 3 * c.cell_width + 1, c.cell_height + 2);
  EXPECT_EQ(nullptr, GetCapture());
  // Typed characters: a surrogate pair joins into one; a backspace is no character.
  Document* typed = Open("");
  for (WPARAM ch : {WPARAM('a'), WPARAM(0xD83D), WPARAM(0xDE00), WPARAM(8)})
    SendMessageW(surface, WM_CHAR, ch, 0);
  CloseGapAtCaret(typed);
  EXPECT_EQ(std::string("a\xF0\x9F\x98\x80"), std::string(StringData(typed->text)));
  EXPECT_TRUE(ToggleRulerColumn());
  DestroyWindow(surface);
  DestroyWindow(line);
  Pump();
  EXPECT_EQ(nullptr, surface_view);
  EXPECT_EQ(nullptr, line_view);
  EXPECT_EQ(1, saved_ruler);
  EXPECT_EQ(1, saved_whitespace);
}

}  // namespace
