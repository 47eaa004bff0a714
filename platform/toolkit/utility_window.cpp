#include "platform/toolkit/utility_window.h"

#include <memory>

#include "platform/toolkit/application.h"

namespace {

constexpr const wchar_t* kUtilityClassName = L"TPUtilWindow";

LRESULT CALLBACK UtilityWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (method == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  TMessage record{message, wparam, lparam, 0};
  // The receiver may deallocate this window from inside its own handler:
  // call a copy, so that the function object in use is not the one freed.
  const TWndMethod receiver = *method;
  try {
    receiver(record);
  } catch (...) {
    GetApplication()->HandleException(nullptr);
  }
  return record.Result;
}

void RegisterUtilityClass() {
  static const bool registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &UtilityWindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kUtilityClassName;
    return RegisterClassW(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  RegisterUtilityClass();
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilityClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr)
    return nullptr;
  auto owned = std::make_unique<TWndMethod>(std::move(method));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned.release()));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (window == nullptr)
    return;
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Detach first: DestroyWindow sends messages that must not reach a method
  // that is going away.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  delete method;
}

void CallDefaultWindowProc(HWND window, TMessage& message) {
  message.Result = DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
}
