#pragma once
// The base chain of every component of the socket transport (client, I/O
// handlers, intercepts, proxies): construction with the platform's owner
// model, the process-wide socket stack held for the component's lifetime,
// status reports as formatted English texts, and work (bytes read or
// written) reported as begin / progress / end events. Initialisation that
// the classes extend step by step is done by their constructors, base
// first.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "net/stack_reference.h"
#include "platform/rtl/component.h"
#include "platform/rtl/format.h"

enum TNsStatus : uint8_t {
  hsResolving,
  hsConnecting,
  hsConnected,
  hsDisconnecting,
  hsDisconnected,
  hsStatusText,
  ftpTransfer,
  ftpReady,
  ftpAborted,
};

enum TWorkMode : uint8_t { wmRead, wmWrite };

using TNsStatusEvent = std::function<void(TObject* sender, TNsStatus status, const std::string& status_text)>;
using TWorkBeginEvent = std::function<void(TObject* sender, TWorkMode work_mode, int64_t work_count_max)>;
using TWorkEvent = std::function<void(TObject* sender, TWorkMode work_mode, int64_t work_count)>;
using TWorkEndEvent = std::function<void(TObject* sender, TWorkMode work_mode)>;

// The format of a status's text ("Connecting to %s." ...).
const char* StatusTextFormat(TNsStatus status);

class TNsInitializerComponent : public TComponent {
 public:
  static constexpr TClass kClass{"TNsInitializerComponent", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsInitializerComponent(TComponent* owner) : TComponent(owner) {}
  bool InDesignState() const { return ComponentState().Contains(csDesigning); }
};

class TNsBaseComponent : public TNsInitializerComponent {
 public:
  static constexpr TClass kClass{"TNsBaseComponent", &TNsInitializerComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsBaseComponent(TComponent* owner) : TNsInitializerComponent(owner) {}
};

class TNsComponent : public TNsBaseComponent {
 public:
  static constexpr TClass kClass{"TNsComponent", &TNsBaseComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Acquires the socket stack; raises when it cannot be created.
  explicit TNsComponent(TComponent* owner) : TNsBaseComponent(owner) {}

  // Fires OnStatus (through DoStatus) with the status's text formatted
  // with `args` (one empty text when there are none).
  void ReportStatus(TNsStatus status, std::initializer_list<TFormatArg> args = {});

  // Work reports; with a work target they go to the target instead.
  // Nested begin / end pairs report the outermost pair only, and progress
  // outside any pair reports nothing.
  virtual void StartWork(TWorkMode mode, int64_t count_max);
  virtual void AddWork(TWorkMode mode, int64_t count);
  virtual void FinishWork(TWorkMode mode);

  TNsComponent* WorkTarget() const { return work_target_.Get(); }
  void SetWorkTarget(TNsComponent* target) { work_target_ = TWeakRef<TNsComponent>(target); }

  TNsStatusEvent OnStatus;
  TWorkEvent OnWork;
  TWorkBeginEvent OnWorkBegin;
  TWorkEndEvent OnWorkEnd;

 protected:
  // Each fires its event when one is assigned.
  virtual void DoStatus(TNsStatus status, const std::string& status_text);
  virtual void DoWorkBegin(TWorkMode mode, int64_t count_max);
  virtual void DoWork(TWorkMode mode, int64_t count);
  virtual void DoWorkEnd(TWorkMode mode);

 private:
  struct WorkState {
    int64_t count = 0;
    int64_t count_max = 0;
    int32_t level = 0;
  };

  TNsStackReference stack_;
  WorkState work_[2];
  TWeakRef<TNsComponent> work_target_;
};
