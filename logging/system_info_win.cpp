#include <windows.h>

#include "logging/system_info.h"
#include "platform/rtl/text.h"

namespace {

using SHGetSpecialFolderPathAFunction = BOOL(WINAPI*)(HWND owner, LPSTR path, int folder, BOOL create);

constexpr int kPersonalFolder = 5;  // the documents folder's id
constexpr DWORD kMaxPathWithZero = 261;

HMODULE g_shell_library = nullptr;
SHGetSpecialFolderPathAFunction g_get_special_folder_path = nullptr;

std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

class TWindowsPerformanceCounter final : public TLogWirePerformanceCounter {
 public:
  bool QueryFrequency(int64_t& frequency) const override {
    LARGE_INTEGER value{};
    if (!QueryPerformanceFrequency(&value) || value.QuadPart <= 0)
      return false;
    frequency = value.QuadPart;
    return true;
  }
  int64_t QueryCounter() const override {
    LARGE_INTEGER value{};
    QueryPerformanceCounter(&value);
    return value.QuadPart;
  }
};

}  // namespace

uint32_t LogWireCurrentProcessId() { return GetCurrentProcessId(); }

std::string LogWireComputerName() {
  wchar_t buffer[16] = {};
  DWORD length = 16;
  if (!GetComputerNameW(buffer, &length))
    return std::string();
  return Narrow(buffer, length);
}

int32_t LogWireTimeZoneBias() {
  TIME_ZONE_INFORMATION zone{};
  switch (GetTimeZoneInformation(&zone)) {
    case TIME_ZONE_ID_DAYLIGHT:
      return zone.Bias + zone.DaylightBias;
    case TIME_ZONE_ID_STANDARD:
      return zone.Bias + zone.StandardBias;
    default:
      return zone.Bias;
  }
}

std::string LogWireDocumentsFolder() {
  if (g_get_special_folder_path == nullptr)
    return std::string();
  char buffer[kMaxPathWithZero] = {};
  if (!g_get_special_folder_path(nullptr, buffer, kPersonalFolder, FALSE))
    return std::string();
  return std::string(buffer);
}

std::optional<std::string> LogWireEnvironmentValue(std::string_view name) {
  const std::u16string wide_name = Utf8ToUtf16(name);
  const auto* name_pointer = reinterpret_cast<const wchar_t*>(wide_name.c_str());
  SetLastError(ERROR_SUCCESS);
  DWORD needed = GetEnvironmentVariableW(name_pointer, nullptr, 0);
  if (needed == 0)
    return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::string>("");
  std::wstring value(needed, L'\0');
  const DWORD written = GetEnvironmentVariableW(name_pointer, value.data(), needed);
  if (written == 0 || written >= needed)
    return std::nullopt;
  return Narrow(value.data(), written);
}

void LogWireGlobalInitialize() {
  if (g_shell_library != nullptr)
    return;
  g_shell_library = LoadLibraryA("shell32.dll");
  if (g_shell_library == nullptr)
    return;
  // Through the generic function type, which converts to any other.
  g_get_special_folder_path = reinterpret_cast<SHGetSpecialFolderPathAFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_shell_library, "SHGetSpecialFolderPathA")));
}

void LogWireGlobalFinalize() {
  g_get_special_folder_path = nullptr;
  if (g_shell_library != nullptr)
    FreeLibrary(g_shell_library);
  g_shell_library = nullptr;
}

std::unique_ptr<TLogWirePerformanceCounter> CreateLogWirePerformanceCounter() {
  return std::make_unique<TWindowsPerformanceCounter>();
}
