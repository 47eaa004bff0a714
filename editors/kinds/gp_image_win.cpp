#include "editors/kinds/gp_image_win.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/stream_adapter.h"

namespace {

constexpr uint16_t kBitmapFileSignature = 0x4D42;  // "BM"
constexpr int64_t kBitmapFileHeaderSize = 14;

const TClass* g_image_class = &TlxGPNullImage::kClass;

bool AnyAlpha(const std::vector<TlxRGBQuad>& pixels) {
  return std::any_of(pixels.begin(), pixels.end(), [](const TlxRGBQuad& pixel) { return pixel.Alpha != 0; });
}

}  // namespace

const TClass* lxGPImageClass() { return g_image_class; }

void lxSetGPImageClass(const TClass* image_class) { g_image_class = image_class; }

void* TlxGPBase::operator new(size_t size) {
  void* block = lxGdiPlus().GdipAlloc != nullptr ? lxGdiPlus().GdipAlloc(size) : nullptr;
  if (block == nullptr)
    throw std::bad_alloc();
  return block;
}

void TlxGPBase::operator delete(void* block) {
  // GDI+ is shut down only after the image module has freed its images.
  if (block != nullptr && lxGdiPlus().GdipFree != nullptr)
    lxGdiPlus().GdipFree(block);
}

void* TlxGPNullImage::operator new(size_t size) {
  void* block = std::calloc(1, size);
  if (block == nullptr)
    throw std::bad_alloc();
  return block;
}

void TlxGPNullImage::operator delete(void* block) { std::free(block); }

TlxGPImage::TlxGPImage(TBitmap& bitmap) { BuildFromBitmap(bitmap); }

TlxGPImage::TlxGPImage(int32_t width, bool has_alpha, TlxRGBColors pixels, int32_t height) {
  BuildFromBits(width, has_alpha, std::move(pixels), height);
}

TlxGPImage::TlxGPImage(TStream& stream) {
  if (!lxCheckGdiPlus() || stream.Size() < kBitmapFileHeaderSize)
    return;
  uint8_t probe[kBitmapFileHeaderSize];
  stream.ReadBuffer(probe, kBitmapFileHeaderSize);
  stream.Seek(-kBitmapFileHeaderSize, soCurrent);
  const auto signature = static_cast<uint16_t>(probe[0] | (probe[1] << 8));
  if (signature != kBitmapFileSignature) {
    LoadFromStream(stream);
    return;
  }
  TBitmap bitmap;
  try {
    bitmap.LoadFromStream(stream);
  } catch (const Exception&) {
    return;  // a broken bitmap gives an image without a handle
  }
  BuildFromBitmap(bitmap);
}

TlxGPImage::TlxGPImage(GpImageHandle handle) : handle_(handle) {}

TlxGPImage::~TlxGPImage() {
  if (handle_ != nullptr && lxGdiPlus().GdipDisposeImage != nullptr)
    lxGdiPlus().GdipDisposeImage(handle_);
}

void TlxGPImage::BuildFromBitmap(TBitmap& bitmap) {
  lxCheckPngEncoder();
  TlxRGBColors pixels;
  lxGetBitmapBits(bitmap, pixels);
  const bool has_alpha = bitmap.PixelFormat() == pf32bit && AnyAlpha(*pixels);
  BuildFromBits(bitmap.Width(), has_alpha, std::move(pixels), bitmap.Height());
}

void TlxGPImage::BuildFromBits(int32_t width, bool has_alpha, TlxRGBColors pixels, int32_t height) {
  pixels_ = std::move(pixels);
  if (!pixels_)
    pixels_ = std::make_shared<std::vector<TlxRGBQuad>>();
  if (!has_alpha)
    for (TlxRGBQuad& pixel : *pixels_)
      pixel.Alpha = 255;
  const auto create = lxGdiPlus().GdipCreateBitmapFromScan0;
  if (create == nullptr || width <= 0 || height <= 0 ||
      pixels_->size() < static_cast<size_t>(width) * static_cast<size_t>(height))
    return;
  GpImageHandle handle = nullptr;
  if (lxGpIsOk(create(width, height, 4 * width, lxPixelFormat32bppPARGB,
                      reinterpret_cast<BYTE*>(pixels_->data()), &handle)))
    handle_ = handle;
}

