#include <windows.h>

#include <algorithm>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/system_error.h"
#include "platform/rtl/text.h"

namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::wstring WidePath(const std::string& path) {
  const std::u16string wide = Utf8ToUtf16(path);
  return std::wstring(wide.begin(), wide.end());
}

}  // namespace

TFileStream::TFileStream(const std::string& file_name, uint16_t mode) : file_name_(file_name) {
  static constexpr DWORD kShareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE};
  const bool create = (mode & fmCreate) == fmCreate;
  const uint16_t access = create ? fmOpenReadWrite : (mode & 0x3);
  can_read_ = access == fmOpenRead || access == fmOpenReadWrite;
  can_write_ = access == fmOpenWrite || access == fmOpenReadWrite;
  const DWORD desired = (can_read_ ? GENERIC_READ : 0) | (can_write_ ? GENERIC_WRITE : 0);
  const size_t share_index = (mode & 0xF0) >> 4;
  const DWORD share = share_index < std::size(kShareModes) ? kShareModes[share_index] : 0;

  HANDLE handle = CreateFileW(WidePath(file_name).c_str(), desired, share, nullptr,
                              create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const std::string reason = SystemErrorText(LastSystemError());
    if (create)
      throw EFCreateError("Cannot create file \"" + file_name + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + file_name + "\". " + reason);
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
}

TFileStream::~TFileStream() {
  if (handle_ != -1)
    CloseHandle(AsHandle(handle_));
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || !can_read_)
    return 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), bytes + done, chunk, &got, nullptr) || got == 0)
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
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle_), bytes + done, chunk, &put, nullptr) || put == 0)
      break;
    done += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(AsHandle(handle_), distance, &position, method))
    return -1;
  return position.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
  if (size < 0 || Seek(size, soBeginning) != size || !SetEndOfFile(AsHandle(handle_)))
    throw EStreamError("Cannot change the size of \"" + file_name_ + "\". " +
                       SystemErrorText(size < 0 ? ERROR_INVALID_PARAMETER : LastSystemError()));
}

void TFileStream::FlushToDisk() {
  if (!FlushFileBuffers(AsHandle(handle_)))
    throw EWriteError();
}
