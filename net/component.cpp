#include "net/component.h"

#include "net/text_routines.h"

const char* StatusTextFormat(TNsStatus status) {
  switch (status) {
    case hsResolving: return "Resolving hostname %s.";
    case hsConnecting: return "Connecting to %s.";
    case hsConnected: return "Connected.";
    case hsDisconnecting: return "Disconnecting.";
    case hsDisconnected: return "Disconnected.";
    case hsStatusText:
    case ftpTransfer:
    case ftpReady:
    case ftpAborted: return "%s";
  }
  return "%s";
}

void TNsComponent::ReportStatus(TNsStatus status, std::initializer_list<TFormatArg> args) {
  const std::string text =
      args.size() == 0 ? FormatEnglish(StatusTextFormat(status), {""}) : FormatEnglish(StatusTextFormat(status), args);
  DoStatus(status, text);
}

void TNsComponent::DoStatus(TNsStatus status, const std::string& status_text) {
  if (OnStatus)
    OnStatus(this, status, status_text);
}

void TNsComponent::DoWorkBegin(TWorkMode mode, int64_t count_max) {
  if (OnWorkBegin)
    OnWorkBegin(this, mode, count_max);
}

void TNsComponent::DoWork(TWorkMode mode, int64_t count) {
  if (OnWork)
    OnWork(this, mode, count);
}

void TNsComponent::DoWorkEnd(TWorkMode mode) {
  if (OnWorkEnd)
    OnWorkEnd(this, mode);
}

void TNsComponent::StartWork(TWorkMode mode, int64_t count_max) {
  if (TNsComponent* target = WorkTarget()) {
    target->StartWork(mode, count_max);
    return;
  }
  WorkState& state = work_[mode];
  if (++state.level != 1)
    return;
  state.count_max = count_max;
  state.count = 0;
  DoWorkBegin(mode, count_max);
}

void TNsComponent::AddWork(TWorkMode mode, int64_t count) {
  if (TNsComponent* target = WorkTarget()) {
    target->AddWork(mode, count);
    return;
  }
  WorkState& state = work_[mode];
  if (state.level < 1)
    return;
  state.count += count;
  DoWork(mode, state.count);
}

void TNsComponent::FinishWork(TWorkMode mode) {
  if (TNsComponent* target = WorkTarget()) {
    target->FinishWork(mode);
    return;
  }
  WorkState& state = work_[mode];
  if (state.level == 1)
    DoWorkEnd(mode);
  if (state.level > 0)
    --state.level;
}
