#pragma once
// TlxSizeGrip: the corner where a TlxControl's two scroll bars meet,
// filled with the painter's size-grip area colour. Included only from
// Windows sources.

#include <memory>

#include "platform/toolkit/win_control.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

class TlxSizeGrip : public TCustomControl {
 public:
  static constexpr TClass kClass{"TlxSizeGrip", &TCustomControl::kClass, &ConstructInstance<TlxSizeGrip>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxSizeGrip(TComponent* owner);
  ~TlxSizeGrip() override;

  TlxLookAndFeel& LookAndFeel() { return *look_and_feel_; }

 protected:
  void Paint() override;
  void WMEraseBkgnd(TMessage& message) override { message.Result = 1; }

 private:
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
};
