#pragma once
// The shapes of slanted and notebook-divider tabs apart from drawing: the
// outline of a tab built for tabs on top and turned to the tab's side, the
// polygons whose fill covers the outline's pixels (outer) or only what lies
// inside them (inner), and a polygon fill of our own so that the pixels a
// region holds never depend on a system rasteriser. Portable.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/rtl/geometry.h"
#include "tabs/tab_types.h"

// The edge of a tab a segment of its outline belongs to.
enum TLinePosition : uint8_t { lpL, lpLT, lpT, lpRT, lpR, lpRB, lpB, lpLB };

using TPoints = std::vector<TPoint>;
using TLinePositions = std::vector<TLinePosition>;

// Segment k runs from point k to point k + 1 and has code k.
struct TlxPCOutline {
  TPoints Points;
  TLinePositions Codes;
};

void lxPCAppendOutline(TlxPCOutline& outline, std::initializer_list<TPoint> points,
                       std::initializer_list<TLinePosition> codes);
bool lxPCHasLinePosition(const TLinePositions& codes, TLinePosition code);

// Length along the row (cx) and thickness across it (cy) of a tab on `side`.
TSize lxPCGetOrientedSize(const TRect& r, TlxTabPosition side);
// A point given for a tab on top, in `r`'s own coordinates (base line
// y = r.Bottom - 1), mapped to a tab on `side`.
TPoint lxPCRotatePoint(const TRect& r, TPoint point, TlxTabPosition side);
TPoints lxPCRotatePolyline(const TRect& r, const TPoints& points, TlxTabPosition side);

inline constexpr TlxTabSlantPositions kPCSlantLeft = 1u << spLeft;
inline constexpr TlxTabSlantPositions kPCSlantRight = 1u << spRight;

struct TlxPCSlantSettings {
  TlxTabSlantKind Kind = skSlant;
  TlxTabSlantPositions Positions = kPCSlantLeft;
  bool Rotate = false;
};

// The slanted painter's ends in use: the positions for unrotated slants.
TlxTabSlantPositions lxPCSlantedEndsInUse(TlxTabSlantKind kind, TlxTabSlantPositions positions, bool rotate);

// The outline of a slanted tab for tabs on top, from the row start over the
// far edge to the row end; `r` is the full rectangle, `side` gives the
// orientation of its length and thickness.
TlxPCOutline lxPCSlantedTabOutline(const TRect& r, TlxTabPosition side, const TlxPCSlantSettings& settings);

// The polygon of an outline turned to `side`, moved so that the fill below
// holds the outline's pixels (outer) or only the pixels inside them (inner).
TPoints lxPCOutlineRegionPolygon(const TlxPCOutline& outline, const TRect& r, TlxTabPosition side, bool inner);

// A set of pixels kept as one-pixel-high runs, row by row.
class TlxPCPixelRegion {
 public:
  TlxPCPixelRegion() = default;
  explicit TlxPCPixelRegion(const TRect& rect);

  const std::vector<TRect>& Runs() const { return runs_; }
  bool IsEmpty() const { return runs_.empty(); }
  bool Contains(int32_t x, int32_t y) const;
  TRect Bounds() const;
  TlxPCPixelRegion Intersected(const TRect& rect) const;
  TlxPCPixelRegion United(const TlxPCPixelRegion& other) const;
  TlxPCPixelRegion Without(const TlxPCPixelRegion& other) const;
  void AddRun(int32_t y, int32_t left, int32_t right);

 private:
  // Sorted by row, then by left end, runs of a row not touching.
  std::vector<TRect> runs_;
};

// The polygon filled with the winding rule, a pixel (x, y) taken when the
// point (x, y) lies inside or on a left or top boundary: the left and top
// edges belong to the fill, the right and bottom ones do not.
TlxPCPixelRegion lxPCFillPolygon(const TPoints& polygon);

// The notebook-divider shape: its points turned to `side` (outer: the
// rectangle grown by 1 first).
TPoints lxPCOneNoteShapePoints(const TRect& r, TlxTabPosition side, bool inner);
