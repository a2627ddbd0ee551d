#include "app/search_dialogs_win32.h"

#include "app/main_window_win32.h"
#include "app/search_actions.h"
#include "app/search_dialog_frame_win32.h"
#include "app/search_resource.h"
#include "display/surface_view.h"
#include "documents/document_commands.h"

FindDialog* find_dialog = nullptr;
ChangeDialog* change_dialog = nullptr;
GoToDialog* goto_dialog = nullptr;

namespace {

Document* CurrentDocument() {
  return app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
}

// The options start set every time a dialog opens; they are not remembered.
void CheckBoth(HWND case_box, HWND word_box) {
  SendMessageW(case_box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(word_box, BM_SETCHECK, BST_CHECKED, 0);
}

}  // namespace

template <>
struct SearchDialogTraits<FindDialog> {
  static constexpr int kTemplate = IDD_FIND;
  static constexpr const char* kXKey = "find_wnd_x";
  static constexpr const char* kYKey = "find_wnd_y";
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
    CloseDialog(d->hwnd);
  }
};

template <>
struct SearchDialogTraits<ChangeDialog> {
  static constexpr int kTemplate = IDD_CHANGE;
  static constexpr const char* kXKey = "change_wnd_x";
  static constexpr const char* kYKey = "change_wnd_y";
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
    CloseDialog(d->hwnd);
  }
};

template <>
struct SearchDialogTraits<GoToDialog> {
  static constexpr int kTemplate = IDD_GOTO;
  static constexpr const char* kXKey = "goto_wnd_x";
  static constexpr const char* kYKey = "goto_wnd_y";
  static GoToDialog*& Global() { return goto_dialog; }

  static void Init(GoToDialog* d) { d->line_edit = GetDlgItem(d->hwnd, IDC_GOTO_LINE); }

  static void Ok(GoToDialog* d) {
    std::string entry = ReadEditUtf8(d->line_edit);
    Document* doc = CurrentDocument();
    if (!entry.empty() && doc != nullptr) GoToFromDialog(doc, entry);
    CloseDialog(d->hwnd);
  }
};

void OpenFindDialog(HWND owner) { OpenSearchDialog<FindDialog>(owner); }
void OpenChangeDialog(HWND owner) { OpenSearchDialog<ChangeDialog>(owner); }
void OpenGoToDialog(HWND owner) { OpenSearchDialog<GoToDialog>(owner); }
