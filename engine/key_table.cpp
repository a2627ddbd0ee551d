#include "engine/key_table.h"

#include "engine/virtual_keys.h"

namespace {

using K = KeyCommand;

//                 V  key      ctrl alt shift command
const KeyBinding kRows[kKeyBindingCount] = {
    {1, kVkF1, 1, 0, 0, K::About},
    {1, kVkF2, 1, 0, 0, K::Changelog},
    {1, kVkF3, 1, 0, 0, K::Version},
    {1, kVkF11, 0, 0, 0, K::ToggleFullscreen},
    {0, 'N', 1, 0, 0, K::New},
    {0, 'O', 1, 0, 0, K::Open},
    {0, 'O', 1, 0, 1, K::OpenFolder},
    {0, 'S', 1, 0, 0, K::Save},
    {0, 'S', 0, 1, 0, K::SaveAs},
    {0, 'S', 1, 0, 1, K::SaveAll},
    {0, 'P', 1, 0, 0, K::Preferences},
    {0, 'Q', 1, 0, 0, K::Exit},
    {0, 'D', 0, 1, 0, K::Folders},
    {0, 'L', 1, 0, 0, K::ToggleLineNumbers},
    {0, 'T', 1, 0, 0, K::ToggleFilename},
    {0, 'F', 1, 0, 0, K::FindDialog},
    {0, 'H', 1, 0, 0, K::ChangeDialog},
    {0, 'G', 1, 0, 0, K::GoToDialog},
    {0, 'X', 1, 0, 0, K::Cut},
    {0, 'C', 1, 0, 0, K::Copy},
    {0, 'V', 1, 0, 0, K::Paste},
    {0, 'A', 1, 0, 0, K::SelectAll},
    {0, 'W', 1, 0, 0, K::Close},
    {0, 'W', 1, 0, 1, K::CloseOthers},
    {0, 'R', 1, 0, 0, K::ToggleRuler},
    {0, 'D', 1, 0, 0, K::ToggleWhitespace},
    {0, 'K', 1, 0, 0, K::Comment},
    {0, 'U', 1, 0, 0, K::Uncomment},
    {1, kVkF3, 0, 0, 0, K::FindNext},
    {1, kVkF3, 0, 0, 1, K::FindPrevious},
    {1, kVkF2, 0, 0, 0, K::PreviousDocument},
    {1, kVkF5, 0, 0, 0, K::Reopen},
    {1, kVkLeft, 0, 0, 0, K::Left},
    {1, kVkRight, 0, 0, 0, K::Right},
    {1, kVkLeft, 1, 0, 0, K::WordLeft},
    {1, kVkRight, 1, 0, 0, K::WordRight},
    {1, kVkHome, 1, 0, 0, K::TextStart},
    {1, kVkEnd, 1, 0, 0, K::TextEnd},
    {1, kVkHome, 0, 0, 0, K::Home},
    {1, kVkEnd, 0, 0, 0, K::End},
    {1, kVkUp, 0, 0, 0, K::Up},
    {1, kVkDown, 0, 0, 0, K::Down},
    {1, kVkUp, 1, 0, 0, K::ScrollUp},
    {1, kVkDown, 1, 0, 0, K::ScrollDown},
    {1, kVkPrior, 0, 0, 0, K::PageUp},
    {1, kVkNext, 0, 0, 0, K::PageDown},
    {1, kVkLeft, 0, 0, 1, K::SelectLeft},
    {1, kVkRight, 0, 0, 1, K::SelectRight},
    {1, kVkLeft, 1, 0, 1, K::SelectWordLeft},
    {1, kVkRight, 1, 0, 1, K::SelectWordRight},
    {1, kVkHome, 1, 0, 1, K::SelectTextStart},
    {1, kVkEnd, 1, 0, 1, K::SelectTextEnd},
    {1, kVkHome, 0, 0, 1, K::SelectHome},
    {1, kVkEnd, 0, 0, 1, K::SelectEnd},
    {1, kVkUp, 0, 0, 1, K::SelectUp},
    {1, kVkDown, 0, 0, 1, K::SelectDown},
    {1, kVkPrior, 0, 0, 1, K::SelectPageUp},
    {1, kVkNext, 0, 0, 1, K::SelectPageDown},
    {1, kVkInsert, 0, 0, 0, K::ToggleOverwrite},
    {1, kVkDelete, 0, 0, 0, K::Delete},
    {1, kVkDelete, 1, 0, 0, K::DeleteWordForward},
    {1, kVkBack, 0, 0, 0, K::Backspace},
    {1, kVkBack, 1, 0, 0, K::DeleteWordBackward},
    {1, kVkReturn, 0, 0, 0, K::Enter},
    {1, kVkTab, 0, 0, 0, K::Indent},
    {1, kVkTab, 0, 0, 1, K::Unindent},
    {1, kVkTab, 1, 0, 0, K::Switch},
};

bool Matches(const KeyBinding& row, const KeyState& s) {
  return row.key == s.key && row.ctrl == s.ctrl && row.alt == s.alt &&
         (row.shift & 0xFF) == static_cast<uint32_t>(s.shift);
}

}  // namespace

const KeyBinding* KeyDownBindings() { return kRows; }

const KeyBinding* MatchKeyBinding(const KeyBinding* rows, int count, const KeyState& state) {
  if (state.repeat_bit) {
    for (int i = 0; i < count; ++i)
      if (rows[i].is_virtual_key && Matches(rows[i], state)) return &rows[i];
  }
  for (int i = 0; i < count; ++i)
    if (!rows[i].is_virtual_key && Matches(rows[i], state)) return &rows[i];
  return nullptr;
}
