#pragma once
// TNsIOHandlerStack: the socket I/O handler used everywhere (the default
// handler class). It receives, sends and waits on its socket handle,
// notices a peer that closed, resolves the peer's name and connects:
// blocking, or with a connect time-out through a worker thread that is
// polled in 125 ms steps.

#include <cstdint>

#include "net/io_handler_socket.h"

class TNsIOHandlerStack : public TNsIOHandlerSocket {
 public:
  static constexpr TClass kClass{"TNsIOHandlerStack", &TNsIOHandlerSocket::kClass,
                                 &ConstructInstance<TNsIOHandlerStack>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsIOHandlerStack(TComponent* owner) : TNsIOHandlerSocket(owner) {}

  bool WaitReadable(int32_t timeout) override;
  // Polls the socket without waiting first, so that a peer that closed is
  // noticed.
  bool IsConnected() override;
  void VerifyConnection(bool raise_if_disconnected, bool ignore_buffer) override;

 protected:
  int32_t ReceiveFromSource(TNsBytes& bytes) override;
  int32_t SendToTarget(const TNsBytes& bytes, int32_t offset, int32_t count) override;
  void ConnectToPeer() override;

 private:
  // Connects in a worker thread and gives up after `timeout` ms
  // (kNsInfiniteWait: waits until the worker ends), raising
  // ENsConnectTimeout with the socket closed.
  void ConnectWithTimeout(int32_t timeout);
};
