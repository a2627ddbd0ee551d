// The status-line prompts: find, replace, go to line and the two yes/no
// questions.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "console/console_editor.h"
#include "console/console_file.h"
#include "engine/clipboard.h"
#include "engine/utf8.h"

namespace {

// "abc...xyz" for long find texts, cut at character boundaries.
std::string ShortenForPrompt(const std::string& text) {
  if (Utf8Columns(text) < 42) return text;
  const int keep = 18;
  size_t head = Utf8OffsetOfColumn(text, keep);
  size_t tail = Utf8OffsetOfColumn(text, Utf8Columns(text) - keep);
  char buffer[1024];
  snprintf(buffer, sizeof buffer, "%.*s...%s", static_cast<int>(head), text.c_str(),
           text.c_str() + tail);
  return buffer;
}

// Parses "12", "+5", "-3" (also with the typographic minus). False for
// anything else.
bool ParseLineAnswer(std::string text, int* value, int* sign) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  *sign = 0;
  if (text.rfind("+", 0) == 0) {
    *sign = 1;
    text.erase(0, 1);
  } else if (text.rfind("-", 0) == 0) {
    *sign = -1;
    text.erase(0, 1);
  } else if (text.rfind("\xE2\x88\x92", 0) == 0) {
    *sign = -1;
    text.erase(0, 3);
  }
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *value = std::atoi(text.c_str());
  return true;
}

}  // namespace

void ConsoleEditor::OpenPrompt(int state) {
  prompt_state = state;
  DrawStatusLine();
}

std::string ConsoleEditor::PromptText() const {
  char buffer[1200];
  switch (prompt_state) {
    case kPromptFind: {
      const char* hint = Cols() < 41       ? ""
                         : !replace_offered ? (Cols() >= 71 ? " (Up/Down:mode ESC:cancel)" : "(U/D:mode)")
                         : Cols() >= 71     ? " (Up/Down:mode Ctrl+R:replace ESC:cancel)"
                                            : "(U/D:mode Ctrl+R:repl)";
      snprintf(buffer, sizeof buffer, "Find %s%s:", SearchModeName(console_search_mode), hint);
      return buffer;
    }
    case kPromptReplace:
      snprintf(buffer, sizeof buffer, "Replace all (%s) '%s':",
               SearchModeName(console_search_mode), ShortenForPrompt(find_text).c_str());
      return buffer;
    case kPromptGoToLine: return "Go to line (ESC:cancel):";
    case kPromptCreateFile:
      snprintf(buffer, sizeof buffer, "Create new file '%.900s' (Y/n)? ", pending_name.c_str());
      return buffer;
    case kPromptSaveBeforeClose: return "Save file before closing (y/N)? ";
    default: return "";
  }
}

bool ConsoleEditor::HandlePromptKey(int key) {
  const bool shift = Down(ConsoleModifier::kShift);
  const bool alt = Down(ConsoleModifier::kAlt);
  if (prompt_state == kPromptSaveBeforeClose) {
    if (key == 'y' || key == 'Y') {
      prompt_state = kPromptNone;
      if (SaveFile()) return CloseNow();
      // A save that said why it failed keeps its own message.
      if (prompt_state != kPromptMessage) ShowMessage("Error writing file, changes not saved!");
    } else if (key == 'n' || key == 'N') {
      prompt_state = kPromptNone;
      return CloseNow();
    } else {
      ShowMessage("Cancelled close of file.");
    }
    return false;
  }
  if (prompt_state == kPromptCreateFile) {
    if (key == 'n' || key == 'N' || key == kKeyEscape) {
      ShowMessage("Cancelled create new file.");
    } else {
      prompt_state = kPromptNone;
      DrawStatusLine();
      AcceptNewFileName(pending_name);
    }
    return false;
  }
  std::string* text = prompt_state == kPromptFind      ? &find_text
                      : prompt_state == kPromptReplace ? &replace_text
                                                       : &prompt_input;
  if (key == kKeyEscape) {
    prompt_state = kPromptNone;
    DrawStatusLine();
    PlaceCaret();
  } else if (key == kKeyEnter) {
    int state = prompt_state;
    prompt_state = kPromptNone;
    DrawStatusLine();
    if (state == kPromptFind) FindNext(false);
    else if (state == kPromptReplace) ReplaceAll();
    else AcceptGoToLine();
  } else if (key == kKeyBackspace) {
    Utf8PopBack(text);
  } else if (key == CtrlKey('V') || (key == kKeyInsert && (shift || alt))) {
    std::string pasted;
    if (clipboard && clipboard->GetText(&pasted))
      *text += ExpandConsoleTabs(pasted.substr(0, pasted.find_first_of("\r\n")), indent_size);
  } else if (prompt_state == kPromptFind && (key == kKeyUp || key == kKeyDown)) {
    console_search_mode = (console_search_mode + (key == kKeyDown ? 1 : 5)) % 6;
  } else if (prompt_state == kPromptFind && key == CtrlKey('R') && replace_offered) {
    prompt_state = kPromptReplace;
  } else if ((key >= 32 && key < 127) || (key >= 128 && (key < kKeyDown || key > kKeyF12))) {
    std::string encoded = EncodeUtf8(key);
    *text += encoded.empty() ? "_" : encoded;
  }
  if (prompt_state >= kPromptFind) DrawStatusLine();
  return false;
}

void ConsoleEditor::AcceptGoToLine() {
  int value = 0, sign = 0;
  if (!ParseLineAnswer(prompt_input, &value, &sign)) return;
  if (sign == 0 && value == 0) return;
  int target = sign == 0 ? value - 1 : cursor_line + sign * value;
  const int last = std::max(static_cast<int>(lines.size()) - 1, 0);
  target = std::clamp(target, 0, last);
  cursor_line = target;
  cursor_col = LineLength(target);
  wanted_col = -1;
  selecting = 0;
  DrawTextArea();
  DrawHelpLine();
  MakeCursorVisible();
}
