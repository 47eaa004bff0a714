#pragma once
// TCanvas: drawing on a device context with the canvas's own font, pen and
// brush, which are selected into the context lazily, just before an
// operation needs them. Derived canvases (a control's, a bitmap's, the
// screen's) create their context on first use.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/toolkit/brush.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/pen.h"
#include "platform/toolkit/types.h"

class TGraphic;
class TBitmap;

// BitBlt raster codes for CopyRect and graphic drawing.
using TCopyMode = uint32_t;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// Options of TextRect with a format (DrawText flags in a set).
enum TTextFormatOption : uint8_t {
  tfBottom,
  tfCalcRect,
  tfCenter,
  tfEditControl,
  tfEndEllipsis,
  tfPathEllipsis,
  tfExpandTabs,
  tfExternalLeading,
  tfLeft,
  tfModifyString,
  tfNoClip,
  tfNoPrefix,
  tfRight,
  tfRtlReading,
  tfSingleLine,
  tfTop,
  tfVerticalCenter,
  tfWordBreak,
  tfHidePrefix,
  tfNoFullWidthCharBreak,
  tfPrefixOnly,
  tfTabStop,
  tfWordEllipsis,
};
using TTextFormat = TSmallSet<TTextFormatOption>;
UINT TextFormatToDrawTextFlags(TTextFormat format);

class TCanvas : public TPersistent {
 public:
  static constexpr TClass kClass{"TCanvas", &TPersistent::kClass, &ConstructInstance<TCanvas>};
  const TClass* ClassType() const override { return &kClass; }

  TCanvas();
  ~TCanvas() override;

  // The device context; derived canvases create one on first use. Setting
  // a handle deselects the canvas's objects from the previous one first.
  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The context as it is, without creating one.
  HDC CurrentHandle() const { return handle_; }

  TFont& Font() { return *font_; }
  TPen& Pen() { return *pen_; }
  TBrush& Brush() { return *brush_; }
  void SetFont(const TFont& font) { font_->Assign(&font); }
  void SetPen(const TPen& pen) { pen_->Assign(&pen); }
  void SetBrush(const TBrush& brush) { brush_->Assign(&brush); }

  TCopyMode CopyMode() const { return copy_mode_; }
  void SetCopyMode(TCopyMode mode) { copy_mode_ = mode; }
  // ExtTextOut options used by TextOut and TextRect (ETO_OPAQUE...).
  uint32_t TextFlags() const { return text_flags_; }
  void SetTextFlags(uint32_t flags) { text_flags_ = flags; }

  TPoint PenPos();
  void SetPenPos(TPoint point) { MoveTo(point.X, point.Y); }
  // The bounds of the current clip region in logical coordinates.
  TRect ClipRect();

  TColor Pixel(int32_t x, int32_t y);
  void SetPixel(int32_t x, int32_t y, TColor color);

  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);
  void PolyBezier(const std::vector<TPoint>& points);
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  void Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  // Fills with the brush, without outline.
  void FillRect(const TRect& rect);
  // A one-pixel frame in the brush.
  void FrameRect(const TRect& rect);
  void DrawFocusRect(const TRect& rect);
  void FloodFill(int32_t x, int32_t y, TColor color, bool fill_surface);

  // Text in UTF-8, drawn in the font's colour on the brush (a clear brush
  // leaves the background as it is).
  void TextOut(int32_t x, int32_t y, std::string_view text);
  // Text clipped to the rectangle, starting at (x, y).
  void TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text);
  // Text laid out in the rectangle by DrawText; with tfCalcRect the
  // rectangle receives the size the text needs and nothing is drawn.
  void TextRect(TRect& rect, std::string_view text, TTextFormat format);
  TSize TextExtent(std::string_view text);
  int32_t TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int32_t TextHeight(std::string_view text) { return TextExtent(text).cy; }

  void Draw(int32_t x, int32_t y, TGraphic* graphic);
  // Draws with a constant opacity (0 invisible, 255 opaque).
  void Draw(int32_t x, int32_t y, TGraphic* graphic, uint8_t opacity);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& source_rect);
  // Copies the bitmap's part with `transparent` replaced by the brush.
  void BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& source, TColor transparent);

  // Mutual exclusion for canvases that are drawn on from more than one
  // place; nests.
  void Lock();
  void Unlock();
  bool TryLock();
  int32_t LockCount() const { return lock_count_; }

  // Deselects and forgets the objects, so that the next operation selects
  // them again (after someone else changed the context).
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Derived canvases create their context here; the base has none.
  virtual void CreateHandle() {}
  // Makes sure the context exists and the objects are selected; raises
  // EInvalidOperation ("Canvas does not allow drawing") without a context.
  enum RequiredPart : uint8_t { kNeedHandle = 1, kNeedFont = 2, kNeedPen = 4, kNeedBrush = 8 };
  void RequiredState(uint8_t parts);
  void Changing();
  void Changed();
  void DeselectHandles();
  // Whether the objects may stay selected in the current context when the
  // canvas lets go of it: true for a context that a painter hands to one
  // canvas after another and releases itself. A context the canvas is
  // about to release or delete gets its stock objects back instead.
  virtual bool LeavesObjectsSelected() const { return false; }

 private:
  void FontChanged();
  void PenChanged();
  void BrushChanged();
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  // Lets go of the context with the objects left in it (see
  // LeavesObjectsSelected); the next canvas on it selects only what differs.
  void LeaveHandlesSelected();
  // Selects `object` unless the context has it selected already: selecting
  // a font makes the system look for its realization each time.
  void SelectIfOther(HGDIOBJ object, UINT kind);

  HDC handle_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  bool font_valid_ = false;
  bool pen_valid_ = false;
  bool brush_valid_ = false;
  TPoint pen_pos_;
  TCopyMode copy_mode_ = cmSrcCopy;
  uint32_t text_flags_ = 0;
  std::recursive_mutex lock_;
  int32_t lock_count_ = 0;
};

// A canvas over the whole screen, for measuring and for drawing feedback
// over every window.
class TScreenCanvas : public TCanvas {
 public:
  static constexpr TClass kClass{"TScreenCanvas", &TCanvas::kClass, &ConstructInstance<TScreenCanvas>};
  const TClass* ClassType() const override { return &kClass; }
  ~TScreenCanvas() override;

 protected:
  void CreateHandle() override;

 private:
  HDC screen_dc_ = nullptr;
};
