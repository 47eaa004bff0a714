#include <unistd.h>

#include "platform/rtl/thread.h"

uint32_t TThread::CurrentThreadId() { return static_cast<uint32_t>(::gettid()); }
