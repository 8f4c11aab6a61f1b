#pragma once
// TScopedFlag: sets a flag for the length of a scope, so that re-entry
// through the messages the scope itself causes can be recognised and stopped.

namespace ac {

class TScopedFlag {
 public:
  explicit TScopedFlag(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TScopedFlag() { FFlag = false; }
  TScopedFlag(const TScopedFlag&) = delete;
  TScopedFlag& operator=(const TScopedFlag&) = delete;

 private:
  bool& FFlag;
};

}  // namespace ac
