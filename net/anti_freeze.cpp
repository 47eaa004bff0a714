#include "net/anti_freeze.h"

#include "net/exceptions.h"
#include "net/ticks.h"
#include "platform/rtl/thread.h"

namespace {

TNsAntiFreezeBase* g_anti_freeze = nullptr;

}  // namespace

TNsAntiFreezeBase::TNsAntiFreezeBase(TComponent* owner) : TNsBaseComponent(owner) {
  if (InDesignState())
    return;
  if (g_anti_freeze != nullptr)
    throw ENsException("Only one TNsAntiFreeze can exist per application.");
  g_anti_freeze = this;
}

TNsAntiFreezeBase::~TNsAntiFreezeBase() {
  if (g_anti_freeze == this)
    g_anti_freeze = nullptr;
}

bool AntiFreezeInUse() { return g_anti_freeze != nullptr && IsMainThread() && g_anti_freeze->Active; }

void AntiFreezeTurn(bool idle, bool override_idle) {
  if (!AntiFreezeInUse())
    return;
  if (idle || !g_anti_freeze->OnlyWhenIdle || override_idle)
    g_anti_freeze->HandlePendingMessages();
}

int32_t AntiFreezeIdleTimeOut() { return g_anti_freeze != nullptr ? g_anti_freeze->IdleTimeOut : 250; }
