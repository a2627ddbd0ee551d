#include "app/utf8_controls_win32.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

const wchar_t kOldProcProperty[] = L"WDLUTF8OldProc";

struct Call {
  HWND hwnd;
  WNDPROC old;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  LRESULT Pass() const { return CallWindowProcW(old, hwnd, message, wparam, lparam); }
};

// A narrow record and its wide twin differ only in the type of the text
// pointer, so one is copied onto the other and the pointer swapped.
// `text_of` gives the text pointer of either form.
template <typename W, typename A, typename TextOf>
LRESULT SendTextIn(const Call& c, UINT wide_message, bool has_text, TextOf text_of) {
  static_assert(sizeof(A) == sizeof(W), "narrow and wide records must match");
  A* narrow = reinterpret_cast<A*>(c.lparam);
  if (narrow == nullptr || !has_text) return c.Pass();
  char* text = text_of(*narrow);
  std::wstring wide;
  if (text == nullptr || text == LPSTR_TEXTCALLBACKA || !Utf8ToWide(text, &wide)) return c.Pass();
  W record;
  std::memcpy(&record, narrow, sizeof record);
  text_of(record) = &wide[0];
  return CallWindowProcW(c.old, c.hwnd, wide_message, c.wparam,
                         reinterpret_cast<LPARAM>(&record));
}

// The control fills a wide buffer (or points the record at its own text);
// the text comes back as UTF-8, cut on a character boundary to the caller's
// buffer. The result is the control's, or the byte count for `returns_length`.
template <typename W, typename A, typename TextOf>
LRESULT SendTextOut(const Call& c, UINT wide_message, bool has_text, bool returns_length,
                    TextOf text_of) {
  static_assert(sizeof(A) == sizeof(W), "narrow and wide records must match");
  A* narrow = reinterpret_cast<A*>(c.lparam);
  if (narrow == nullptr || !has_text || text_of(*narrow) == nullptr || narrow->cchTextMax <= 0)
    return c.Pass();
  char* destination = text_of(*narrow);
  const int capacity = narrow->cchTextMax;
  std::vector<wchar_t> buffer(static_cast<size_t>(capacity) + 1, L'\0');
  W record;
  std::memcpy(&record, narrow, sizeof record);
  text_of(record) = buffer.data();
  LRESULT result = CallWindowProcW(c.old, c.hwnd, wide_message, c.wparam,
                                   reinterpret_cast<LPARAM>(&record));
  std::string utf8;
  const wchar_t* got = text_of(record);
  if (got == nullptr || got == LPSTR_TEXTCALLBACKW || !WideToUtf8(got, &utf8)) utf8.clear();
  utf8 = CutUtf8(utf8, static_cast<size_t>(capacity) - 1);
  std::memcpy(narrow, &record, sizeof record);
  text_of(*narrow) = destination;
  std::memcpy(destination, utf8.c_str(), utf8.size() + 1);
  return returns_length ? static_cast<LRESULT>(utf8.size()) : result;
}

bool TreeText(const Call& c) {
  return (reinterpret_cast<const TVITEMA*>(c.lparam)->mask & TVIF_TEXT) != 0;
}
bool ListText(const Call& c) {
  return (reinterpret_cast<const LVITEMA*>(c.lparam)->mask & LVIF_TEXT) != 0;
}
bool ColumnText(const Call& c) {
  return (reinterpret_cast<const LVCOLUMNA*>(c.lparam)->mask & LVCF_TEXT) != 0;
}
bool TreeInsertText(const Call& c) {
  return (reinterpret_cast<const TVINSERTSTRUCTA*>(c.lparam)->item.mask & TVIF_TEXT) != 0;
}

// The text pointer of a record, and of an insertion record's item.
const auto kText = [](auto& r) -> auto& { return r.pszText; };
const auto kItemText = [](auto& r) -> auto& { return r.item.pszText; };

LRESULT ConvertTree(const Call& c) {
  switch (c.message) {
    case TVM_INSERTITEMA:
      return SendTextIn<TVINSERTSTRUCTW, TVINSERTSTRUCTA>(c, TVM_INSERTITEMW, TreeInsertText(c),
                                                          kItemText);
    case TVM_SETITEMA:
      return SendTextIn<TVITEMW, TVITEMA>(c, TVM_SETITEMW, TreeText(c), kText);
    case TVM_GETITEMA:
      return SendTextOut<TVITEMW, TVITEMA>(c, TVM_GETITEMW, TreeText(c), false, kText);
  }
  return c.Pass();
}

LRESULT ConvertList(const Call& c) {
  switch (c.message) {
    case LVM_INSERTITEMA:
      return SendTextIn<LVITEMW, LVITEMA>(c, LVM_INSERTITEMW, ListText(c), kText);
    case LVM_SETITEMA:
      return SendTextIn<LVITEMW, LVITEMA>(c, LVM_SETITEMW, ListText(c), kText);
    case LVM_GETITEMA:
      return SendTextOut<LVITEMW, LVITEMA>(c, LVM_GETITEMW, ListText(c), false, kText);
    case LVM_SETITEMTEXTA:
      return SendTextIn<LVITEMW, LVITEMA>(c, LVM_SETITEMTEXTW, true, kText);
    case LVM_GETITEMTEXTA:
      return SendTextOut<LVITEMW, LVITEMA>(c, LVM_GETITEMTEXTW, true, true, kText);
    case LVM_INSERTCOLUMNA:
      return SendTextIn<LVCOLUMNW, LVCOLUMNA>(c, LVM_INSERTCOLUMNW, ColumnText(c), kText);
    case LVM_SETCOLUMNA:
      return SendTextIn<LVCOLUMNW, LVCOLUMNA>(c, LVM_SETCOLUMNW, ColumnText(c), kText);
    case LVM_GETCOLUMNA:
      return SendTextOut<LVCOLUMNW, LVCOLUMNA>(c, LVM_GETCOLUMNW, ColumnText(c), false, kText);
  }
  return c.Pass();
}

LRESULT Convert(const Call& c) {
  if (c.lparam == 0) return c.Pass();
  bool tree = c.message >= TV_FIRST && c.message < TV_FIRST + 0x100;
  return tree ? ConvertTree(c) : ConvertList(c);
}

LRESULT CALLBACK Utf8ControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto old = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProcProperty));
  if (old == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    RemovePropW(hwnd, kOldProcProperty);
    return CallWindowProcW(old, hwnd, message, wparam, lparam);
  }
  try {
    return Convert({hwnd, old, message, wparam, lparam});
  } catch (...) {
    // Out of memory while converting: the message is dropped.
    return 0;
  }
}

}  // namespace

bool SubclassUtf8Control(HWND control) {
  if (control == nullptr) return false;
  if (GetPropW(control, kOldProcProperty) != nullptr) return true;
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  if (old == nullptr || !SetPropW(control, kOldProcProperty, reinterpret_cast<HANDLE>(old)))
    return false;
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Utf8ControlProc));
  return true;
}
