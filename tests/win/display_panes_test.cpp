// The text pane and the line-number pane in a plain top-level window under
// Wine: creation, paint through GDI, labels, mouse, wheel, typed characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "display/canvas_win32.h"
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
  Pixel SurfacePixel(int x, int y) { return CanvasPixelAt(surface_view->canvas, x, y) | 0xFF000000u; }
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

TEST_F(DisplayPanesWin, CreatesRecordsReadsAndWritesTheProfile) {
  ASSERT_NE(nullptr, surface_view);
  ASSERT_NE(nullptr, line_view);
  EXPECT_EQ(surface, static_cast<HWND>(surface_view->hwnd));
  EXPECT_EQ(0, surface_view->ruler_column);  // "ruler" = 0
  EXPECT_EQ(1, surface_view->show_whitespace);  // "whitespace" absent
  EXPECT_EQ(5, line_view->label_margin);
  EXPECT_GT(line_view->cell_height, 10);
  EXPECT_TRUE(ToggleRulerColumn());
  DestroyWindow(surface);
  DestroyWindow(line);
  Pump();
  EXPECT_EQ(nullptr, surface_view);
  EXPECT_EQ(nullptr, line_view);
  EXPECT_EQ(1, saved_ruler);
  EXPECT_EQ(1, saved_whitespace);
}

TEST_F(DisplayPanesWin, EmptyScreenAndNoLabels) {
  Repaint();
  const COLORREF empty = RGB(48, 25, 52);
  EXPECT_EQ(empty, Screen(surface, 100, 100));
  EXPECT_EQ(empty, Screen(line, 30, 100));
  EXPECT_TRUE(line_view->labels.empty());
  // Covered and uncovered: the empty screen comes back.
  HDC dc = GetDC(surface);
  RECT r = {0, 0, 200, 200};
  FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(surface, dc);
  Repaint();
  EXPECT_EQ(empty, Screen(surface, 100, 100));
}

TEST_F(DisplayPanesWin, TextCaretAndLabelsReachTheScreen) {
  Document* doc = Open("hello\nworld\n");
  MoveTextStart(doc, false);
  Repaint();
  const RenderCache& c = *doc->render_cache;
  ASSERT_GT(c.cell_width, 3);
  ASSERT_GT(c.cell_height, 10);
  // Some light-grey text in the first cell row; black after the line.
  int grey = 0;
  for (int y = 0; y < c.cell_height; ++y) {
    for (int x = 5; x < 5 + 5 * c.cell_width; ++x) {
      if (Screen(surface, x, y) == RGB(192, 192, 192)) ++grey;
    }
  }
  EXPECT_GT(grey, 10);
  EXPECT_EQ(RGB(0, 0, 0), Screen(surface, 5 + 10 * c.cell_width, c.cell_height / 2));
  // The insert caret: a two-pixel underline of the first cell.
  EXPECT_EQ(RGB(128, 128, 255), Screen(surface, 5 + c.cell_width / 2, c.cell_height));
  EXPECT_EQ(RGB(128, 128, 255), Screen(surface, 5 + c.cell_width / 2, c.cell_height - 1));
  // Labels: "001:0001" on the caret row, in the highlight colour; the rest grey.
  ASSERT_EQ(3u, line_view->labels.size());
  EXPECT_EQ("001:0001", line_view->labels[0]);
  EXPECT_EQ("    0002", line_view->labels[1]);
  int blue = 0, dark = 0;
  for (int y = 0; y < 2 * c.cell_height; ++y) {
    for (int x = 0; x < 60; ++x) {
      const COLORREF p = Screen(line, x, y);
      if (p == RGB(128, 128, 255)) {
        EXPECT_LT(y, c.cell_height);
        ++blue;
      }
      if (p == RGB(70, 70, 70)) {
        EXPECT_GE(y, c.cell_height);
        ++dark;
      }
    }
  }
  EXPECT_GT(blue, 10);
  EXPECT_GT(dark, 10);
  EXPECT_EQ(5 + RectWidth(PixelRect{0, 0, 8 * c.cell_width, 0}), line_view->pane_width);
}

TEST_F(DisplayPanesWin, ClickDragAndRelease) {
  Document* doc = Open("first line\nsecond line\nthird line\n");
  Repaint();
  const RenderCache& c = *doc->render_cache;
  const int cw = c.cell_width, ch = c.cell_height;
  Click(WM_LBUTTONDOWN, 5 + 3 * cw + 1, ch + 2);
  EXPECT_EQ(surface, GetCapture());
  EXPECT_EQ(1u, doc->caret_line);
  EXPECT_EQ(3u, doc->caret_column);
  Click(WM_MOUSEMOVE, 5 + 6 * cw + 1, 2 * ch + 2, MK_LBUTTON);
  Repaint();
  // The drag's selection shows: row 1 from column 3 is blended.
  const Pixel under = SurfacePixel(5 + 8 * cw, ch + 1);
  EXPECT_NE(MakePixel(0, 0, 0), under);
  Click(WM_LBUTTONUP, 5 + 6 * cw + 1, 2 * ch + 2);
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_TRUE(doc->has_selection);
  EXPECT_EQ(2u, doc->caret_line);
  EXPECT_EQ(6u, doc->caret_column);
  // A plain click leaves no selection.
  Click(WM_LBUTTONDOWN, 5 + 1, 2);
  Click(WM_LBUTTONUP, 5 + 2, 3);
  EXPECT_FALSE(doc->has_selection);
  EXPECT_EQ(0u, doc->caret_line);
}

TEST_F(DisplayPanesWin, WheelScrollsThreeLinesAndDetaches) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  Document* doc = Open(text);
  MoveTextStart(doc, false);
  Repaint();
  RenderCache& c = *doc->render_cache;
  EXPECT_EQ(0, c.top_line);
  // Keys the key table leaves to the pane move neither the text nor the thumb.
  for (WPARAM key : {VK_NEXT, VK_END, VK_DOWN}) SendMessageW(surface, WM_KEYDOWN, key, 0);
  Repaint();
  EXPECT_EQ(0, c.top_line);
  EXPECT_EQ(0, ThumbPosition());
  SendMessageW(surface, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(3, c.top_line);
  EXPECT_EQ(-1, c.caret_row);
  Repaint();
  EXPECT_EQ(3, c.top_line);
  EXPECT_EQ("    0004", line_view->labels[0]);
  SendMessageW(surface, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(201 - static_cast<int>(c.rows), c.top_line);
  // The caret moves: the view comes back around it.
  MoveDown(doc, false);
  Repaint();
  EXPECT_EQ(0, c.top_line);
  EXPECT_EQ(1, c.caret_row);
}

TEST_F(DisplayPanesWin, TypedCharactersJoinSurrogatePairs) {
  Document* doc = Open("");
  SendMessageW(surface, WM_CHAR, 'a', 0);
  SendMessageW(surface, WM_CHAR, 0xD83D, 0);
  SendMessageW(surface, WM_CHAR, 0xDE00, 0);
  SendMessageW(surface, WM_CHAR, 8, 0);
  CloseGapAtCaret(doc);
  EXPECT_EQ(std::string("a\xF0\x9F\x98\x80"), std::string(StringData(doc->text)));
}

}  // namespace
