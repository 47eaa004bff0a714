#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/rtl/file_utils.h"
#include "platform/rtl/system_error.h"

namespace {

bool StatOf(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

// Unix time 0 is day 25569 of the platform's date count.
constexpr double kUnixEpochDay = 25569.0;

}  // namespace

bool FileExists(const std::string& file_name) {
  struct stat info {};
  return StatOf(file_name, info) && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& directory) {
  struct stat info {};
  return StatOf(directory, info) && S_ISDIR(info.st_mode);
}

bool FileAge(const std::string& file_name, TDateTime& age) {
  struct stat info {};
  if (!StatOf(file_name, info) || !S_ISREG(info.st_mode))
    return false;
  struct tm local {};
  const time_t seconds = info.st_mtim.tv_sec;
  if (localtime_r(&seconds, &local) == nullptr)
    return false;
  const double local_seconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff) +
                               static_cast<double>(info.st_mtim.tv_nsec / 1000000) / 1000.0;
  age = kUnixEpochDay + local_seconds / 86400.0;
  return true;
}

int64_t FileSize(const std::string& file_name) {
  struct stat info {};
  if (!StatOf(file_name, info) || !S_ISREG(info.st_mode))
    return -1;
  return static_cast<int64_t>(info.st_size);
}

std::string GetCurrentDir() {
  std::vector<char> buffer(PATH_MAX);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20))
      return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

bool SetCurrentDir(const std::string& directory) { return ::chdir(directory.c_str()) == 0; }

// Resolves "." and ".." and repeated delimiters without following links.
std::string ExpandFileName(std::string_view file_name) {
  std::string path(file_name);
  if (path.empty() || path.front() != '/')
    path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
  std::vector<std::string_view> parts;
  std::string_view rest = path;
  while (!rest.empty()) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string expanded;
  for (std::string_view part : parts) {
    expanded += '/';
    expanded += part;
  }
  if (expanded.empty() || (file_name.size() > 1 && file_name.back() == '/'))
    expanded += '/';
  return expanded;
}

std::string ProgramFileName() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length <= 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(length));
}

bool RemoveFile(const std::string& file_name) { return ::unlink(file_name.c_str()) == 0; }

bool RenameFile(const std::string& old_name, const std::string& new_name) {
  // The platform's rename does not replace an existing file.
  if (::access(new_name.c_str(), F_OK) == 0)
    return false;
  return ::rename(old_name.c_str(), new_name.c_str()) == 0;
}

bool CreateDir(const std::string& directory) { return ::mkdir(directory.c_str(), 0777) == 0; }

bool ReplaceFileWith(const std::string& temporary, const std::string& target, std::string& reason) {
  struct stat info {};
  if (StatOf(target, info))
    ::chmod(temporary.c_str(), info.st_mode & 07777);
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    reason = SystemErrorText(LastSystemError());
    return false;
  }
  // Makes the new directory entry itself durable.
  std::string folder = ExtractFileDir(ExpandFileName(target));
  const int fd = ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return true;
}
