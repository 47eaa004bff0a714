#include "tabs/pc_slanted_shape.h"

#include <algorithm>

void lxPCAppendOutline(TlxPCOutline& outline, std::initializer_list<TPoint> points,
                       std::initializer_list<TLinePosition> codes) {
  outline.Points.insert(outline.Points.end(), points.begin(), points.end());
  outline.Codes.insert(outline.Codes.end(), codes.begin(), codes.end());
}

bool lxPCHasLinePosition(const TLinePositions& codes, TLinePosition code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

TSize lxPCGetOrientedSize(const TRect& r, TlxTabPosition side) {
  if (lxPCIsRowAxisX(side))
    return {r.Width(), r.Height()};
  return {r.Height(), r.Width()};
}

TPoint lxPCRotatePoint(const TRect& r, TPoint p, TlxTabPosition side) {
  switch (side) {
    case tpTop: return p;
    case tpBottom: return {p.X, r.Top + r.Bottom - 1 - p.Y};
    case tpLeft: return {r.Right - 1 - (r.Bottom - 1 - p.Y), r.Bottom - 1 - (p.X - r.Left)};
    case tpRight: return {r.Left + (r.Bottom - 1 - p.Y), r.Bottom - 1 - (p.X - r.Left)};
  }
  return p;
}

TPoints lxPCRotatePolyline(const TRect& r, const TPoints& points, TlxTabPosition side) {
  TPoints turned;
  turned.reserve(points.size());
  for (const TPoint& p : points)
    turned.push_back(lxPCRotatePoint(r, p, side));
  return turned;
}

TlxTabSlantPositions lxPCSlantedEndsInUse(TlxTabSlantKind kind, TlxTabSlantPositions positions, bool rotate) {
  return kind == skSlant && !rotate ? positions : 0;
}

TlxPCOutline lxPCSlantedTabOutline(const TRect& r, TlxTabPosition side, const TlxPCSlantSettings& settings) {
  const TSize size = lxPCGetOrientedSize(r, side);
  const int32_t w = size.cx;
  const int32_t h = size.cy;
  const int32_t l = r.Left;
  const int32_t b = r.Bottom;
  const TlxTabSlantPositions in_use = lxPCSlantedEndsInUse(settings.Kind, settings.Positions, settings.Rotate);
  const bool cut = settings.Kind == skCutCorner;
  const bool straight_ends = cut && settings.Positions != 0;
  TlxPCOutline outline;
  if ((in_use & kPCSlantLeft) != 0)
    lxPCAppendOutline(outline, {{l, b - 1}, {l + h - 1, b - h}}, {lpLT});
  else if (cut && (settings.Positions & kPCSlantLeft) != 0)
    lxPCAppendOutline(outline, {{l, b - 1}, {l, b - h + 6}, {l + 6, b - h}}, {lpL, lpLT});
  else if (straight_ends)
    lxPCAppendOutline(outline, {{l, b - 1}, {l, b - h}}, {lpL});
  else
    lxPCAppendOutline(outline, {{l, b - 1}, {l, b - h + 2}, {l + 2, b - h}}, {lpL, lpLT});

  if ((in_use & kPCSlantRight) != 0)
    lxPCAppendOutline(outline, {{l + w - h, b - h}, {l + w - 1, b - 1}}, {lpT, lpRT});
  else if (cut && (settings.Positions & kPCSlantRight) != 0)
    lxPCAppendOutline(outline, {{l + w - 7, b - h}, {l + w - 1, b - h + 6}, {l + w - 1, b - 1}}, {lpT, lpRT, lpR});
  else if (straight_ends)
    lxPCAppendOutline(outline, {{l + w - 1, b - h}, {l + w - 1, b - 1}}, {lpT, lpR});
  else
    lxPCAppendOutline(outline, {{l + w - 3, b - h}, {l + w - 1, b - h + 2}, {l + w - 1, b - 1}}, {lpT, lpRT, lpR});
  return outline;
}

namespace {

TLinePosition TurnCode(TLinePosition code, TlxTabPosition side) {
  switch (side) {
    case tpTop:
      return code;
    case tpBottom:
      switch (code) {
        case lpLT: return lpLB;
        case lpT: return lpB;
        case lpRT: return lpRB;
        default: return code;
      }
    case tpLeft:
      switch (code) {
        case lpL: return lpB;
        case lpLT: return lpLB;
        case lpT: return lpL;
        case lpRT: return lpLT;
        case lpR: return lpT;
        default: return code;
      }
    case tpRight:
      switch (code) {
        case lpL: return lpB;
        case lpLT: return lpRB;
        case lpT: return lpR;
        case lpR: return lpT;
        default: return code;
      }
  }
  return code;
}

// One pixel onwards in the direction of a segment with that code.
TPoint CodeStep(TLinePosition code) {
  static constexpr TPoint kSteps[] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
  return kSteps[code];
}

// Moves a segment's ends so that the fill holds the outline's pixels.
void MoveOuterSegment(TLinePosition code, const TLinePositions& codes, TPoint& p1, TPoint& p2) {
  auto has = [&](TLinePosition c) { return lxPCHasLinePosition(codes, c); };
  switch (code) {
    case lpR:
      ++p1.X;
      ++p2.X;
      if (has(lpRT))
        ++p1.Y;
      if (has(lpRB))
        --p2.Y;
      break;
    case lpB:
      ++p1.Y;
      ++p2.Y;
      if (has(lpRB))
        --p1.X;
      if (has(lpLB))
        ++p2.X;
      break;
    case lpRT:
      if (has(lpT))
        ++p1.X;
      else
        --p1.Y;
      if (has(lpR))
        --p2.Y;
      else
        ++p2.X;
      break;
    case lpRB:
      if (has(lpR))
        ++p1.Y;
      else
        ++p1.X;
      if (has(lpB))
        ++p2.X;
      else
        ++p2.Y;
      break;
    default:
      break;
  }
}

// Moves a segment's ends so that the fill leaves the outline's pixels out.
void MoveInnerSegment(TLinePosition code, const TLinePositions& codes, TPoint& p1, TPoint& p2) {
  auto has = [&](TLinePosition c) { return lxPCHasLinePosition(codes, c); };
  switch (code) {
    case lpL:
      ++p1.X;
      ++p2.X;
      if (has(lpLB))
        ++p1.Y;
      if (has(lpLT))
        --p2.Y;
      break;
    case lpT:
      ++p1.Y;
      ++p2.Y;
      if (has(lpLT))
        --p1.X;
      if (has(lpRT))
        ++p2.X;
      break;
    case lpLT:
      if (has(lpL))
        ++p1.Y;
      else
        ++p1.X;
      if (has(lpT))
        ++p2.X;
      else
        ++p2.Y;
      break;
    case lpLB:
      if (has(lpB))
        ++p1.X;
      else
        --p1.Y;
      if (has(lpL))
        --p2.Y;
      else
        ++p2.X;
      break;
    default:
      break;
  }
}

}  // namespace

TPoints lxPCOutlineRegionPolygon(const TlxPCOutline& outline, const TRect& r, TlxTabPosition side, bool inner) {
  TPoints points = lxPCRotatePolyline(r, outline.Points, side);
  TLinePositions codes = outline.Codes;
  if (points.size() < 2 || codes.size() + 1 != points.size())
    return points;
  if (side == tpBottom || side == tpRight) {
    std::reverse(points.begin(), points.end());
    std::reverse(codes.begin(), codes.end());
  }
  for (TLinePosition& code : codes)
    code = TurnCode(code, side);
  points.back() = points.back() + CodeStep(codes.back());
  if (side == tpLeft && codes.front() == lpLB)
    points.front() = points.front() + TPoint(1, 1);
  for (size_t k = 0; k < codes.size(); ++k) {
    TPoint p1 = points[k];
    TPoint p2 = points[k + 1];
    if (inner)
      MoveInnerSegment(codes[k], codes, p1, p2);
    else
      MoveOuterSegment(codes[k], codes, p1, p2);
    points[k] = p1;
    points[k + 1] = p2;
  }
  return points;
}

// ---- TlxPCPixelRegion ---------------------------------------------------------

TlxPCPixelRegion::TlxPCPixelRegion(const TRect& rect) {
  if (rect.IsEmpty())
    return;
  for (int32_t y = rect.Top; y < rect.Bottom; ++y)
    runs_.push_back({rect.Left, y, rect.Right, y + 1});
}

bool TlxPCPixelRegion::Contains(int32_t x, int32_t y) const {
  auto row = std::lower_bound(runs_.begin(), runs_.end(), y, [](const TRect& run, int32_t row_y) {
    return run.Top < row_y;
  });
  for (; row != runs_.end() && row->Top == y; ++row)
    if (x >= row->Left && x < row->Right)
      return true;
  return false;
}

TRect TlxPCPixelRegion::Bounds() const {
  if (runs_.empty())
    return {};
  TRect bounds = runs_.front();
  for (const TRect& run : runs_) {
    bounds.Left = std::min(bounds.Left, run.Left);
    bounds.Right = std::max(bounds.Right, run.Right);
  }
  bounds.Bottom = runs_.back().Bottom;
  return bounds;
}

void TlxPCPixelRegion::AddRun(int32_t y, int32_t left, int32_t right) {
  if (right <= left)
    return;
  // Runs arrive row by row; a run touching the last one of its row joins it.
  if (!runs_.empty() && runs_.back().Top == y && left <= runs_.back().Right) {
    runs_.back().Right = std::max(runs_.back().Right, right);
    return;
  }
  runs_.push_back({left, y, right, y + 1});
}

TlxPCPixelRegion TlxPCPixelRegion::Intersected(const TRect& rect) const {
  TlxPCPixelRegion result;
  for (const TRect& run : runs_)
    if (run.Top >= rect.Top && run.Top < rect.Bottom)
      result.AddRun(run.Top, std::max(run.Left, rect.Left), std::min(run.Right, rect.Right));
  return result;
}

namespace {

// Per row, the pixel columns of a region as ascending (left, right) pairs.
struct TRowRuns {
  int32_t Y;
  std::vector<std::pair<int32_t, int32_t>> Runs;
};

std::vector<TRowRuns> RowsOf(const std::vector<TRect>& runs) {
  std::vector<TRowRuns> rows;
  for (const TRect& run : runs) {
    if (rows.empty() || rows.back().Y != run.Top)
      rows.push_back({run.Top, {}});
    rows.back().Runs.push_back({run.Left, run.Right});
  }
  return rows;
}

// Combines two regions row by row; `keep` decides for a column from its
// membership in the first and the second region.
template <typename Keep>
TlxPCPixelRegion Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, Keep keep) {
  const std::vector<TRowRuns> rows_a = RowsOf(a);
  const std::vector<TRowRuns> rows_b = RowsOf(b);
  std::vector<int32_t> ys;
  for (const TRowRuns& row : rows_a)
    ys.push_back(row.Y);
  for (const TRowRuns& row : rows_b)
    ys.push_back(row.Y);
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  auto find = [](const std::vector<TRowRuns>& rows, int32_t y) -> const TRowRuns* {
    auto it = std::lower_bound(rows.begin(), rows.end(), y, [](const TRowRuns& row, int32_t v) { return row.Y < v; });
    return it != rows.end() && it->Y == y ? &*it : nullptr;
  };
  auto inside = [](const TRowRuns* row, int32_t x) {
    if (row == nullptr)
      return false;
    for (const auto& [left, right] : row->Runs)
      if (x >= left && x < right)
        return true;
    return false;
  };
  TlxPCPixelRegion result;
  for (int32_t y : ys) {
    const TRowRuns* row_a = find(rows_a, y);
    const TRowRuns* row_b = find(rows_b, y);
    // Only the run ends can change membership.
    std::vector<int32_t> edges;
    for (const TRowRuns* row : {row_a, row_b})
      if (row != nullptr)
        for (const auto& [left, right] : row->Runs) {
          edges.push_back(left);
          edges.push_back(right);
        }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    for (size_t i = 0; i + 1 < edges.size(); ++i)
      if (keep(inside(row_a, edges[i]), inside(row_b, edges[i])))
        result.AddRun(y, edges[i], edges[i + 1]);
  }
  return result;
}

}  // namespace

