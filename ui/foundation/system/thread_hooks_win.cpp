#include "ui/foundation/system/thread_hooks_win.h"

#include <cstdint>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/system_error.h"

void lxSetThreadHook(HHOOK& hook, int kind, HOOKPROC procedure) {
  HHOOK installed = SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId());
  if (installed == nullptr) {
    const int32_t code = LastSystemError();
    throw EOSError(static_cast<uint32_t>(code), SystemErrorText(code));
  }
  hook = installed;
}

void lxRemoveThreadHook(HHOOK& hook) {
  if (hook == nullptr)
    return;
  UnhookWindowsHookEx(hook);
  hook = nullptr;
}
