#include "platform/rtl/thread.h"

#include <chrono>
#include <deque>
#include <memory>

namespace {

// Recorded while static objects are built, which happens on the thread that
// starts the program.
const uint32_t kMainThreadId = TThread::CurrentThreadId();

struct PendingCall {
  std::function<void()> call;
  bool done = false;
  std::exception_ptr error;
};

class MainThreadQueue {
 public:
  void Push(std::shared_ptr<PendingCall> call) {
    std::function<void()> wake;
    {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
      wake = wake_;
    }
    arrived_.notify_all();
    if (wake)
      wake();
  }

  void WaitDone(const std::shared_ptr<PendingCall>& call) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return call->done; });
  }

  bool RunPending(uint32_t timeout_ms) {
    std::deque<std::shared_ptr<PendingCall>> calls;
    {
      std::unique_lock lock(mutex_);
      arrived_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return !calls_.empty(); });
      calls.swap(calls_);
    }
    for (auto& pending : calls) {
      try {
        pending->call();
      } catch (...) {
        pending->error = std::current_exception();
      }
      std::lock_guard lock(mutex_);
      pending->done = true;
    }
    done_.notify_all();
    return !calls.empty();
  }

  void SetWake(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::condition_variable done_;
  std::deque<std::shared_ptr<PendingCall>> calls_;
  std::function<void()> wake_;
};

MainThreadQueue& MainQueue() {
  static MainThreadQueue queue;
  return queue;
}

}  // namespace

uint32_t MainThreadID() { return kMainThreadId; }

bool IsMainThread() { return TThread::CurrentThreadId() == kMainThreadId; }

bool CheckSynchronize(uint32_t timeout_ms) {
  if (!IsMainThread())
    return false;
  return MainQueue().RunPending(timeout_ms);
}

void SetWakeMainThread(std::function<void()> wake) { MainQueue().SetWake(std::move(wake)); }

TThread::~TThread() {
  if (started_ && !joined_ && !free_on_terminate_)
    TerminateAndWait();
}

void TThread::Start() {
  std::lock_guard lock(start_mutex_);
  if (started_)
    throw EInvalidOperation("Cannot call Start on a running or suspended thread");
  started_ = true;
  thread_ = std::thread([this] { Run(); });
}

void TThread::Run() {
  {
    // Waits until Start has stored the thread object.
    std::lock_guard lock(start_mutex_);
  }
  thread_id_.store(CurrentThreadId());
  try {
    Execute();
  } catch (...) {
    fatal_exception_ = std::current_exception();
  }
  if (OnTerminate) {
    try {
      Synchronize([this] { OnTerminate(this); });
    } catch (...) {
      if (!fatal_exception_)
        fatal_exception_ = std::current_exception();
    }
  }
  if (free_on_terminate_) {
    thread_.detach();
    delete this;
    return;
  }
  finished_.store(true);
}

int32_t TThread::WaitFor() {
  if (!started_ || joined_)
    return return_value_;
  if (free_on_terminate_)
    throw EInvalidOperation("Cannot wait for a thread that frees itself");
  if (thread_.get_id() == std::this_thread::get_id())
    throw EInvalidOperation("A thread cannot wait for itself");
  if (IsMainThread()) {
    while (!finished_.load())
      CheckSynchronize(5);
  }
  thread_.join();
  joined_ = true;
  return return_value_;
}

void TThread::TerminateAndWait() {
  Terminate();
  WaitFor();
}

void TThread::Synchronize(const std::function<void()>& call) {
  if (IsMainThread()) {
    call();
    return;
  }
  auto pending = std::make_shared<PendingCall>();
  pending->call = call;
  MainQueue().Push(pending);
  MainQueue().WaitDone(pending);
  if (pending->error)
    std::rethrow_exception(pending->error);
}

void TThread::Queue(std::function<void()> call) {
  auto pending = std::make_shared<PendingCall>();
  pending->call = std::move(call);
  MainQueue().Push(std::move(pending));
}

void TThread::Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

uint64_t TThread::GetTickCount64() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t TThread::GetTickCount() { return static_cast<uint32_t>(GetTickCount64()); }
