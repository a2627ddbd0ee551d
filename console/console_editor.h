// A small line-based editor that runs in one console screen: keys, undo,
// search, prompts, two panes on one file. The Preferences and Changelog
// windows derive from it and replace a few of its virtual operations.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_lines.h"
#include "console/console_screen.h"

class Clipboard;

// Shared by every console editor in the process.
extern int console_overwrite;    // 0 insert, 1 overwrite
extern int console_search_mode;  // 0..5: bit 0 case-sensitive; 0-1 substring, 2-3 word, 4-5 token

const char* SearchModeName(int mode);

// One snapshot of the text. Its chunks of lines are shared with the other
// snapshots and the text for as long as none of them changes them.
struct ConsoleUndoState {
  ConsoleLines lines;
  // [0] when the state was made (restored by redo), [1] just before the
  // next action (restored by undo back to this state).
  int cursor_line[2] = {0, 0};
  int cursor_col[2] = {0, 0};
  int hscroll[2] = {0, 0};
  int pane_scroll[2][2] = {{0, 0}, {0, 0}};
};

enum ConsolePromptState {
  kPromptNone = 0,
  kPromptMessage = 1,
  kPromptFind = 2,
  kPromptReplace = 3,
  kPromptGoToLine = 4,
  kPromptCreateFile = 5,
  kPromptSaveBeforeClose = 6,
};

class ConsoleEditor {
 public:
  // Neither pointer is owned; both must outlive the editor. The screen may
  // be null (nothing is drawn then).
  ConsoleEditor(ConsoleScreen* screen, Clipboard* clipboard);
  ConsoleEditor(const ConsoleEditor&) = delete;
  ConsoleEditor& operator=(const ConsoleEditor&) = delete;

  // The replaceable operations, in the order derived windows rely on.
  virtual ~ConsoleEditor();
  // True when the editor closed and deleted itself; do not touch it then.
  virtual bool OnKey(int key);
  virtual void OnRightClick();
  // True when the file was written (the old file is kept on failure).
  virtual bool SaveFile();
  // Scrolls so that `line` (-1: the cursor line) is on screen, placing it
  // at `center` (0..1 of the pane height) when that is given; clamps the
  // cursor column and draws the status line.
  virtual void MakeCursorVisible(int line = -1, double center = -1.0);
  // False when the file could not be read (the editor then starts empty).
  virtual bool Open(const std::string& path, const char* initial_text = nullptr);
  virtual bool Reload(bool clear_undo);
  // All text rows, or only the rows showing `only_line`.
  virtual void DrawTextArea(int only_line = -1);
  // Skips spaces and tabs in *rest, returns the token up to the next space
  // or tab and leaves *rest after it.
  virtual std::string_view SplitToken(std::string_view* rest);
  virtual void OnMouse(const ConsoleMouse& mouse);
  // Column (characters) of the first match at or after start_col, or -1;
  // *match_cols receives the match's length in characters.
  virtual int Match(const std::string& needle, const std::string& line, int start_col,
                    int* match_cols);
  virtual int CommentStateAt(int line);
  virtual void DrawLine(int row, const std::string& text, int comment_state);
  virtual void DrawTopLine();
  // Called just before the help line's closing ")"; add pieces with
  // AddHelpPiece.
  virtual void AddHelpLineItems();
  // True when the override redrew the changed line itself.
  virtual bool OnLineChanged(const std::string& text, int byte_pos, int byte_len);
  virtual ConsoleEditor* EditorForClosing();
  virtual void AcceptNewFileName(const std::string& name);
  // relative: -1 previous, +1 next; otherwise `which` is a file index 0..9.
  virtual void SwitchFile(int which, bool relative);
  virtual void OnClosed();

  // Non-virtual services for hosts and derived editors.
  void ShowMessage(const std::string& text);
  void DrawStatusLine();
  void DrawHelpLine();
  void AddHelpPiece(const char* text, int attr);
  void Redraw();
  void AskCreateNewFile(const std::string& name);
  // Drops the lines and the undo history (hosts do this before closing).
  void ReleaseText();
  bool IsModified() const { return undo_position != clean_position; }
  // Empty when every invariant holds, else what broke.
  std::string CheckInvariants() const;