TlxPCPixelRegion TlxPCPixelRegion::United(const TlxPCPixelRegion& other) const {
  return Combine(runs_, other.runs_, [](bool a, bool b) { return a || b; });
}

TlxPCPixelRegion TlxPCPixelRegion::Without(const TlxPCPixelRegion& other) const {
  return Combine(runs_, other.runs_, [](bool a, bool b) { return a && !b; });
}

namespace {

// Where an edge crosses a row: x = Num / Den (Den > 0), and its winding.
struct TCrossing {
  int64_t Num;
  int64_t Den;
  int32_t Winding;
};

int64_t CeilDiv(int64_t num, int64_t den) {
  const int64_t q = num / den;
  return (num % den != 0 && num > 0) ? q + 1 : q;
}

}  // namespace

TlxPCPixelRegion lxPCFillPolygon(const TPoints& polygon) {
  TlxPCPixelRegion region;
  if (polygon.size() < 3)
    return region;
  int32_t top = polygon.front().Y;
  int32_t bottom = polygon.front().Y;
  for (const TPoint& p : polygon) {
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  std::vector<TCrossing> crossings;
  for (int32_t y = top; y < bottom; ++y) {
    crossings.clear();
    for (size_t i = 0; i < polygon.size(); ++i) {
      const TPoint& a = polygon[i];
      const TPoint& b = polygon[(i + 1) % polygon.size()];
      if (a.Y == b.Y)
        continue;
      // An edge covers the rows from its upper end up to, not including,
      // its lower end.
      const TPoint& upper = a.Y < b.Y ? a : b;
      const TPoint& lower = a.Y < b.Y ? b : a;
      if (y < upper.Y || y >= lower.Y)
        continue;
      const int64_t den = lower.Y - upper.Y;
      const int64_t num = static_cast<int64_t>(upper.X) * den + static_cast<int64_t>(y - upper.Y) * (lower.X - upper.X);
      crossings.push_back({num, den, a.Y < b.Y ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const TCrossing& p, const TCrossing& q) { return p.Num * q.Den < q.Num * p.Den; });
    int32_t winding = 0;
    int64_t start = 0;
    for (const TCrossing& crossing : crossings) {
      const bool was_inside = winding != 0;
      winding += crossing.Winding;
      const bool is_inside = winding != 0;
      // A pixel belongs to a span when its x lies in [start, end).
      if (!was_inside && is_inside)
        start = CeilDiv(crossing.Num, crossing.Den);
      else if (was_inside && !is_inside)
        region.AddRun(y, static_cast<int32_t>(start), static_cast<int32_t>(CeilDiv(crossing.Num, crossing.Den)));
    }
  }
  return region;
}

TPoints lxPCOneNoteShapePoints(const TRect& tab_rect, TlxTabPosition side, bool inner) {
  if (!inner) {
    const TRect r = tab_rect.Inflate(1, 1);
    const TSize size = lxPCGetOrientedSize(r, side);
    const int32_t w = size.cx;
    const int32_t h = size.cy;
    const int32_t l = r.Left;
    const int32_t b = r.Bottom;
    TPoints points;
    if (side == tpRight)
      points = {{l - 1, b - 1},     {l - 1, b - 3},     {l + 2, b - 3},         {l + h - 2, b - h + 2},
                {l + h + 2, b - h}, {l + w - 4, b - h}, {l + w - 1, b - h + 3}, {l + w - 1, b - 1}};
    else if (side == tpLeft)
      points = {{l, b - 2},         {l + 1, b - 2},     {l + h - 3, b - h + 3}, {l + h + 2, b - h},
                {l + w - 5, b - h}, {l + w - 1, b - h + 4}, {l + w - 1, b - 1}};
    else
      points = {{l, b - 2},         {l + 1, b - 2},     {l + h - 3, b - h + 3}, {l + h + 2, b - h},
                {l + w - 4, b - h}, {l + w - 1, b - h + 3}, {l + w - 1, b - 1}};
    return lxPCRotatePolyline(r, points, side);
  }
  struct TInnerAdjustment {
    TRect Delta;  // added side by side
    int32_t A, B, C;
  };
  static constexpr TInnerAdjustment kAdjustments[] = {
      {{0, 1, 0, 1}, -2, 3, 2},   // top: moved down by 1
      {{1, 0, 0, 0}, -3, 4, 2},   // bottom: left edge + 1
      {{1, 1, 1, 0}, -2, 3, 2},   // left: top + 1, moved right by 1
      {{0, 1, 0, 0}, -1, 3, 3}};  // right: top + 1
  const TInnerAdjustment& adjust = kAdjustments[side];
  const TRect r{tab_rect.Left + adjust.Delta.Left, tab_rect.Top + adjust.Delta.Top,
                tab_rect.Right + adjust.Delta.Right, tab_rect.Bottom + adjust.Delta.Bottom};
  const TSize size = lxPCGetOrientedSize(r, side);
  const int32_t w = size.cx;
  const int32_t h = size.cy;
  const int32_t l = r.Left;
  const int32_t b = r.Bottom;
  const TPoints points = {{l + 2, b - 1},
                          {l + h + adjust.A, b - h + adjust.B},
                          {l + h + adjust.C, b - h + 1},
                          {l + w - 2, b - h + 1},
                          {l + w - 2, b - 1}};
  return lxPCRotatePolyline(r, points, side);
}
