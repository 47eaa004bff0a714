#include "platform/toolkit/icon.h"

#include <cstring>
#include <vector>

#include "platform/rtl/text.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

constexpr int64_t kMaxIconBytes = 16 * 1024 * 1024;

#pragma pack(push, 1)
struct IconDirectory {
  uint16_t reserved;
  uint16_t type;
  uint16_t count;
};
struct IconDirectoryEntry {
  uint8_t width;
  uint8_t height;
  uint8_t color_count;
  uint8_t reserved;
  uint16_t planes;
  uint16_t bit_count;
  uint32_t bytes;
  uint32_t offset;
};
#pragma pack(pop)

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

void SizeOfIcon(HICON icon, int32_t& width, int32_t& height) {
  ICONINFO info{};
  width = height = 0;
  if (!GetIconInfo(icon, &info))
    return;
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0) {
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
  } else if (info.hbmMask != nullptr && GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap) != 0) {
    width = bitmap.bmWidth;
    height = bitmap.bmHeight / 2;  // a monochrome icon stacks mask and image
  }
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr)
    DeleteObject(info.hbmMask);
}

// The rows of a bitmap as 32-bit (or 1-bit for masks) bottom-up DIB bytes.
std::vector<uint8_t> DibBits(HBITMAP bitmap, int32_t width, int32_t height, int bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  const size_t stride = static_cast<size_t>(((width * bits + 31) / 32) * 4);
  std::vector<uint8_t> result(stride * static_cast<size_t>(height));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } with_palette{};
  with_palette.header = info.bmiHeader;
  const TWindowDC screen;
  GetDIBits(screen.Handle(), bitmap, 0, static_cast<UINT>(height), result.data(),
            reinterpret_cast<BITMAPINFO*>(&with_palette), DIB_RGB_COLORS);
  return result;
}

// The icon's image (without its mask) drawn on black into a bitmap of the
// screen's format.
TOwnedBitmap DrawnIconImage(HICON icon, int32_t width, int32_t height) {
  const TWindowDC screen;
  const TMemoryDC dc(screen.Handle());
  TOwnedBitmap color(CreateCompatibleBitmap(screen.Handle(), width, height));
  const TSelectedObject selected(dc.Handle(), color.Get());
  RECT all{0, 0, width, height};
  FillRect(dc.Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawIconEx(dc.Handle(), 0, 0, icon, width, height, 0, nullptr, DI_IMAGE);
  return color;
}

}  // namespace

TIcon::~TIcon() { Clear(); }

void TIcon::Clear() {
  if (handle_ != nullptr)
    DestroyIcon(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
  original_.clear();
}

void TIcon::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TIcon*>(source);
  if (other == nullptr) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this)
    return;
  Clear();
  if (other->handle_ != nullptr) {
    handle_ = CopyIcon(other->handle_);
    width_ = other->width_;
    height_ = other->height_;
    original_ = other->original_;
  }
  Changed();
}

void TIcon::SetWidth(int32_t width) {
  if (width != width_)
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int32_t height) {
  if (height != height_)
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_)
    return;
  Clear();
  handle_ = icon;
  if (icon != nullptr)
    SizeOfIcon(icon, width_, height_);
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON released = handle_;
  handle_ = nullptr;
  Clear();
  Changed();
  return released;
}

void TIcon::LoadFromStream(TStream& stream) {
  const std::string bytes = ReadGraphicBytes(stream, kMaxIconBytes);
  if (bytes.size() < sizeof(IconDirectory))
    InvalidIcon();
  IconDirectory directory{};
  std::memcpy(&directory, bytes.data(), sizeof(directory));
  if (directory.reserved != 0 || directory.type != 1 || directory.count == 0)
    InvalidIcon();
  if (sizeof(IconDirectory) + static_cast<size_t>(directory.count) * sizeof(IconDirectoryEntry) > bytes.size())
    InvalidIcon();
  // The largest image wins; among equals the deepest.
  const IconDirectoryEntry* best = nullptr;
  int64_t best_score = -1;
  for (uint16_t i = 0; i < directory.count; ++i) {
    const auto* entry = reinterpret_cast<const IconDirectoryEntry*>(bytes.data() + sizeof(IconDirectory) +
                                                                    i * sizeof(IconDirectoryEntry));
    if (entry->bytes == 0 || entry->offset > bytes.size() || entry->bytes > bytes.size() - entry->offset)
      InvalidIcon();
    const int64_t side = entry->width == 0 ? 256 : entry->width;
    const int64_t score = side * side * 64 + entry->bit_count;
    if (score > best_score) {
      best_score = score;
      best = entry;
    }
  }
  const int32_t width = best->width == 0 ? 256 : best->width;
  const int32_t height = best->height == 0 ? 256 : best->height;
  auto* image = reinterpret_cast<PBYTE>(const_cast<char*>(bytes.data() + best->offset));
  HICON icon = CreateIconFromResourceEx(image, best->bytes, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
  if (icon == nullptr)
    InvalidIcon();
  Clear();
  handle_ = icon;
  SizeOfIcon(icon, width_, height_);
  original_ = bytes;
  Changed();
}

void TIcon::SaveToStream(TStream& stream) {
  if (handle_ == nullptr)
    return;
  if (!original_.empty()) {
    stream.WriteBuffer(original_.data(), static_cast<int64_t>(original_.size()));
    return;
  }
  ICONINFO info{};
  if (!GetIconInfo(handle_, &info))
    throw EInvalidGraphic("Icon image is not valid");
  // Rebuild a 32-bit image with its AND mask from the icon's bitmaps.
  const TOwnedBitmap color = DrawnIconImage(handle_, width_, height_);
  const std::vector<uint8_t> pixels = DibBits(color.Get(), width_, height_, 32);
  HBITMAP mask_source = info.hbmMask;
  std::vector<uint8_t> mask = DibBits(mask_source, width_, height_, 1);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr)
    DeleteObject(info.hbmMask);

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width_;
  header.biHeight = height_ * 2;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const auto image_bytes = static_cast<uint32_t>(sizeof(header) + pixels.size() + mask.size());
  const IconDirectory directory{0, 1, 1};
  const IconDirectoryEntry entry{static_cast<uint8_t>(width_ >= 256 ? 0 : width_),
                                 static_cast<uint8_t>(height_ >= 256 ? 0 : height_),
                                 0,
                                 0,
                                 1,
                                 32,
                                 image_bytes,
                                 sizeof(IconDirectory) + sizeof(IconDirectoryEntry)};
  stream.WriteBuffer(&directory, sizeof(directory));
  stream.WriteBuffer(&entry, sizeof(entry));
  stream.WriteBuffer(&header, sizeof(header));
  stream.WriteBuffer(pixels.data(), static_cast<int64_t>(pixels.size()));
  stream.WriteBuffer(mask.data(), static_cast<int64_t>(mask.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  const std::u16string wide = Utf8ToUtf16(name);
  auto* icon = static_cast<HICON>(
      LoadImageW(instance, reinterpret_cast<const WCHAR*>(wide.c_str()), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
  if (icon == nullptr)
    throw EInvalidGraphic("Resource " + name + " not found");
  SetHandle(icon);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
  if (handle_ == nullptr)
    return;
  DrawIconEx(canvas.Handle(), rect.Left, rect.Top, handle_, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}
