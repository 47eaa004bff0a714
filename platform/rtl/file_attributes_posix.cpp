#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/file_attributes.h"

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

}  // namespace

bool FileIsReadOnly(const std::string& file_name) {
  struct stat info {};
  if (::stat(file_name.c_str(), &info) != 0)
    return false;
  // The super-user may write anything, so the bits count on their own: a
  // file that nobody may write was marked read-only on purpose.
  return (info.st_mode & kAnyWriteBit) == 0 || ::access(file_name.c_str(), W_OK) != 0;
}

bool SetFileReadOnly(const std::string& file_name, bool read_only) {
  struct stat info {};
  if (::stat(file_name.c_str(), &info) != 0)
    return false;
  const mode_t mode = read_only ? info.st_mode & ~kAnyWriteBit : info.st_mode | S_IWUSR;
  return ::chmod(file_name.c_str(), mode & 07777) == 0;
}
