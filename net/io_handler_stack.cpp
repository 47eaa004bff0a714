#include "net/io_handler_stack.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "net/anti_freeze.h"
#include "net/exceptions.h"
#include "net/stack.h"
#include "net/ticks.h"
#include "net/transparent_proxy.h"

namespace {

constexpr int32_t kConnectPollStep = 125;
constexpr int32_t kAntiFreezeConnectTimeout = 120000;

// One connect attempt in a worker thread. The binding is not owned: the
// handler outlives the worker, because ConnectWithTimeout always joins it.
class TNsConnectThread {
 public:
  explicit TNsConnectThread(TNsSocketHandle& binding)
      : binding_(binding), thread_([this] { Execute(); }) {}
  ~TNsConnectThread() {
    if (thread_.joinable())
      thread_.join();
  }
  TNsConnectThread(const TNsConnectThread&) = delete;
  TNsConnectThread& operator=(const TNsConnectThread&) = delete;

  bool Finished() const { return finished_.load(std::memory_order_acquire); }
  void WaitFor() {
    if (thread_.joinable())
      thread_.join();
  }
  // Valid once the thread was waited for.
  int32_t LastSocketError() const { return last_socket_error_; }
  const std::string& ExceptionMessage() const { return exception_message_; }

 private:
  void Execute() {
    try {
      binding_.Connect();
    } catch (const ENsSocketError& error) {
      // 10009 and 10038: the socket was closed under the connect after the
      // caller gave up on it; that is the expected end, not a failure.
      if (error.LastError() != kWsaEBadF && error.LastError() != kWsaENotSock) {
        exception_message_ = error.Message();
        last_socket_error_ = error.LastError();
      }
    } catch (const Exception& error) {
      exception_message_ = error.Message();
    } catch (const std::exception& error) {
      exception_message_ = error.what();
    }
    finished_.store(true, std::memory_order_release);
  }

  TNsSocketHandle& binding_;
  int32_t last_socket_error_ = 0;
  std::string exception_message_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

}  // namespace

int32_t TNsIOHandlerStack::ReceiveFromSource(TNsBytes& bytes) { return Binding()->ReceiveInto(bytes); }

int32_t TNsIOHandlerStack::SendToTarget(const TNsBytes& bytes, int32_t offset, int32_t count) {
  return Binding()->Send(bytes, offset, count);
}

bool TNsIOHandlerStack::WaitReadable(int32_t timeout) {
  if (Binding() == nullptr)
    throw ENsConnClosedGracefully();
  return Binding()->WaitReadable(timeout);
}

bool TNsIOHandlerStack::IsConnected() {
  FillInputBuffer(false, 0, false);
  return TNsIOHandlerSocket::IsConnected();
}

void TNsIOHandlerStack::VerifyConnection(bool raise_if_disconnected, bool ignore_buffer) {
  bool lost;
  if (ClosedGracefully()) {
    if (IsSourceAvailable()) {
      Close();
      ReportStatus(hsDisconnected);
    }
    lost = true;
  } else {
    lost = !IsSourceAvailable();
  }
  if (lost && (IsInputBufferEmpty() || ignore_buffer) && raise_if_disconnected)
    throw ENsConnClosedGracefully();
}

void TNsIOHandlerStack::ConnectToPeer() {
  TNsIOHandlerSocket::ConnectToPeer();

  TNsCustomTransparentProxy* proxy = ActiveProxy();
  const std::string target_host = proxy != nullptr ? proxy->Host() : Host();
  const TNsIPVersion target_version = proxy != nullptr ? proxy->IPVersion() : IPVersion();
  const int32_t target_port = proxy != nullptr ? proxy->Port() : Port();

  std::string address;
  if (target_version == Id_IPv6) {
    address = CanonicalIPv6(target_host);
    if (address.empty()) {
      ReportStatus(hsResolving, {target_host});
      address = ResolveAddressText(target_host, Id_IPv6);
    }
  } else if (IsIPv4Text(target_host)) {
    address = target_host;
  } else {
    ReportStatus(hsResolving, {target_host});
    address = ResolveAddressText(target_host, target_version);
  }
  if (target_port < 0 || target_port > 0xFFFF)
    throw ENsException("Port out of range");
  Binding()->AssignPeer(address, static_cast<uint16_t>(target_port), target_version);
  ReportStatus(hsConnecting, {address});

  if (ConnectTimeout() != 0)
    ConnectWithTimeout(ConnectTimeout() < 0 ? kNsInfiniteWait : ConnectTimeout());
  else if (AntiFreezeInUse())
    ConnectWithTimeout(kAntiFreezeConnectTimeout);
  else
    Binding()->Connect();

  if (proxy != nullptr)
    proxy->OpenThroughProxy(*this, Host(), static_cast<uint16_t>(Port()), IPVersion());
}

void TNsIOHandlerStack::ConnectWithTimeout(int32_t timeout) {
  TNsConnectThread worker(*Binding());
  const bool unlimited = timeout < 0;
  int32_t step = kConnectPollStep;
  if (AntiFreezeInUse())
    step = std::min(AntiFreezeIdleTimeOut(), kConnectPollStep);
  int32_t remaining = unlimited ? step + 1 : timeout;
  while (step < remaining) {
    if (worker.Finished()) {
      remaining = 0;
      break;
    }
    SleepMs(static_cast<uint32_t>(step));
    if (!unlimited)
      remaining -= step;
    AntiFreezeTurn(true);
  }
  if (remaining > 0 && !worker.Finished())
    SleepMs(static_cast<uint32_t>(remaining));
  if (!worker.Finished()) {
    // Closing the socket makes the blocked connect fail, so the worker ends.
    Close();
    worker.WaitFor();
    throw ENsConnectTimeout();
  }
  worker.WaitFor();
  if (!worker.ExceptionMessage().empty()) {
    if (worker.LastSocketError() != 0)
      throw ENsSocketError(worker.LastSocketError(), worker.ExceptionMessage());
    throw ENsConnectException(worker.ExceptionMessage());
  }
}
