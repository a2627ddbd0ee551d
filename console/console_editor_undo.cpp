// Undo history: whole-text snapshots that share the chunks of lines no
// action changed, thinned by dropping every second state when it grows too
// long.
#include <algorithm>

#include "console/console_editor.h"

void ConsoleEditor::BeginAction() {
  if (undo_position < 0) return;
  ConsoleUndoState& state = *undo_states[undo_position];
  state.cursor_line[1] = cursor_line;
  state.cursor_col[1] = cursor_col;
  state.hscroll[1] = hscroll;
  state.pane_scroll[1][0] = pane_scroll[0];
  state.pane_scroll[1][1] = pane_scroll[1];
}

void ConsoleEditor::SaveUndoState() {
  KeepViewInText();
  undo_states.resize(static_cast<size_t>(undo_position + 1));
  if (clean_position > undo_position) clean_position = -1;
  if (static_cast<int>(undo_states.size()) >= std::max(max_undo_states, 2)) {
    std::vector<std::unique_ptr<ConsoleUndoState>> kept;
    int new_clean = -1;
    for (int i = 0; i < static_cast<int>(undo_states.size()); ++i) {
      if (i % 2 == 1 && i != clean_position) continue;
      if (i == clean_position) new_clean = static_cast<int>(kept.size());
      kept.push_back(std::move(undo_states[i]));
    }
    undo_states.swap(kept);
    clean_position = new_clean;
  }
  auto state = std::make_unique<ConsoleUndoState>();
  state->lines = lines;  // the chunk pointers only
  for (int which = 0; which < 2; ++which) {
    state->cursor_line[which] = cursor_line;
    state->cursor_col[which] = cursor_col;
    state->hscroll[which] = hscroll;
    state->pane_scroll[which][0] = pane_scroll[0];
    state->pane_scroll[which][1] = pane_scroll[1];
  }
  undo_states.push_back(std::move(state));
  undo_position = static_cast<int>(undo_states.size()) - 1;
}

void ConsoleEditor::RestoreState(int index, int which) {
  const ConsoleUndoState& state = *undo_states[index];
  lines = state.lines;
  cursor_line = state.cursor_line[which];
  cursor_col = state.cursor_col[which];
  hscroll = std::max(state.hscroll[which], 0);
  pane_scroll[0] = std::max(state.pane_scroll[which][0], 0);
  pane_scroll[1] = std::max(state.pane_scroll[which][1], 0);
  KeepViewInText();
  selecting = 0;
  wanted_col = -1;
  undo_position = index;
  ClampCursor();
  DrawTextArea();
  MakeCursorVisible();
}

void ConsoleEditor::Undo() {
  if (undo_position <= 0) {
    ShowMessage("Can't Undo");
    return;
  }
  RestoreState(undo_position - 1, 1);
  char buffer[80];
  snprintf(buffer, sizeof buffer, "Undid action - %d items in undo buffer", undo_position);
  ShowMessage(buffer);
}

void ConsoleEditor::Redo() {
  if (undo_position + 1 >= static_cast<int>(undo_states.size())) {
    ShowMessage("Can't Redo");
    return;
  }
  RestoreState(undo_position + 1, 0);
  char buffer[80];
  snprintf(buffer, sizeof buffer, "Redid action - %d items in redo buffer",
           static_cast<int>(undo_states.size()) - 1 - undo_position);
  ShowMessage(buffer);
}
