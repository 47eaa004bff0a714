#include "platform/toolkit/bitmap.h"

#include <array>
#include <cstring>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

// Larger images are refused: a broken header must not reserve gigabytes.
constexpr int64_t kMaxBitmapBytes = int64_t{512} * 1024 * 1024;
constexpr int32_t kMaxBitmapSide = 32768;
constexpr uint16_t kBmpMagic = 0x4D42;  // "BM"

struct PaletteBitmapInfo {
  BITMAPINFOHEADER header{};
  std::array<RGBQUAD, 256> colors{};
};

RGBQUAD Quad(uint8_t r, uint8_t g, uint8_t b) { return RGBQUAD{b, g, r, 0}; }

// The sixteen colours of the classic palette, in their usual order.
constexpr std::array<std::array<uint8_t, 3>, 16> kVgaColors{{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

std::vector<RGBQUAD> DefaultPalette(TPixelFormat format) {
  std::vector<RGBQUAD> colors;
  switch (format) {
    case pf1bit:
      colors = {Quad(0, 0, 0), Quad(255, 255, 255)};
      break;
    case pf4bit:
      for (const auto& c : kVgaColors)
        colors.push_back(Quad(c[0], c[1], c[2]));
      break;
    case pf8bit: {
      for (const auto& c : kVgaColors)
        colors.push_back(Quad(c[0], c[1], c[2]));
      // A 6x6x6 colour cube, then greys to fill the 256 entries.
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b)
            colors.push_back(Quad(static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                                  static_cast<uint8_t>(b * 51)));
      for (int i = 0; colors.size() < 255; ++i) {
        const auto level = static_cast<uint8_t>(8 + i * 10);
        colors.push_back(Quad(level, level, level));
      }
      // All bits set is white, as WHITENESS and the other formats have it.
      colors.push_back(Quad(255, 255, 255));
      break;
    }
    default:
      break;
  }
  return colors;
}

bool IsPaletteFormat(TPixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }

int32_t StrideOf(int32_t width, int32_t bits) { return ((width * bits + 31) / 32) * 4; }

// A DIB section of the format; `colors` is the colour table of palette
// formats (the default one when empty).
HBITMAP CreateDib(int32_t width, int32_t height, TPixelFormat format, std::vector<RGBQUAD> colors, void*& bits) {
  PaletteBitmapInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(BitsPerPixel(format));
  info.header.biCompression = BI_RGB;
  if (format == pf16bit) {
    info.header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.colors.data(), masks, sizeof(masks));
  }
  if (IsPaletteFormat(format)) {
    if (colors.empty())
      colors = DefaultPalette(format);
    const size_t count = std::min<size_t>(colors.size(), size_t{1} << info.header.biBitCount);
    std::copy_n(colors.begin(), count, info.colors.begin());
    info.header.biClrUsed = static_cast<DWORD>(count);
  }
  bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                    nullptr, 0);
  if (bitmap == nullptr)
    throw EOutOfResources("Out of system resources");
  return bitmap;
}

std::vector<RGBQUAD> ColorTableOf(HBITMAP bitmap) {
  std::vector<RGBQUAD> colors(256);
  const TMemoryDC dc;
  const TSelectedObject selected(dc.Handle(), bitmap);
  const UINT count = GetDIBColorTable(dc.Handle(), 0, 256, colors.data());
  colors.resize(count);
  return colors;
}

TPixelFormat FormatOfDepth(int bits) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

template <class T>
T ReadAt(const std::string& bytes, size_t offset) {
  T value{};
  if (offset + sizeof(T) > bytes.size())
    throw EInvalidGraphic("Bitmap image is not valid");
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

template <class T>
void WriteValue(TStream& stream, const T& value) {
  stream.WriteBuffer(&value, sizeof(T));
}

std::vector<uint8_t> ImageBytes(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

}  // namespace

int32_t BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (memory_dc_ == nullptr) {
    memory_dc_ = CreateCompatibleDC(nullptr);
    if (memory_dc_ == nullptr)
      return;
    if (bitmap_.handle_ != nullptr)
      old_bitmap_ = SelectObject(memory_dc_, bitmap_.handle_);
  }
  SetHandle(memory_dc_);
}

void TBitmapCanvas::FreeContext() {
  if (memory_dc_ == nullptr)
    return;
  SetHandle(nullptr);
  if (old_bitmap_ != nullptr)
    SelectObject(memory_dc_, old_bitmap_);
  DeleteDC(memory_dc_);
  memory_dc_ = nullptr;
  old_bitmap_ = nullptr;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format) {
  pixel_format_ = format;
  SetSize(width, height);
}

