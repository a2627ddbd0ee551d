// What the save commands tell the user: a Save as that cannot write changes
// nothing (a cancelled dialog is no failure); a save that left the text in
// another file names it; a saved file too large to open again is reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "documents/document_io.h"
#include "engine/document.h"
#include "tests/documents/scripted_moves.h"
#include "tests/documents/temp_dir.h"

namespace {

class ScriptedUi : public DocumentUi {
 public:
  std::vector<std::string> answers;  // "" = cancel
  int asked = 0;
  bool ChooseSavePath(std::string* path) override {
    if (asked >= static_cast<int>(answers.size())) return false;
    *path = answers[asked++];
    return !path->empty();
  }
  void RefreshTitle() override {}
  void ReportSaveFailure(const std::string& kept_path) override {
    ++reports;
    kept.push_back(kept_path);
  }
  void ReportSavedTooLarge(const std::string& path) override { too_large.push_back(path); }
  int reports = 0;
  std::vector<std::string> kept, too_large;
};

TEST(SaveReport, FailedSaveAsIsReportedAndNothingChanges) {
  TempDir dir;
  AppState app;
  ScriptedUi ui;
  app.ui = &ui;
  NewDocument(&app);
  const int& reports = ui.reports;

  ui.answers = {dir.File("missing-folder/a.txt"), "", dir.File("a.txt")};
  SaveCurrent(&app);  // unnamed: straight to the dialog, which fails
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(app.current_path, "original-0.mem");
  SaveCurrentAs(&app);  // cancelled
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(app.current_path, "original-0.mem");
  SaveCurrent(&app);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(app.current_path, dir.File("a.txt"));
  EXPECT_EQ(ui.asked, 3);
  // Saved in place now: no dialog.
  SaveCurrent(&app);
  EXPECT_EQ(ui.asked, 3);
}

TEST(SaveReport, SaveAllAsksOnlyForUnsavedDocumentsAndReportsEachFailure) {
  TempDir dir;
  WriteBytes(dir.File("kept.txt"), "kept\n");
  AppState app;
  ScriptedUi ui;
  app.ui = &ui;
  ASSERT_TRUE(OpenOrActivate(&app, dir.File("kept.txt")));
  NewDocument(&app);
  NewDocument(&app);
  const int& reports = ui.reports;
  ui.answers = {dir.File("none/x.txt"), dir.File("b.txt")};
  SaveAll(&app);
  EXPECT_EQ(ui.asked, 2);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(ReadBytes(dir.File("kept.txt")), "kept\n");
  EXPECT_TRUE(std::ifstream(dir.File("b.txt")).good()) << "the second unsaved document was written";
  EXPECT_FALSE(std::ifstream(dir.File("none/x.txt")).good());
  EXPECT_EQ(DocumentCount(app.documents), 3);
  EXPECT_TRUE(IsRegistered(app.documents, dir.File("b.txt")));
}

TEST(SaveReport, ATextLeftInTheTemporaryFileIsNamed) {
  TempDir dir;
  WriteBytes(dir.File("a.txt"), "old\n");
  AppState app;
  ScriptedUi ui;
  app.ui = &ui;
  ASSERT_TRUE(OpenOrActivate(&app, dir.File("a.txt")));
  GetCurrentDocument(app)->eol_style = 1;
  ScriptedMoves moves;
  moves.replace = ScriptedMoves::kOriginalAway;
  moves.failing_moves = 2;  // neither the new file nor the original goes back
  ui.answers = {""};
  {
    UseMoves use(&moves);
    SaveCurrent(&app);  // then the Save as dialog, cancelled
  }
  ASSERT_EQ(ui.kept.size(), 1u);
  const std::string kept = ui.kept[0];
  EXPECT_EQ(kept.compare(0, dir.File("").size(), dir.File("")), 0) << kept;
  EXPECT_EQ(ReadBytes(kept), "old\r\n");
  EXPECT_EQ(ui.asked, 1);
  // A failure that left nothing behind names no file.
  GetCurrentDocument(app)->eol_style = 2;
  moves.replace = ScriptedMoves::kNothingMoved;
  moves.failing_moves = 1;
  ui.answers.push_back(dir.File("b.txt"));
  {
    UseMoves use(&moves);
    SaveCurrentAs(&app);
  }
  EXPECT_EQ(ui.kept, (std::vector<std::string>{kept, ""}));
  EXPECT_FALSE(FileExists(dir.File("b.txt")));
  EXPECT_TRUE(ui.too_large.empty());
}

TEST(SaveReport, ASavedFileTooLargeToOpenAgainIsReported) {
  TempDir dir;
  std::string almost(kMaxFileSize - 1, 'x');
  for (size_t i = 99; i < almost.size(); i += 100) almost[i] = '\n';
  almost.back() = '\n';
  WriteBytes(dir.File("big.txt"), almost);
  WriteBytes(dir.File("small.txt"), "small\n");
  AppState app;
  ScriptedUi ui;
  app.ui = &ui;
  ASSERT_TRUE(OpenOrActivate(&app, dir.File("big.txt")));
  SaveCurrent(&app);  // still one byte under the limit
  EXPECT_TRUE(ui.too_large.empty());
  GetCurrentDocument(app)->eol_style = 1;  // CR LF grows it past the limit
  SaveCurrent(&app);
  ui.answers = {dir.File("copy.txt")};
  SaveCurrentAs(&app);
  EXPECT_EQ(ui.too_large, (std::vector<std::string>{dir.File("big.txt"), dir.File("copy.txt")}));
  EXPECT_GT(ReadBytes(dir.File("copy.txt")).size(), static_cast<size_t>(kMaxFileSize));
  ASSERT_TRUE(OpenOrActivate(&app, dir.File("small.txt")));
  SaveAll(&app);
  EXPECT_EQ(ui.too_large.size(), 3u);
  EXPECT_EQ(ui.too_large.back(), dir.File("copy.txt")) << "only the large document again";
  EXPECT_EQ(ui.reports, 0);
}

}  // namespace
