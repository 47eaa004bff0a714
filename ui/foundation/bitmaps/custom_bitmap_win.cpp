#include "ui/foundation/bitmaps/custom_bitmap_win.h"

#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/bitmaps/bitmap_stream.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"

TlxCustomBitmap::TlxCustomBitmap() : TlxCustomBitmap(0, 0, pf24bit) {}

TlxCustomBitmap::TlxCustomBitmap(const TRect& rect) : TlxCustomBitmap(rect.Width(), rect.Height(), pf24bit) {}

TlxCustomBitmap::TlxCustomBitmap(int32_t width, int32_t height) : TlxCustomBitmap(width, height, pf24bit) {}

TlxCustomBitmap::TlxCustomBitmap(int32_t width, int32_t height, TPixelFormat format) {
  TlxCustomBitmap::Initialize(width, height, format);
}

TlxCustomBitmap::~TlxCustomBitmap() = default;

void TlxCustomBitmap::Initialize(int32_t width, int32_t height, TPixelFormat format) {
  lx_canvas_ = std::make_unique<TlxCanvas>(Canvas());
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(true); });
  TBitmap::SetSize(width, height);
  SetPixelFormat(format);
}

void TlxCustomBitmap::EndUpdate(bool force) {
  if (force && update_batch_.Updating())
    update_batch_.Change();
  update_batch_.End([this] { Changed(); });
}

void TlxCustomBitmap::Changed() {
  if (!update_batch_.Change())
    return;
  TBitmap::Changed();
  AfterChange();
}

void TlxCustomBitmap::Clear() {
  if (Empty())
    return;
  Canvas().Brush().SetColor(clBlack);
  Canvas().FillRect(ClientBounds());
}

void TlxCustomBitmap::SetSize(int32_t width, int32_t height) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(false); });
  TBitmap::SetSize(width, height);
}

void TlxCustomBitmap::CopyBitmap(TBitmap& source, DWORD raster_operation) {
  CopyRect(source, ClientBounds(), TPoint(0, 0), raster_operation);
}

void TlxCustomBitmap::CopyRect(TBitmap& source, const TRect& rect, const TPoint& source_point,
                               DWORD raster_operation) {
  if (Empty() || source.Empty())
    return;
  BitBlt(Canvas().Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), source.Canvas().Handle(),
         source_point.X, source_point.Y, raster_operation);
  Changed();
}

void TlxCustomBitmap::Rotate(int32_t angle_index, bool mirror) {
  lxRotateBitmap(lx_canvas_.get(), *this, angle_index, mirror);
}

void TlxCustomBitmap::DefineProperties(TFiler& filer) {
  // Its own "Data" (which may be compressed) replaces the plain bitmap's.
  TGraphic::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); }, true);
}

void TlxCustomBitmap::WriteData(TStream& stream) {
  TMemoryStream image;
  SaveToStream(image);
  lxWriteBitmapData(stream, image.Bytes(), compress_data_);
}

void TlxCustomBitmap::ReadData(TStream& stream) {
  const std::vector<uint8_t> image = lxReadBitmapData(stream);
  // The image goes into a bitmap of its own first, so that a damaged one
  // leaves this bitmap as it was.
  TBitmap loaded;
  TMemoryStream bytes;
  if (!image.empty())
    bytes.WriteBuffer(image.data(), static_cast<int64_t>(image.size()));
  bytes.SetPosition(0);
  try {
    loaded.LoadFromStream(bytes);
  } catch (const EInvalidGraphic& error) {
    throw EReadError(std::string("Bitmap data is not valid: ") + error.what());
  }
  Assign(&loaded);
}