TBitmap::~TBitmap() { FreeImage(); }

void TBitmap::FreeImage() {
  if (canvas_)
    canvas_->FreeContext();
  DropMask();
  if (handle_ != nullptr)
    DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
}

void TBitmap::Dormant() {
  if (canvas_)
    canvas_->FreeContext();
  DropMask();
}

void TBitmap::DropMask() {
  if (mask_ != nullptr)
    DeleteObject(mask_);
  mask_ = nullptr;
}

void TBitmap::Changed() {
  DropMask();
  TGraphic::Changed();
}

TBitmapCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    // Drawing on the canvas changes the image.
    canvas_->OnChange = [this](TObject*) { Changed(); };
  }
  return *canvas_;
}

HBITMAP TBitmap::Handle() { return handle_; }

void TBitmap::Rebuild(int32_t width, int32_t height, TPixelFormat format) {
  std::vector<RGBQUAD> colors;
  if (handle_ != nullptr && format == pixel_format_ && IsPaletteFormat(format)) {
    if (canvas_)
      canvas_->FreeContext();
    colors = ColorTableOf(handle_);
  }
  void* new_bits = nullptr;
  HBITMAP fresh = nullptr;
  if (width > 0 && height > 0) {
    fresh = CreateDib(width, height, format, colors, new_bits);
    const TMemoryDC target;
    const TSelectedObject target_bitmap(target.Handle(), fresh);
    PatBlt(target.Handle(), 0, 0, width, height, WHITENESS);
    if (handle_ != nullptr) {
      if (canvas_)
        canvas_->FreeContext();
      const TMemoryDC source;
      const TSelectedObject source_bitmap(source.Handle(), handle_);
      BitBlt(target.Handle(), 0, 0, std::min(width, width_), std::min(height, height_), source.Handle(), 0, 0,
             SRCCOPY);
    }
  }
  FreeImage();
  handle_ = fresh;
  bits_ = new_bits;
  width_ = fresh != nullptr ? width : std::max(width, 0);
  height_ = fresh != nullptr ? height : std::max(height, 0);
  pixel_format_ = format;
  Changed();
}

void TBitmap::SetSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
    throw EInvalidGraphicOperation("Invalid bitmap size");
  if (width == width_ && height == height_)
    return;
  Rebuild(width, height, pixel_format_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pfCustom)
    throw EInvalidGraphicOperation("Invalid pixel format");
  if (format == pixel_format_)
    return;
  Rebuild(width_, height_, format);
}

void TBitmap::SetAlphaFormat(TAlphaFormat format) {
  if (format == alpha_format_)
    return;
  alpha_format_ = format;
  Changed();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == handle_)
    return;
  if (bitmap == nullptr) {
    FreeImage();
    width_ = height_ = 0;
    Changed();
    return;
  }
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof(info), &info) == 0)
    throw EInvalidGraphic("Invalid bitmap handle");
  FreeImage();
  width_ = height_ = 0;
  const TPixelFormat format = FormatOfDepth(info.bmBitsPixel * info.bmPlanes);
  void* new_bits = nullptr;
  HBITMAP fresh = CreateDib(info.bmWidth, std::abs(info.bmHeight), format, {}, new_bits);
  {
    // The handed-in bitmap is ours now: deleted once copied.
    const TOwnedBitmap handed_in(bitmap);
    const TMemoryDC target;
    const TMemoryDC source;
    const TSelectedObject target_bitmap(target.Handle(), fresh);
    const TSelectedObject source_bitmap(source.Handle(), bitmap);
    if (IsPaletteFormat(format)) {
      std::array<RGBQUAD, 256> colors{};
      const UINT count = GetDIBColorTable(source.Handle(), 0, 256, colors.data());
      if (count > 0)
        SetDIBColorTable(target.Handle(), 0, count, colors.data());
    }
    BitBlt(target.Handle(), 0, 0, info.bmWidth, std::abs(info.bmHeight), source.Handle(), 0, 0, SRCCOPY);
  }
  handle_ = fresh;
  bits_ = new_bits;
  width_ = info.bmWidth;
  height_ = std::abs(info.bmHeight);
  pixel_format_ = format;
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  if (canvas_)
    canvas_->FreeContext();
  DropMask();
  HBITMAP released = handle_;
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  Changed();
  return released;
}

int32_t TBitmap::BytesPerScanLine() const { return StrideOf(width_, BitsPerPixel(pixel_format_)); }

