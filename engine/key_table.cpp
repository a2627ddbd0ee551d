#include "engine/key_table.h"

namespace {

using K = KeyCommand;

// Virtual-key codes used by the table.
enum : uint8_t {
  kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kPrior = 0x21, kNext = 0x22,
  kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27,
  kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E,
  kF1 = 0x70, kF2 = 0x71, kF3 = 0x72, kF5 = 0x74, kF11 = 0x7A,
};

//                 V  key      ctrl alt shift command
const KeyBinding kRows[kKeyBindingCount] = {
    {1, kF1, 1, 0, 0, K::About},
    {1, kF2, 1, 0, 0, K::Changelog},
    {1, kF3, 1, 0, 0, K::Version},
    {1, kF11, 0, 0, 0, K::ToggleFullscreen},
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
    {1, kF3, 0, 0, 0, K::FindNext},
    {1, kF3, 0, 0, 1, K::FindPrevious},
    {1, kF2, 0, 0, 0, K::PreviousDocument},
    {1, kF5, 0, 0, 0, K::Reopen},
    {1, kLeft, 0, 0, 0, K::Left},
    {1, kRight, 0, 0, 0, K::Right},
    {1, kLeft, 1, 0, 0, K::WordLeft},
    {1, kRight, 1, 0, 0, K::WordRight},
    {1, kHome, 1, 0, 0, K::TextStart},
    {1, kEnd, 1, 0, 0, K::TextEnd},
    {1, kHome, 0, 0, 0, K::Home},
    {1, kEnd, 0, 0, 0, K::End},
    {1, kUp, 0, 0, 0, K::Up},
    {1, kDown, 0, 0, 0, K::Down},
    {1, kUp, 1, 0, 0, K::ScrollUp},
    {1, kDown, 1, 0, 0, K::ScrollDown},
    {1, kPrior, 0, 0, 0, K::PageUp},
    {1, kNext, 0, 0, 0, K::PageDown},
    {1, kLeft, 0, 0, 1, K::SelectLeft},
    {1, kRight, 0, 0, 1, K::SelectRight},
    {1, kLeft, 1, 0, 1, K::SelectWordLeft},
    {1, kRight, 1, 0, 1, K::SelectWordRight},
    {1, kHome, 1, 0, 1, K::SelectTextStart},
    {1, kEnd, 1, 0, 1, K::SelectTextEnd},
    {1, kHome, 0, 0, 1, K::SelectHome},
    {1, kEnd, 0, 0, 1, K::SelectEnd},
    {1, kUp, 0, 0, 1, K::SelectUp},
    {1, kDown, 0, 0, 1, K::SelectDown},
    {1, kPrior, 0, 0, 1, K::SelectPageUp},
    {1, kNext, 0, 0, 1, K::SelectPageDown},
    {1, kInsert, 0, 0, 0, K::ToggleOverwrite},
    {1, kDelete, 0, 0, 0, K::Delete},
    {1, kDelete, 1, 0, 0, K::DeleteWordForward},
    {1, kBack, 0, 0, 0, K::Backspace},
    {1, kBack, 1, 0, 0, K::DeleteWordBackward},
    {1, kReturn, 0, 0, 0, K::Enter},
    {1, kTab, 0, 0, 0, K::Indent},
    {1, kTab, 0, 0, 1, K::Unindent},
    {1, kTab, 1, 0, 0, K::Switch},
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
