#include "ui/foundation/geometry/persistent_rect.h"

#include <string>

#include "platform/rtl/property.h"
#include "ui/foundation/geometry/rect_functions.h"

namespace {

int32_t& SideOf(TRect& rect, int32_t index) {
  switch (index) {
    case TlxRect::kLeft:
      return rect.Left;
    case TlxRect::kTop:
      return rect.Top;
    case TlxRect::kRight:
      return rect.Right;
    case TlxRect::kBottom:
      return rect.Bottom;
    default:
      throw EListError::IndexOutOfBounds(index);
  }
}

int module_starts = 0;

}  // namespace

void TlxRect::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxRect>();
  p.Integer("Left", &TlxRect::Left, &TlxRect::SetLeft, 0);
  p.Integer("Top", &TlxRect::Top, &TlxRect::SetTop, 0);
  p.Integer("Right", &TlxRect::Right, &TlxRect::SetRight, 0);
  p.Integer("Bottom", &TlxRect::Bottom, &TlxRect::SetBottom, 0);
}

void TlxRect::SetRect(const TRect& rect) {
  if (lxRectEquals(rect, rect_))
    return;
  rect_ = rect;
  DoChange();
}

int32_t TlxRect::GetSide(int32_t index) const {
  TRect copy = rect_;
  return SideOf(copy, index);
}

void TlxRect::SetSide(int32_t index, int32_t value) {
  TRect rect = rect_;
  SideOf(rect, index) = value;
  SetRect(rect);
}

void TlxRect::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxRect*>(source))
    SetRect(other->rect_);
}

void TlxRect::DoChange() {
  if (OnChange)
    OnChange(this);
}

void lxRectModuleStart() {
  if (module_starts++ == 0)
    RegisterStreamableClass(TlxRect::kClass);
}

void lxRectModuleEnd() {
  if (module_starts == 0)
    return;
  if (--module_starts == 0)
    UnRegisterStreamableClass(TlxRect::kClass);
}
