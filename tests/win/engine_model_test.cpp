// The portable engine, as built for Windows, against the plain model.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/engine_random_ops.h"

TEST(EngineModelOnWindows, SeededRandomSequencesAgree) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    PickFn pick = [&rng](uint32_t bound) {
      return std::uniform_int_distribution<uint32_t>(0, bound - 1)(rng);
    };
    std::unique_ptr<Document> doc;
    ModelDoc model;
    StartBoth(RandomText(pick, 40, false), 2 + static_cast<int32_t>(pick(3)), pick(3) != 0, &doc,
              &model);
    MemoryClipboard clip;
    for (int i = 0; i < 200; ++i) {
      std::string op = RandomStep(doc.get(), &model, &clip, pick);
      ASSERT_EQ(CompareWithModel(*doc, model), "") << "seed " << seed << " step " << i << " " << op;
    }
  }
}
