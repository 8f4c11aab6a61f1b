#include "system/native/composition_testing.h"
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

namespace testing {

TScopedComposition::TScopedComposition(TComposed answer) : FPrevious(gComposition) {
  gComposition = answer == TComposed::Yes;
}

TScopedComposition::~TScopedComposition() {
  gComposition = FPrevious;
}

}  // namespace testing

}  // namespace ac::platform
