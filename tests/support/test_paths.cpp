#include "tests/support/test_paths.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace test_support {

std::string ExecutableFolder() {
  char buffer[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(sizeof(buffer)));
  std::string path(buffer, length);
  return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string WindowsPathOfUnixPath(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string EnvironmentValue(const std::string& name) {
  char buffer[4096] = {};
  const DWORD length = GetEnvironmentVariableA(name.c_str(), buffer, static_cast<DWORD>(sizeof(buffer)));
  if (length == 0 || length >= sizeof(buffer))
    return {};
  return std::string(buffer, length);
}

std::string MakeTemporaryFolder(const std::string& tag) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  const std::filesystem::path folder = std::filesystem::path(base) /
                                       (tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                                        std::to_string(GetTickCount64()));
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder, error);
  std::string result = folder.string();
  if (result.back() != '\\')
    result += '\\';
  return result;
}

}  // namespace test_support
