// The save commands with a save dialog: a Save as that cannot write is
// reported to the user and changes nothing; a cancelled dialog is no failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_commands.h"
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
  void ReportSaveFailure() override { ++reports; }
  int reports = 0;
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

}  // namespace
