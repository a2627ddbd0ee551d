#include "console/console_editor.h"

#include <algorithm>

#include "engine/utf8.h"

int console_overwrite = 0;
int console_search_mode = 0;

const char* SearchModeName(int mode) {
  static const char* const kNames[6] = {"substring", "SubString", "wordmatch",
                                        "WordMatch", "tokenmatch", "TokenMatch"};
  return kNames[((mode % 6) + 6) % 6];
}

ConsoleEditor::ConsoleEditor(ConsoleScreen* screen, Clipboard* clipboard)
    : screen(screen), clipboard(clipboard) {
  if (!screen) return;
  screen->on_resize = [this] { Redraw(); };
  screen->on_mouse = [this](const ConsoleMouse& mouse) { OnMouse(mouse); };
}

ConsoleEditor::~ConsoleEditor() {
  if (!screen) return;
  screen->on_resize = nullptr;
  screen->on_mouse = nullptr;
}

bool ConsoleEditor::Down(ConsoleModifier modifier) const {
  return screen && (screen->key_modifiers & ModifierBit(modifier)) != 0;
}

int ConsoleEditor::Rows() const { return screen ? screen->grid.rows : 25; }
int ConsoleEditor::Cols() const { return screen ? screen->grid.cols : 80; }

bool ConsoleEditor::OnKey(int key) {
  if (key < 0) return false;
  if (prompt_state == kPromptMessage) {
    prompt_state = kPromptNone;
    DrawStatusLine();
  }
  if (prompt_state >= kPromptFind) return HandlePromptKey(key);
  if (HandleKey(key)) return true;
  ClampCursor();
  return false;
}

bool ConsoleEditor::HandleKey(int key) {
  const bool ctrl = Down(ConsoleModifier::kControl);
  const bool shift = Down(ConsoleModifier::kShift);
  const bool alt = Down(ConsoleModifier::kAlt);
  if (key >= kKeyDown && key <= kKeyEnd) {
    HandleMovementKey(key);
    return false;
  }
  if (key >= kKeyF1 && key <= kKeyF12) {
    int n = key - kKeyF1;
    if (ctrl && n <= 9) SwitchFile(n, false);
    else if (n == 2) FindNext(shift);
    return false;
  }
  switch (key) {
    case kKeyInsert:
      if (shift || alt) {
        Paste();
      } else {
        console_overwrite = !console_overwrite;
        DrawStatusLine();
      }
      return false;
    case kKeyDelete: DeleteForward(); return false;
    case kKeyBackspace: Backspace(); return false;
    case kKeyEnter: InsertNewline(); return false;
    case kKeyTab:
      if (selecting) IndentSelection(shift);
      else if (shift) UnindentAtCursor();
      else TypeCharacter(kKeyTab);
      return false;
    case kKeyEscape:
      if (ctrl) {
        SwitchFile(-1, true);
      } else if (selecting) {
        selecting = 0;
        DrawTextArea();
        DrawHelpLine();
      }
      return false;
    case kKeyCtrlCloseBracket: SwitchFile(1, true); return false;
    default: break;
  }
  if (key >= 1 && key <= 26) return HandleControlKey(key);
  if ((key >= 32 && key < 127) || (key >= 128 && (key < kKeyDown || key > kKeyF12)))
    TypeCharacter(key);
  return false;
}

bool ConsoleEditor::HandleControlKey(int key) {
  const bool shift = Down(ConsoleModifier::kShift);
  switch (key) {
    case CtrlKey('A'): SelectAll(); break;
    case CtrlKey('C'): CopySelection(false); break;
    case CtrlKey('X'): CopySelection(true); break;
    case CtrlKey('V'): Paste(); break;
    case CtrlKey('D'): Duplicate(); break;
    case CtrlKey('F'): OpenPrompt(kPromptFind); break;
    case CtrlKey('R'):
      if (!replace_offered) break;
      if (find_text.empty()) ShowMessage("Use Ctrl+F first, or run Ctrl+R from Find prompt");
      else OpenPrompt(kPromptReplace);
      break;
    case CtrlKey('G'): FindNext(shift); break;
    case CtrlKey('J'):
      prompt_input.clear();
      OpenPrompt(kPromptGoToLine);
      break;
    case CtrlKey('L'): Redraw(); break;
    case CtrlKey('P'): TogglePanes(); break;
    case CtrlKey('O'): SwitchPane(); break;
    case CtrlKey('Z'):
      if (shift) Redo();
      else Undo();
      break;
    case CtrlKey('Y'): Redo(); break;
    case CtrlKey('W'): {
      ConsoleEditor* target = EditorForClosing();
      if (target == this) return RequestClose();
      if (target) target->RequestClose();
      break;
    }
    default: break;
  }
  return false;
}

