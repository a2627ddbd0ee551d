#pragma once
// Renames for the save tests that fail the way the platform may.
#include <unistd.h>

#include <cstdio>

#include "documents/file_placement.h"

// Renames over real files, doing what the platform does on each outcome.
class ScriptedMoves : public FileMoves {
 public:
  enum Behaviour {
    kWorks,           // replaced; the original passes through the backup name
    kNothingMoved,    // ERROR_UNABLE_TO_MOVE_REPLACEMENT with a backup name
    kOriginalAway,    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: original at the backup name
    kOriginalLost,    // a failure that says nothing moved, but the original is gone
  };
  Behaviour replace = kWorks;
  int failing_moves = 0;  // this many moves fail first

  ReplaceResult Replace(const char* replacement, const char* target, const char* backup) override {
    switch (replace) {
      case kWorks:
        std::rename(target, backup);
        std::rename(replacement, target);
        return ReplaceResult::kReplaced;
      case kNothingMoved:
        return ReplaceResult::kNotReplaced;
      case kOriginalAway:
        std::rename(target, backup);
        return ReplaceResult::kOriginalMoved;
      case kOriginalLost:
        unlink(target);
        return ReplaceResult::kNotReplaced;
    }
    return ReplaceResult::kNotReplaced;
  }
  bool Move(const char* from, const char* to) override {
    if (failing_moves > 0) {
      --failing_moves;
      return false;
    }
    return std::rename(from, to) == 0;
  }
};

// Puts scripted moves in place for one scope.
class UseMoves {
 public:
  explicit UseMoves(FileMoves* moves) : previous_(SetFileMoves(moves)) {}
  ~UseMoves() { SetFileMoves(previous_); }

 private:
  FileMoves* previous_;
};
