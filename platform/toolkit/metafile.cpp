#include "platform/toolkit/metafile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/toolkit/canvas.h"

namespace {

constexpr int64_t kMaxMetafileBytes = 256 * 1024 * 1024;
constexpr int32_t kHundredthsOfMillimetrePerInch = 2540;

int32_t ScreenPixelsPerInch(int index) {
  HDC screen = GetDC(nullptr);
  const int32_t result = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return result;
}

}  // namespace

bool IsEnhancedMetafile(const uint8_t* bytes, size_t size) {
  // The oldest header form ends after its description fields.
  constexpr size_t kMinHeaderSize = 88;
  constexpr size_t kRecordHeaderSize = 8;
  if (bytes == nullptr || size < kMinHeaderSize)
    return false;
  ENHMETAHEADER header{};
  std::memcpy(&header, bytes, std::min(size, sizeof(header)));
  if (header.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE || header.nSize < kMinHeaderSize ||
      header.nBytes > size || header.nSize > header.nBytes)
    return false;
  // Every record must lie inside the file, and the last must end it.
  size_t offset = 0;
  DWORD type = 0;
  while (offset < header.nBytes) {
    if (header.nBytes - offset < kRecordHeaderSize)
      return false;
    DWORD record_size = 0;
    std::memcpy(&type, bytes + offset, sizeof(type));
    std::memcpy(&record_size, bytes + offset + sizeof(type), sizeof(record_size));
    if (record_size < kRecordHeaderSize || record_size % 4 != 0 || record_size > header.nBytes - offset)
      return false;
    offset += record_size;
  }
  return type == EMR_EOF;
}

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
  if (handle_ != nullptr)
    DeleteEnhMetaFile(handle_);
  handle_ = nullptr;
  width_ = 0;
  height_ = 0;
}

void TMetafile::Assign(const TPersistent* source) {
  if (const auto* metafile = dynamic_cast<const TMetafile*>(source)) {
    if (metafile == this)
      return;
    Clear();
    if (metafile->handle_ != nullptr)
      handle_ = CopyEnhMetaFileW(metafile->handle_, nullptr);
    width_ = metafile->width_;
    height_ = metafile->height_;
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TMetafile::SetWidth(int32_t width) {
  if (width == width_ || width < 0)
    return;
  width_ = width;
  Changed();
}

void TMetafile::SetHeight(int32_t height) {
  if (height == height_ || height < 0)
    return;
  height_ = height;
  Changed();
}

void TMetafile::SetHandle(HENHMETAFILE handle) {
  if (handle == handle_)
    return;
  Clear();
  handle_ = handle;
  if (handle_ != nullptr) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(handle_, sizeof(header), &header);
    // The frame is kept in hundredths of a millimetre.
    width_ = MulDiv(header.rclFrame.right - header.rclFrame.left, ScreenPixelsPerInch(LOGPIXELSX),
                    kHundredthsOfMillimetrePerInch);
    height_ = MulDiv(header.rclFrame.bottom - header.rclFrame.top, ScreenPixelsPerInch(LOGPIXELSY),
                     kHundredthsOfMillimetrePerInch);
  }
  Changed();
}

void TMetafile::LoadFromStream(TStream& stream) {
  const std::string bytes = ReadGraphicBytes(stream, kMaxMetafileBytes);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  if (!IsEnhancedMetafile(data, bytes.size())) {
    SetHandle(nullptr);
    throw EInvalidGraphic("Metafile is not valid");
  }
  ENHMETAHEADER header;
  std::memcpy(&header, data, sizeof(header));
  HENHMETAFILE handle = SetEnhMetaFileBits(header.nBytes, data);
  if (handle == nullptr) {
    SetHandle(nullptr);
    throw EInvalidGraphic("Metafile is not valid");
  }
  SetHandle(handle);
}

void TMetafile::SaveToStream(TStream& stream) {
  if (handle_ == nullptr)
    return;
  const UINT size = GetEnhMetaFileBits(handle_, 0, nullptr);
  std::vector<BYTE> bytes(size);
  if (size > 0 && GetEnhMetaFileBits(handle_, size, bytes.data()) == size)
    stream.WriteBuffer(bytes.data(), size);
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) {
  if (handle_ == nullptr)
    return;
  const RECT target{rect.Left, rect.Top, rect.Right, rect.Bottom};
  PlayEnhMetaFile(canvas.Handle(), handle_, &target);
}
