#include "platform/toolkit/pen.h"

#include <array>

namespace {

SharedHandles& PenCache() {
  static auto* cache = new SharedHandles();  // never destroyed, see SharedHandles
  return *cache;
}

}  // namespace

int PenModeToRop2(TPenMode mode) {
  static constexpr std::array<int, 16> kRop2{
      R2_BLACK,       R2_WHITE,       R2_NOP,     R2_NOT,     R2_COPYPEN,   R2_NOTCOPYPEN,
      R2_MERGEPENNOT, R2_MASKPENNOT,  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
      R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,  R2_NOTXORPEN,
  };
  return kRop2[mode];
}

TPen::~TPen() {
  // The base cannot reach DisposeHandle from its destructor.
  FreeHandle();
}

void TPen::DisposeHandle(HGDIOBJ handle) {
  if (!PenCache().Release(handle))
    TGraphicsObject::DisposeHandle(handle);
}

void TPen::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TPen*>(source);
  if (other == nullptr) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == other->color_ && width_ == other->width_ && style_ == other->style_ && mode_ == other->mode_)
    return;
  color_ = other->color_;
  width_ = other->width_;
  style_ = other->style_;
  mode_ = other->mode_;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int32_t width) {
  if (width < 0 || width == width_)
    return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_)
    return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_)
    return;
  mode_ = mode;
  if (OnChange)
    OnChange(this);
}

HPEN TPen::Handle() {
  if (handle_ != nullptr)
    return static_cast<HPEN>(handle_);
  static constexpr std::array<UINT, 7> kStyles{PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT,
                                               PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  LOGPEN settings{};
  settings.lopnStyle = kStyles[style_];
  settings.lopnWidth.x = width_;
  settings.lopnColor = ColorToColorRef(color_);
  handle_ = PenCache().Acquire(SharedHandles::KeyOf(settings), [&] { return CreatePenIndirect(&settings); });
  owns_handle_ = true;
  return static_cast<HPEN>(handle_);
}
