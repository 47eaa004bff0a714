#include <windows.h>

#include <vector>

#include "platform/rtl/file_utils.h"
#include "platform/rtl/system_error.h"
#include "platform/rtl/text.h"

namespace {

std::wstring Wide(std::string_view text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

bool AttributesOf(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

// File times count 100 ns ticks from 1601-01-01, 109205 days before the
// platform's day 0.
constexpr double kTicksPerDay = 864000000000.0;
constexpr double kFileTimeEpochDay = 109205.0;

}  // namespace

bool FileExists(const std::string& file_name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return AttributesOf(file_name, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& directory) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return AttributesOf(directory, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileAge(const std::string& file_name, TDateTime& age) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!AttributesOf(file_name, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  FILETIME local;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
    return false;
  const uint64_t ticks = (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  age = static_cast<double>(ticks) / kTicksPerDay - kFileTimeEpochDay;
  return true;
}

int64_t FileSize(const std::string& file_name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!AttributesOf(file_name, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return -1;
  return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

std::string GetCurrentDir() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0)
    return std::string();
  std::vector<wchar_t> buffer(length);
  const DWORD written = GetCurrentDirectoryW(length, buffer.data());
  return Narrow(buffer.data(), written);
}

bool SetCurrentDir(const std::string& directory) { return SetCurrentDirectoryW(Wide(directory).c_str()) != 0; }

std::string ExpandFileName(std::string_view file_name) {
  const std::wstring wide = Wide(file_name);
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0)
    return std::string(file_name);
  std::vector<wchar_t> buffer(length);
  const DWORD written = GetFullPathNameW(wide.c_str(), length, buffer.data(), nullptr);
  return Narrow(buffer.data(), written);
}

std::string ProgramFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD written = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (written == 0)
      return std::string();
    if (written < buffer.size())
      return Narrow(buffer.data(), written);
    buffer.resize(buffer.size() * 2);
  }
}

bool RemoveFile(const std::string& file_name) { return DeleteFileW(Wide(file_name).c_str()) != 0; }

bool RenameFile(const std::string& old_name, const std::string& new_name) {
  return MoveFileW(Wide(old_name).c_str(), Wide(new_name).c_str()) != 0;
}

bool CreateDir(const std::string& directory) { return CreateDirectoryW(Wide(directory).c_str(), nullptr) != 0; }

bool ReplaceFileWith(const std::string& temporary, const std::string& target, std::string& reason) {
  if (MoveFileExW(Wide(temporary).c_str(), Wide(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  reason = SystemErrorText(LastSystemError());
  return false;
}
