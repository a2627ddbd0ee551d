// Drives the text engine and the plain model with operations chosen by the
// fuzz input; any disagreement or broken invariant aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/engine_random_ops.h"

namespace {

// Hands out the input's bytes as small numbers; 0 once it runs dry.
class InputPicker {
 public:
  InputPicker(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  uint32_t Pick(uint32_t bound) {
    uint32_t value = at_ < size_ ? data_[at_++] : 0;
    if (bound > 256 && at_ < size_) value = value * 256 + data_[at_++];
    return bound > 0 ? value % bound : 0;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputPicker input(data, size);
  PickFn pick = [&input](uint32_t bound) { return input.Pick(bound); };
  std::unique_ptr<Document> doc;
  ModelDoc model;
  std::string start = RandomText(pick, 30, false);
  StartBoth(start, 2 + static_cast<int32_t>(pick(3)), pick(2) == 0, &doc, &model);
  doc->eol_style = pick(3);
  MemoryClipboard clip;
  for (int step = 0; step < 400 && !input.Done(); ++step) {
    std::string op = RandomStep(doc.get(), &model, &clip, pick);
    std::string diff = CompareWithModel(*doc, model, &clip);
    if (!diff.empty()) {
      std::fprintf(stderr, "engine and model differ after step %d (%s): %s\n", step, op.c_str(),
                   diff.c_str());
      std::abort();
    }
  }
  return 0;
}
