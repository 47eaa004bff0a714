#pragma once
// TNsTCPConnection: a connection that owns or borrows an I/O handler and
// keeps two numbered replies (a greeting and the last command's result).
// All socket work is the handler's; the connection orchestrates, and
// offers command / reply exchanges for line protocols.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "net/component.h"
#include "net/reply.h"
#include "net/text_encoding.h"

class TNsConnectionIntercept;
class TNsIOHandler;
class TNsIOHandlerSocket;

class TNsTCPConnection : public TNsComponent {
 public:
  static constexpr TClass kClass{"TNsTCPConnection", &TNsComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsTCPConnection(TComponent* owner);
  ~TNsTCPConnection() override;

  TNsIOHandler* IOHandler() const { return io_handler_; }
  TNsIOHandlerSocket* Socket() const { return socket_handler_; }
  // Frees an owned handler that is replaced. Raises ENsException "The
  // IOHandler already has a different Intercept assigned" when the new
  // handler's intercept differs from the connection's.
  virtual void SetIOHandler(TNsIOHandler* handler);
  bool OwnsIOHandler() const { return owns_io_handler_; }
  void SetOwnsIOHandler(bool owns) { owns_io_handler_ = owns; }

  virtual TNsConnectionIntercept* GetIntercept() const;
  virtual void SetIntercept(TNsConnectionIntercept* intercept);

  virtual bool IsConnected();
  // Closes an open handler with status reports and OnDisconnected.
  virtual void EndConnection(bool notify_peer = true);
  void CloseConnection() { EndConnection(true); }
  virtual void CheckDisconnected(bool raise_if_disconnected);

  // Command / reply exchanges over the handler's lines.
  virtual const TClass* ReplyClass() const { return &TNsReplyRFC::kClass; }
  TNsReply& Greeting() { return *greeting_; }
  TNsReply& LastCmdResult() { return *last_cmd_result_; }
  virtual void PrepareCommand(std::string&) {}
  virtual int32_t VerifyReplyCode(int32_t code, std::initializer_list<int32_t> allowed);
  virtual void VerifyReplyCodeText(const std::string& code, const std::string& allowed, std::string& result);
  // Reads reply lines until the end line; the last command result holds it.
  virtual void ReadReply(TNsTextEncoding encoding = kNsEncodingDefault);
  virtual int32_t ReadReplyChecked(std::initializer_list<int32_t> allowed,
                                   TNsTextEncoding encoding = kNsEncodingDefault);
  virtual std::string ReadReplyCheckedText(const std::string& allowed,
                                           TNsTextEncoding encoding = kNsEncodingDefault);
  [[noreturn]] virtual void RaiseLastReplyError();
  template <class E>
  [[noreturn]] void RaiseLastReplyAs() {
    throw E(last_cmd_result_->Text().Text());
  }
  virtual int32_t SendCommand(std::string command, std::initializer_list<int32_t> allowed,
                              TNsTextEncoding encoding = kNsEncodingDefault);

  TNotifyEvent OnDisconnected;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoDisconnected();
  virtual void NotifyPeerOfDisconnect() {}
  // Raises ENsNotConnected "Not Connected" without a handler.
  TNsIOHandler& RequireIOHandler();

 private:
  std::unique_ptr<TNsReply> greeting_;
  TNsConnectionIntercept* intercept_ = nullptr;
  TNsIOHandler* io_handler_ = nullptr;
  std::unique_ptr<TNsReply> last_cmd_result_;
  bool owns_io_handler_ = false;
  TNsIOHandlerSocket* socket_handler_ = nullptr;
};
