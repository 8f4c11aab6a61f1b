#pragma once
// A test seam of the native stand-in: the answer CompositionEnabled gives.
// Natively it is "composed" unless a test says otherwise for a while; tests
// that run one at a time on one thread may change it.

namespace ac::test {

enum class TComposed { No, Yes };

// Makes CompositionEnabled answer Answer until the object is destroyed, then
// restores the previous answer.
class TScopedComposition {
 public:
  explicit TScopedComposition(TComposed answer);
  ~TScopedComposition();
  TScopedComposition(const TScopedComposition&) = delete;
  TScopedComposition& operator=(const TScopedComposition&) = delete;

 private:
  bool FPrevious;
};

}  // namespace ac::test
