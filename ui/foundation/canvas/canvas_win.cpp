#include "ui/foundation/canvas/canvas_win.h"

#include "ui/foundation/canvas/screen_control_win.h"

namespace {

// What a context without a clip region may draw on, as a region.
constexpr TRect kUnclippedArea(0, 0, 30000, 30000);

}  // namespace

TlxCanvas::TlxCanvas(TCanvas& canvas) : canvas_(&canvas) {}

TlxCanvas::~TlxCanvas() = default;

// --- saved states -------------------------------------------------------------

void TlxCanvas::PushDC() { saved_dc_levels_.push_back(SaveDC(Handle())); }

void TlxCanvas::PopDC() {
  if (saved_dc_levels_.empty())
    return;
  RestoreDC(Handle(), saved_dc_levels_.back());
  saved_dc_levels_.pop_back();
  // The restored context has other objects selected than the canvas thinks.
  canvas_->Refresh();
}

void TlxCanvas::PushState() {
  PushDC();
  TlxCanvasState state{std::make_unique<TFont>(), std::make_unique<TBrush>(), std::make_unique<TPen>()};
  state.Font->Assign(&Font());
  state.Brush->Assign(&Brush());
  state.Pen->Assign(&Pen());
  saved_states_.push_back(std::move(state));
}

void TlxCanvas::PopState() {
  if (saved_states_.empty())
    return;
  TlxCanvasState state = std::move(saved_states_.back());
  saved_states_.pop_back();
  canvas_->SetFont(*state.Font);
  canvas_->SetBrush(*state.Brush);
  canvas_->SetPen(*state.Pen);
  PopDC();
}

void TlxCanvas::PushClipRegion() { saved_clip_regions_.push_back(CopyClipRegion(true)); }

void TlxCanvas::PopClipRegion() {
  if (saved_clip_regions_.empty())
    return;
  std::unique_ptr<TlxRegion> region = std::move(saved_clip_regions_.back());
  saved_clip_regions_.pop_back();
  ApplyClipRegion(std::move(region), roSet, true);
}

// --- clipping -------------------------------------------------------------------

TPoint TlxCanvas::DeviceOriginOffset() const { return ReadViewportOrigin() - ReadWindowOrigin(); }

std::unique_ptr<TlxRegion> TlxCanvas::CopyClipRegion(bool correct_origin) const {
  auto region = TlxRegion::Create();
  if (GetClipRgn(Handle(), region->Handle()) != 1)
    region = TlxRegion::CreateFromRect(kUnclippedArea);
  if (correct_origin) {
    const TPoint offset = DeviceOriginOffset();
    region->Shift(-offset.X, -offset.Y);
  }
  return region;
}

void TlxCanvas::SelectClipRegion(TlxRegion& region, bool correct_origin) {
  // Clip regions are in device coordinates.
  const TPoint offset = correct_origin ? DeviceOriginOffset() : TPoint();
  region.Shift(offset.X, offset.Y);
  SelectClipRgn(Handle(), region.Handle());
  region.Shift(-offset.X, -offset.Y);
}

void TlxCanvas::ApplyClipRegion(std::unique_ptr<TlxRegion> region, TlxRegionOperation operation,
                                bool correct_origin) {
  if (region == nullptr)
    return;
  ApplyClipRegion(*region, operation, correct_origin);
}

void TlxCanvas::ApplyClipRegion(TlxRegion& region, TlxRegionOperation operation, bool correct_origin) {
  if (operation == roSet) {
    SelectClipRegion(region, correct_origin);
    return;
  }
  std::unique_ptr<TlxRegion> combined = CopyClipRegion(correct_origin);
  combined->CombineWith(region, operation);
  SelectClipRegion(*combined, correct_origin);
}

void TlxCanvas::ExcludeFromClip(const TRect& rect) {
  ExcludeClipRect(Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TlxCanvas::IntersectClip(const TRect& rect) {
  IntersectClipRect(Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

bool TlxCanvas::IsRectVisible(const TRect& rect) const {
  const RECT system_rect = rect;
  return RectVisible(Handle(), &system_rect) != FALSE;
}

// --- origins ---------------------------------------------------------------------

TPoint TlxCanvas::ReadViewportOrigin() const {
  POINT origin{};
  GetViewportOrgEx(Handle(), &origin);
  return TPoint(origin);
}

TPoint TlxCanvas::ReadWindowOrigin() const {
  POINT origin{};
  GetWindowOrgEx(Handle(), &origin);
  return TPoint(origin);
}

void TlxCanvas::AssignWindowOrigin(const TPoint& origin) { SetWindowOrgEx(Handle(), origin.X, origin.Y, nullptr); }

// --- view parameters ----------------------------------------------------------------

void TlxCanvas::FetchViewParams(TlxPaintParams& params) const {
  params.Color = Brush().Color();
  params.Font = &Font();
  params.TextColor = Font().Color();
}

void TlxCanvas::ApplyViewParams(const TlxPaintParams& params) {
  SetBrushColor(params.Color);
  if (params.Font != nullptr && params.Font != &Font())
    AssignFont(*params.Font);
  Font().SetColor(params.TextColor);
}

void TlxCanvas::RotateFont(int32_t degrees) {
  LOGFONTW font{};
  if (GetObjectW(Font().Handle(), sizeof(font), &font) == 0)
    return;
  font.lfEscapement = degrees * 10;
  if (degrees != 0)
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  HFONT rotated = CreateFontIndirectW(&font);
  if (rotated != nullptr)
    Font().SetHandle(rotated);
}

// --- the screen canvas -------------------------------------------------------------------

TlxScreenCanvas::TlxScreenCanvas() : TlxScreenCanvas(std::make_unique<TlxScreenControlCanvas>()) {}

TlxScreenCanvas::TlxScreenCanvas(std::unique_ptr<TCanvas> screen_canvas)
    : TlxCanvas(*screen_canvas), screen_canvas_(std::move(screen_canvas)) {}

TlxScreenCanvas::~TlxScreenCanvas() = default;

TlxScreenCanvas& lxGetScreenCanvas() {
  static const std::unique_ptr<TlxScreenCanvas> shared = std::make_unique<TlxScreenCanvas>();
  return *shared;
}
