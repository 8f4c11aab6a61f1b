#pragma once
// Shows engine messages in a system message box with OK and the matching icon.

#include "core/message_sink.h"

namespace ac::platform {

class TMessageBoxSink final : public TMessageSink {
 public:
  void Show(std::string_view text, TMessageIcon icon) override;
};

}  // namespace ac::platform
