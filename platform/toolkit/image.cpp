#include "platform/toolkit/image.h"

#include <algorithm>

#include "platform/toolkit/canvas.h"
#include "platform/toolkit/graphic.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  ControlStyle().Include(csReplicatable);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::PictureChanged() {
  if (TGraphic* graphic = picture_->Graphic())
    graphic->SetTransparent(transparent_);
  if (auto_size_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  Invalidate();
}

TRect TImage::DestRect() {
  const int32_t width = picture_->Width();
  const int32_t height = picture_->Height();
  const TRect client = ClientRect();
  int32_t w = width;
  int32_t h = height;
  const bool shrink = proportional_ && (w > client.Width() || h > client.Height());
  if ((stretch_ || shrink) && w > 0 && h > 0) {
    if (proportional_) {
      // The larger of the two ratios decides.
      if (int64_t{client.Width()} * h > int64_t{client.Height()} * w) {
        w = static_cast<int32_t>(int64_t{client.Height()} * w / h);
        h = client.Height();
      } else {
        h = static_cast<int32_t>(int64_t{client.Width()} * h / w);
        w = client.Width();
      }
    } else {
      w = client.Width();
      h = client.Height();
    }
  }
  TRect rect(0, 0, w, h);
  if (center_)
    rect = rect.Offset((client.Width() - w) / 2, (client.Height() - h) / 2);
  return rect;
}

void TImage::Paint() {
  TCanvas& canvas = Canvas();
  TGraphic* graphic = picture_->Graphic();
  if (graphic == nullptr || graphic->Empty())
    return;
  canvas.StretchDraw(DestRect(), graphic);
}

void TImage::SetAutoSize(bool value) {
  if (value == auto_size_)
    return;
  auto_size_ = value;
  PictureChanged();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_)
    return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  if (value == proportional_)
    return;
  proportional_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (value == center_)
    return;
  center_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_)
    return;
  transparent_ = value;
  PictureChanged();
}