void* TBitmap::ScanLine(int32_t row) {
  if (bits_ == nullptr || row < 0 || row >= height_)
    throw EInvalidGraphicOperation("Scan line index out of range");
  // Drawing through GDI may still be queued; the bytes must be current.
  GdiFlush();
  // Rows are stored bottom-up.
  return static_cast<uint8_t*>(bits_) + static_cast<ptrdiff_t>(height_ - 1 - row) * BytesPerScanLine();
}

std::vector<TColor> TBitmap::PaletteColors() const {
  std::vector<TColor> result;
  if (handle_ == nullptr || !IsPaletteFormat(pixel_format_))
    return result;
  if (canvas_)
    canvas_->FreeContext();
  for (const RGBQUAD& quad : ColorTableOf(handle_))
    result.push_back(RGBColor(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
  return result;
}

TColor TBitmap::TransparentColor() {
  if (transparent_mode_ == tmFixed)
    return transparent_color_;
  if (Empty())
    return clDefault;
  if (pixel_format_ == pf1bit)
    return clWhite;
  return Canvas().Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparent_color_ && transparent_mode_ == tmFixed)
    return;
  transparent_color_ = color;
  transparent_mode_ = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparent_mode_)
    return;
  if (mode == tmFixed && transparent_color_ == clDefault)
    transparent_color_ = TransparentColor();
  transparent_mode_ = mode;
  Changed();
}

HBITMAP TBitmap::MaskHandle() {
  if (mask_ != nullptr || Empty())
    return mask_;
  const COLORREF key = ColorToColorRef(TransparentColor());
  mask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
  HDC source = Canvas().Handle();
  const TMemoryDC target;
  const TSelectedObject target_bitmap(target.Handle(), mask_);
  // Copying colour to monochrome makes the background colour white.
  const COLORREF old_background = SetBkColor(source, key);
  BitBlt(target.Handle(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
  SetBkColor(source, old_background);
  return mask_;
}

void TBitmap::Mask(TColor transparent) {
  if (Empty())
    return;
  SetTransparentColor(transparent);
  HBITMAP mask = MaskHandle();
  mask_ = nullptr;  // handed over to the image below
  SetHandle(mask);
}

void TBitmap::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TBitmap*>(source);
  if (other == nullptr) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this)
    return;
  FreeImage();
  width_ = height_ = 0;
  pixel_format_ = other->pixel_format_;
  alpha_format_ = other->alpha_format_;
  transparent_color_ = other->transparent_color_;
  transparent_mode_ = other->transparent_mode_;
  SetTransparent(other->Transparent());
  if (!other->Empty() && other->handle_ != nullptr) {
    std::vector<RGBQUAD> colors;
    if (IsPaletteFormat(other->pixel_format_)) {
      if (other->canvas_)
        other->canvas_->FreeContext();
      colors = ColorTableOf(other->handle_);
    }
    GdiFlush();
    handle_ = CreateDib(other->width_, other->height_, other->pixel_format_, colors, bits_);
    width_ = other->width_;
    height_ = other->height_;
    std::memcpy(bits_, other->bits_, static_cast<size_t>(BytesPerScanLine()) * height_);
  }
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty())
    return;
  HDC target = canvas.Handle();
  HDC source = Canvas().Handle();
  if (Transparent()) {
    TransparentBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width_, height_,
                   ColorToColorRef(TransparentColor()));
    return;
  }
  if (pixel_format_ == pf32bit && alpha_format_ != afIgnored) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (alpha_format_ == afPremultiplied) {
      AlphaBlend(target, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width_, height_, blend);
      return;
    }
    void* bits = nullptr;
    const TOwnedBitmap premultiplied(CreatePremultipliedCopy(bits));
    const TMemoryDC copy_dc;
    const TSelectedObject selected(copy_dc.Handle(), premultiplied.Get());
    AlphaBlend(target, rect.Left, rect.Top, rect.Width(), rect.Height(), copy_dc.Handle(), 0, 0, width_, height_,
               blend);
    return;
  }
  // A monochrome image takes the text colour for 0 and the background for
  // 1 of the target: make that black and white.
  COLORREF old_text = 0;
  COLORREF old_background = 0;
  if (pixel_format_ == pf1bit) {
    old_text = SetTextColor(target, RGB(0, 0, 0));
    old_background = SetBkColor(target, RGB(255, 255, 255));
  }
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width_, height_,
             canvas.CopyMode());
  if (pixel_format_ == pf1bit) {
    SetTextColor(target, old_text);
    SetBkColor(target, old_background);
  }
}

