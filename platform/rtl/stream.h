#pragma once
// TStream: the byte stream that files, memory blocks and component storage
// are read from and written to. Read and Write move as many bytes as they
// can and say how many; ReadBuffer and WriteBuffer move all or raise
// EReadError ("Stream read error") or EWriteError ("Stream write error").

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"

class TComponent;

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  static constexpr TClass kClass{"TStream", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Bytes moved; 0 at the end or for a non-positive count.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // The new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  virtual int64_t Size();
  // The base cannot resize; streams that can override.
  virtual void SetSize(int64_t size);
  // Bytes between the position and the end (0 when past the end). Readers
  // check a stored length against it before they allocate.
  int64_t Remaining();

  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies `count` bytes from the source's position; with a count of 0 the
  // whole source from its start. Returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);

  // Component streaming (filer.h): writes `instance` with its children in
  // the binary form format; reads one back into `instance`, or, when it is
  // null, into a new component of the stored class that the caller owns.
  void WriteComponent(TComponent& instance);
  TComponent* ReadComponent(TComponent* instance);
};

// A file that could not be opened or created: 'Cannot open file "<name>".
// <system message>' and 'Cannot create file "<name>". <system message>'.
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  const char* ClassName() const override { return "EFOpenError"; }
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  const char* ClassName() const override { return "EFCreateError"; }
};
