#include "app/search_dialog_frame_win32.h"

#include <vector>

#include "documents/app_state.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

constexpr size_t kMaxEntryBytes = 2047;

}  // namespace

bool SearchDialogsAvailable() {
  return app_state != nullptr && DocumentCount(app_state->documents) > 0;
}

std::string ReadEditUtf8(HWND edit) {
  int length = GetWindowTextLengthW(edit);
  if (length <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, wide.data(), length + 1);
  std::string utf8;
  if (!WideToUtf8(wide.data(), &utf8)) return std::string();
  return CutUtf8(utf8, kMaxEntryBytes);
}

bool IsBoxChecked(HWND box) {
  return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CloseDialog(HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); }
