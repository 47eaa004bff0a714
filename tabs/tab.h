#pragma once
// One tab of a tab control: caption, colour, flags and image, plus the
// geometry the layout writes into it. A tab belongs to its TlxTabs; freeing
// it takes it out of that list.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/geometry.h"
#include "platform/rtl/persistent.h"
#include "tabs/tab_types.h"

class TlxTabs;
class TlxTabControlModel;

// clDefault: the painter chooses the colour.
inline constexpr uint32_t kPCColorDefault = 0x20000000;

class TlxTab : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxTab", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxTab(TlxTabs* tabs, int32_t index);
  ~TlxTab() override;

  TlxTabs* Tabs() const { return tabs_; }
  TlxTabControlModel& Control() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // Stores the caption without measuring or relayout (insertion, AssignTo).
  void StoreCaption(const std::string& caption) { caption_ = caption; }
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t color);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Highlighted() const { return highlighted_; }
  void SetHighlighted(bool highlighted);
  // The image the control shows (an event may replace the stored one).
  int32_t ImageIndex() const;
  int32_t StoredImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t image_index);
  // A form stores the image index only where it differs from the position.
  bool IsImageIndexStored() const { return image_index_ != index_; }
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int32_t Index() const { return index_; }
  TObject* Object() const { return object_; }
  void SetObject(TObject* object) { object_ = object; }

  // Geometry written by the layout.
  int32_t RowIndex() const { return row_index_; }
  int32_t DisplayRowIndex() const { return display_row_index_; }
  TPoint LayoutOrigin() const { return layout_origin_; }
  int32_t LayoutWidth() const { return layout_width_; }
  TRect ShapeCorrection() const { return shape_correction_; }
  void SetRowIndex(int32_t row) { row_index_ = row; }
  void SetDisplayRowIndex(int32_t row) { display_row_index_ = row; }
  void SetLayoutOrigin(TPoint origin) { layout_origin_ = origin; }
  void SetLayoutWidth(int32_t width) { layout_width_ = width; }
  void SetShapeCorrection(const TRect& correction) { shape_correction_ = correction; }

  // -1 when hidden.
  int32_t VisibleIndex() const;
  bool IsHot() const;
  bool IsPressed() const;
  bool IsTracking() const;
  bool IsMainTab() const;
  // The control's and the tab's Enabled.
  bool IsEnabledForUse() const;

  // Extent along the row: all rotated tabs share the common tab height.
  int32_t Extent() const;
  TRect BaseRect() const;
  // The base rectangle with the painter's corrections.
  TRect FullRect();
  // Empty for a hidden tab or one outside the displayed range.
  TRect DisplayRect();
  bool IsDisplayed() { return !DisplayRect().IsEmpty(); }
  // The side the tab is drawn on.
  TlxTabPosition Side() const;
  int32_t DrawingVariant() const;

  // Off-screen bitmaps of the painter; their kind is the painter's.
  TObject* PaintBitmap() const { return paint_bitmap_.get(); }
  void SetPaintBitmap(std::unique_ptr<TObject> bitmap) { paint_bitmap_ = std::move(bitmap); }
  TObject* VerticalCaptionBitmap() const { return vertical_caption_bitmap_.get(); }
  void SetVerticalCaptionBitmap(std::unique_ptr<TObject> bitmap) { vertical_caption_bitmap_ = std::move(bitmap); }
  void FreeVerticalCaptionBitmap() { vertical_caption_bitmap_.reset(); }

  // Tells the list that this tab changed.
  void Changed(TlxPCTabChangeKind kind);

 protected:
  void AssignTo(TPersistent& destination) const override;

 private:
  friend class TlxTabs;
  void SetIndex(int32_t index) { index_ = index; }
  void ChangedIfDisplayed(bool displayed_before, TlxPCTabChangeKind kind);

  TlxTabs* tabs_;
  std::string caption_;
  uint32_t color_ = kPCColorDefault;
  bool enabled_ = true;
  bool highlighted_ = false;
  int32_t image_index_;
  bool selected_ = false;
  bool visible_ = true;
  int32_t index_;
  TObject* object_ = nullptr;
  int32_t row_index_ = 0;
  int32_t display_row_index_ = 0;
  TPoint layout_origin_;
  int32_t layout_width_ = 0;
  TRect shape_correction_;
  std::unique_ptr<TObject> paint_bitmap_;
  std::unique_ptr<TObject> vertical_caption_bitmap_;
};
