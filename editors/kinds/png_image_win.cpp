#include "editors/kinds/png_image_win.h"

#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/picture.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

void PngUnitStart() {
  lxSetGPImageClass(&TlxGPNullImage::kClass);
  if (!lxCheckGdiPlus())
    return;
  lxCheckPngEncoder();
  lxSetGPImageClass(&TlxGPImage::kClass);
  RegisterStreamableClass(TlxPNGImage::kClass);
  TPicture::RegisterFileFormat("png", "Portable Network Graphics", TlxPNGImage::kClass);
}

void PngUnitEnd() {
  TPicture::UnregisterGraphicClass(TlxPNGImage::kClass);
  UnRegisterStreamableClass(TlxPNGImage::kClass);
  lxSetGPImageClass(&TlxGPNullImage::kClass);
}

}  // namespace

TlxPNGImage::TlxPNGImage() { TGraphic::SetTransparent(true); }

TlxPNGImage::~TlxPNGImage() = default;

void TlxPNGImage::SetImage(std::unique_ptr<TlxGPImage> image) {
  if (image.get() == image_.get())
    return;
  image_ = std::move(image);
  Changed();
}

void TlxPNGImage::Assign(const TPersistent* source) {
  if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    // Reading the pixels needs the bitmap's handle, which it makes on demand.
    SetImage(lxCreateGPImageFromPersistent(const_cast<TBitmap&>(*bitmap)));
    return;
  }
  if (auto* png = dynamic_cast<const TlxPNGImage*>(source)) {
    SetImage(png->image_ ? lxGpCloneImage(*png->image_) : nullptr);
    return;
  }
  TGraphic::Assign(source);
}

void TlxPNGImage::AssignTo(TPersistent& destination) const {
  if (auto* png = dynamic_cast<TlxPNGImage*>(&destination)) {
    png->Assign(this);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(&destination)) {
    const std::unique_ptr<TBitmap> copy = GetAsBitmap();
    bitmap->Assign(copy.get());
    return;
  }
  TGraphic::AssignTo(destination);
}

void TlxPNGImage::GetImageSize(int32_t& width, int32_t& height) const {
  width = 0;
  height = 0;
  if (image_)
    image_->GetSize(width, height);
}

bool TlxPNGImage::Empty() const {
  int32_t width = 0;
  int32_t height = 0;
  GetImageSize(width, height);
  return width < 1 || height < 1;
}

int32_t TlxPNGImage::Width() const {
  int32_t width = 0;
  int32_t height = 0;
  GetImageSize(width, height);
  return width;
}

int32_t TlxPNGImage::Height() const {
  int32_t width = 0;
  int32_t height = 0;
  GetImageSize(width, height);
  return height;
}

void TlxPNGImage::LoadFromStream(TStream& stream) {
  if (stream.Size() == 0) {
    SetImage(nullptr);
    return;
  }
  SetImage(lxNewGPImage(stream));
}

void TlxPNGImage::SaveToStream(TStream& stream) {
  if (!image_)
    return;
  TMemoryStream png;
  image_->SaveAsPng(png);
  png.SetPosition(0);
  if (png.Size() > 0)
    stream.CopyFrom(png, png.Size());
}

std::unique_ptr<TBitmap> TlxPNGImage::GetAsBitmap() const {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  const auto create = lxGdiPlus().GdipCreateHBITMAPFromBitmap;
  if (!image_ || image_->Handle() == nullptr || create == nullptr)
    return bitmap;
  HBITMAP handle = nullptr;
  if (lxGpIsOk(create(image_->Handle(), &handle, 0)) && handle != nullptr)
    bitmap->SetHandle(handle);
  return bitmap;
}

void TlxPNGImage::SetBitmap(TBitmap& bitmap) { SetImage(lxCreateGPImageFromPersistent(bitmap)); }

void TlxPNGImage::Draw(TCanvas& canvas, const TRect& rect) { PaintToDC(canvas.Handle(), rect); }

void TlxPNGImage::PaintToDC(HDC dc, const TRect& rect) const {
  PaintRectToDC(dc, rect, TRect(0, 0, Width(), Height()));
}

void TlxPNGImage::PaintRectToDC(HDC dc, const TRect& destination, const TRect& source) const {
  const TlxGdiPlusFunctions& gdip = lxGdiPlus();
  if (!image_ || image_->Handle() == nullptr || gdip.GdipCreateFromHDC == nullptr)
    return;
  GpGraphicsHandle graphics = nullptr;
  if (!lxGpIsOk(gdip.GdipCreateFromHDC(dc, &graphics)))
    return;
  PaintRectToGraphics(graphics, destination, source);
  gdip.GdipDeleteGraphics(graphics);
}

void TlxPNGImage::PaintRectToGraphics(GpGraphicsHandle graphics, const TRect& destination,
                                      const TRect& source) const {
  const auto draw = lxGdiPlus().GdipDrawImageRectRect;
  if (!image_ || image_->Handle() == nullptr || draw == nullptr)
    return;
  const auto destination_width = static_cast<float>(destination.Width());
  const auto destination_height = static_cast<float>(destination.Height());
  auto source_width = static_cast<float>(source.Width());
  auto source_height = static_cast<float>(source.Height());
  if (destination_width < 1.0f || destination_height < 1.0f || source_width < 1.0f || source_height < 1.0f)
    return;
  // Enlarging would blend in the pixels beyond the source's edge.
  if (destination_width > source_width && source_width > 1.0f)
    source_width -= 1.0f;
  if (destination_height > source_height && source_height > 1.0f)
    source_height -= 1.0f;
  lxGpIsOk(draw(graphics, image_->Handle(), static_cast<float>(destination.Left),
                static_cast<float>(destination.Top), destination_width, destination_height,
                static_cast<float>(source.Left), static_cast<float>(source.Top), source_width, source_height,
                lxGpUnitPixel, nullptr, nullptr, nullptr));
}

void TlxPNGImage::GetPixels(TlxRGBColors& pixels) const {
  const std::unique_ptr<TBitmap> bitmap = GetAsBitmap();
  lxGetBitmapBits(*bitmap, pixels);
}

bool TlxPNGImage::SamePixels(const TlxPNGImage& other) const {
  const bool same_size = Width() == other.Width() && Height() == other.Height();
  if (!same_size || Empty() || other.Empty())
    return same_size;
  TlxRGBColors own;
  TlxRGBColors others;
  GetPixels(own);
  other.GetPixels(others);
  if (own->size() != others->size())
    return false;
  for (size_t index = 0; index < others->size(); ++index)
    if (!lxSameColor((*own)[index], (*others)[index]))
      return false;
  return true;
}

void lxPngImageInitialize() {
  ModuleStart().Start([] {
    lxGdiPlusInitialize();
    lxUnitsLoader().AddUnit(&PngUnitStart, &PngUnitEnd);
  });
}

void lxPngImageFinalize() {
  ModuleStart().End([] {
    lxUnitsLoader().RemoveUnit(&PngUnitEnd);
    lxGdiPlusFinalize();
  });
}
