#include <windows.h>
#include <shellapi.h>

#include <cfenv>

#include "logging/dispatcher_process.h"
#include "platform/rtl/text.h"

namespace {

constexpr char kDispatcherKey[] = "Software\\Dovex\\LogWire\\4.0";
constexpr char kDispatcherPolicyKey[] = "Software\\Policies\\Dovex\\LogWire\\4.0";
constexpr char kDefaultDispatcher[] = "LWDispatcher.exe";

// A text value (REG_SZ or REG_EXPAND_SZ, not expanded); false when there is
// none.
bool ReadTextValue(HKEY key, const wchar_t* name, std::string& value) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    return false;
  std::u16string buffer(size / sizeof(char16_t) + 1, u'\0');
  DWORD read_size = static_cast<DWORD>(buffer.size() * sizeof(char16_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read_size) !=
      ERROR_SUCCESS)
    return false;
  buffer.resize(read_size / sizeof(char16_t));
  while (!buffer.empty() && buffer.back() == u'\0')
    buffer.pop_back();
  value = Utf16ToUtf8(buffer);
  return true;
}

// Keeps the caller's floating-point modes: the shell loads extensions into
// this process, and some of them change the floating-point control word.
class TFloatEnvironmentGuard {
 public:
  TFloatEnvironmentGuard() { std::fegetenv(&saved_); }
  ~TFloatEnvironmentGuard() { std::fesetenv(&saved_); }
  TFloatEnvironmentGuard(const TFloatEnvironmentGuard&) = delete;
  TFloatEnvironmentGuard& operator=(const TFloatEnvironmentGuard&) = delete;

 private:
  std::fenv_t saved_{};
};

}  // namespace

std::string LogWireGetDispatcherPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDispatcherKey, 0, KEY_READ, &key) != ERROR_SUCCESS &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDispatcherPolicyKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return kDefaultDispatcher;
  std::string path;
  const bool found = ReadTextValue(key, L"Dispatcher", path);
  RegCloseKey(key);
  return found ? path : kDefaultDispatcher;
}

bool LogWireStartDispatcherProgram(const std::string& path, uint32_t timeout_ms) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = nullptr;
  info.lpVerb = "open";
  info.lpFile = path.c_str();
  info.nShow = SW_HIDE;
  bool started = false;
  {
    TFloatEnvironmentGuard float_environment;
    started = ShellExecuteExA(&info) != FALSE;
  }
  if (!started)
    return false;
  if (info.hProcess != nullptr) {
    // Bounded: a program that never waits for input must not hang the
    // thread that logs.
    WaitForInputIdle(info.hProcess, timeout_ms);
    CloseHandle(info.hProcess);
  }
  return true;
}
