#pragma once
// Where the engine shows its messages. On Windows the sink is a system message
// box (win32/message_box_sink.h); natively a recording sink that tests and
// tools read. The sink is passed to whatever needs to show something; the engine
// keeps no global one.

#include <string>
#include <string_view>
#include <vector>

namespace ac {

enum class TMessageIcon { Error, Warning, Information };

class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  // Shows Text (UTF-8) and returns once the user has dismissed it.
  virtual void Show(std::string_view text, TMessageIcon icon) = 0;
};

// Keeps every message in order; for tests and command-line tools.
class TRecordingSink final : public TMessageSink {
 public:
  struct Entry {
    std::string Text;
    TMessageIcon Icon;
  };
  void Show(std::string_view text, TMessageIcon icon) override {
    Entries.push_back({std::string(text), icon});
  }
  std::vector<Entry> Entries;
};

}  // namespace ac
