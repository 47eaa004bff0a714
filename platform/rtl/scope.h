#pragma once
// Scopes that undo or finish something however a block is left: the one
// way to write a "finally" in this code. A clean-up that may throw (one that
// fires events) passes its exception on, except while another exception is
// already unwinding the scope: that one is the exception to report.
//
//   TScopeExit release_dc([&] { ReleaseDC(window, dc); });   // always
//   TScopeFail undo([&] { showing_ = !show; });              // on failure only
//   TStateScope reloading(reloading_, true);                 // value for the scope
//   TFlagScope painting(ControlState(), csCustomPaint);      // set member for the scope

#include <exception>
#include <type_traits>
#include <utility>

// Runs `cleanup` at the end of a scope entered while `exceptions_at_start`
// exceptions were in flight (std::uncaught_exceptions() then).
template <class Cleanup>
void RunScopeCleanup(Cleanup&& cleanup, int exceptions_at_start) {
  if (std::uncaught_exceptions() == exceptions_at_start) {
    cleanup();
    return;
  }
  try {
    cleanup();
  } catch (...) {
    // The exception already unwinding is the one to report.
  }
}

// Runs a clean-up when the scope ends, on every path out of it. Dismiss
// drops the clean-up (the work it would undo has been handed on).
template <class Cleanup>
class TScopeExit {
 public:
  explicit TScopeExit(Cleanup cleanup)
      : cleanup_(std::move(cleanup)), exceptions_at_start_(std::uncaught_exceptions()) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  ~TScopeExit() noexcept(false) {
    if (armed_)
      RunScopeCleanup(cleanup_, exceptions_at_start_);
  }

  void Dismiss() { armed_ = false; }

 private:
  Cleanup cleanup_;
  int exceptions_at_start_;
  bool armed_ = true;
};

// Runs a roll-back only when an exception leaves the scope: the work done
// so far is undone, a normal exit keeps it. The roll-back's own exception
// never replaces the one that caused it.
template <class Rollback>
class TScopeFail {
 public:
  explicit TScopeFail(Rollback rollback)
      : rollback_(std::move(rollback)), exceptions_at_start_(std::uncaught_exceptions()) {}
  TScopeFail(const TScopeFail&) = delete;
  TScopeFail& operator=(const TScopeFail&) = delete;
  ~TScopeFail() {
    if (std::uncaught_exceptions() != exceptions_at_start_)
      RunScopeCleanup(rollback_, exceptions_at_start_);
  }

 private:
  Rollback rollback_;
  int exceptions_at_start_;
};

// Gives a variable a value for the scope and puts the previous value back
// at its end, so that nested scopes restore what the outer one set.
template <class T>
class TStateScope {
 public:
  TStateScope(T& variable, std::type_identity_t<T> value) : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}
  TStateScope(const TStateScope&) = delete;
  TStateScope& operator=(const TStateScope&) = delete;
  ~TStateScope() { variable_ = std::move(saved_); }

 private:
  T& variable_;
  T saved_;
};

// Includes a member in a set (any type with Contains, Include and Exclude,
// such as a control's or a component's state) for the scope. At the end it
// leaves the set again only if it was not in the set before.
template <class Set, class Member>
class TFlagScope {
 public:
  TFlagScope(Set& set, Member member) : set_(set), member_(member), was_in_set_(set.Contains(member)) {
    set_.Include(member_);
  }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;
  ~TFlagScope() {
    if (!was_in_set_)
      set_.Exclude(member_);
  }

 private:
  Set& set_;
  Member member_;
  bool was_in_set_;
};
