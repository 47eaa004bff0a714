#pragma once
// TlxCanvas: the component library's drawing surface, a thin object over a
// toolkit canvas. It adds stacks of saved device-context levels, clip
// regions and pen/brush/font states; clipping by regions that respects the
// context's origin; framed and tiled fills; two-colour 3-D edges; glyphs and
// text with an embossed disabled look; and text measuring.
//
// TlxScreenCanvas measures on the desktop; lxGetScreenCanvas gives the one
// the whole process shares.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/types.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/canvas/canvas_text_flags.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/geometry/geometry.h"

// The sides of a rectangle that borders and edges are drawn on.
enum TlxBorder : uint8_t { bLeft, bTop, bRight, bBottom };
using TlxBorders = TSmallSet<TlxBorder>;
constexpr TlxBorders lxAllBorders{bLeft, bTop, bRight, bBottom};

// What the styles hand to a painter: a background bitmap (may be null), the
// background colour, the font (not owned) and the text colour.
struct TlxPaintParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// The DrawText flags of canvas text flags. DT_NOPREFIX is there unless the
// prefix is to be shown.
UINT lxCanvasTextFlagsToDrawText(TlxCanvasTextFlags flags);

// One saved state of a canvas: copies of its font, brush and pen.
struct TlxCanvasState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
};
using TlxCanvasStates = std::vector<TlxCanvasState>;

