#pragma once
// Helpers for tests that build real forms: pumping through the toolkit's
// own message loop (so that key messages take the CN_ path the program
// takes), waiting for conditions with a bound, and reading pixels back.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "tests/support/window_pixels.h"

namespace form_fixture {

// Handles this thread's messages through TApplication until the queue stays
// empty for a moment or `max_milliseconds` passed.
inline void Pump(uint32_t max_milliseconds = 1000) {
  const ULONGLONG deadline = GetTickCount64() + max_milliseconds;
  int quiet_rounds = 0;
  while (GetTickCount64() < deadline && quiet_rounds < 3) {
    MSG peek;
    if (PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      quiet_rounds = 0;
      Application->ProcessMessages();
      continue;
    }
    ++quiet_rounds;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Pumps until `condition` holds; false after the bound.
inline bool PumpUntil(const std::function<bool()>& condition, uint32_t max_milliseconds = 5000) {
  const ULONGLONG deadline = GetTickCount64() + max_milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= deadline)
      return condition();
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// A form freed at the end of the test (OnDestroy included).
struct FormDeleter {
  void operator()(TCustomForm* form) const {
    if (form != nullptr)
      form->Free();
  }
};
template <class T>
using FormPtr = std::unique_ptr<T, FormDeleter>;

template <class T = TForm>
FormPtr<T> MakeForm(int32_t width = 300, int32_t height = 200) {
  FormPtr<T> form(new T(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, width, height);
  return form;
}

// Shows the form, waits until it is painted and active.
inline void ShowAndSettle(TCustomForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  PumpUntil([&] { return form.Active(); }, 2000);
  Pump();
}

inline COLORREF PixelOf(HWND window, int x, int y) {
  return test_support::WindowPixels::Capture(window).At(x, y);
}

}  // namespace form_fixture