bool ConsoleEditor::RequestClose() {
  if (undo_position == clean_position) return CloseNow();
  OpenPrompt(kPromptSaveBeforeClose);
  return false;
}

bool ConsoleEditor::CloseNow() {
  OnClosed();
  delete this;
  return true;
}

void ConsoleEditor::OnRightClick() {}

int ConsoleEditor::CommentStateAt(int line) { return 0; }

bool ConsoleEditor::OnLineChanged(const std::string& text, int byte_pos, int byte_len) {
  return false;
}

ConsoleEditor* ConsoleEditor::EditorForClosing() { return this; }

void ConsoleEditor::AcceptNewFileName(const std::string& name) {}

void ConsoleEditor::SwitchFile(int which, bool relative) {}

void ConsoleEditor::OnClosed() {}

void ConsoleEditor::AskCreateNewFile(const std::string& name) {
  pending_name = name;
  OpenPrompt(kPromptCreateFile);
}

void ConsoleEditor::ReleaseText() {
  lines.clear();
  undo_states.clear();
  undo_position = clean_position = -1;
  cursor_line = cursor_col = 0;
  selecting = 0;
  ClampCursor();
}

int ConsoleEditor::LineLength(int line) const {
  if (line < 0 || line >= static_cast<int>(lines.size())) return 0;
  return Utf8Columns(lines[line]);
}

void ConsoleEditor::EnsureLine(int line) {
  while (static_cast<int>(lines.size()) <= line) lines.Insert(lines.size(), std::string());
}

void ConsoleEditor::ClampCursor() {
  cursor_line = std::clamp(cursor_line, 0, static_cast<int>(lines.size()));
  cursor_col = std::clamp(cursor_col, 0, LineLength(cursor_line));
  // The selection ends (also the anchor kept for a mouse drag) stay in the text.
  for (int end = 0; end < 2; ++end) {
    int& line = selection[end * 2 + 1];
    line = std::clamp(line, 0, static_cast<int>(lines.size()));
    selection[end * 2] = std::clamp(selection[end * 2], 0, LineLength(line));
  }
}

std::string ConsoleEditor::CheckInvariants() const {
  const int count = static_cast<int>(undo_states.size());
  const int line_count = static_cast<int>(lines.size());
  if (undo_position < -1 || undo_position >= count) return "undo position out of range";
  if ((count == 0) != (undo_position == -1)) return "undo position without states";
  if (clean_position < -1 || clean_position >= count) return "clean position out of range";
  if (count > std::max(max_undo_states, 2)) return "too many undo states";
  for (const auto& state : undo_states)
    if (std::string broken = state->lines.CheckInvariants(); !broken.empty()) return "undo state: " + broken;
  if (std::string broken = lines.CheckInvariants(); !broken.empty()) return "lines: " + broken;
  if (cursor_line < 0 || cursor_line > line_count) return "cursor line outside the text";
  if (cursor_col < 0 || cursor_col > LineLength(cursor_line)) return "cursor column outside its line";
  for (int i = 0; i < 4; ++i)
    if (selection[i] < 0) return "negative selection";
  if (selecting && (selection[1] > line_count || selection[3] > line_count))
    return "selection outside the text";
  if (hscroll < 0 || pane_scroll[0] < 0 || pane_scroll[1] < 0) return "negative scroll";
  if (current_pane != 0 && current_pane != 1) return "bad pane";
  if (prompt_state < kPromptNone || prompt_state > kPromptSaveBeforeClose) return "bad prompt state";
  if (screen && !GridInvariantsHold(screen->grid)) return "grid broken";
  return "";
}
