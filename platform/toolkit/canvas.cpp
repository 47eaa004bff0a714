#include "platform/toolkit/canvas.h"

#include <array>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/graphic.h"

namespace {

std::u16string Wide(std::string_view text) { return Utf8ToUtf16(text); }

const WCHAR* WidePointer(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

std::vector<POINT> ToSystemPoints(const std::vector<TPoint>& points) {
  std::vector<POINT> result;
  result.reserve(points.size());
  for (const TPoint& point : points)
    result.push_back(point);
  return result;
}

}  // namespace

UINT TextFormatToDrawTextFlags(TTextFormat format) {
  struct Mapping {
    TTextFormatOption option;
    UINT flag;
  };
  static constexpr std::array kMappings{
      Mapping{tfBottom, DT_BOTTOM},
      Mapping{tfCalcRect, DT_CALCRECT},
      Mapping{tfCenter, DT_CENTER},
      Mapping{tfEditControl, DT_EDITCONTROL},
      Mapping{tfEndEllipsis, DT_END_ELLIPSIS},
      Mapping{tfPathEllipsis, DT_PATH_ELLIPSIS},
      Mapping{tfExpandTabs, DT_EXPANDTABS},
      Mapping{tfExternalLeading, DT_EXTERNALLEADING},
      Mapping{tfLeft, DT_LEFT},
      Mapping{tfModifyString, DT_MODIFYSTRING},
      Mapping{tfNoClip, DT_NOCLIP},
      Mapping{tfNoPrefix, DT_NOPREFIX},
      Mapping{tfRight, DT_RIGHT},
      Mapping{tfRtlReading, DT_RTLREADING},
      Mapping{tfSingleLine, DT_SINGLELINE},
      Mapping{tfTop, DT_TOP},
      Mapping{tfVerticalCenter, DT_VCENTER},
      Mapping{tfWordBreak, DT_WORDBREAK},
      Mapping{tfHidePrefix, DT_HIDEPREFIX},
      Mapping{tfNoFullWidthCharBreak, DT_NOFULLWIDTHCHARBREAK},
      Mapping{tfPrefixOnly, DT_PREFIXONLY},
      Mapping{tfTabStop, DT_TABSTOP},
      Mapping{tfWordEllipsis, DT_WORD_ELLIPSIS},
  };
  UINT flags = 0;
  for (const Mapping& mapping : kMappings)
    if (format.Contains(mapping.option))
      flags |= mapping.flag;
  return flags;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = [this](TObject*) { FontChanged(); };
  pen_->OnChange = [this](TObject*) { PenChanged(); };
  brush_->OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() {
  // Derived destructors release their context; a context handed in from
  // outside only gets its stock objects back.
  SetHandle(nullptr);
}

HDC TCanvas::Handle() {
  RequiredState(kNeedHandle);
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_)
    return;
  if (handle_ != nullptr) {
    if (LeavesObjectsSelected())
      LeaveHandlesSelected();
    else
      DeselectHandles();
  }
  handle_ = dc;
  if (handle_ != nullptr)
    pen_pos_ = TPoint();
}

void TCanvas::DeselectHandles() {
  if (handle_ == nullptr)
    return;
  if (font_valid_)
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_FONT));
  if (pen_valid_)
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_PEN));
  if (brush_valid_)
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_BRUSH));
  font_valid_ = pen_valid_ = brush_valid_ = false;
}