  ConsoleScreen* screen;
  Clipboard* clipboard;

  int top_margin = 1;
  int bottom_margin = 1;
  int indent_size = 2;
  int max_undo_states = 500;
  std::string file_name;
  std::string pending_name;
  int newline_mode = 0;     // 1 writes CR LF
  int tab_write_width = 0;  // >= 1: leading groups of this many spaces are written as tabs
  ConsoleLines lines;
  long long file_time = 0;  // modification time at the last read or write (seconds)
  std::vector<std::unique_ptr<ConsoleUndoState>> undo_states;
  int undo_position = -1;   // -1 only while undo_states is empty
  int clean_position = -1;  // undo state matching the file, or -1
  int prompt_state = kPromptNone;
  int selecting = 0;
  int selection[4] = {0, 0, 0, 0};  // anchor col, anchor line, end col, end line
  int hscroll = 0;
  int cursor_col = 0;
  int cursor_line = 0;  // 0 .. lines.size(); lines.size() is the past-the-end line
  int wanted_col = -1;
  int current_pane = 0;
  double pane_divider = 1.0;  // share of the text rows for the upper pane; 1.0 or <= 0: one pane
  int pane_scroll[2] = {0, 0};
  std::string find_text;
  std::string replace_text;
  // False in a read-only pane: Ctrl+R opens no replace prompt, and neither
  // the help line nor the find prompt offers one.
  bool replace_offered = true;
  int divider_drag = 0;  // 3 while the divider is dragged

  std::string prompt_input;   // text typed at the go-to-line prompt
  std::string message;        // shown while prompt_state is kPromptMessage
  bool mouse_selecting = false;

 protected:
  // Held with the key being handled (recorded when it was queued).
  bool Down(ConsoleModifier modifier) const;
  int Rows() const;
  int Cols() const;
  int StatusRow() const { return Rows() - 1; }
  int HelpRow() const { return Rows() - 2; }
  void PlaceCaret();
  void DrawTextRow(int pane, int index);

  // Key handling pieces, also usable by derived key filters.
  bool HandleKey(int key);
  bool RequestClose();
  bool CloseNow();
  bool HandlePromptKey(int key);
  bool HandleControlKey(int key);
  void HandleMovementKey(int key);

  // Editing.
  void TypeCharacter(int code);
  void InsertNewline();
  void Backspace();
  void DeleteForward();
  void IndentSelection(bool unindent);
  void UnindentAtCursor();
  bool DeleteSelection();
  std::string SelectedText(bool crlf) const;
  void InsertText(const std::string& text);
  void InsertTextAt(int* col, int* line, const std::string& text);
  void CopySelection(bool cut);
  void Paste();
  void Duplicate();
  void SelectAll();

  // Undo.
  void BeginAction();
  void SaveUndoState();
  void Undo();
  void Redo();
  void RestoreState(int index, int which);

  // Files.
  bool ReadFile(const std::string& path);
  bool WriteFile(const std::string& path);
  void RememberFileTime();

  // Searching and prompts.
  void FindNext(bool backward);
  void ReplaceAll();
  void AcceptGoToLine();
  void OpenPrompt(int state);
  std::string PromptText() const;

  // Panes and geometry.
  void UpdateLayout();
  int PaneRows(int pane) const;
  int PaneTop(int pane) const;
  int TextWidth(int pane) const;
  int PaneAtRow(int row) const;
  void TogglePanes();
  void SwitchPane();
  void ScrollPane(int pane, int delta);
  // The furthest a pane scrolls down: the text's end with a few empty rows
  // under it (the wheel's limit).
  int ScrollLimit(int pane) const;
  // After a change: a pane scrolled past the shrunken text comes back to
  // its end, and the text area is drawn again when one moved.
  void KeepViewInText();
  int LineLength(int line) const;
  void EnsureLine(int line);
  void ClampCursor();

  // Selection helpers.
  void GetSelection(int* c1, int* l1, int* c2, int* l2) const;
  void StartOrExtendSelection(bool extend, int old_col, int old_line);
  void MoveWord(bool right);
  // `line` is a line of the text.
  void SelectWordAt(int col, int line);
  bool OpenLinkAt(int col, int line);
};
