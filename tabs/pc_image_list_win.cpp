#include "tabs/pc_image_list_win.h"

#include "platform/rtl/format.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/image_list.h"
#include "tabs/pc_texts.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/draw_helpers_win.h"

TlxPCImageList::TlxPCImageList(TComponent* free_notifier)
    : free_notifier_(free_notifier), change_link_(std::make_unique<TChangeLink>()) {
  change_link_->OnChange = [this](TObject*) { BaseImagesChanged(); };
}

TlxPCImageList::~TlxPCImageList() = default;

void TlxPCImageList::SetBaseImages(TCustomImageList* images) {
  lxChangeImageListLink(images, base_images_, change_link_.get(), free_notifier_);
}

void TlxPCImageList::SetImageRotationAngle(int32_t angle) {
  rotation_ = angle;
  BaseImagesChanged();
}

int32_t TlxPCImageList::Count() const { return base_images_ != nullptr ? base_images_->Count() : 0; }

TSize TlxPCImageList::GetImageSize() const {
  if (base_images_ == nullptr || base_images_->Width() <= 0 || base_images_->Height() <= 0)
    return {};
  return {base_images_->Width(), base_images_->Height()};
}

TSize TlxPCImageList::GetRotatedImageSize() const {
  const TSize size = GetImageSize();
  return rotation_ != 0 ? TSize{size.cy, size.cx} : size;
}

void TlxPCImageList::BaseImagesChanged() {
  RebuildRotatedImages();
  if (OnChange)
    OnChange();
}

void TlxPCImageList::RebuildRotatedImages() {
  if (rotation_ == 0 || Count() == 0)
    return;
  rotated_.clear();
  rotated_.resize(static_cast<size_t>(Count()));
  for (TlxPCImageListRotatedImagesElement& element : rotated_)
    element.Bitmap = std::make_unique<TBitmap>(0, 0, pf32bit);
}

void TlxPCImageList::PrepareBitmap(TBitmap& bitmap, int32_t index, TColor background, bool enabled) {
  const TSize size = GetImageSize();
  bitmap.SetSize(size.cx, size.cy);
  TlxCanvas canvas(bitmap.Canvas());
  canvas.FillRectColor(Bounds(0, 0, size.cx, size.cy), background);
  if (OnDrawBackground)
    OnDrawBackground(bitmap);
  base_images_->Draw(bitmap.Canvas(), 0, 0, index, enabled);
}

void TlxPCImageList::Draw(TlxCanvas& canvas, int32_t x, int32_t y, int32_t index, TColor background, bool enabled) {
  const int32_t count = Count();
  if (count == 0)
    lxPCRaise("TlxPCImageList", "Draw", lxPCText(slxPCNoBaseImages));
  if (index < 0 || index >= count)
    lxPCRaise("TlxPCImageList", "Draw", Format(lxPCText(slxPCImageListIndexError), {index, count - 1}));
  const bool native = IsNativeLook && IsNativeLook();
  if (rotation_ == 0) {
    if (native) {
      base_images_->Draw(canvas.Canvas(), x, y, index, enabled);
      return;
    }
    TBitmap bitmap(0, 0, pf32bit);
    bitmap.Canvas().SetFont(canvas.Font());
    PrepareBitmap(bitmap, index, background, enabled);
    canvas.DrawGraphic(x, y, &bitmap);
    return;
  }
  if (static_cast<size_t>(count) != rotated_.size())
    RebuildRotatedImages();
  TlxPCImageListRotatedImagesElement& element = rotated_[static_cast<size_t>(index)];
  const TColor resolved = ColorToRGB(background);
  if (!element.Valid || element.BkColor != resolved || element.Enabled != enabled) {
    PrepareBitmap(*element.Bitmap, index, resolved, enabled);
    if (native) {
      element.Bitmap->SetTransparentColor(resolved);
      element.Bitmap->SetTransparentMode(tmFixed);
    }
    lxRotateBitmap(nullptr, *element.Bitmap, rotation_, false);
    element.Valid = true;
    element.BkColor = resolved;
    element.Enabled = enabled;
  }
  canvas.DrawGraphic(x, y, element.Bitmap.get());
}
