// Shared setup for console editor tests: a test screen, a memory clipboard,
// an editor on the heap (it may delete itself) that records what it hands
// to its host, and scratch files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console_editor.h"
#include "engine/clipboard.h"
#include "tests/console/test_screen.h"
#include "tests/documents/temp_dir.h"
#include "tests/support/memory_clipboard.h"

// The base editor with the host's side recorded: file switches and new names.
class HostedEditor : public ConsoleEditor {
 public:
  using ConsoleEditor::ConsoleEditor;
  void SwitchFile(int which, bool relative) override {
    calls.push_back((relative ? "switch by " : "switch to ") + std::to_string(which));
  }
  void AcceptNewFileName(const std::string& name) override { calls.push_back("create " + name); }
  std::vector<std::string> calls;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    console_overwrite = 0;
    console_search_mode = 0;
    editor = new HostedEditor(&screen, &clipboard);
  }
  void TearDown() override {
    if (editor) {
      EXPECT_EQ(editor->CheckInvariants(), "");
    }
    delete editor;
  }

  std::string Path(const std::string& name) const { return scratch.File(name); }
  void WriteBytes(const std::string& name, const std::string& bytes) { ::WriteBytes(Path(name), bytes); }
  std::string ReadBytes(const std::string& name) { return ::ReadBytes(Path(name)); }
  // Opens a file holding `bytes` and returns whether it was read.
  bool Load(const std::string& bytes, const std::string& name = "file.txt") {
    WriteBytes(name, bytes);
    return editor->Open(Path(name));
  }
  // What the editor handed to its host (it must be a HostedEditor).
  std::vector<std::string>& Calls() { return static_cast<HostedEditor*>(editor)->calls; }

  // Sends a key the way the window does: queued with the modifiers held
  // now, then read back. False when the editor deleted itself.
  bool Key(int key) {
    ScreenQueueKey(&screen, key);
    if (editor->OnKey(ScreenReadKey(&screen))) {
      editor = nullptr;
      return false;
    }
    EXPECT_EQ(editor->CheckInvariants(), "") << "after key " << key;
    return true;
  }
  void Ctrl(char letter) {
    screen.ctrl = true;
    Key(letter - 'A' + 1);
    screen.ctrl = false;
  }
  void Shifted(int key) {
    screen.shift = true;
    Key(key);
    screen.shift = false;
  }
  void Type(const std::string& text) {
    for (unsigned char c : text) Key(c);
  }
  std::string Text() const {
    std::string out;
    for (const std::string& line : editor->lines) out += line + "\n";
    return out;
  }
  std::string Status() const { return screen.Row(screen.grid.rows - 1); }

  TestScreen screen{25, 80};
  MemoryClipboard clipboard;
  ConsoleEditor* editor = nullptr;
  TempDir scratch;
};
