// TDataSet: filters (an expression text and the OnFilterRecord handler).

#include "platform/db/data_set.h"
#include "platform/db/data_set_internal.h"
#include "platform/db/filter_expression.h"
#include "platform/db/record_store.h"
#include "platform/rtl/scope.h"

bool TDataSet::FilterActive() const { return filtered_ && (filter_expression_ != nullptr || on_filter_record_); }

bool TDataSet::RecordPassesFilter(std::byte* block) {
  TTemporaryRecord filtering(*this, block, dsFilter);
  if (has_calculated_fields_)
    CalculateFields(block);
  bool accept = true;
  if (filter_expression_ != nullptr)
    accept = filter_expression_->Matches(filter_options_);
  if (accept && on_filter_record_)
    on_filter_record_(this, accept);
  return accept;
}

void TDataSet::CompileFilter() {
  filter_expression_.reset();
  if (filter_text_.find_first_not_of(" \t\r\n") != std::string::npos)
    filter_expression_ = TFilterExpression::Parse(filter_text_, fields_);
}

void TDataSet::ApplyFilterChange() {
  if (!Active())
    return;
  CheckBrowseMode();
  if (filtered_)
    CompileFilter();
  else
    filter_expression_.reset();
  if (FilterActive())
    Records().ApplyFilter([this](std::byte* block) { return RecordPassesFilter(block); });
  else
    Records().ClearFilter();
  const int32_t count = Records().Count();
  position_ = count > 0 ? 0 : -1;
  bof_ = true;
  eof_ = count == 0;
  ReadActiveRecord();
  DataEvent(deDataSetChange, {});
}

void TDataSet::SetFilter(const std::string& text) {
  if (text == filter_text_)
    return;
  const std::string previous = filter_text_;
  filter_text_ = text;
  if (!filtered_ || !Active())
    return;
  TScopeFail restore([&] {
    filter_text_ = previous;
    CompileFilter();
  });
  ApplyFilterChange();
}

void TDataSet::SetFiltered(bool filtered) {
  if (filtered == filtered_)
    return;
  filtered_ = filtered;
  if (!Active())
    return;
  TScopeFail restore([&] {
    filtered_ = !filtered;
    if (!filtered_)
      filter_expression_.reset();
  });
  ApplyFilterChange();
}

void TDataSet::SetFilterOptions(TFilterOptions options) {
  if (options == filter_options_)
    return;
  filter_options_ = options;
  if (filtered_)
    ApplyFilterChange();
}

void TDataSet::SetOnFilterRecord(TFilterRecordEvent handler) {
  TFilterRecordEvent previous = std::move(on_filter_record_);
  on_filter_record_ = std::move(handler);
  if (!filtered_)
    return;
  TScopeFail restore([&] { on_filter_record_ = std::move(previous); });
  ApplyFilterChange();
}
