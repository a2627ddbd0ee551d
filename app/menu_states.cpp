#include "app/menu_states.h"

#include "app/resource.h"

namespace {

using Change = MenuItemState::Change;
using Check = MenuItemState::Check;

// Enabled with a document, grayed without one.
const int32_t kDocumentItems[] = {
    ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_SAVE_ALL, ID_FILE_CLOSE, ID_FILE_CLOSE_OTHERS,
    ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_CHANGE, ID_EDIT_GOTO, ID_EDIT_COMMENT,
    ID_EDIT_UNCOMMENT, ID_VIEW_LINE_NUMBER, ID_VIEW_FILENAME, ID_VIEW_RULER,
    ID_VIEW_WHITESPACE,
};

Change EnableIf(bool on) { return on ? Change::Enable : Change::Gray; }
Check CheckIf(bool on) { return on ? Check::On : Check::Off; }

}  // namespace

std::vector<MenuItemState> DecideMenuStates(const MenuFacts& f) {
  std::vector<MenuItemState> out;
  auto add = [&out](int32_t id, Change change, Check check) {
    for (MenuItemState& s : out) {
      if (s.id != id) continue;
      if (change != Change::Keep) s.change = change;
      if (check != Check::Keep) s.check = check;
      return;
    }
    out.push_back({id, change, check});
  };
  for (int32_t id : kDocumentItems) add(id, EnableIf(f.has_document), Check::Keep);
  bool doc = f.has_document;
  add(ID_FILE_REOPEN, EnableIf(doc && f.reopenable), Check::Keep);
  add(ID_VIEW_PREVIOUS, EnableIf(doc && f.can_switch_to_previous), Check::Keep);
  add(ID_EDIT_CUT, EnableIf(doc && f.has_selection), Check::Keep);
  add(ID_EDIT_COPY, EnableIf(doc && f.has_selection), Check::Keep);
  add(ID_EDIT_PASTE, EnableIf(doc && f.clipboard_has_text), Check::Keep);

  add(ID_VIEW_FULLSCREEN, Change::Keep, CheckIf(f.fullscreen));
  add(ID_VIEW_LINE_NUMBER, Change::Keep, CheckIf(f.show_line_numbers));
  add(ID_VIEW_FILENAME, Change::Keep, CheckIf(f.show_filename));
  if (f.has_surface_view) {
    add(ID_VIEW_RULER, Change::Keep, CheckIf(f.ruler_column >= 1));
    add(ID_VIEW_WHITESPACE, Change::Keep, CheckIf(f.show_whitespace));
  }
  return out;
}
