// The display's Windows halves: the canvas against real GDI, and the text
// and line-number panes in a plain window, reading and writing their
// profile keys and handling their messages.
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

const Pixel kBlack = MakePixel(0, 0, 0);

TEST(DisplayCanvasWin, GdiAndThePixelArrayShareOneBitmap) {
  Canvas c;
  ASSERT_TRUE(ResizeCanvas(c, 16, 8));
  ClearCanvas(c, kBlack);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  RECT r = {2, 1, 5, 3};
  FillRect(CanvasDc(c), &r, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(0x000A141Eu, CanvasPixelAt(c, 2, 1) & 0xFFFFFF);  // top-down rows
  EXPECT_EQ(kBlack, CanvasPixelAt(c, 5, 1));
  PutCanvasPixel(c, 7, 6, MakePixel(1, 2, 3), 1.0f);
  EXPECT_EQ(RGB(1, 2, 3), GetPixel(CanvasDc(c), 7, 6));
  ASSERT_TRUE(ResizeCanvas(c, 0, 0));
  EXPECT_EQ(nullptr, CanvasDc(c));
}

void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
}

// The profile, in memory: "ruler" is 0 and "whitespace" absent.
int saved_ruler = -1, saved_whitespace = -1;
int GetInt(const char* key, int fallback, const char*) { return std::string(key) == "ruler" ? 0 : fallback; }
bool SetInt(const char* key, int value, const char*) {
  (std::string(key) == "ruler" ? saved_ruler : saved_whitespace) = value;
  return true;
}

HWND Child(HWND host, const wchar_t* cls, WNDPROC proc, DWORD style, int x, int w, int id) {
  WNDCLASSW wc = {CS_DBLCLKS, proc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, cls};
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, 0, w, 420, host,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, nullptr);
}

TEST(DisplayPanesWin, PanesReadTheProfileTakeTheirMessagesAndWriteItBack) {
  AppState app;
  AppState* previous_app = app_state;
  app_state = &app;
  pane_hooks.profile_path = "memory";
  pane_hooks.profile_get_int = GetInt;
  pane_hooks.profile_set_int = SetInt;
  HWND host = CreateWindowExW(0, L"STATIC", L"panes", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND line = Child(host, L"panes_test_line", LineWindowProc, 0, 0, 60, 1004);
  HWND surface = Child(host, L"panes_test_surface", SurfaceWindowProc, WS_VSCROLL, 60, 600, 1003);
  ASSERT_TRUE(line && surface && surface_view && line_view);
  EXPECT_EQ(surface, static_cast<HWND>(surface_view->hwnd));
  EXPECT_EQ(0, surface_view->ruler_column);
  EXPECT_EQ(1, surface_view->show_whitespace) << "the default";
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  NewDocument(&app);
  Document* doc = GetCurrentDocument(app);
  InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
  MoveTextStart(doc, false);
  RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RenderCache& c = *doc->render_cache;
  HDC dc = GetDC(surface);
  EXPECT_EQ(RGB(128, 128, 255), GetPixel(dc, 5 + c.cell_width / 2, c.cell_height)) << "the caret on screen";
  ReleaseDC(surface, dc);
  // Keys the key table leaves to the pane move neither the text nor the thumb.
  for (WPARAM key : {VK_NEXT, VK_END, VK_DOWN}) SendMessageW(surface, WM_KEYDOWN, key, 0);
  Pump();
  SCROLLINFO si = {sizeof si, SIF_POS};
  SkinnedGetScrollInfo(surface, &si);
  EXPECT_EQ(0, c.top_line);
  EXPECT_EQ(0, si.nPos);
  SendMessageW(surface, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(3, c.top_line);
  SendMessageW(surface, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(201 - static_cast<int>(c.rows), c.top_line);
  const LPARAM cell = MAKELPARAM(5 + 3 * c.cell_width + 1, c.cell_height + 2);
  SendMessageW(surface, WM_LBUTTONDOWN, 0, cell);
  EXPECT_EQ(surface, GetCapture()) << "a press takes the capture";
  SendMessageW(surface, WM_LBUTTONUP, 0, cell);
  EXPECT_EQ(nullptr, GetCapture());
  // A surrogate pair typed in two messages joins into one character; a backspace types nothing.
  NewDocument(&app);
  Document* typed = GetCurrentDocument(app);
  for (WPARAM ch : {WPARAM('a'), WPARAM(0xD83D), WPARAM(0xDE00), WPARAM(8)}) SendMessageW(surface, WM_CHAR, ch, 0);
  CloseGapAtCaret(typed);
  EXPECT_EQ(std::string("a\xF0\x9F\x98\x80"), std::string(StringData(typed->text)));
  EXPECT_TRUE(ToggleRulerColumn());
  DestroyWindow(host);
  Pump();
  EXPECT_EQ(nullptr, surface_view);
  EXPECT_EQ(nullptr, line_view);
  EXPECT_EQ(1, saved_ruler);
  EXPECT_EQ(1, saved_whitespace);
  app_state = previous_app;
  pane_hooks = PaneHooks();
}

}  // namespace
