#include "printers/page_def.h"

#include <utility>

void TprPageDef::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TprPageDef>();
  p.Integer("mmHeight", &TprPageDef::mmHeight, &TprPageDef::SetmmHeight);
  p.Integer("mmWidth", &TprPageDef::mmWidth, &TprPageDef::SetmmWidth);
  p.Integer("mmMarginLeft", &TprPageDef::mmMarginLeft, &TprPageDef::SetmmMarginLeft);
  p.Integer("mmMarginRight", &TprPageDef::mmMarginRight, &TprPageDef::SetmmMarginRight);
  p.Integer("mmMarginTop", &TprPageDef::mmMarginTop, &TprPageDef::SetmmMarginTop);
  p.Integer("mmMarginBottom", &TprPageDef::mmMarginBottom, &TprPageDef::SetmmMarginBottom);
}

void TprPageDef::Turn() { std::swap(width_, height_); }

void TprPageDef::CopyValues(const TprPageDef& other) {
  height_ = other.height_;
  width_ = other.width_;
  margin_left_ = other.margin_left_;
  margin_right_ = other.margin_right_;
  margin_top_ = other.margin_top_;
  margin_bottom_ = other.margin_bottom_;
}

void TprPageDef::Assign(const TPersistent* source) {
  if (const auto* page = dynamic_cast<const TprPageDef*>(source)) {
    CopyValues(*page);
    return;
  }
  TPersistent::Assign(source);
}
