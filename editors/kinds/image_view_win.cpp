#include "editors/kinds/image_view_win.h"

#include <cmath>

#include "editors/container_style_win.h"
#include "editors/kinds/image_picture_value_win.h"
#include "editors/kinds/image_properties_win.h"
#include "editors/kinds/image_proportional_rect.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"
#include "ui/foundation/canvas/canvas_text_flags.h"
#include "ui/foundation/canvas/draw_helpers_win.h"

namespace {

const TlxCustomImageProperties* ImageProperties(const TlxCustomEditProperties* properties) {
  return dynamic_cast<const TlxCustomImageProperties*>(properties);
}

bool PictureIsEmpty(const TPicture* picture) {
  return picture == nullptr || picture->Graphic() == nullptr || picture->Graphic()->Empty();
}

// Halves rounded to even, as the size measurement asks.
int32_t RoundHalfEven(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

}  // namespace

void lxImageDrawFocusFrame(TlxCanvas& canvas, const TRect& rect) {
  const TBrushStyle old_style = canvas.Brush().Style();
  canvas.Brush().SetStyle(bsClear);
  canvas.Canvas().Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
  canvas.Brush().SetStyle(old_style);
}

// --- TlxImageViewInfo --------------------------------------------------------

TlxImageViewInfo::TlxImageViewInfo() = default;
TlxImageViewInfo::~TlxImageViewInfo() = default;

void TlxImageViewInfo::SetPicture(TPicture* picture) { picture_ = picture; }

TPicture& TlxImageViewInfo::OwnedPicture() {
  if (!owned_picture_)
    owned_picture_ = std::make_unique<TPicture>();
  picture_ = owned_picture_.get();
  return *owned_picture_;
}

bool TlxImageViewInfo::RepaintsOnStateChange() const { return PictureIsEmpty(picture_) && !Caption.empty(); }

TRect TlxImageViewInfo::PictureRect(const TRect& client) const {
  const int32_t width = picture_->Width();
  const int32_t height = picture_->Height();
  TRect rect;
  if (Stretch || (Proportional && (height > client.Height() || width > client.Width())))
    rect = Proportional ? lxImageCalcProportionalRect(client, width, height) : client;
  else
    rect = TRect(client.Left, client.Top, client.Left + width, client.Top + height);
  if (Center)
    rect = rect.Offset((client.Width() - rect.Width()) / 2, (client.Height() - rect.Height()) / 2);
  else
    rect = rect.Offset(-Offset.X, -Offset.Y);
  return rect;
}

void TlxImageViewInfo::PaintParentBackground(TlxCanvas& canvas) {
  if (Control == nullptr)
    return;
  canvas.PushClipRegion();
  canvas.IntersectClip(Bounds);
  lxPaintParentImage(Control, canvas, Bounds, true);
  canvas.PopClipRegion();
}

void TlxImageViewInfo::RenderFrame(TlxCanvas& canvas) {
  TRect client = ClientRect;
  if (Transparent)
    PaintParentBackground(canvas);
  if (PictureIsEmpty(picture_)) {
    TlxCustomEditViewInfo::RenderFrame(canvas);
    canvas.Brush().SetColor(BackgroundColor);
    if (!Caption.empty()) {
      canvas.Brush().SetStyle(bsClear);
      if (Font != nullptr)
        canvas.AssignFont(*Font);
      canvas.Font().SetColor(TextColor);
      canvas.DrawTextInRect(Caption, client, lxtfCenterX | lxtfCenterY | lxtfSingleLine);
      canvas.Brush().SetStyle(bsSolid);
    }
    if (ShowFocusFrame)
      lxImageDrawFocusFrame(canvas, client);
    return;
  }
  const TRect picture_rect = PictureRect(client);
  canvas.PushClipRegion();
  canvas.ExcludeFromClip(client);
  lxDrawEditBackgroundAndBorder(canvas, *this, true, 0);
  canvas.PopClipRegion();
  if (ShowFocusFrame) {
    lxImageDrawFocusFrame(canvas, client);
    client = client.Inflate(-1, -1);
  }
  canvas.PushClipRegion();
  canvas.IntersectClip(client);
  DrawGraphic(canvas, picture_rect, client);
  canvas.PopClipRegion();
}

void TlxImageViewInfo::DrawGraphic(TlxCanvas& canvas, const TRect& picture_rect, const TRect& client) {
  TGraphic* graphic = picture_->Graphic();
  if (Transparent || !graphic->Transparent()) {
    canvas.Canvas().StretchDraw(picture_rect, graphic);
  } else {
    // A see-through graphic in an opaque editor goes over the background
    // colour through a bitmap, so that nothing old shines through.
    try {
      if (!temporary_bitmap_) {
        temporary_bitmap_ = std::make_unique<TBitmap>();
        temporary_bitmap_->SetPixelFormat(pfDevice);
      }
      temporary_bitmap_->SetSize(picture_rect.Width(), picture_rect.Height());
      const TRect whole(0, 0, picture_rect.Width(), picture_rect.Height());
      temporary_bitmap_->Canvas().Brush().SetColor(BackgroundColor);
      temporary_bitmap_->Canvas().FillRect(whole);
      temporary_bitmap_->Canvas().StretchDraw(whole, graphic);
      canvas.Canvas().Draw(picture_rect.Left, picture_rect.Top, temporary_bitmap_.get());
    } catch (const EOutOfResources&) {
      canvas.FillRectColor(client, BackgroundColor);
      canvas.Canvas().StretchDraw(picture_rect, graphic);
    }
  }
  if (Transparent || picture_rect.Intersect(client) == client)
    return;
  canvas.PushClipRegion();
  canvas.ExcludeFromClip(picture_rect);
  canvas.FillRectColor(client, BackgroundColor);
  canvas.PopClipRegion();
}

// --- TlxImageViewData --------------------------------------------------------

void TlxImageViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                 TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxCustomEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* image_info = dynamic_cast<TlxImageViewInfo*>(&view_info);
  const TlxCustomImageProperties* properties = ImageProperties(Properties());
  if (image_info == nullptr || properties == nullptr || bounds.IsEmpty())
    return;
  if (EditorPicture != nullptr && !image_info->OwnsPicture())
    image_info->SetPicture(EditorPicture);
  image_info->Caption = properties->Caption();
  image_info->Center = properties->Center();
  image_info->Stretch = properties->Stretch();
  image_info->Proportional = properties->Proportional();
  image_info->ShowFocusFrame = properties->ShowFocusRect() && Focused && !IsInplace();
  if (image_info->Center || image_info->Stretch)
    image_info->Offset = TPoint(0, 0);
}

