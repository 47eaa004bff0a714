#include "platform/toolkit/stream_adapter.h"

#include <algorithm>
#include <vector>

TStreamAdapter::TStreamAdapter(TStream& stream, TStreamOwnership ownership)
    : stream_(stream), ownership_(ownership) {}

TStreamAdapter::~TStreamAdapter() {
  if (ownership_ == soOwned)
    delete &stream_;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr)
    return E_POINTER;
  if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(ISequentialStream)) ||
      IsEqualIID(iid, __uuidof(IStream))) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE TStreamAdapter::Release() {
  const ULONG left = --references_;
  if (left == 0)
    delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* buffer, ULONG count, ULONG* read) {
  if (buffer == nullptr)
    return STG_E_INVALIDPOINTER;
  try {
    const int64_t moved = stream_.Read(buffer, count);
    if (read != nullptr)
      *read = static_cast<ULONG>(moved);
    return S_OK;
  } catch (const Exception&) {
    return S_FALSE;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* written) {
  if (buffer == nullptr)
    return STG_E_INVALIDPOINTER;
  try {
    const int64_t moved = stream_.Write(buffer, count);
    if (written != nullptr)
      *written = static_cast<ULONG>(moved);
    return S_OK;
  } catch (const Exception&) {
    return STG_E_CANTSAVE;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* new_position) {
  TSeekOrigin from;
  switch (origin) {
    case STREAM_SEEK_SET:
      from = soBeginning;
      break;
    case STREAM_SEEK_CUR:
      from = soCurrent;
      break;
    case STREAM_SEEK_END:
      from = soEnd;
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  try {
    const int64_t position = stream_.Seek(move.QuadPart, from);
    if (new_position != nullptr)
      new_position->QuadPart = static_cast<ULONGLONG>(position);
    return S_OK;
  } catch (const Exception&) {
    return STG_E_INVALIDFUNCTION;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER size) {
  try {
    stream_.SetSize(static_cast<int64_t>(size.QuadPart));
    return S_OK;
  } catch (const Exception&) {
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* destination, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                                 ULARGE_INTEGER* written) {
  if (destination == nullptr)
    return STG_E_INVALIDPOINTER;
  constexpr uint64_t kChunk = 64 * 1024;
  std::vector<uint8_t> buffer(kChunk);
  uint64_t total_read = 0;
  uint64_t total_written = 0;
  HRESULT result = S_OK;
  uint64_t left = count.QuadPart;
  while (left > 0) {
    const auto wanted = static_cast<ULONG>(std::min(left, kChunk));
    ULONG got = 0;
    if (Read(buffer.data(), wanted, &got) != S_OK || got == 0)
      break;
    total_read += got;
    ULONG put = 0;
    result = destination->Write(buffer.data(), got, &put);
    total_written += put;
    if (FAILED(result) || put < got)
      break;
    left -= got;
  }
  if (read != nullptr)
    read->QuadPart = total_read;
  if (written != nullptr)
    written->QuadPart = total_written;
  return result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD /*flags*/) { return S_OK; }

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert() { return STG_E_REVERTED; }

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* statistics, DWORD /*flags*/) {
  if (statistics == nullptr)
    return STG_E_INVALIDPOINTER;
  *statistics = STATSTG{};
  statistics->type = STGTY_STREAM;
  try {
    statistics->cbSize.QuadPart = static_cast<ULONGLONG>(stream_.Size());
  } catch (const Exception&) {
    return STG_E_ACCESSDENIED;
  }
  statistics->grfMode = STGM_READWRITE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** copy) {
  if (copy != nullptr)
    *copy = nullptr;
  return E_NOTIMPL;
}
