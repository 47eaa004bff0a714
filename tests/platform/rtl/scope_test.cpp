#include "platform/rtl/scope.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/object.h"

namespace {

using Log = std::vector<std::string>;

struct TFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Runs `body` and returns the text of the exception that left it, or "" when
// none did.
template <class Body>
std::string FailureOf(Body body) {
  try {
    body();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

TEST(ScopeExit, RunsOnNormalExitAndWhenAnExceptionLeaves) {
  Log log;
  {
    TScopeExit cleanup([&] { log.push_back("clean"); });
    log.push_back("work");
  }
  EXPECT_EQ(log, (Log{"work", "clean"}));

  log.clear();
  EXPECT_EQ(FailureOf([&] {
              TScopeExit cleanup([&] { log.push_back("clean"); });
              throw TFailure("work failed");
            }),
            "work failed");
  EXPECT_EQ(log, Log{"clean"});
}

TEST(ScopeExit, DismissedDoesNotRun) {
  int runs = 0;
  {
    TScopeExit cleanup([&] { ++runs; });
    cleanup.Dismiss();
  }
  EXPECT_EQ(runs, 0);
}

TEST(ScopeExit, ItsOwnExceptionPassesOnAfterNormalWork) {
  EXPECT_EQ(FailureOf([] { TScopeExit cleanup([] { throw TFailure("cleanup failed"); }); }), "cleanup failed");
}

TEST(ScopeExit, TheWorksExceptionWinsOverTheCleanups) {
  EXPECT_EQ(FailureOf([] {
              TScopeExit cleanup([] { throw TFailure("cleanup failed"); });
              throw TFailure("work failed");
            }),
            "work failed");
}

// A scope entered while another exception unwinds (in a destructor that
// runs during the unwinding) still passes its clean-up's exception to the
// code that catches inside that destructor.
TEST(ScopeExit, EnteredDuringUnwindingPassesItsOwnExceptionOn) {
  std::string caught_inside;
  struct TUnwinder {
    std::string& caught;
    ~TUnwinder() {
      try {
        TScopeExit cleanup([] { throw TFailure("inner cleanup"); });
      } catch (const TFailure& error) {
        caught = error.what();
      }
    }
  };
  EXPECT_EQ(FailureOf([&] {
              TUnwinder unwinder{caught_inside};
              throw TFailure("outer");
            }),
            "outer");
  EXPECT_EQ(caught_inside, "inner cleanup");
}

TEST(ScopeFail, RollsBackOnlyWhenAnExceptionLeaves) {
  int value = 1;
  {
    value = 2;
    TScopeFail undo([&] { value = 1; });
  }
  EXPECT_EQ(value, 2);

  EXPECT_EQ(FailureOf([&] {
              value = 3;
              TScopeFail undo([&] { value = 2; });
              throw TFailure("work failed");
            }),
            "work failed");
  EXPECT_EQ(value, 2);
}

TEST(ScopeFail, ARollbackThatFailsDoesNotReplaceTheCause) {
  EXPECT_EQ(FailureOf([] {
              TScopeFail undo([] { throw TFailure("rollback failed"); });
              throw TFailure("work failed");
            }),
            "work failed");
}

TEST(StateScope, SetsForTheScopeAndRestoresThePreviousValue) {
  bool busy = false;
  {
    TStateScope outer(busy, true);
    EXPECT_TRUE(busy);
    {
      TStateScope inner(busy, true);
      EXPECT_TRUE(busy);
    }
    // The inner scope gives back what the outer one set, not false.
    EXPECT_TRUE(busy);
  }
  EXPECT_FALSE(busy);

  int level = 7;
  EXPECT_EQ(FailureOf([&] {
              TStateScope raised(level, 9);
              EXPECT_EQ(level, 9);
              throw TFailure("work failed");
            }),
            "work failed");
  EXPECT_EQ(level, 7);
}

TEST(StateScope, TakesAValueOfAnotherTypeForAPointer) {
  int target = 0;
  int* current = &target;
  {
    TStateScope cleared(current, nullptr);
    EXPECT_EQ(current, nullptr);
  }
  EXPECT_EQ(current, &target);
}

TEST(FlagScope, IncludesForTheScopeAndLeavesAMemberThatWasThere) {
  TComponentState state;
  {
    TFlagScope writing(state, csWriting);
    EXPECT_TRUE(state.Contains(csWriting));
  }
  EXPECT_FALSE(state.Contains(csWriting));

  state.Include(csLoading);
  {
    TFlagScope loading(state, csLoading);
    EXPECT_TRUE(state.Contains(csLoading));
  }
  EXPECT_TRUE(state.Contains(csLoading)) << "a member set before the scope stays set";

  EXPECT_EQ(FailureOf([&] {
              TFlagScope reading(state, csReading);
              throw TFailure("read failed");
            }),
            "read failed");
  EXPECT_FALSE(state.Contains(csReading));
  EXPECT_TRUE(state.Contains(csLoading));
}

// An object with an update bracket whose closing fires a change that may
// fail, as a list's OnChange may.
struct TBracketed {
  int begins = 0;
  int ends = 0;
  bool fail_on_end = false;
  void BeginUpdate() { ++begins; }
  void EndUpdate() {
    ++ends;
    if (fail_on_end)
      throw TFailure("change handler failed");
  }
};

TEST(UpdateScope, ClosesTheBracketOnEveryPath) {
  TBracketed target;
  {
    TUpdateScope update(target);
    EXPECT_EQ(target.begins, 1);
    EXPECT_EQ(target.ends, 0);
  }
  EXPECT_EQ(target.ends, 1);

  EXPECT_EQ(FailureOf([&] {
              TUpdateScope update(target);
              throw TFailure("work failed");
            }),
            "work failed");
  EXPECT_EQ(target.ends, 2);
}

TEST(UpdateScope, AFailingEndPassesOnUnlessAnotherExceptionUnwinds) {
  TBracketed target;
  target.fail_on_end = true;
  EXPECT_EQ(FailureOf([&] { TUpdateScope update(target); }), "change handler failed");
  EXPECT_EQ(FailureOf([&] {
              TUpdateScope update(target);
              throw TFailure("work failed");
            }),
            "work failed");
  EXPECT_EQ(target.ends, 2);
}

}  // namespace
