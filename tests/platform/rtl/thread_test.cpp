#include "platform/rtl/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

// Polls `done` (running the main thread's synchronized calls in between)
// until it holds or a bound far beyond any healthy run has passed, so that
// a thread that never gets there fails the test instead of hanging it.
bool WaitUntil(const std::function<bool()>& done) {
  constexpr uint64_t kBoundMs = 30000;
  const uint64_t start = TThread::GetTickCount64();
  while (!done()) {
    if (TThread::GetTickCount64() - start > kBoundMs)
      return false;
    CheckSynchronize(1);
  }
  return true;
}

// Counts until told to stop; reports through Synchronize on the way.
class TCounter : public TThread {
 public:
  ~TCounter() override { TerminateAndWait(); }
  std::atomic<int> rounds{0};
  std::vector<uint32_t> synchronized_on;

 protected:
  void Execute() override {
    Synchronize([this] { synchronized_on.push_back(CurrentThreadId()); });
    while (!Terminated()) {
      ++rounds;
      Sleep(1);
    }
    SetReturnValue(rounds.load() > 0 ? 7 : 0);
  }
};

class TFailing : public TThread {
 protected:
  void Execute() override { throw std::runtime_error("boom"); }
};

class TSelfFreeing : public TThread {
 public:
  explicit TSelfFreeing(std::atomic<bool>* freed) : freed_(freed) { SetFreeOnTerminate(true); }
  ~TSelfFreeing() override { freed_->store(true); }

 protected:
  void Execute() override {}

 private:
  std::atomic<bool>* freed_;
};

TEST(ThreadTest, RunsSuspendedUntilStartedAndStopsOnTerminate) {
  TCounter counter;
  EXPECT_FALSE(counter.Started());
  TThread::Sleep(5);
  EXPECT_EQ(counter.rounds.load(), 0);
  counter.Start();
  EXPECT_THROW(counter.Start(), EInvalidOperation);
  ASSERT_TRUE(WaitUntil([&] { return counter.rounds.load() >= 3; }));
  counter.Terminate();
  EXPECT_EQ(counter.WaitFor(), 7);
  EXPECT_TRUE(counter.Finished());
  EXPECT_NE(counter.ThreadID(), MainThreadID());
  // The synchronized call ran on the main thread.
  EXPECT_EQ(counter.synchronized_on, std::vector<uint32_t>{MainThreadID()});
}

TEST(ThreadTest, OnTerminateRunsOnTheMainThreadWhileWaiting) {
  TFailing failing;
  uint32_t terminated_on = 0;
  TObject* sender = nullptr;
  failing.OnTerminate = [&](TObject* s) {
    sender = s;
    terminated_on = TThread::CurrentThreadId();
  };
  failing.Start();
  failing.WaitFor();
  EXPECT_EQ(sender, &failing);
  EXPECT_EQ(terminated_on, MainThreadID());
  ASSERT_TRUE(failing.FatalException());
  EXPECT_THROW(std::rethrow_exception(failing.FatalException()), std::runtime_error);
}

TEST(ThreadTest, FreeOnTerminateDeletesTheThreadObject) {
  std::atomic<bool> freed{false};
  auto* thread = new TSelfFreeing(&freed);
  thread->Start();
  EXPECT_TRUE(WaitUntil([&] { return freed.load(); })) << "the thread object was never freed";
}

TEST(ThreadTest, SynchronizeOnTheMainThreadRunsAtOnceAndPassesExceptions) {
  int calls = 0;
  TThread::Synchronize([&] { ++calls; });
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(IsMainThread());
  EXPECT_THROW(TThread::Synchronize([] { throw std::runtime_error("x"); }), std::runtime_error);
  TThread::Queue([&] { ++calls; });
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(CheckSynchronize());
}

TEST(ThreadTest, CriticalSectionIsRecursiveAndExcludesOthers) {
  TCriticalSection lock;
  lock.Enter();
  EXPECT_TRUE(lock.TryEnter());  // the same thread may enter again
  lock.Leave();
  std::atomic<bool> other_entered{true};
  std::thread other([&] { other_entered = lock.TryEnter(); });
  other.join();
  EXPECT_FALSE(other_entered.load());
  lock.Leave();

  int total = 0;
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t)
    workers.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) {
        std::lock_guard guard(lock);
        ++total;
      }
    });
  for (auto& worker : workers)
    worker.join();
  EXPECT_EQ(total, 4000);
}

TEST(ThreadTest, TickCountsDoNotRunBackwards) {
  const uint64_t first = TThread::GetTickCount64();
  TThread::Sleep(2);
  EXPECT_GE(TThread::GetTickCount64(), first);
}

}  // namespace
