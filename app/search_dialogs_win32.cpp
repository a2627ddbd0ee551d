// The Find, Change and Go-to dialogs on the owned-window frame: what each
// looks up when it opens and what its OK does.
#include "app/search_dialogs_win32.h"

#include <vector>

#include "app/main_window_win32.h"
#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/search_actions.h"
#include "display/surface_view.h"
#include "documents/document_commands.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

FindDialog* find_dialog = nullptr;
ChangeDialog* change_dialog = nullptr;
GoToDialog* goto_dialog = nullptr;

namespace {

constexpr size_t kMaxEntryBytes = 2047;

Document* CurrentDocument() {
  return app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
}

bool IsBoxChecked(HWND box) {
  return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CloseDialog(HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); }

// The options start set every time a dialog opens; they are not remembered.
void CheckBoth(HWND case_box, HWND word_box) {
  SendMessageW(case_box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(word_box, BM_SETCHECK, BST_CHECKED, 0);
}

// What the three share: they open only while the application state holds a
// document, and OK runs the dialog's action, which closes it.
template <typename R>
struct SearchDialogTraits : OwnedWindowDefaults {
  static bool MayOpen() { return app_state != nullptr && DocumentCount(app_state->documents) > 0; }

  static bool Handle(R* d, UINT message, WPARAM wparam, LPARAM, INT_PTR* result) {
    if (message != WM_COMMAND || LOWORD(wparam) != IDOK) return false;
    OwnedWindowTraits<R>::Ok(d);
    CloseDialog(d->hwnd);
    *result = 0;
    return true;
  }
};

}  // namespace

template <>
struct OwnedWindowTraits<FindDialog> : SearchDialogTraits<FindDialog> {
  static constexpr int kTemplate = IDD_FIND;
  static constexpr WindowPlaceKeys kPlace{"find_wnd_x", "find_wnd_y"};
  static FindDialog*& Global() { return find_dialog; }

  static void Init(FindDialog* d) {
    d->find_edit = GetDlgItem(d->hwnd, IDC_FIND_TEXT);
    d->case_box = GetDlgItem(d->hwnd, IDC_MATCH_CASE);
    d->word_box = GetDlgItem(d->hwnd, IDC_WHOLE_WORD);
    CheckBoth(d->case_box, d->word_box);
  }

  static void Ok(FindDialog* d) {
    bool match_case = IsBoxChecked(d->case_box);
    bool whole_word = IsBoxChecked(d->word_box);
    std::string text = ReadEditUtf8(d->find_edit);
    Document* doc = CurrentDocument();
    if (!text.empty() && surface_view != nullptr && doc != nullptr)
      FindFromDialog(doc, surface_view->cache, text, match_case, whole_word);
  }
};

template <>
struct OwnedWindowTraits<ChangeDialog> : SearchDialogTraits<ChangeDialog> {
  static constexpr int kTemplate = IDD_CHANGE;
  static constexpr WindowPlaceKeys kPlace{"change_wnd_x", "change_wnd_y"};
  static ChangeDialog*& Global() { return change_dialog; }

  static void Init(ChangeDialog* d) {
    d->find_edit = GetDlgItem(d->hwnd, IDC_FIND_TEXT);
    d->replace_edit = GetDlgItem(d->hwnd, IDC_CHANGE_TEXT);
    d->case_box = GetDlgItem(d->hwnd, IDC_MATCH_CASE);
    d->word_box = GetDlgItem(d->hwnd, IDC_WHOLE_WORD);
    CheckBoth(d->case_box, d->word_box);
  }

  static void Ok(ChangeDialog* d) {
    bool match_case = IsBoxChecked(d->case_box);
    bool whole_word = IsBoxChecked(d->word_box);
    std::string replacement = ReadEditUtf8(d->replace_edit);
    std::string find = ReadEditUtf8(d->find_edit);
    if (!find.empty() && surface_view != nullptr && app_state != nullptr)
      ReplaceAndReport(main_window, find, replacement, match_case, whole_word);
  }
};

template <>
struct OwnedWindowTraits<GoToDialog> : SearchDialogTraits<GoToDialog> {
  static constexpr int kTemplate = IDD_GOTO;
  static constexpr WindowPlaceKeys kPlace{"goto_wnd_x", "goto_wnd_y"};
  static GoToDialog*& Global() { return goto_dialog; }

  static void Init(GoToDialog* d) { d->line_edit = GetDlgItem(d->hwnd, IDC_GOTO_LINE); }

  static void Ok(GoToDialog* d) {
    std::string entry = ReadEditUtf8(d->line_edit);
    Document* doc = CurrentDocument();
    if (!entry.empty() && doc != nullptr) GoToFromDialog(doc, entry);
  }
};

void OpenFindDialog(HWND owner) { OpenOwnedWindow<FindDialog>(owner); }
void OpenChangeDialog(HWND owner) { OpenOwnedWindow<ChangeDialog>(owner); }
void OpenGoToDialog(HWND owner) { OpenOwnedWindow<GoToDialog>(owner); }

std::string ReadEditUtf8(HWND edit) {
  int length = GetWindowTextLengthW(edit);
  if (length <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, wide.data(), length + 1);
  std::string utf8;
  if (!WideToUtf8(wide.data(), &utf8)) return std::string();
  return CutUtf8(utf8, kMaxEntryBytes);
}