void TBitmap::DrawTransparent(TCanvas& canvas, const TRect& rect, uint8_t opacity) {
  if (Empty())
    return;
  if (Transparent() || (pixel_format_ == pf32bit && alpha_format_ != afIgnored)) {
    TGraphic::DrawTransparent(canvas, rect, opacity);
    return;
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, 0};
  AlphaBlend(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), Canvas().Handle(), 0, 0, width_,
             height_, blend);
}

HBITMAP TBitmap::CreatePremultipliedCopy(void*& bits) {
  GdiFlush();
  HBITMAP copy = CreateDib(width_, height_, pf32bit, {}, bits);
  const size_t pixels = static_cast<size_t>(width_) * height_;
  const auto* from = static_cast<const uint8_t*>(bits_);
  auto* to = static_cast<uint8_t*>(bits);
  for (size_t i = 0; i < pixels; ++i) {
    const uint32_t alpha = from[i * 4 + 3];
    for (int channel = 0; channel < 3; ++channel)
      to[i * 4 + channel] = static_cast<uint8_t>((from[i * 4 + channel] * alpha + 127) / 255);
    to[i * 4 + 3] = static_cast<uint8_t>(alpha);
  }
  return copy;
}

void TBitmap::SaveToStream(TStream& stream) {
  if (Empty() || handle_ == nullptr)
    return;
  GdiFlush();
  std::vector<RGBQUAD> colors;
  if (IsPaletteFormat(pixel_format_)) {
    if (canvas_)
      canvas_->FreeContext();
    colors = ColorTableOf(handle_);
  }
  const bool bit_fields = pixel_format_ == pf16bit;
  const uint32_t masks_size = bit_fields ? 12 : 0;
  const uint32_t palette_size = static_cast<uint32_t>(colors.size() * sizeof(RGBQUAD));
  const uint32_t image_size = static_cast<uint32_t>(BytesPerScanLine()) * static_cast<uint32_t>(height_);
  const uint32_t offset = 14 + sizeof(BITMAPINFOHEADER) + masks_size + palette_size;

  WriteValue<uint16_t>(stream, kBmpMagic);
  WriteValue<uint32_t>(stream, offset + image_size);
  WriteValue<uint32_t>(stream, 0);
  WriteValue<uint32_t>(stream, offset);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(BitsPerPixel(pixel_format_));
  header.biCompression = bit_fields ? BI_BITFIELDS : BI_RGB;
  header.biSizeImage = image_size;
  header.biClrUsed = static_cast<DWORD>(colors.size());
  WriteValue(stream, header);
  if (bit_fields) {
    WriteValue<uint32_t>(stream, 0xF800);
    WriteValue<uint32_t>(stream, 0x07E0);
    WriteValue<uint32_t>(stream, 0x001F);
  }
  if (!colors.empty())
    stream.WriteBuffer(colors.data(), palette_size);
  stream.WriteBuffer(bits_, image_size);
}

void TBitmap::DefineProperties(TFiler& filer) {
  TGraphic::DefineProperties(filer);
  bool has_data = !Empty();
  // The ancestor is only read here; saving merely flushes its drawing.
  if (auto* ancestor = const_cast<TBitmap*>(dynamic_cast<const TBitmap*>(filer.Ancestor())))
    has_data = ImageBytes(*this) != ImageBytes(*ancestor);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      has_data);
}

void TBitmap::WriteData(TStream& stream) {
  const std::vector<uint8_t> image = ImageBytes(*this);
  WriteValue<uint32_t>(stream, static_cast<uint32_t>(image.size()));
  stream.WriteBuffer(image.data(), static_cast<int64_t>(image.size()));
}

void TBitmap::ReadData(TStream& stream) {
  uint32_t size = 0;
  if (stream.Read(&size, sizeof size) != sizeof size || size != stream.Size() - stream.Position())
    throw EReadError("Bitmap data is not valid");
  // The image goes into a bitmap of its own first, so that a damaged one
  // leaves this bitmap as it was.
  TBitmap loaded;
  try {
    loaded.LoadFromStream(stream);
  } catch (const EInvalidGraphic& error) {
    throw EReadError(std::string("Bitmap data is not valid: ") + error.what());
  }
  Assign(&loaded);
}