void TCanvas::LeaveHandlesSelected() {
  if (font_valid_)
    LeftSelections::Note(handle_, font_->Handle(), OBJ_FONT);
  if (pen_valid_)
    LeftSelections::Note(handle_, pen_->Handle(), OBJ_PEN);
  if (brush_valid_)
    LeftSelections::Note(handle_, brush_->Handle(), OBJ_BRUSH);
  font_valid_ = pen_valid_ = brush_valid_ = false;
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(uint8_t parts) {
  if (handle_ == nullptr) {
    CreateHandle();
    if (handle_ == nullptr)
      throw EInvalidOperation("Canvas does not allow drawing");
  }
  if ((parts & kNeedFont) != 0 && !font_valid_)
    SelectFont();
  if ((parts & kNeedPen) != 0 && !pen_valid_)
    SelectPen();
  if ((parts & kNeedBrush) != 0 && !brush_valid_)
    SelectBrush();
}

void TCanvas::SelectIfOther(HGDIOBJ object, UINT kind) {
  if (GetCurrentObject(handle_, kind) != object)
    SelectObject(handle_, object);
}

void TCanvas::SelectFont() {
  SelectIfOther(font_->Handle(), OBJ_FONT);
  SetTextColor(handle_, ColorToColorRef(font_->Color()));
  font_valid_ = true;
}

void TCanvas::SelectPen() {
  SelectIfOther(pen_->Handle(), OBJ_PEN);
  SetROP2(handle_, PenModeToRop2(pen_->Mode()));
  pen_valid_ = true;
}

void TCanvas::SelectBrush() {
  HBRUSH brush = brush_->Handle();
  // Hatches and bitmap patterns start at the context's origin, which
  // differs from control to control: they are realized and selected anew
  // each time. Plain colours and the clear brush need no reset.
  const bool patterned = brush_->Bitmap() != nullptr || (brush_->Style() != bsSolid && brush_->Style() != bsClear);
  if (patterned) {
    UnrealizeObject(brush);
    SelectObject(handle_, brush);
  } else {
    SelectIfOther(brush, OBJ_BRUSH);
  }
  const bool opaque = brush_->Style() == bsSolid || brush_->Bitmap() != nullptr;
  SetBkColor(handle_, ColorToColorRef(brush_->Color()));
  SetBkMode(handle_, opaque ? OPAQUE : TRANSPARENT);
  brush_valid_ = true;
}

// A changed object whose handle goes is deselected at once: the old handle
// is deleted right after this returns. A change that keeps the handle (a
// font's colour, a pen's mode) only needs the context's settings again.
void TCanvas::FontChanged() {
  if (!font_valid_)
    return;
  font_valid_ = false;
  if (!font_->HandleAllocated())
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_FONT));
}

void TCanvas::PenChanged() {
  if (!pen_valid_)
    return;
  pen_valid_ = false;
  if (!pen_->HandleAllocated())
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_PEN));
}

void TCanvas::BrushChanged() {
  if (!brush_valid_)
    return;
  brush_valid_ = false;
  if (!brush_->HandleAllocated())
    SelectObject(handle_, LeftSelections::StockObjectOfKind(OBJ_BRUSH));
}

void TCanvas::Changing() {
  if (OnChanging)
    OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange)
    OnChange(this);
}

TPoint TCanvas::PenPos() {
  RequiredState(kNeedHandle);
  POINT point{};
  GetCurrentPositionEx(handle_, &point);
  return point;
}

TRect TCanvas::ClipRect() {
  RequiredState(kNeedHandle);
  RECT rect{};
  GetClipBox(handle_, &rect);
  return rect;
}

TColor TCanvas::Pixel(int32_t x, int32_t y) {
  RequiredState(kNeedHandle);
  const COLORREF value = GetPixel(handle_, x, y);
  return value == CLR_INVALID ? clNone : static_cast<TColor>(value);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  Changing();
  RequiredState(kNeedHandle);
  ::SetPixel(handle_, x, y, ColorToColorRef(color));
  Changed();
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
  RequiredState(kNeedHandle);
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int32_t x, int32_t y) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::LineTo(handle_, x, y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty())
    return;
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  const std::vector<POINT> system_points = ToSystemPoints(points);
  ::Polyline(handle_, system_points.data(), static_cast<int>(system_points.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty())
    return;
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  const std::vector<POINT> system_points = ToSystemPoints(points);
  ::Polygon(handle_, system_points.data(), static_cast<int>(system_points.size()));
  Changed();
}

