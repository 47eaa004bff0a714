#include "grid/grid_paint_errors_win.h"

#include <windows.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/toolkit/application.h"

namespace {

struct TPaintErrors {
  std::vector<std::string> pending;
  std::set<std::string> reported;
  UINT_PTR timer = 0;
};

TPaintErrors& Errors() {
  static TPaintErrors errors;
  return errors;
}

// A thread timer of 0 ms: its message comes after the paint messages that
// are queued, so the report waits until the paint is done.
void CALLBACK ReportTimerFired(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
  lxGridFlushPaintErrors();
}

}  // namespace

void lxGridReportPaintError(const Exception& error) {
  TPaintErrors& errors = Errors();
  const std::string& text = error.Message();
  if (errors.reported.count(text) != 0)
    return;
  errors.reported.insert(text);
  errors.pending.push_back(text);
  if (errors.timer == 0)
    errors.timer = SetTimer(nullptr, 0, 0, &ReportTimerFired);
}

void lxGridFlushPaintErrors() {
  TPaintErrors& errors = Errors();
  if (errors.timer != 0) {
    KillTimer(nullptr, errors.timer);
    errors.timer = 0;
  }
  std::vector<std::string> pending = std::exchange(errors.pending, {});
  for (const std::string& text : pending) {
    try {
      throw Exception(text);
    } catch (const Exception&) {
      Application->HandleException(nullptr);
    }
  }
}

bool lxGridHasPendingPaintErrors() { return !Errors().pending.empty(); }

void lxGridResetPaintErrors() { Errors().reported.clear(); }