void TBitmap::LoadFromStream(TStream& stream) {
  const std::string bytes = ReadGraphicBytes(stream, kMaxBitmapBytes);
  if (bytes.empty()) {
    FreeImage();
    width_ = height_ = 0;
    Changed();
    return;
  }
  if (ReadAt<uint16_t>(bytes, 0) != kBmpMagic)
    throw EInvalidGraphic("Bitmap image is not valid");
  const uint32_t data_offset = ReadAt<uint32_t>(bytes, 10);
  const uint32_t header_size = ReadAt<uint32_t>(bytes, 14);
  if (header_size < sizeof(BITMAPINFOHEADER) || header_size > 1024)
    throw EInvalidGraphic("Bitmap image is not valid");
  const auto header = ReadAt<BITMAPINFOHEADER>(bytes, 14);
  const int32_t width = header.biWidth;
  const bool top_down = header.biHeight < 0;
  const int64_t height = top_down ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  const int bits = header.biBitCount;
  const bool rle = header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
  const bool valid_depth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  const bool valid_compression = header.biCompression == BI_RGB ||
                                 (header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32)) ||
                                 (header.biCompression == BI_RLE8 && bits == 8 && !top_down) ||
                                 (header.biCompression == BI_RLE4 && bits == 4 && !top_down);
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide || header.biPlanes != 1 ||
      !valid_depth || !valid_compression)
    throw EInvalidGraphic("Bitmap image is not valid");

  // Masks follow a 40-byte header for bit fields; longer headers hold them.
  size_t position = 14 + header_size;
  uint32_t masks[3] = {0, 0, 0};
  if (header.biCompression == BI_BITFIELDS) {
    const size_t mask_position = header_size >= 52 ? 14 + 40 : position;
    for (int i = 0; i < 3; ++i)
      masks[i] = ReadAt<uint32_t>(bytes, mask_position + 4 * i);
    if (header_size < 52)
      position += 12;
  }
  std::vector<RGBQUAD> colors;
  if (bits <= 8) {
    const uint32_t max_colors = 1u << bits;
    const uint32_t count = header.biClrUsed == 0 ? max_colors : header.biClrUsed;
    if (count > max_colors)
      throw EInvalidGraphic("Bitmap image is not valid");
    for (uint32_t i = 0; i < count; ++i)
      colors.push_back(ReadAt<RGBQUAD>(bytes, position + i * sizeof(RGBQUAD)));
    position += count * sizeof(RGBQUAD);
  }
  const size_t info_end = position;
  if (data_offset >= position && data_offset < bytes.size())
    position = data_offset;
  if (position >= bytes.size())
    throw EInvalidGraphic("Bitmap image is not valid");

  TPixelFormat format = FormatOfDepth(bits);
  if (bits == 16)
    format = (header.biCompression == BI_BITFIELDS && masks[1] == 0x07E0) ? pf16bit : pf15bit;
  const bool direct_copy = header.biCompression == BI_RGB ||
                           (bits == 16 && (masks[1] == 0x07E0 || masks[1] == 0x03E0)) ||
                           (bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF);
  if (!direct_copy && !rle)
    format = pf32bit;  // unusual masks: let the system convert

  void* new_bits = nullptr;
  TOwnedBitmap fresh(CreateDib(width, static_cast<int32_t>(height), format, colors, new_bits));
  const auto stride = static_cast<size_t>(StrideOf(width, bits));
  const size_t available = bytes.size() - position;
  if (direct_copy && !rle) {
    if (stride * static_cast<size_t>(height) > available)
      throw EInvalidGraphic("Bitmap image is not valid");
    for (int64_t row = 0; row < height; ++row) {
      // Our rows are bottom-up; a top-down file is turned over.
      const int64_t source_row = top_down ? height - 1 - row : row;
      std::memcpy(static_cast<uint8_t*>(new_bits) + row * stride, bytes.data() + position + source_row * stride,
                  stride);
    }
  } else {
    // Compressed or masked data: the system decodes it from the file's own
    // description.
    std::string info = bytes.substr(14, info_end - 14);
    auto* file_info = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    if (rle && file_info->biSizeImage > available)
      file_info->biSizeImage = static_cast<DWORD>(available);
    if (!rle && stride * static_cast<size_t>(height) > available)
      throw EInvalidGraphic("Bitmap image is not valid");
    const TWindowDC screen;
    const int lines = SetDIBits(screen.Handle(), fresh.Get(), 0, static_cast<UINT>(height), bytes.data() + position,
                                reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (lines == 0)
      throw EInvalidGraphic("Bitmap image is not valid");
  }
  FreeImage();
  handle_ = fresh.Release();
  bits_ = new_bits;
  width_ = width;
  height_ = static_cast<int32_t>(height);
  pixel_format_ = format;
  Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  const std::u16string wide = Utf8ToUtf16(name);
  auto* bitmap = static_cast<HBITMAP>(LoadImageW(instance, reinterpret_cast<const WCHAR*>(wide.c_str()),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr)
    throw EInvalidGraphic("Resource " + name + " not found");
  SetHandle(bitmap);
}
