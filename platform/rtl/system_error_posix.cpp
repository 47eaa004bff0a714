#include <errno.h>
#include <string.h>

#include "platform/rtl/system_error.h"

std::string SystemErrorText(int32_t code) {
  char buffer[256] = {};
  return std::string(strerror_r(code, buffer, sizeof buffer));
}

int32_t LastSystemError() { return errno; }
