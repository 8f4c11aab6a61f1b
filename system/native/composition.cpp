#include "system/native/composition_test_support.h"
#include "system/system.h"

namespace ac::platform {

namespace {

// Natively the desktop composes, as every current Windows does; only tests
// change the answer, through TScopedComposition.
bool gComposition = true;

}  // namespace

bool CompositionEnabled() {
  return gComposition;
}

}  // namespace ac::platform

namespace ac::test {

TScopedComposition::TScopedComposition(TComposed answer) : FPrevious(platform::gComposition) {
  platform::gComposition = answer == TComposed::Yes;
}

TScopedComposition::~TScopedComposition() {
  platform::gComposition = FPrevious;
}

}  // namespace ac::test
