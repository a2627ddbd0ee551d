// The engine against the plain model on seeded random operation sequences,
// checked (invariants included) after every step.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/engine_random_ops.h"

namespace {

// `block_lines` > 0 starts from a text of that many lines and mixes in pastes
// of as many again, so that the gap, the text and the line array all grow
// while the caret sits in the middle.
void RunSeed(uint32_t seed, int steps, int block_lines) {
  std::mt19937 rng(seed);
  PickFn pick = [&rng](uint32_t bound) {
    return std::uniform_int_distribution<uint32_t>(0, bound - 1)(rng);
  };
  auto block = [&] {
    std::string text;
    for (int i = 0; i < block_lines; ++i) text += RandomText(pick, 3, false) + "\n";
    return text;
  };
  std::unique_ptr<Document> doc;
  ModelDoc model;
  std::string start = block_lines > 0 ? block() : RandomText(pick, 40, false);
  StartBoth(start, 2 + static_cast<int32_t>(pick(3)), pick(3) != 0, &doc, &model);
  doc->eol_style = seed % 3;
  MemoryClipboard clip;
  std::string history;
  for (int i = 0; i < steps; ++i) {
    std::string op;
    if (block_lines > 0 && pick(12) == 0) {
      PasteOnBoth(doc.get(), &model, &clip, block());
      op = "paste block";
    } else {
      op = RandomStep(doc.get(), &model, &clip, pick);
    }
    history += op + "; ";
    std::string diff = CompareWithModel(*doc, model, &clip);
    ASSERT_EQ(diff, "") << "seed " << seed << " step " << i << " after: " << history
                        << "\nengine: " << testing::PrintToString(Content(*doc))
                        << "\nmodel:  " << testing::PrintToString(model.text);
  }
}

}  // namespace

// ORV_ENGINE_SEEDS raises the number of sequences for a longer run.
TEST(EngineReferenceModel, SeededRandomSequencesAgree) {
  const char* env = std::getenv("ORV_ENGINE_SEEDS");
  uint32_t seeds = env != nullptr ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 300;
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    RunSeed(seed, 200, 0);
    if (HasFatalFailure()) return;
  }
}

TEST(EngineReferenceModel, LargeDocumentsGrowEveryBuffer) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    RunSeed(seed, 60, 1100 + static_cast<int>(seed) * 50);
    if (HasFatalFailure()) return;
  }
}

// Overwrite mode takes one character of the caret's line per inserted
// character, never its line end; a paste (CR LF made LF) takes the same.
TEST(EngineReferenceModel, OverwriteTakesACharacterOfTheLineForEachOne) {
  const char* const rows[][4] = {  // text, caret, typed or pasted, result
      {"abcd", "0", "\xC3\xA9", "\xC3\xA9" "bcd"}, {"abcd", "0", "\xE4\xB8\xAD", "\xE4\xB8\xAD" "bcd"},
      {"\xC3\xA9" "bc", "0", "x", "xbc"}, {"ab\ncd", "2", "x", "abx\ncd"}, {"ab", "1", "xy", "axy"},
      {"ab\ncd", "1", "\n", "a\nb\ncd"}, {"ab\ncd", "1", "xyz", "axyz\ncd"},
      {"abc\ndef", "0", "1\r\n2", "1\n2c\ndef"}};
  for (const auto& row : rows) {
    auto doc = MakeTestDocument(row[0]);
    MemoryClipboard clip;
    clip.SetText(row[2]);
    CloseGapAtCaret(doc.get());
    SetCaret(doc.get(), std::atoi(row[1]));
    doc->overwrite = 1;
    PasteClipboard(doc.get(), clip);
    EXPECT_EQ(Content(*doc), row[3]) << row[0] << " + " << row[2];
  }
}
