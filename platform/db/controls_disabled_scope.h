#pragma once
// TControlsDisabledScope: a dataset's controls disabled for a scope.
//
//   {
//     TControlsDisabledScope quiet(*data_set);   // DisableControls now
//     data_set->EmptyDataSet();
//     for (const std::string& path : paths)
//       AddRow(path);
//   }                                            // EnableControls: one data set changed
//
// EnableControls tells the data links and may raise from a handler; that
// exception passes on, except while another exception unwinds the scope.

#include <exception>

#include "platform/db/data_set.h"
#include "platform/rtl/scope.h"

class TControlsDisabledScope {
 public:
  explicit TControlsDisabledScope(TDataSet& data_set)
      : data_set_(data_set), exceptions_at_start_(std::uncaught_exceptions()) {
    data_set_.DisableControls();
  }
  TControlsDisabledScope(const TControlsDisabledScope&) = delete;
  TControlsDisabledScope& operator=(const TControlsDisabledScope&) = delete;
  ~TControlsDisabledScope() noexcept(false) {
    RunScopeCleanup([this] { data_set_.EnableControls(); }, exceptions_at_start_);
  }

 private:
  TDataSet& data_set_;
  int exceptions_at_start_;
};
