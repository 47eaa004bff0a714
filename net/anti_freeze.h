#pragma once
// The anti-freeze hook: when one anti-freeze component exists and is
// active, blocking waits of the transport on the main thread give it turns
// so that a user interface can handle its messages meanwhile. This program
// creates none, so every turn does nothing here.

#include <cstdint>

#include "net/component.h"

class TNsAntiFreezeBase : public TNsBaseComponent {
 public:
  static constexpr TClass kClass{"TNsAntiFreezeBase", &TNsBaseComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Registers this instance (outside design time); raises ENsException
  // "Only one TNsAntiFreeze can exist per application." when one exists.
  explicit TNsAntiFreezeBase(TComponent* owner);
  ~TNsAntiFreezeBase() override;

  // Lets the user interface handle its pending messages.
  virtual void HandlePendingMessages() = 0;

  bool Active = true;
  bool ApplicationHasPriority = true;
  int32_t IdleTimeOut = 250;
  bool OnlyWhenIdle = true;
};

// An instance is registered, this is the main thread and it is active.
bool AntiFreezeInUse();
// Gives the instance a turn when in use and (idle, or it does not wait for
// idle turns, or `override_idle`).
void AntiFreezeTurn(bool idle, bool override_idle = false);
// The registered instance's wait step (only meaningful while in use).
int32_t AntiFreezeIdleTimeOut();