void TlxGPImage::LoadFromStream(TStream& stream) {
  // The bytes from the position to the end: the whole size from here would
  // read past the end.
  const int64_t count = stream.Remaining();
  const auto create = lxGdiPlus().GdipCreateBitmapFromStream;
  if (count <= 0 || create == nullptr)
    return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count));
  if (block == nullptr)
    return;
  void* memory = GlobalLock(block);
  const int64_t read = memory != nullptr ? stream.Read(memory, count) : 0;
  GlobalUnlock(block);
  IStream* system_stream = nullptr;
  if (read != count || FAILED(CreateStreamOnHGlobal(block, TRUE, &system_stream))) {
    GlobalFree(block);
    return;
  }
  // GDI+ keeps its own reference for as long as the image reads from it.
  GpImageHandle handle = nullptr;
  if (lxGpIsOk(create(system_stream, &handle)))
    handle_ = handle;
  system_stream->Release();
}

void TlxGPImage::SaveAsPng(TMemoryStream& stream) {
  const auto save = lxGdiPlus().GdipSaveImageToStream;
  if (handle_ == nullptr || save == nullptr)
    return;
  lxCheckPngEncoder();
  if (!lxPngEncoderKnown())
    return;
  auto* adapter = new TStreamAdapter(stream, soReference);
  adapter->AddRef();
  TScopeExit release([adapter] { adapter->Release(); });
  lxGpIsOk(save(handle_, adapter, &lxPngEncoderClsid(), nullptr));
}

void TlxGPImage::GetSize(int32_t& width, int32_t& height) const {
  width = 0;
  height = 0;
  const auto dimension = lxGdiPlus().GdipGetImageDimension;
  if (handle_ == nullptr || dimension == nullptr)
    return;
  float real_width = 0;
  float real_height = 0;
  if (!lxGpIsOk(dimension(handle_, &real_width, &real_height)))
    return;
  width = static_cast<int32_t>(real_width);
  height = static_cast<int32_t>(real_height);
}

std::unique_ptr<TlxGPImage> lxGpCloneImage(const TlxGPImage& image) {
  if (!image.Pixels() || image.Pixels()->empty()) {
    GpImageHandle clone = nullptr;
    const auto clone_image = lxGdiPlus().GdipCloneImage;
    if (image.Handle() != nullptr && clone_image != nullptr && !lxGpIsOk(clone_image(image.Handle(), &clone)))
      clone = nullptr;
    return lxNewGPImage(clone);
  }
  int32_t width = 0;
  int32_t height = 0;
  image.GetSize(width, height);
  return lxNewGPImage(width, true, image.Pixels(), height);
}

std::unique_ptr<TlxGPImage> lxCreateGPImageFromPersistent(TBitmap& source) {
  lxCheckGdiPlus();
  return lxNewGPImage(source);
}

void lxGetBitmapBits(TBitmap& bitmap, TlxRGBColors& pixels) {
  const int32_t width = bitmap.Width();
  const int32_t height = bitmap.Height();
  const size_t count = static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0));
  pixels = std::make_shared<std::vector<TlxRGBQuad>>(count);
  if (count == 0)
    return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap.Handle(), 0, static_cast<UINT>(height), pixels->data(), &info,
                              DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines == 0)
    lxGetBitmapBitsByScanlines(bitmap, pixels);
}

void lxGetBitmapBitsByScanlines(TBitmap& bitmap, TlxRGBColors& pixels) {
  const int32_t width = bitmap.Width();
  const int32_t height = bitmap.Height();
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (!pixels)
    pixels = std::make_shared<std::vector<TlxRGBQuad>>();
  if (pixels->size() != count)
    pixels->assign(count, TlxRGBQuad{});
  if (bitmap.PixelFormat() != pf32bit)
    return;
  for (int32_t row = 0; row < height; ++row)
    std::memcpy(pixels->data() + static_cast<size_t>(row) * static_cast<size_t>(width), bitmap.ScanLine(row),
                static_cast<size_t>(width) * sizeof(TlxRGBQuad));
}
