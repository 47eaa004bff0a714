#pragma once
// Helpers shared by the dataset's source files.

#include "platform/db/data_set.h"

// Lets fields read another record, in another state (calculating fields,
// filtering, searching), for the guard's lifetime; the state is set without
// telling anyone, and everything is restored on leaving, also on failure.
class TTemporaryRecord {
 public:
  TTemporaryRecord(TDataSet& dataset, const std::byte* block, TDataSetState state)
      : dataset_(dataset),
        saved_block_(dataset.active_block_),
        saved_display_(dataset.active_display_),
        saved_state_(dataset.state_) {
    dataset.active_block_ = block;
    dataset.state_ = state;
  }
  ~TTemporaryRecord() {
    dataset_.active_block_ = saved_block_;
    dataset_.active_display_ = saved_display_;
    dataset_.state_ = saved_state_;
  }
  TTemporaryRecord(const TTemporaryRecord&) = delete;
  TTemporaryRecord& operator=(const TTemporaryRecord&) = delete;

 private:
  TDataSet& dataset_;
  const std::byte* saved_block_;
  int32_t saved_display_;
  TDataSetState saved_state_;
};

// Splits "A;B" into trimmed names; empty parts are dropped.
std::vector<std::string_view> SplitFieldNames(std::string_view names);
