#pragma once
// TprPageDef: a page's size and margins in thousandths of a millimetre.

#include <cstdint>

#include "platform/rtl/property.h"

class TprPageDef : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TprPageDef", &TPersistent::kClass, &ConstructInstance<TprPageDef>,
                                 &TprPageDef::Publish};
  const TClass* ClassType() const override { return &kClass; }

  TprPageDef() = default;
  TprPageDef(const TprPageDef& other) : TPersistent() { CopyValues(other); }
  TprPageDef& operator=(const TprPageDef& other) {
    CopyValues(other);
    return *this;
  }

  int32_t mmHeight() const { return height_; }
  int32_t mmWidth() const { return width_; }
  int32_t mmMarginLeft() const { return margin_left_; }
  int32_t mmMarginRight() const { return margin_right_; }
  int32_t mmMarginTop() const { return margin_top_; }
  int32_t mmMarginBottom() const { return margin_bottom_; }
  void SetmmHeight(int32_t value) { height_ = value; }
  void SetmmWidth(int32_t value) { width_ = value; }
  void SetmmMarginLeft(int32_t value) { margin_left_ = value; }
  void SetmmMarginRight(int32_t value) { margin_right_ = value; }
  void SetmmMarginTop(int32_t value) { margin_top_ = value; }
  void SetmmMarginBottom(int32_t value) { margin_bottom_ = value; }

  // The size inside the margins.
  int32_t PrintableHeight() const { return height_ - margin_top_ - margin_bottom_; }
  int32_t PrintableWidth() const { return width_ - margin_left_ - margin_right_; }

  // Width and height exchanged (the page turned by a quarter).
  void Turn();

  void Assign(const TPersistent* source) override;
  friend bool operator==(const TprPageDef& a, const TprPageDef& b) {
    return a.height_ == b.height_ && a.width_ == b.width_ && a.margin_left_ == b.margin_left_ &&
           a.margin_right_ == b.margin_right_ && a.margin_top_ == b.margin_top_ &&
           a.margin_bottom_ == b.margin_bottom_;
  }

 private:
  void CopyValues(const TprPageDef& other);

  int32_t height_ = 0;
  int32_t width_ = 0;
  int32_t margin_left_ = 0;
  int32_t margin_right_ = 0;
  int32_t margin_top_ = 0;
  int32_t margin_bottom_ = 0;
};