void TCanvas::PolyBezier(const std::vector<TPoint>& points) {
  if (points.empty())
    return;
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  const std::vector<POINT> system_points = ToSystemPoints(points);
  ::PolyBezier(handle_, system_points.data(), static_cast<DWORD>(system_points.size()));
  Changed();
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::Rectangle(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::RoundRect(handle_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::Ellipse(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::Arc(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::Pie(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                    int32_t y4) {
  Changing();
  RequiredState(kNeedHandle | kNeedPen | kNeedBrush);
  ::Chord(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::FillRect(const TRect& rect) {
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  const RECT system_rect = rect;
  ::FillRect(handle_, &system_rect, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  const RECT system_rect = rect;
  ::FrameRect(handle_, &system_rect, brush_->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  const RECT system_rect = rect;
  ::DrawFocusRect(handle_, &system_rect);
  Changed();
}

void TCanvas::FloodFill(int32_t x, int32_t y, TColor color, bool fill_surface) {
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  ExtFloodFill(handle_, x, y, ColorToColorRef(color), fill_surface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  Changing();
  RequiredState(kNeedHandle | kNeedFont | kNeedBrush);
  const std::u16string wide = Wide(text);
  ExtTextOutW(handle_, x, y, text_flags_, nullptr, WidePointer(wide), static_cast<UINT>(wide.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text) {
  Changing();
  RequiredState(kNeedHandle | kNeedFont | kNeedBrush);
  const std::u16string wide = Wide(text);
  const RECT clip = rect;
  UINT options = ETO_CLIPPED | text_flags_;
  if (brush_->Style() != bsClear)
    options |= ETO_OPAQUE;
  ExtTextOutW(handle_, x, y, options, &clip, WidePointer(wide), static_cast<UINT>(wide.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(TRect& rect, std::string_view text, TTextFormat format) {
  Changing();
  RequiredState(kNeedHandle | kNeedFont | kNeedBrush);
  const std::u16string wide = Wide(text);
  RECT system_rect = rect;
  const UINT flags = TextFormatToDrawTextFlags(format);
  // DrawText may write the shortened text back with DT_MODIFYSTRING: give it
  // a buffer with room for the ellipsis.
  std::u16string buffer = wide;
  buffer.resize(wide.size() + 4);
  DrawTextW(handle_, reinterpret_cast<WCHAR*>(buffer.data()), static_cast<int>(wide.size()), &system_rect,
            flags);
  if (format.Contains(tfCalcRect))
    rect = system_rect;
  Changed();
}

TSize TCanvas::TextExtent(std::string_view text) {
  RequiredState(kNeedHandle | kNeedFont);
  const std::u16string wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(handle_, WidePointer(wide), static_cast<int>(wide.size()), &size);
  return {size.cx, size.cy};
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty())
    return;
  Changing();
  RequiredState(kNeedHandle);
  graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
  Changed();
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic* graphic, uint8_t opacity) {
  if (graphic == nullptr || graphic->Empty())
    return;
  Changing();
  RequiredState(kNeedHandle);
  graphic->DrawTransparent(*this, Bounds(x, y, graphic->Width(), graphic->Height()), opacity);
  Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty())
    return;
  Changing();
  RequiredState(kNeedHandle);
  graphic->Draw(*this, rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& source_rect) {
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  source.RequiredState(kNeedHandle | kNeedBrush);
  SetStretchBltMode(handle_, COLORONCOLOR);
  StretchBlt(handle_, dest.Left, dest.Top, dest.Width(), dest.Height(), source.handle_, source_rect.Left,
             source_rect.Top, source_rect.Width(), source_rect.Height(), copy_mode_);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& source, TColor transparent) {
  if (bitmap.Empty())
    return;
  Changing();
  RequiredState(kNeedHandle | kNeedBrush);
  // Fill with the brush, then lay the bitmap over it with `transparent`
  // left out.
  const RECT dest_rect = dest;
  if (brush_->Style() != bsClear)
    ::FillRect(handle_, &dest_rect, brush_->Handle());
  TransparentBlt(handle_, dest.Left, dest.Top, dest.Width(), dest.Height(), bitmap.Canvas().Handle(),
                 source.Left, source.Top, source.Width(), source.Height(), ColorToColorRef(transparent));
  Changed();
}

void TCanvas::Lock() {
  lock_.lock();
  ++lock_count_;
}

void TCanvas::Unlock() {
  if (lock_count_ == 0)
    return;
  --lock_count_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock())
    return false;
  ++lock_count_;
  return true;
}

TScreenCanvas::~TScreenCanvas() {
  SetHandle(nullptr);
  if (screen_dc_ != nullptr)
    ReleaseDC(nullptr, screen_dc_);
}

void TScreenCanvas::CreateHandle() {
  if (screen_dc_ == nullptr)
    screen_dc_ = GetDC(nullptr);
  SetHandle(screen_dc_);
}
