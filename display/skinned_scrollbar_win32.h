// Skinned scrollbars: a subclass that draws a window's scrollbars itself in
// the non-client area, from the skin image "skin\faithful\scrollbar.png"
// beside the program (flat system colours without it), and sends the window
// the same WM_VSCROLL / WM_HSCROLL notifications a system bar would. The
// Skinned* calls stand in for the Win32 scroll calls on SB_VERT; on a window
// without the subclass they are those calls.
#pragma once

#include <windows.h>

// The window property that holds the record.
constexpr wchar_t kScrollbarProperty[] = L"CoolSBSubclassPtr";

constexpr UINT_PTR kRepeatDelayTimer = 65533;  // 300 ms before an arrow or page press repeats
constexpr UINT_PTR kRepeatTimer = 65534;       // then one repeat every 55 ms
constexpr UINT_PTR kHotTrackTimer = static_cast<UINT>(-14);  // 20 ms while the pointer is over a bar
constexpr UINT kRepeatDelayMs = 300;
constexpr UINT kRepeatMs = 55;
constexpr UINT kHotTrackMs = 20;

// False when the window already has the subclass or the record cannot be made.
bool InstallSkinnedScrollbar(HWND hwnd);
// S_OK, or E_FAIL when the window has no record.
HRESULT RemoveSkinnedScrollbar(HWND hwnd);
bool HasSkinnedScrollbar(HWND hwnd);

BOOL SkinnedGetScrollInfo(HWND hwnd, SCROLLINFO* info);
int SkinnedSetScrollInfo(HWND hwnd, const SCROLLINFO* info);
int SkinnedSetScrollPos(HWND hwnd, int position);
BOOL SkinnedShowScrollBar(HWND hwnd, BOOL show);
// bar: SB_HORZ, SB_VERT or SB_BOTH; size (at 96 DPI, scaled with the bar)
// -1 restores the default.
bool SkinnedSetMinThumbSize(HWND hwnd, int bar, int size);
// The bars' width, arrows and minimum thumb follow the window's DPI, taken
// at installation; a window whose DPI changes hands the new one here, and its
// frame is recalculated for the new width.
void SetSkinnedScrollbarDpi(HWND hwnd, int dpi);

// The folder the skin is looked up under (the program's directory); until it
// is set, the folder of the running executable. Takes effect for a skin not
// loaded yet.
void SetScrollbarSkinFolder(const wchar_t* program_directory);
