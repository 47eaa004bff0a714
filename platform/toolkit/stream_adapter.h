#pragma once
// TStreamAdapter: a TStream seen as the system's IStream, so that system
// libraries (image codecs) can read and write our streams. The adapter
// holds the stream by reference or owns it; it is reference counted as
// every system stream object, and frees itself (and an owned stream) when
// the last reference goes.

#include <windows.h>
#include <objidl.h>

#include <atomic>
#include <cstdint>

#include "platform/rtl/stream.h"

enum TStreamOwnership : uint8_t { soReference, soOwned };

// The system's interfaces have no virtual destructor; Release frees.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TStreamAdapter : public IStream {
 public:
  // The adapter starts with no reference: the first AddRef (or QueryInterface)
  // takes one, so hand it out only through such a call.
  explicit TStreamAdapter(TStream& stream, TStreamOwnership ownership = soReference);

  TStream& Stream() { return stream_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // ISequentialStream
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;

  // IStream
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* new_position) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* destination, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lock_type) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lock_type) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* statistics, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

 private:
  // Only Release frees the adapter.
  virtual ~TStreamAdapter();

  TStream& stream_;
  TStreamOwnership ownership_;
  std::atomic<ULONG> references_{0};
};
#pragma GCC diagnostic pop
