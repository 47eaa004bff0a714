#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <limits>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/system_error.h"

namespace {

constexpr const char* kSharingViolation =
    "The process cannot access the file because it is being used by another process";

// Share modes are modelled by shared locks on four bytes far past any real
// data: one byte for "has read access", "has write access", "denies read"
// and "denies write". Open-file-description locks conflict between handles
// of one process too, as share modes do.
constexpr off_t kShareMarkBase = std::numeric_limits<off_t>::max() - 16;
enum ShareMark : off_t { kHasRead = 0, kHasWrite = 1, kDeniesRead = 2, kDeniesWrite = 3 };

struct Sharing {
  bool read = false;
  bool write = false;
  bool deny_read = false;
  bool deny_write = false;
};

Sharing SharingOf(uint16_t mode) {
  Sharing sharing;
  const bool create = (mode & fmCreate) == fmCreate;
  const uint16_t access = create ? fmOpenReadWrite : (mode & 0x3);
  sharing.read = access == fmOpenRead || access == fmOpenReadWrite;
  sharing.write = access == fmOpenWrite || access == fmOpenReadWrite;
  switch (mode & 0xF0) {
    case fmShareDenyWrite:
      sharing.deny_write = true;
      break;
    case fmShareDenyRead:
      sharing.deny_read = true;
      break;
    case fmShareDenyNone:
      break;
    default:  // compatibility and exclusive
      sharing.deny_read = true;
      sharing.deny_write = true;
      break;
  }
  return sharing;
}

#ifdef F_OFD_SETLK
bool MarkHeld(int fd, ShareMark mark) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kShareMarkBase + mark;
  lock.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0)
    return false;
  return lock.l_type != F_UNLCK;
}

void HoldMark(int fd, ShareMark mark) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kShareMarkBase + mark;
  lock.l_len = 1;
  fcntl(fd, F_OFD_SETLK, &lock);
}

// False when another handle's access or denials conflict with ours.
bool ClaimSharing(int fd, const Sharing& sharing) {
  if ((sharing.read && MarkHeld(fd, kDeniesRead)) || (sharing.write && MarkHeld(fd, kDeniesWrite)) ||
      (sharing.deny_read && MarkHeld(fd, kHasRead)) || (sharing.deny_write && MarkHeld(fd, kHasWrite)))
    return false;
  // Shared locks need a descriptor open for reading.
  if ((fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY)
    return true;
  if (sharing.read)
    HoldMark(fd, kHasRead);
  if (sharing.write)
    HoldMark(fd, kHasWrite);
  if (sharing.deny_read)
    HoldMark(fd, kDeniesRead);
  if (sharing.deny_write)
    HoldMark(fd, kDeniesWrite);
  return true;
}
#else
bool ClaimSharing(int, const Sharing&) { return true; }
#endif

[[noreturn]] void RaiseOpenFailure(bool create, const std::string& file_name, const std::string& reason) {
  if (create)
    throw EFCreateError("Cannot create file \"" + file_name + "\". " + reason);
  throw EFOpenError("Cannot open file \"" + file_name + "\". " + reason);
}

}  // namespace

TFileStream::TFileStream(const std::string& file_name, uint16_t mode) : file_name_(file_name) {
  const bool create = (mode & fmCreate) == fmCreate;
  const Sharing sharing = SharingOf(mode);
  int flags = O_CLOEXEC | (sharing.write ? O_RDWR : O_RDONLY);
  if (create)
    flags |= O_CREAT;
  int fd = ::open(file_name.c_str(), flags, 0666);
  if (fd < 0 && errno == EACCES && sharing.write && !sharing.read)
    fd = ::open(file_name.c_str(), (flags & ~O_RDWR) | O_WRONLY, 0666);
  if (fd < 0)
    RaiseOpenFailure(create, file_name, SystemErrorText(errno));

  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    RaiseOpenFailure(create, file_name, SystemErrorText(EISDIR));
  }
  if (!ClaimSharing(fd, sharing)) {
    ::close(fd);
    RaiseOpenFailure(create, file_name, kSharingViolation);
  }
  // Emptied only once the share check passed, as the system does.
  if (create && ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    RaiseOpenFailure(create, file_name, SystemErrorText(error));
  }
  handle_ = fd;
  can_read_ = sharing.read;
  can_write_ = sharing.write;
}

TFileStream::~TFileStream() {
  if (handle_ >= 0)
    ::close(static_cast<int>(handle_));
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || !can_read_)
    return 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(static_cast<int>(handle_), bytes + done, static_cast<size_t>(count - done));
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      break;
    done += got;
  }
  return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || !can_write_)
    return 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(static_cast<int>(handle_), bytes + done, static_cast<size_t>(count - done));
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0)
      break;
    done += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t position = ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), whence);
  return position < 0 ? -1 : static_cast<int64_t>(position);
}

void TFileStream::SetSize(int64_t size) {
  if (size < 0 || ::ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) != 0)
    throw EStreamError("Cannot change the size of \"" + file_name_ + "\". " + SystemErrorText(size < 0 ? EINVAL : errno));
  Seek(size, soBeginning);
}

void TFileStream::FlushToDisk() {
  if (::fsync(static_cast<int>(handle_)) != 0)
    throw EWriteError();
}
