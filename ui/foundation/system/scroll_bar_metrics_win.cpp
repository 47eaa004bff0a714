#include "ui/foundation/system/scroll_bar_metrics_win.h"

#include <windows.h>

TSize lxScrollBarMetrics() {
  return TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}
