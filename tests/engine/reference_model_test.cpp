// The engine against the plain model on seeded random operation sequences.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/engine_random_ops.h"

namespace {

void RunSeed(uint32_t seed, int steps) {
  std::mt19937 rng(seed);
  PickFn pick = [&rng](uint32_t bound) {
    return std::uniform_int_distribution<uint32_t>(0, bound - 1)(rng);
  };
  std::unique_ptr<Document> doc;
  ModelDoc model;
  std::string start = RandomText(pick, 40, false);
  StartBoth(start, 2 + static_cast<int32_t>(pick(3)), pick(3) != 0, &doc, &model);
  MemoryClipboard clip;
  std::string history;
  for (int i = 0; i < steps; ++i) {
    std::string op = RandomStep(doc.get(), &model, &clip, pick);
    history += op + "; ";
    std::string diff = CompareWithModel(*doc, model);
    ASSERT_EQ(diff, "") << "seed " << seed << " step " << i << " after: " << history
                        << "\nengine: " << Content(*doc) << "\nmodel:  " << model.text;
  }
}

}  // namespace

// ORV_ENGINE_SEEDS raises the number of sequences for a longer run.
TEST(EngineReferenceModel, SeededRandomSequencesAgree) {
  const char* env = std::getenv("ORV_ENGINE_SEEDS");
  uint32_t seeds = env != nullptr ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 300;
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    RunSeed(seed, 200);
    if (HasFatalFailure()) return;
  }
}