void TlxImageViewData::ApplyEditValueToViewInfo(TlxCanvas& /*canvas*/, const Variant& edit_value,
                                                TlxCustomEditViewInfo& view_info) {
  auto* image_info = dynamic_cast<TlxImageViewInfo*>(&view_info);
  const TlxCustomImageProperties* properties = ImageProperties(Properties());
  // A stand-alone editor's picture is the value itself: decoding it again
  // would only rewrite the picture the editor holds.
  if (image_info == nullptr || properties == nullptr || EditorPicture != nullptr)
    return;
  const bool holds_bytes = VarIsArray(edit_value) || (VarIsStr(edit_value) && !edit_value.AsString().empty());
  if (!holds_bytes) {
    if (image_info->Picture() != nullptr)
      image_info->Picture()->SetGraphic(nullptr);
    return;
  }
  TPicture& picture = image_info->Picture() != nullptr ? *image_info->Picture() : image_info->OwnedPicture();
  lxLoadPictureFromValue(picture, properties->GetGraphicClass(Item, RecordIndex, false), edit_value);
  if (properties->GraphicTransparency() != gtDefault && picture.Graphic() != nullptr)
    picture.Graphic()->SetTransparent(properties->GraphicTransparency() == gtTransparent);
}

TSize TlxImageViewData::MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                           const TlxEditSizeProperties& limits) const {
  if (!IsInplace())
    return EditorPicture != nullptr ? TSize(EditorPicture->Width(), EditorPicture->Height()) : TSize(0, 0);
  if (InplaceEditorSize.cx > 0 || InplaceEditorSize.cy > 0) {
    const TRect border = GetBorderExtent();
    return TSize(InplaceEditorSize.cx - border.Left - border.Right,
                 InplaceEditorSize.cy - border.Top - border.Bottom);
  }
  const TlxCustomImageProperties* properties = ImageProperties(Properties());
  if (properties == nullptr)
    return TSize(0, 0);
  TSize size(0, properties->DefaultHeight());
  if (VarIsStr(edit_value)) {
    TPicture picture;
    lxLoadPictureFromValue(picture, properties->GetGraphicClass(Item, RecordIndex, false), edit_value);
    const int32_t width = picture.Width();
    const int32_t height = picture.Height();
    size = TSize(width, height);
    if (properties->Stretch()) {
      if (limits.Width > 0 && width > 0)
        size = TSize(limits.Width, RoundHalfEven(static_cast<double>(limits.Width) * height / width));
      else if (limits.Height > 0 && height > 0)
        size = TSize(RoundHalfEven(static_cast<double>(limits.Height) * width / height), limits.Height);
    }
  } else if (!properties->Caption().empty()) {
    TlxCustomEditStyle* style = GetEditStyle();
    if (style != nullptr && style->GetTextFont() != nullptr)
      canvas.AssignFont(*style->GetTextFont());
    size = canvas.MeasureTextExtent(properties->Caption());
  }
  return size;
}
