#pragma once
// TNsSocketList: a set of at most 64 sockets for readability waits. Each
// list guards its set with its own lock; the platform stacks provide the
// kinds (Winsock socket sets, poll on POSIX).

#include <cstdint>
#include <memory>
#include <mutex>

#include "net/stack.h"

class TNsSocketList : public TObject {
 public:
  static constexpr TClass kClass{"TNsSocketList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr int32_t kMaximumSockets = 64;

  // Raises ENsStackSetSizeExceeded ("Set Size Exceeded.") for an index
  // outside 0 .. Count - 1.
  virtual TNsStackSocketHandle SocketAt(int32_t index) = 0;
  // Raises ENsStackSetSizeExceeded when the list already holds 64 sockets.
  virtual void Add(TNsStackSocketHandle socket) = 0;
  virtual std::unique_ptr<TNsSocketList> Duplicate() = 0;
  virtual int32_t Count() = 0;
  virtual void Remove(TNsStackSocketHandle socket) = 0;
  virtual void Clear() = 0;
  virtual bool Contains(TNsStackSocketHandle socket) = 0;
  // Waits up to `timeout` ms (negative: without limit) for any socket of the
  // list to become readable. A failing wait raises the socket error.
  virtual bool SelectReadable(int32_t timeout) = 0;
  // As SelectReadable; when any socket is readable, `result` (created when
  // absent) receives the readable ones.
  virtual bool SelectReadableInto(std::unique_ptr<TNsSocketList>& result, int32_t timeout) = 0;

  // Waits up to `timeout` ms (negative: without limit) until a socket of
  // `read` is readable, one of `write` writable or one of `error` failed;
  // each given list keeps only its sockets that did. Absent lists are left
  // out. True when any socket did.
  static bool SelectLists(TNsSocketList* read, TNsSocketList* write, TNsSocketList* error, int32_t timeout);

  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }
  // For std::lock_guard.
  void lock() { Lock(); }
  void unlock() { Unlock(); }

 protected:
  std::recursive_mutex lock_;
};