class TlxCanvas : public TObject {
 public:
  static constexpr TClass kClass{"TlxCanvas", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Wraps `canvas`, which must outlive this object and is never freed by it.
  explicit TlxCanvas(TCanvas& canvas);
  ~TlxCanvas() override;

  TCanvas& Canvas() const { return *canvas_; }
  TBrush& Brush() const { return canvas_->Brush(); }
  TFont& Font() const { return canvas_->Font(); }
  TPen& Pen() const { return canvas_->Pen(); }
  // The device context, created on demand.
  HDC Handle() const { return canvas_->Handle(); }
  void AssignFont(const TFont& font) { canvas_->SetFont(font); }

  // --- saved states -------------------------------------------------------
  // Pops with nothing pushed do nothing.
  void PushDC();
  void PopDC();
  // The device context with copies of the font, brush and pen.
  void PushState();
  void PopState();
  void PushClipRegion();
  void PopClipRegion();

  // --- clipping -------------------------------------------------------------
  // Viewport origin minus window origin: logical plus this is device.
  TPoint DeviceOriginOffset() const;
  // The clip region, (0, 0, 30000, 30000) when the context has none; with
  // `correct_origin` in logical coordinates, else in device coordinates.
  std::unique_ptr<TlxRegion> CopyClipRegion(bool correct_origin = true) const;
  // Combines the clip region with `region` by `operation` (roSet replaces
  // it). With `correct_origin` the region is in logical coordinates. The
  // first form frees the region, the second leaves it as it was.
  void ApplyClipRegion(std::unique_ptr<TlxRegion> region, TlxRegionOperation operation, bool correct_origin = true);
  void ApplyClipRegion(TlxRegion& region, TlxRegionOperation operation, bool correct_origin = true);
  void ExcludeFromClip(const TRect& rect);
  void IntersectClip(const TRect& rect);
  bool IsRectVisible(const TRect& rect) const;

  // --- fills and frames -------------------------------------------------------
  // clNone draws nothing; clDefault fills with the brush as it is.
  void FillRectColor(const TRect& rect, TColor color);
  // Changes the brush only for another colour, so its handle stays.
  void SetBrushColor(TColor color);
  // Tiles `bitmap` from the canvas origin over `rect`, or fills with the
  // brush when there is no bitmap (or an empty one). With `exclude`, the
  // rectangle then leaves the clip region.
  void FillRectTiled(const TRect& rect, TBitmap* bitmap, bool exclude = false);
  // Bands of `width` inside the chosen sides (lxFrameSide... bits), left,
  // right, top, bottom in this order, in `color` (clDefault: the brush).
  void FrameRectSides(const TRect& rect, TColor color, int32_t width, uint8_t sides, bool exclude = false);
  // The frame, then the rest of the rectangle in the params' colour and
  // bitmap.
  void FillRectWithFrame(const TRect& rect, const TlxPaintParams& params, uint8_t sides, TColor frame_color,
                         int32_t frame_width, bool exclude = false);
  // Left and top bands in one colour, right and bottom in the other; corners
  // belong to the band drawn last.
  void DrawTwoColorFrame(const TRect& rect, TColor left_top_color, TColor right_bottom_color, TlxBorders borders,
                         int32_t line_width = 1);
  void Draw3DEdge(const TRect& rect, bool sunken, bool outer, TlxBorders borders = lxAllBorders);
  void DrawFocusFrame(const TRect& rect);
  // `count` focus rectangles, each one pixel inside the one before.
  void DrawFocusFrames(const TRect& rect, int32_t count);
  void InvertRect(const TRect& rect);
  void FillRegionColor(HRGN region, TColor color);
  void FrameRegionColor(HRGN region, TColor color, int32_t frame_width, int32_t frame_height);
  void FillAndFrameRegion(const TlxRegion& region, TColor fill_color, TColor frame_color, int32_t frame_width = 1,
                          int32_t frame_height = 1);
  void FillAndFrameRegionHandle(HRGN region, TColor fill_color, TColor frame_color, int32_t frame_width = 1,
                                int32_t frame_height = 1);
  // The bitmap with its transparent colour see-through, on `background`
  // (clNone: on what is there). Disabled glyphs are drawn embossed.
  void DrawGlyphBitmap(int32_t x, int32_t y, TBitmap& bitmap, bool enabled, TColor background);

  // --- pass-through to the toolkit canvas ------------------------------------
  void PutPixel(int32_t x, int32_t y, TColor color) { canvas_->SetPixel(x, y, color); }
  void CopyRectFrom(const TRect& dest, TCanvas& source, const TRect& source_rect) {
    canvas_->CopyRect(dest, source, source_rect);
  }
  void DrawGraphic(int32_t x, int32_t y, TGraphic* graphic) { canvas_->Draw(x, y, graphic); }
  void MoveTo(int32_t x, int32_t y) { canvas_->MoveTo(x, y); }
  void LineTo(int32_t x, int32_t y) { canvas_->LineTo(x, y); }
  void Polygon(const std::vector<TPoint>& points) { canvas_->Polygon(points); }
  void Polyline(const std::vector<TPoint>& points) { canvas_->Polyline(points); }
  void StartPath() { BeginPath(Handle()); }
  void FinishPath() { EndPath(Handle()); }
  TPoint ReadViewportOrigin() const;
  TPoint ReadWindowOrigin() const;
  void AssignWindowOrigin(const TPoint& origin);

  // --- view parameters ---------------------------------------------------------
  // Brush colour, font and font colour into `params` (the bitmap stays).
  void FetchViewParams(TlxPaintParams& params) const;
  void ApplyViewParams(const TlxPaintParams& params);
  // Turns the font's baseline by `degrees` counter-clockwise.
  void RotateFont(int32_t degrees);

  // --- text (UTF-8) -------------------------------------------------------------
  // (0, 0) when the system cannot measure.
  TSize MeasureTextExtent(std::string_view text) const;
  int32_t MeasureTextWidth(std::string_view text) const { return MeasureTextExtent(text).cx; }
  int32_t MeasureTextHeight(std::string_view text) const { return MeasureTextExtent(text).cy; }
  // Assigns the font and measures "Qq".
  int32_t FontTextHeight(const TFont& font);
  // The rectangle the text needs, placed inside `rect` as the alignment
  // flags say.
  void CalcTextRect(std::string_view text, TRect& rect, TlxCanvasTextFlags flags) const;
  // Moves the top of `rect` so that the text sits at the bottom (alignment
  // 1) or in the middle (2); 0 leaves it.
  void AlignTextRectVert(TRect& rect, std::string_view text, int32_t alignment, bool word_break, bool show_prefix,
                         bool enabled, bool dont_break_chars) const;
  void DrawTextInRect(std::string_view text, const TRect& rect, TlxCanvasTextFlags flags, bool enabled = true);

 private:
  void SelectClipRegion(TlxRegion& region, bool correct_origin);
  // Whether the text stays inside `rect` without clipping: a single line by
  // its extent, other text by the height of all its rows.
  bool FitsUnclipped(std::string_view text, const TRect& rect, TlxCanvasTextFlags flags,
                     const TSize& single_line_size) const;
  // Makes the context, its font and text colour, and the background mode of
  // the brush ready for the system's text calls.
  void PrepareTextOutput() const;
  void DrawTextOnce(std::string_view text, const TRect& rect, const TPoint& place, bool use_draw_text,
                    UINT draw_text_flags, bool clip);

  TCanvas* canvas_;
  std::vector<int> saved_dc_levels_;
  std::vector<std::unique_ptr<TlxRegion>> saved_clip_regions_;
  TlxCanvasStates saved_states_;
};

// A TlxCanvas over the desktop, for measuring.
class TlxScreenCanvas : public TlxCanvas {
 public:
  static constexpr TClass kClass{"TlxScreenCanvas", &TlxCanvas::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxScreenCanvas();
  ~TlxScreenCanvas() override;

 private:
  // The base is built on the canvas before this object takes it over.
  explicit TlxScreenCanvas(std::unique_ptr<TCanvas> screen_canvas);
  std::unique_ptr<TCanvas> screen_canvas_;
};

// The process's shared screen canvas, created on first use.
TlxScreenCanvas& lxGetScreenCanvas();
