#pragma once
// TFileStream: a stream over a file opened with the platform's open and
// share modes. Both builds enforce the share modes between handles, in this
// process and others: the Windows build through the system's share modes,
// the native build through open-file-description locks that model them.

#include <cstdint>
#include <string>

#include "platform/rtl/stream.h"

// Open modes: one access mode or'ed with one share mode. fmCreate creates
// the file, or empties an existing one, for reading and writing.
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;  // as exclusive
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
 public:
  static constexpr TClass kClass{"TFileStream", &TStream::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Raises EFOpenError, or EFCreateError for fmCreate, with the file name
  // and the system's reason (a sharing conflict among them).
  TFileStream(const std::string& file_name, uint16_t mode);
  ~TFileStream() override;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Cuts or extends the file and leaves the position at the new end.
  // Raises EStreamError when the system refuses.
  void SetSize(int64_t size) override;

  const std::string& FileName() const { return file_name_; }
  // Writes the system's buffers of this file through to the disk; raises
  // EWriteError when that fails.
  void FlushToDisk();

 private:
  std::string file_name_;
  intptr_t handle_ = -1;
  bool can_read_ = false;
  bool can_write_ = false;
};
