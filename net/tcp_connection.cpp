#include "net/tcp_connection.h"

#include <algorithm>
#include <exception>

#include "net/exceptions.h"
#include "net/intercept.h"
#include "net/io_handler.h"
#include "net/io_handler_socket.h"
#include "platform/rtl/text.h"

TNsTCPConnection::TNsTCPConnection(TComponent* owner)
    : TNsComponent(owner),
      greeting_(CreateUnowned<TNsReply>(ReplyClass())),
      last_cmd_result_(CreateUnowned<TNsReply>(ReplyClass())) {}

TNsTCPConnection::~TNsTCPConnection() {
  if (io_handler_ == nullptr)
    return;
  try {
    io_handler_->Close();
  } catch (...) {
    // Going away regardless.
  }
  TNsTCPConnection::SetIOHandler(nullptr);
}

void TNsTCPConnection::DoDisconnected() {
  if (OnDisconnected)
    OnDisconnected(this);
}

TNsConnectionIntercept* TNsTCPConnection::GetIntercept() const {
  return io_handler_ != nullptr ? io_handler_->Intercept() : intercept_;
}

void TNsTCPConnection::SetIntercept(TNsConnectionIntercept* intercept) {
  if (intercept == intercept_)
    return;
  if (io_handler_ != nullptr && io_handler_->Intercept() != nullptr && intercept != nullptr &&
      io_handler_->Intercept() != intercept)
    throw ENsException("The IOHandler already has a different Intercept assigned");
  if (intercept_ != nullptr)
    RemoveFreeNotification(intercept_);
  if (intercept != nullptr)
    FreeNotification(intercept);
  if (io_handler_ != nullptr)
    io_handler_->SetIntercept(intercept);
  intercept_ = intercept;
}

void TNsTCPConnection::SetIOHandler(TNsIOHandler* handler) {
  if (handler == io_handler_)
    return;
  if (handler != nullptr && handler->Intercept() != nullptr && intercept_ != nullptr &&
      handler->Intercept() != intercept_)
    throw ENsException("The IOHandler already has a different Intercept assigned");
  if (io_handler_ != nullptr) {
    io_handler_->SetWorkTarget(nullptr);
    TNsIOHandler* old = io_handler_;
    const bool owned = owns_io_handler_;
    io_handler_ = nullptr;
    socket_handler_ = nullptr;
    owns_io_handler_ = false;
    if (owned)
      delete old;
    else
      RemoveFreeNotification(old);
  }
  if (handler != nullptr) {
    FreeNotification(handler);
    handler->SetWorkTarget(this);
    if (intercept_ != nullptr)
      handler->SetIntercept(intercept_);
    socket_handler_ = dynamic_cast<TNsIOHandlerSocket*>(handler);
  }
  io_handler_ = handler;
}

void TNsTCPConnection::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    if (component == intercept_)
      intercept_ = nullptr;
    if (component == io_handler_) {
      io_handler_ = nullptr;
      socket_handler_ = nullptr;
      owns_io_handler_ = false;
    }
  }
  TNsComponent::Notification(component, operation);
}

bool TNsTCPConnection::IsConnected() { return io_handler_ != nullptr && io_handler_->IsConnected(); }

void TNsTCPConnection::EndConnection(bool notify_peer) {
  // The handler is closed also when telling the peer failed; that failure
  // is reported afterwards.
  std::exception_ptr failure;
  try {
    if (notify_peer && IsConnected())
      NotifyPeerOfDisconnect();
  } catch (...) {
    failure = std::current_exception();
  }
  if (io_handler_ != nullptr && io_handler_->Opened()) {
    ReportStatus(hsDisconnecting);
    io_handler_->Close();
    DoDisconnected();
    ReportStatus(hsDisconnected);
  }
  if (failure)
    std::rethrow_exception(failure);
}

void TNsTCPConnection::CheckDisconnected(bool raise_if_disconnected) {
  if (io_handler_ != nullptr) {
    io_handler_->VerifyConnection(raise_if_disconnected, false);
    return;
  }
  if (raise_if_disconnected)
    throw ENsException("Not Connected");
}

TNsIOHandler& TNsTCPConnection::RequireIOHandler() {
  if (io_handler_ == nullptr)
    throw ENsNotConnected();
  return *io_handler_;
}

int32_t TNsTCPConnection::VerifyReplyCode(int32_t code, std::initializer_list<int32_t> allowed) {
  if (allowed.size() != 0 && std::find(allowed.begin(), allowed.end(), code) == allowed.end())
    RaiseLastReplyError();
  return code;
}

void TNsTCPConnection::VerifyReplyCodeText(const std::string& code, const std::string& allowed,
                                           std::string& result) {
  if (!allowed.empty() && !SameText(code, allowed))
    RaiseLastReplyError();
  result = code;
}

void TNsTCPConnection::ReadReply(TNsTextEncoding encoding) {
  TNsIOHandler& handler = RequireIOHandler();
  TStringList lines;
  while (true) {
    if (lines.Count() >= TNsReplyRFC::kMaximumReplyLines)
      throw ENsMaxCaptureLineExceeded();
    const std::string line = handler.ReadNonEmptyLine(0x7FFFFFFF, encoding);
    lines.Add(line);
    if (last_cmd_result_->IsLastLine(line))
      break;
  }
  last_cmd_result_->ParseReplyLines(lines);
}

int32_t TNsTCPConnection::ReadReplyChecked(std::initializer_list<int32_t> allowed, TNsTextEncoding encoding) {
  ReadReply(encoding);
  return VerifyReplyCode(last_cmd_result_->CodeNumber(), allowed);
}

std::string TNsTCPConnection::ReadReplyCheckedText(const std::string& allowed, TNsTextEncoding encoding) {
  ReadReply(encoding);
  std::string result;
  VerifyReplyCodeText(last_cmd_result_->Code(), allowed, result);
  return result;
}

void TNsTCPConnection::RaiseLastReplyError() {
  last_cmd_result_->RaiseReplyError();
  // A reply class that does not raise still ends the exchange with a failure.
  throw ENsReplyError(last_cmd_result_->Text().Text());
}

int32_t TNsTCPConnection::SendCommand(std::string command, std::initializer_list<int32_t> allowed,
                                      TNsTextEncoding encoding) {
  TNsIOHandler& handler = RequireIOHandler();
  PrepareCommand(command);
  handler.WriteLine(command, encoding);
  return ReadReplyChecked(allowed, encoding);
}
