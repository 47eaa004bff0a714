#include "logging/copydata_connection.h"

#include "logging/message_record.h"
#include "platform/rtl/exceptions.h"

TLogWireCopyDataConnection::TLogWireCopyDataConnection(TLogWireManager& manager)
    : TLogWireCopyDataConnection(manager, CreateSystemWindowMessenger()) {}

TLogWireCopyDataConnection::TLogWireCopyDataConnection(TLogWireManager& manager,
                                                       std::unique_ptr<ILogWireWindowMessenger> messenger)
    : TLogWireConnection(manager), messenger_(std::move(messenger)) {
  if (messenger_ == nullptr)
    throw EInvalidArgument("The window-message transport needs a messenger");
}

TLogWireCopyDataConnection::~TLogWireCopyDataConnection() { ReleaseDispatchIds(); }

TLogWireWindow TLogWireCopyDataConnection::FindDispatcher() { return messenger_->FindDispatcher(); }

bool TLogWireCopyDataConnection::CanSend() {
  TLogWireWindow window = FindDispatcher();
  if (window != nullptr && window == unanswering_window_.load())
    return false;
  if (window == nullptr) {
    // Searched once more right after the start, without waiting further:
    // a dispatcher that shows its window late fails this attempt.
    StartDispatcher();
    window = FindDispatcher();
  } else if (window == window_.load()) {
    return true;
  }
  window_.store(window);
  return window != nullptr;
}

int32_t TLogWireCopyDataConnection::Send(const TLogWireMessage& message) {
  const TLogWireWindow window = ReachableWindow();
  if (window == nullptr)
    return 0;
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  return TakeAnswer(window, messenger_->SendCopyData(window, kLogWireCopyDataId, record, kAnswerTimeoutMs));
}

void TLogWireCopyDataConnection::Close() {
  const TLogWireWindow window = ReachableWindow();
  if (window != nullptr)
    TakeAnswer(window, messenger_->SendClose(window, kAnswerTimeoutMs));
}

TLogWireWindow TLogWireCopyDataConnection::ReachableWindow() const {
  const TLogWireWindow window = window_.load();
  if (window == nullptr || window == unanswering_window_.load() || !messenger_->IsWindow(window))
    return nullptr;
  return window;
}

int32_t TLogWireCopyDataConnection::TakeAnswer(TLogWireWindow window, const TLogWireWindowAnswer& answer) {
  switch (answer.outcome) {
    case TLogWireSendOutcome::kAnswered:
      return answer.value;
    case TLogWireSendOutcome::kTimedOut:
      unanswering_window_.store(window);
      return 0;
    case TLogWireSendOutcome::kFailed:
      return 0;
  }
  return 0;
}
