#pragma once
// The image editor's layout and drawing. The view data takes the image
// settings and the value into a view info (decoding a grid cell's value
// into a picture of the view info's own) and measures the content; the
// view info draws the picture centred, stretched or shrunk in proportion,
// or the caption when there is no picture.

#include <memory>
#include <string>

#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"

class TBitmap;
class TControl;
class TPicture;

class TlxImageViewInfo : public TlxCustomEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxImageViewInfo", &TlxCustomEditViewInfo::kClass,
                                 &ConstructInstance<TlxImageViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  TlxImageViewInfo();
  ~TlxImageViewInfo() override;

  void RenderFrame(TlxCanvas& canvas) override;
  // Only a caption drawn in place of a missing picture depends on state.
  bool RepaintsOnStateChange() const override;

  // The picture drawn: an editor's own (not owned), or one made here.
  TPicture* Picture() const { return picture_; }
  void SetPicture(TPicture* picture);
  // Makes (once) and returns a picture that the view info owns.
  TPicture& OwnedPicture();
  bool OwnsPicture() const { return owned_picture_ != nullptr; }

  std::string Caption;
  bool Center = true;
  bool Stretch = false;
  bool Proportional = true;
  bool ShowFocusFrame = false;
  // The scroll position of a stand-alone editor.
  TPoint Offset;
  // The control whose parent shows through a transparent editor.
  TControl* Control = nullptr;

  // Where the picture goes in `client` by the placement settings.
  TRect PictureRect(const TRect& client) const;

 private:
  void PaintParentBackground(TlxCanvas& canvas);
  void DrawGraphic(TlxCanvas& canvas, const TRect& picture_rect, const TRect& client);

  TPicture* picture_ = nullptr;
  std::unique_ptr<TPicture> owned_picture_;
  std::unique_ptr<TBitmap> temporary_bitmap_;
};

class TlxImageViewData : public TlxCustomEditViewData {
 public:
  static constexpr TClass kClass{"TlxImageViewData", &TlxCustomEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomEditViewData::TlxCustomEditViewData;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;
  TSize MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                           const TlxEditSizeProperties& limits) const override;

  // The picture of a stand-alone editor (its own Picture); null for cells.
  TPicture* EditorPicture = nullptr;
  // The size of the editor that shows the value in place; empty for cells.
  TSize InplaceEditorSize;
  // The item and record a cell's value comes from, for the graphic class.
  TObject* Item = nullptr;
  int32_t RecordIndex = -1;
};

// A rectangle around `rect` with the canvas's pen and no fill.
void lxImageDrawFocusFrame(TlxCanvas& canvas, const TRect& rect);
