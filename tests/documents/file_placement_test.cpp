// Putting a saved file in place when the platform's replace or the moves
// after it fail: the text is never left only in a file that gets removed.
#include "documents/file_placement.h"

#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "tests/documents/scripted_moves.h"
#include "tests/documents/temp_dir.h"

namespace {

// Every file in the folder with its bytes.
std::map<std::string, std::string> Files(const TempDir& dir) {
  std::map<std::string, std::string> files;
  DIR* d = opendir(dir.File("").c_str());
  while (const dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") files[name] = ReadBytes(dir.File(name));
  }
  closedir(d);
  return files;
}

struct Case {
  ScriptedMoves::Behaviour replace;
  int failing_moves;
  PlaceResult result;
  std::map<std::string, std::string> files;  // "backup" stands for the backup's name
};

}  // namespace

TEST(FilePlacement, EachFailedRenameLeavesTheTextOnDisk) {
  using S = ScriptedMoves;
  const Case cases[] = {
      {S::kWorks, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kNothingMoved, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kNothingMoved, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {S::kOriginalAway, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kOriginalAway, 1, PlaceResult::kUnchanged, {{"a.txt", "old"}}},
      {S::kOriginalAway, 2, PlaceResult::kStranded, {{"new.tmp", "new"}, {"backup", "old"}}},
      {S::kOriginalLost, 0, PlaceResult::kPlaced, {{"a.txt", "new"}}},
      {S::kOriginalLost, 1, PlaceResult::kStranded, {{"new.tmp", "new"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "replace " << c.replace << ", moves failing "
                                    << c.failing_moves);
    TempDir dir;
    const std::string target = dir.File("a.txt"), temp = dir.File("new.tmp");
    WriteBytes(target, "old");
    FileStatus before;
    ASSERT_TRUE(StatUtf8(target.c_str(), &before));
    WriteBytes(temp, "new");
    ScriptedMoves moves;
    moves.replace = c.replace;
    moves.failing_moves = c.failing_moves;
    {
      UseMoves use(&moves);
      EXPECT_EQ(PutFileInPlace(temp.c_str(), target.c_str(), &before), c.result);
    }
    std::map<std::string, std::string> files = Files(dir);
    for (auto& f : files)
      if (f.first.find("~orvinale-save-") == 0) {
        files["backup"] = f.second;
        files.erase(f.first);
        break;
      }
    EXPECT_EQ(files, c.files);
  }
}

TEST(FilePlacement, ANewFileThatCannotBePlacedLeavesNothing) {
  TempDir dir;
  const std::string target = dir.File("a.txt"), temp = dir.File("new.tmp");
  WriteBytes(temp, "new");
  ScriptedMoves moves;
  moves.replace = ScriptedMoves::kNothingMoved;
  moves.failing_moves = 1;
  UseMoves use(&moves);
  // Nothing was there before, and the text is still in memory.
  EXPECT_EQ(PutFileInPlace(temp.c_str(), target.c_str(), nullptr), PlaceResult::kUnchanged);
  EXPECT_TRUE(Files(dir).empty());
}
