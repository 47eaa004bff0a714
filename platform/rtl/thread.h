#pragma once
// Threads and locks: TCriticalSection (a recursive lock, as the system's
// critical sections are), TThread (a worker whose Execute runs on its own
// thread), calls handed to the main thread, tick counts and sleeping.
//
// The portable sleep is TThread::Sleep; no global Sleep is defined, so that
// the system's own stays the one in files that include windows.h.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/rtl/object.h"

class TCriticalSection : public TObject {
 public:
  static constexpr TClass kClass{"TCriticalSection", &TObject::kClass, &ConstructInstance<TCriticalSection>};
  const TClass* ClassType() const override { return &kClass; }

  void Acquire() { mutex_.lock(); }
  void Release() { mutex_.unlock(); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return mutex_.try_lock(); }

  // For std::lock_guard and std::unique_lock.
  void lock() { Acquire(); }
  void unlock() { Release(); }

 private:
  std::recursive_mutex mutex_;
};

class TThread : public TObject {
 public:
  static constexpr TClass kClass{"TThread", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // A thread object is built suspended: Execute must not run before the
  // derived constructor has finished. Start runs it.
  TThread() = default;
  // A thread that is still running is asked to terminate and waited for.
  // A derived class whose Execute uses its own members calls
  // TerminateAndWait first in its destructor.
  ~TThread() override;

  void Start();
  bool Started() const { return started_; }
  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  bool Finished() const { return finished_.load(); }
  // Waits for Execute to end and returns ReturnValue. On the main thread,
  // calls that the thread hands over (Synchronize, OnTerminate) run while
  // waiting. Not for a thread that frees itself.
  int32_t WaitFor();
  void TerminateAndWait();

  // Frees the object once Execute and OnTerminate are done; whoever built
  // it must not touch it after Start.
  bool FreeOnTerminate() const { return free_on_terminate_; }
  void SetFreeOnTerminate(bool free) { free_on_terminate_ = free; }
  int32_t ReturnValue() const { return return_value_; }
  uint32_t ThreadID() const { return thread_id_.load(); }
  // An exception that escaped Execute, or null.
  std::exception_ptr FatalException() const { return fatal_exception_; }

  // Runs on the main thread after Execute (through Synchronize).
  TNotifyEvent OnTerminate;

  // Runs `call` on the main thread and waits for it; on the main thread it
  // runs at once. Exceptions of the call pass to the caller.
  static void Synchronize(const std::function<void()>& call);
  // Hands `call` to the main thread without waiting.
  static void Queue(std::function<void()> call);

  static void Sleep(uint32_t milliseconds);
  // Milliseconds of a steady clock; the 32-bit count wraps after 49.7 days.
  static uint32_t GetTickCount();
  static uint64_t GetTickCount64();
  static uint32_t CurrentThreadId();

 protected:
  virtual void Execute() = 0;
  void SetReturnValue(int32_t value) { return_value_ = value; }

 private:
  void Run();

  std::thread thread_;
  std::mutex start_mutex_;
  bool started_ = false;
  bool joined_ = false;
  bool free_on_terminate_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<uint32_t> thread_id_{0};
  int32_t return_value_ = 0;
  std::exception_ptr fatal_exception_;
};

// The id of the thread that started the program.
uint32_t MainThreadID();
bool IsMainThread();
// Run on the main thread: executes the calls handed over by other threads,
// waiting up to `timeout_ms` for the first. True when any ran.
bool CheckSynchronize(uint32_t timeout_ms = 0);
// Called whenever a call is handed to the main thread, so that a message
// loop can wake up and call CheckSynchronize. Empty by default.
void SetWakeMainThread(std::function<void()> wake);
