#include "grid/grid_cells_win.h"

#include <algorithm>

#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/controls/control_win.h"

namespace {

TlxButtonState ButtonStateOf(TlxGridCellMouseState state) {
  switch (state) {
    case gmsHot:
      return lxbsHot;
    case gmsPressed:
      return lxbsPressed;
    case gmsNormal:
      break;
  }
  return lxbsNormal;
}

// Measuring always starts from the left (or top), whatever the cell's own
// alignment: only the size is wanted.
uint32_t ForcedLeft(uint32_t flags) { return (flags & ~uint32_t{lxtfRight | lxtfCenterX | lxtfCenterY}) | lxtfLeft; }
uint32_t ForcedTop(uint32_t flags) { return (flags & ~uint32_t{lxtfBottom | lxtfCenterY}) | lxtfTop; }

// Places an extent of `size` inside [low, high) as `alignment` says
// (0 start, 1 end, 2 centre).
void AlignExtent(int32_t& low, int32_t& high, int32_t size, int alignment) {
  switch (alignment) {
    case 1:
      low = high - size;
      return;
    case 2:
      low = (low + high - size) / 2;
      high = low + size;
      return;
    default:
      high = low + size;
      return;
  }
}

int HorzAlignmentIndex(TAlignment alignment) {
  if (alignment == taRightJustify)
    return 1;
  return alignment == taCenter ? 2 : 0;
}

int VertAlignmentIndex(TlxAlignmentVert alignment) {
  if (alignment == vaBottom)
    return 1;
  return alignment == vaCenter ? 2 : 0;
}

}  // namespace

// --- TlxCustomGridCellViewInfo ------------------------------------------------

TlxCustomGridCellViewInfo::TlxCustomGridCellViewInfo() = default;

TlxCustomGridCellViewInfo::~TlxCustomGridCellViewInfo() {
  is_being_destroyed_ = true;
  ReleaseLinks();
}

void TlxCustomGridCellViewInfo::ReleaseLinks() {
  is_being_destroyed_ = true;
  SetHitTestLink(nullptr);
  if (owned_popup_ != nullptr) {
    IlxGridCellPopup* popup = owned_popup_;
    owned_popup_ = nullptr;
    if (popup->PopupOwner() == this) {
      popup->SetPopupOwner(nullptr);
      if (popup_closes_with_owner_ && popup->PopupVisible())
        popup->ClosePopup();
    }
  }
  if (capture_control_ != nullptr) {
    TlxControl* control = capture_control_;
    capture_control_ = nullptr;
    if (control->CaptureObject() == this)
      control->SetMouseCaptureObject(nullptr);
  }
  // A hover timer must never outlive the cell it reports to.
  lxStopMouseTracking(this);
  mouse_state_ = gmsNormal;
}

void TlxCustomGridCellViewInfo::AfterConstruction() {
  if (is_constructed_)
    return;
  is_constructed_ = true;
  if (ClosePopupWithOwner() || !IsPopupCreated())
    return;
  IlxGridCellPopup* popup = Popup();
  if (popup == nullptr || !popup->PopupVisible() || !IsPopupOwnerless())
    return;
  popup->SetPopupOwner(this);
  owned_popup_ = popup;
  popup_closes_with_owner_ = false;
  // Pressed without the state change's side effects: the popup is open
  // already and must not drop down again.
  mouse_state_ = gmsPressed;
}

IlxGridCellPopup* TlxCustomGridCellViewInfo::Popup() { return dynamic_cast<IlxGridCellPopup*>(GetPopup()); }

void TlxCustomGridCellViewInfo::SetMouseState(TlxGridCellMouseState value) {
  if (value == mouse_state_)
    return;
  BeforeMouseStateChange();
  const TlxGridCellMouseState prev_state = mouse_state_;
  mouse_state_ = value;
  MouseStateChanged(prev_state);
}

const TlxPaintParams& TlxCustomGridCellViewInfo::PaintParams() {
  CalculateParamsIfNeeded();
  return paint_params_;
}

int32_t TlxCustomGridCellViewInfo::BorderWidth(TlxBorder side) {
  return BorderSides.Contains(side) ? GetBorderWidth(side) : 0;
}

TlxButtonState TlxCustomGridCellViewInfo::ButtonState() { return ButtonStateOf(GetPaintState()); }

TRect TlxCustomGridCellViewInfo::ClientBounds() {
  if (client_bounds_cache_.IsEmpty())
    CalculateClientBounds(client_bounds_cache_);
  return client_bounds_cache_;
}

TRect TlxCustomGridCellViewInfo::ContentBounds() {
  if (content_bounds_cache_.IsEmpty())
    CalculateContentBounds(content_bounds_cache_);
  return content_bounds_cache_;
}

void TlxCustomGridCellViewInfo::ClearBoundsCaches() {
  client_bounds_cache_ = TRect();
  content_bounds_cache_ = TRect();
}

std::string TlxCustomGridCellViewInfo::DisplayText() {
  CalculateParamsIfNeeded();
  return display_text_;
}

int32_t TlxCustomGridCellViewInfo::TextHeight() { return MeasureTextHeight(false, 0); }

int32_t TlxCustomGridCellViewInfo::TextWidth() { return MeasureTextWidth(0); }

int32_t TlxCustomGridCellViewInfo::TextWidthWithOffset() { return TextWidth() + 4; }

int32_t TlxCustomGridCellViewInfo::MeasureTextWidth(int32_t angle) {
  CalculateParamsIfNeeded();
  TRect rect(0, 0, 0x3FFFFFFF, 0x3FFFFFFF);
  TlxCanvas& canvas = GetCanvas();
  if (paint_params_.Font != nullptr)
    canvas.AssignFont(*paint_params_.Font);
  if (angle != 0)
    canvas.RotateFont(angle);
  TScopeExit unrotate([&] {
    if (angle != 0)
      canvas.RotateFont(0);
  });
  canvas.CalcTextRect(display_text_, rect, static_cast<TlxCanvasTextFlags>(ForcedLeft(GetTextFlags(false))));
  return rect.Width();
}

int32_t TlxCustomGridCellViewInfo::MeasureTextHeight(bool for_painting, int32_t angle) {
  CalculateParamsIfNeeded();
  TRect rect;
  GetTextAreaBounds(rect);
  TlxCanvas& canvas = GetCanvas();
  if (paint_params_.Font != nullptr)
    canvas.AssignFont(*paint_params_.Font);
  if (angle != 0)
    canvas.RotateFont(angle);
  TScopeExit unrotate([&] {
    if (angle != 0)
      canvas.RotateFont(0);
  });
  canvas.CalcTextRect(display_text_, rect, static_cast<TlxCanvasTextFlags>(ForcedTop(GetTextFlags(for_painting))));
  return rect.Height();
}

void TlxCustomGridCellViewInfo::CalculateTextBounds(bool horz, bool vert, TRect& rect) {
  GetTextAreaBounds(rect);
  if (horz) {
    const int32_t width = TextWidth();
    if (!(paint_multi_line_ && width > rect.Width()))
      AlignExtent(rect.Left, rect.Right, width, HorzAlignmentIndex(text_align_horz_));
  }
  if (vert)
    AlignExtent(rect.Top, rect.Bottom, TextHeight(), VertAlignmentIndex(text_align_vert_));
}

TRect TlxCustomGridCellViewInfo::VisibleBounds() {
  TRect area;
  GetAreaBounds(area);
  if (area.IsEmpty())
    return BoundsRect;
  return BoundsRect.Intersect(area);
}

void TlxCustomGridCellViewInfo::SetHitTestLink(TlxCustomGridHitTest* hit_test) {
  if (linked_hit_test_ == hit_test)
    return;
  if (linked_hit_test_ != nullptr && linked_hit_test_->ViewInfo() == this)
    linked_hit_test_->SetViewInfo(nullptr);
  linked_hit_test_ = nullptr;
  if (hit_test != nullptr)
    hit_test->SetViewInfo(this);
}

void TlxCustomGridCellViewInfo::CalculateParamsIfNeeded() {
  if (params_calculated_ || is_calculating_params_)
    return;
  is_calculating_params_ = true;
  TScopeExit done([this] {
    is_calculating_params_ = false;
    params_calculated_ = true;
  });
  CalculateParams();
}

void TlxCustomGridCellViewInfo::Recalculate() {
  BeforeRecalculation();
  CalculateByRect(BoundsRect);
}

void TlxCustomGridCellViewInfo::Update() {
  Recalculate();
  Invalidate();
}

void TlxCustomGridCellViewInfo::DoOffset(int32_t dx, int32_t dy) {
  if (!is_calculated_)
    return;
  Offset(dx, dy);
  SetMouseState(gmsNormal);
  MouseLeave();
}

void TlxCustomGridCellViewInfo::CaptureLost() {
  capture_control_ = nullptr;
  if (!is_being_destroyed_)
    LoseMouseCapture();
}

void TlxCustomGridCellViewInfo::LoseMouseCapture() { SetMouseState(gmsNormal); }

void TlxCustomGridCellViewInfo::MouseLeave() {
  if (IsMouseCaptured())
    return;
  if (mouse_state_ == gmsHot || (mouse_state_ == gmsPressed && !HasPopup()))
    SetMouseState(gmsNormal);
}

void TlxCustomGridCellViewInfo::AfterCalculateBounds(TRect& /*rect*/) { ClearBoundsCaches(); }

void TlxCustomGridCellViewInfo::LoadParamsFromCanvas(TlxCanvas& canvas) { canvas.FetchViewParams(paint_params_); }

void TlxCustomGridCellViewInfo::ApplyParamsToCanvas(TlxCanvas& canvas) { canvas.ApplyViewParams(paint_params_); }

void TlxCustomGridCellViewInfo::CalculateClientBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Left += BorderWidth(bLeft);
  rect.Top += BorderWidth(bTop);
  rect.Right -= BorderWidth(bRight);
  rect.Bottom -= BorderWidth(bBottom);
}

void TlxCustomGridCellViewInfo::CalculateContentBounds(TRect& rect) { rect = ClientBounds(); }

int32_t TlxCustomGridCellViewInfo::CalculateHeight() { return BoundsRect.Height(); }

int32_t TlxCustomGridCellViewInfo::CalculateWidth() { return BoundsRect.Width(); }

void TlxCustomGridCellViewInfo::CalculateParams() {
  text_align_horz_ = GetTextAlignHorz();
  text_align_vert_ = GetTextAlignVert();
  GetViewParams(paint_params_);
  BorderSides = GetBorders();
  GetText(display_text_);
  measure_multi_line_ = GetMeasureMultiLine();
  paint_multi_line_ = GetPaintMultiLine();
  SetWidth(CalculateWidth());
}

void TlxCustomGridCellViewInfo::InvalidateBounds() {
  if (TlxControl* control = GetControl())
    control->InvalidateRect(BoundsRect, false);
}

bool TlxCustomGridCellViewInfo::DoCustomDraw(TlxCanvas& canvas) {
  if (!HasCustomDraw())
    return false;
  ApplyParamsToCanvas(canvas);
  const bool done = CustomDraw(canvas);
  if (!done)
    LoadParamsFromCanvas(canvas);
  return done;
}

bool TlxCustomGridCellViewInfo::DoCustomDrawBackground(TlxCanvas& canvas) {
  if (!HasCustomDrawBackground())
    return false;
  ApplyParamsToCanvas(canvas);
  const bool done = CustomDrawBackground(canvas);
  if (!done)
    LoadParamsFromCanvas(canvas);
  return done;
}

TBitmap* TlxCustomGridCellViewInfo::GetBackgroundBitmap() { return PaintParams().Bitmap; }

void TlxCustomGridCellViewInfo::GetBorderBounds(TlxBorder side, TRect& rect) {
  const TRect client = ClientBounds();
  rect = client;
  switch (side) {
    case bLeft:
      rect.Right = client.Left;
      rect.Left = client.Left - BorderWidth(bLeft);
      rect.Top -= BorderWidth(bTop);
      rect.Bottom += BorderWidth(bBottom);
      return;
    case bRight:
      rect.Left = client.Right;
      rect.Right = client.Right + BorderWidth(bRight);
      rect.Top -= BorderWidth(bTop);
      rect.Bottom += BorderWidth(bBottom);
      return;
    case bTop:
      rect.Bottom = client.Top;
      rect.Top = client.Top - BorderWidth(bTop);
      return;
    case bBottom:
      rect.Top = client.Bottom;
      rect.Bottom = client.Bottom + BorderWidth(bBottom);
      return;
  }
}

TColor TlxCustomGridCellViewInfo::GetBorderColor(TlxBorder /*side*/) { return clDefault; }

int32_t TlxCustomGridCellViewInfo::GetBorderWidth(TlxBorder /*side*/) { return 0; }

int32_t TlxCustomGridCellViewInfo::GetContentHeight() { return ContentBounds().Height(); }

int32_t TlxCustomGridCellViewInfo::GetContentWidth() { return ContentBounds().Width(); }

// A bare cell knows no control; cells of a view answer the view's site.
TlxControl* TlxCustomGridCellViewInfo::GetControl() { return nullptr; }

void TlxCustomGridCellViewInfo::GetFocusRect(TRect& rect) {
  rect = BoundsRect;
  rect = rect.Inflate(-1, -1);
}

bool TlxCustomGridCellViewInfo::IsMouseCaptured() {
  TlxControl* control = GetControl();
  return control != nullptr && control->CaptureObject() == this;
}

const TClass* TlxCustomGridCellViewInfo::GetPainterClass() const { return &TlxCustomGridCellPainter::kClass; }

void TlxCustomGridCellViewInfo::GetTextAreaBounds(TRect& rect) {
  rect = ContentBounds();
  rect = rect.Inflate(-2, -2);
}

uint32_t TlxCustomGridCellViewInfo::GetTextFlags(bool for_painting) {
  static constexpr uint32_t kHorz[] = {lxtfLeft, lxtfRight, lxtfCenterX};
  static constexpr uint32_t kVert[] = {lxtfTop, lxtfBottom, lxtfCenterY};
  uint32_t flags = kHorz[HorzAlignmentIndex(text_align_horz_)] | kVert[VertAlignmentIndex(text_align_vert_)];
  const bool multi_line = for_painting ? paint_multi_line_ : measure_multi_line_;
  flags |= multi_line ? lxtfWordBreak : lxtfSingleLine;
  if (GetShowEndEllipsis())
    flags |= lxtfEndEllipsis;
  return flags;
}

int32_t TlxCustomGridCellViewInfo::GetHeightByText(TlxCustomGridViewInfo* view_info, TlxPainterClass painter) {
  CalculateParamsIfNeeded();
  int32_t text_height = 0;
  if (measure_multi_line_)
    text_height = TextHeight();
  else if (view_info != nullptr)
    text_height = view_info->GetFontHeight(paint_params_.Font);
  return GetCellHeight(text_height, painter);
}

bool TlxCustomGridCellViewInfo::IsHitTestOwn(TlxCustomGridHitTest* hit_test) {
  const TClass* own_class = GetHitTestClass();
  return hit_test != nullptr && own_class != nullptr && hit_test->ClassType()->InheritsFrom(own_class);
}

void TlxCustomGridCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) { SetHitTestLink(hit_test); }

void TlxCustomGridCellViewInfo::Offset(int32_t dx, int32_t dy) {
  BoundsRect = BoundsRect.Offset(dx, dy);
  if (!client_bounds_cache_.IsEmpty())
    client_bounds_cache_ = client_bounds_cache_.Offset(dx, dy);
  if (!content_bounds_cache_.IsEmpty())
    content_bounds_cache_ = content_bounds_cache_.Offset(dx, dy);
}

void TlxCustomGridCellViewInfo::SetPaintParams(const TlxPaintParams& params) { paint_params_ = params; }

void TlxCustomGridCellViewInfo::GetPaintParams(TlxPaintParams& params) { params = paint_params_; }

void TlxCustomGridCellViewInfo::SetMouseCapture(bool value) {
  TlxControl* control = GetControl();
  if (control == nullptr || value == IsMouseCaptured())
    return;
  if (value) {
    control->SetMouseCaptureObject(this);
    capture_control_ = control;
    return;
  }
  capture_control_ = nullptr;
  control->SetMouseCaptureObject(nullptr);
}

void TlxCustomGridCellViewInfo::MouseStateChanged(TlxGridCellMouseState /*prev_state*/) {
  if (InvalidateOnStateChange())
    Invalidate();
  if (mouse_state_ == gmsNormal) {
    lxStopMouseTracking(this);
  } else if (mouse_state_ == gmsHot) {
    if (TlxControl* control = GetControl())
      lxStartMouseTracking(control, BoundsRect, this);
  }
  if (CaptureMouseOnPress() && mouse_state_ == gmsPressed)
    SetMouseCapture(true);
  if (mouse_state_ == gmsPressed && GetPopup() != nullptr)
    DropDownPopup();
}

void TlxCustomGridCellViewInfo::DropDownPopup() {
  IlxGridCellPopup* popup = Popup();
  if (popup == nullptr || popup->PopupVisible())
    return;
  popup->SetPopupOwner(this);
  owned_popup_ = popup;
  popup_closes_with_owner_ = ClosePopupWithOwner();
  popup->DropDown();
}

bool TlxCustomGridCellViewInfo::IsPopupOwnerless() {
  IlxGridCellPopup* popup = Popup();
  return popup != nullptr && popup->PopupOwner() == nullptr;
}

void TlxCustomGridCellViewInfo::BeforeRecalculation() { params_calculated_ = false; }

void TlxCustomGridCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  AfterConstruction();
  CalculateParamsIfNeeded();
  if (width == -1)
    width = CalculateWidth();
  if (height == -1)
    height = CalculateHeight();
  BoundsRect = TRect(left, top, left + width, top + height);
  AfterCalculateBounds(BoundsRect);
  is_calculated_ = true;
}

void TlxCustomGridCellViewInfo::CalculateByRect(const TRect& rect) {
  Calculate(rect.Left, rect.Top, std::max(0, rect.Width()), std::max(0, rect.Height()));
}

int32_t TlxCustomGridCellViewInfo::GetBestFitWidth() {
  CalculateParamsIfNeeded();
  return BorderWidth(bLeft) + TextWidthWithOffset() + BorderWidth(bRight);
}

TlxCustomGridHitTest* TlxCustomGridCellViewInfo::GetHitTest(const TPoint& point) {
  if (!GetVisibleForHitTest() || !HasHitTestPoint(point))
    return nullptr;
  const TClass* hit_test_class = GetHitTestClass();
  if (hit_test_class == nullptr)
    return nullptr;
  TlxCustomGridHitTest* hit_test = lxGridGetHitTest(hit_test_class, point);
  if (hit_test != nullptr)
    InitHitTest(hit_test);
  return hit_test;
}

bool TlxCustomGridCellViewInfo::HasPoint(const TPoint& point) { return VisibleBounds().Contains(point); }

bool TlxCustomGridCellViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState /*shift*/) {
  if (button != mbLeft || !GetHotTrack() || !IsHitTestOwn(hit_test))
    return false;
  if (!HasPopup()) {
    SetMouseState(gmsPressed);
    return true;
  }
  // A popup cell toggles: the first press drops the popup down, the
  // second closes it.
  if (mouse_state_ == gmsHot) {
    SetMouseState(gmsPressed);
  } else if (mouse_state_ == gmsPressed) {
    // Closed first: the popup's closing resets the state, and the mouse
    // is still over the cell.
    if (IlxGridCellPopup* popup = Popup(); popup != nullptr && popup->PopupVisible() && popup->PopupOwner() == this)
      popup->ClosePopup();
    SetMouseState(gmsHot);
  }
  return true;
}

bool TlxCustomGridCellViewInfo::MouseMove(TlxCustomGridHitTest* hit_test, TShiftState /*shift*/) {
  if (!GetHotTrack())
    return false;
  const bool own = IsHitTestOwn(hit_test) && hit_test->ViewInfo() == this;
  if (HasPopup()) {
    if (mouse_state_ == gmsPressed)
      return false;
    SetMouseState(own ? gmsHot : gmsNormal);
    return true;
  }
  const bool captured = IsMouseCaptured();
  if (own)
    SetMouseState(captured ? gmsPressed : gmsHot);
  else
    SetMouseState(captured ? gmsHot : gmsNormal);
  return true;
}

bool TlxCustomGridCellViewInfo::MouseUp(TlxCustomGridHitTest* /*hit_test*/, TMouseButton button,
                                        TShiftState /*shift*/) {
  if (button != mbLeft || HasPopup())
    return false;
  const bool was_pressed = mouse_state_ == gmsPressed;
  SetMouseCapture(false);
  SetMouseState(gmsNormal);
  if (was_pressed)
    Click();
  return was_pressed;
}

void TlxCustomGridCellViewInfo::Paint(TlxCanvas* canvas) {
  if (!CanPaint())
    return;
  TlxCanvas& target = canvas != nullptr ? *canvas : GetCanvas();
  std::unique_ptr<TlxCustomGridCellPainter> painter = CreatePainter(target);
  if (painter != nullptr)
    painter->MainPaint();
}

std::unique_ptr<TlxCustomGridCellPainter> TlxCustomGridCellViewInfo::CreatePainter(TlxCanvas& canvas) {
  const TClass* painter_class = GetPainterClass();
  if (painter_class == nullptr)
    return nullptr;
  TlxGridCellPaintTarget target(canvas, *this);
  std::unique_ptr<TObject> made(painter_class->CreateInstance(&target));
  auto* painter = dynamic_cast<TlxCustomGridCellPainter*>(made.get());
  if (painter == nullptr)
    return nullptr;
  made.release();
  return std::unique_ptr<TlxCustomGridCellPainter>(painter);
}

// --- TlxCustomGridViewCellViewInfo ---------------------------------------------

TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : owner_view_info_(owner_view_info) {}

TlxCustomGridViewCellViewInfo::~TlxCustomGridViewCellViewInfo() {
  MarkBeingDestroyed();
  ReleaseLinks();
  if (owner_view_info_ != nullptr)
    owner_view_info_->RemoveLiveCell(this, true);
}

TlxCustomGridView* TlxCustomGridViewCellViewInfo::GridView() const {
  return owner_view_info_ != nullptr ? owner_view_info_->GridView() : nullptr;
}

TlxCustomGridController* TlxCustomGridViewCellViewInfo::Controller() const {
  TlxCustomGridView* view = GridView();
  return view != nullptr ? view->Controller() : nullptr;
}

TlxPainterClass TlxCustomGridViewCellViewInfo::LookAndFeelPainter() const {
  TlxCustomGridView* view = GridView();
  return view != nullptr ? view->LookAndFeelPainter() : nullptr;
}

void TlxCustomGridViewCellViewInfo::AfterCalculateBounds(TRect& rect) {
  TlxCustomGridCellViewInfo::AfterCalculateBounds(rect);
  if (!CheckHotTrackAfterCalculate() || !GetHotTrack())
    return;
  TlxGridSite* site = owner_view_info_->Site();
  if (site == nullptr || !site->HandleAllocated() || !owner_view_info_->CanUpdateScreenState() ||
      !owner_view_info_->IsMousePosIn(BoundsRect))
    return;
  const TClass* hit_test_class = GetHitTestClass();
  if (hit_test_class == nullptr)
    return;
  TlxCustomGridHitTest* hit_test = lxGridGetHitTest(hit_test_class, owner_view_info_->MousePos());
  InitHitTest(hit_test);
  MouseMove(hit_test, TShiftState());
}

void TlxCustomGridViewCellViewInfo::InvalidateBounds() {
  if (TlxCustomGridView* view = GridView())
    view->InvalidateRect(BoundsRect);
}

TlxCanvas& TlxCustomGridViewCellViewInfo::GetCanvas() { return owner_view_info_->Canvas(); }

TlxControl* TlxCustomGridViewCellViewInfo::GetControl() {
  return owner_view_info_ != nullptr ? owner_view_info_->Site() : nullptr;
}

bool TlxCustomGridViewCellViewInfo::IsHitTestOwn(TlxCustomGridHitTest* hit_test) {
  if (!TlxCustomGridCellViewInfo::IsHitTestOwn(hit_test))
    return false;
  auto* view_hit_test = dynamic_cast<TlxCustomGridViewHitTest*>(hit_test);
  return view_hit_test == nullptr || view_hit_test->GridView == GridView();
}

void TlxCustomGridViewCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridCellViewInfo::InitHitTest(hit_test);
  owner_view_info_->InitHitTest(hit_test);
}

void TlxCustomGridViewCellViewInfo::BeforeRecalculation() {
  owner_view_info_->UpdateMousePos();
  TlxCustomGridCellViewInfo::BeforeRecalculation();
}

void TlxCustomGridViewCellViewInfo::Invalidate() {
  if (IsBeingDestroyed())
    return;
  CalculateParamsIfNeeded();
  TlxCustomGridCellViewInfo::Invalidate();
}

bool TlxCustomGridViewCellViewInfo::MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift) {
  const bool handled = TlxCustomGridCellViewInfo::MouseMove(hit_test, shift);
  // Showing the hint belongs to the view controller; a cell answers what
  // the hint is through NeedsHint.
  return handled;
}

TRect TlxCustomGridViewCellViewInfo::HintBounds() {
  TRect cell;
  GetHintCellBounds(cell);
  TRect area;
  GetHintAreaBounds(area);
  return area.IsEmpty() ? cell : cell.Intersect(area);
}

void TlxCustomGridViewCellViewInfo::GetHintTextRect(const TPoint& /*mouse_pos*/, TRect& rect) {
  GetTextAreaBounds(rect);
}

bool TlxCustomGridViewCellViewInfo::IsHintPoint(const TPoint& point) { return HintBounds().Contains(point); }

void TlxCustomGridViewCellViewInfo::GetHintInfo(const TPoint& mouse_pos, std::string& text, TRect& text_rect,
                                                bool& is_multi_line) {
  GetHintText(text);
  is_multi_line = GetHintMultiLine();
  GetHintTextRect(mouse_pos, text_rect);
}

bool TlxCustomGridViewCellViewInfo::NeedsHint(const TPoint& mouse_pos, std::string& text, TRect& text_rect,
                                              bool& is_multi_line) {
  GetHintText(text);
  if (text.empty() || !IsHintPoint(mouse_pos))
    return false;
  if (HintOnlyForHiddenText()) {
    TRect area;
    GetTextAreaBounds(area);
    bool hidden = MeasureTextHeight(true, 0) > area.Height();
    if (!hidden && !PaintMultiLine())
      hidden = TextWidth() > area.Width();
    if (!hidden) {
      TRect text_bounds;
      TextBounds(text_bounds);
      hidden = text_bounds.Intersect(HintBounds()) != text_bounds;
    }
    if (!hidden)
      return false;
  }
  text.clear();
  GetHintInfo(mouse_pos, text, text_rect, is_multi_line);
  return true;
}

// --- TlxCustomGridCellPainter ---------------------------------------------------

void TlxCustomGridCellPainter::AfterPaint() {
  if (CanDrawDesignSelection())
    DrawDesignSelectionIfNeeded();
}

void TlxCustomGridCellPainter::DoExcludeFromClipRect() { canvas_.ExcludeFromClip(view_info_.BoundsRect); }

void TlxCustomGridCellPainter::DrawBackground() { DrawBackgroundRect(view_info_.ClientBounds()); }

void TlxCustomGridCellPainter::DrawBackgroundRect(const TRect& rect) {
  if (view_info_.HasBackgroundBitmap()) {
    DrawBackgroundBitmapTo(canvas_, rect);
    return;
  }
  canvas_.FillRectColor(rect, view_info_.PaintParams().Color);
}

bool TlxCustomGridCellPainter::DrawBackgroundBitmapTo(TlxCanvas& canvas, const TRect& rect) {
  TBitmap* bitmap = view_info_.GetBackgroundBitmap();
  if (bitmap == nullptr)
    return false;
  canvas.FillRectTiled(rect, bitmap);
  return true;
}

void TlxCustomGridCellPainter::DrawBorder(TlxBorder side) {
  TRect rect;
  view_info_.GetBorderBounds(side, rect);
  canvas_.FillRectColor(rect, view_info_.GetBorderColor(side));
}

void TlxCustomGridCellPainter::DrawBorders() {
  for (TlxBorder side : {bLeft, bTop, bRight, bBottom})
    if (view_info_.BorderSides.Contains(side))
      DrawBorder(side);
}

void TlxCustomGridCellPainter::DrawContent() {
  if (view_info_.HasBackground() && !view_info_.DoCustomDrawBackground(canvas_))
    DrawBackground();
  DrawText();
}

void TlxCustomGridCellPainter::DrawDesignSelectionFrames() {
  TRect rect;
  view_info_.GetFocusRect(rect);
  canvas_.DrawFocusFrames(rect, view_info_.GetFocusFrameCount());
}

void TlxCustomGridCellPainter::DrawText() {
  std::string text;
  view_info_.GetPaintText(text);
  if (text.empty())
    return;
  TRect rect;
  view_info_.GetTextAreaBounds(rect);
  const TlxPaintParams& params = view_info_.PaintParams();
  if (params.Font != nullptr)
    canvas_.AssignFont(*params.Font);
  canvas_.Font().SetColor(params.TextColor);
  canvas_.Brush().SetStyle(bsClear);
  TScopeExit solid([this] { canvas_.Brush().SetStyle(bsSolid); });
  BeforeDrawText();
  canvas_.DrawTextInRect(text, rect, static_cast<TlxCanvasTextFlags>(view_info_.GetTextFlags(true)), true);
  AfterDrawText();
}

bool TlxCustomGridCellPainter::IsVisible() {
  if (!view_info_.IsCalculated())
    return false;
  TRect bounds;
  view_info_.GetPaintBounds(bounds);
  return canvas_.IsRectVisible(bounds);
}

void TlxCustomGridCellPainter::DoPaint() {
  TlxPaintParams saved;
  view_info_.GetPaintParams(saved);
  {
    // A custom-draw handler's colour changes last for this paint only.
    TScopeExit restore([&] { view_info_.SetPaintParams(saved); });
    if (!view_info_.DoCustomDraw(canvas_))
      DrawContent();
  }
  DrawBorders();
}

void TlxCustomGridCellPainter::DrawDesignSelectionIfNeeded() {
  if (view_info_.IsDesignSelected() && &view_info_.GetCanvas() == &canvas_)
    DrawDesignSelectionFrames();
}

void TlxCustomGridCellPainter::MainPaint() {
  if (!IsVisible())
    return;
  BeforePaint();
  DoPaint();
  AfterPaint();
  if (ExcludeFromClipRect())
    DoExcludeFromClipRect();
}

// --- the design selector ----------------------------------------------------------

namespace {

struct TSelectorColors {
  TColor color;
  TColor text_color;
};
// By (view selected ? 2 : 0) + (hot ? 1 : 0).
constexpr TSelectorColors kSelectorColors[] = {
    {static_cast<TColor>(0x008DD5FF), static_cast<TColor>(0x003695F2)},
    {static_cast<TColor>(0x0068B7F9), static_cast<TColor>(0x003695F2)},
    {static_cast<TColor>(0x00E4C19D), static_cast<TColor>(0x00AF8C68)},
    {static_cast<TColor>(0x00D69E67), static_cast<TColor>(0x00808080)},
};

}  // namespace

TlxGridDesignSelectorViewInfo::TlxGridDesignSelectorViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxCustomGridViewCellViewInfo(owner_view_info), selector_region_(std::make_unique<TlxRegion>()) {}

TlxGridDesignSelectorViewInfo::~TlxGridDesignSelectorViewInfo() = default;

const TClass* TlxGridDesignSelectorViewInfo::GetHitTestClass() const { return &TlxGridDesignSelectorHitTest::kClass; }

const TClass* TlxGridDesignSelectorViewInfo::GetPainterClass() const { return &TlxGridDesignSelectorPainter::kClass; }

void TlxGridDesignSelectorViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
  const std::vector<POINT> corners = {{BoundsRect.Left, BoundsRect.Top},
                                      {BoundsRect.Left + BoundsRect.Width(), BoundsRect.Top},
                                      {BoundsRect.Left, BoundsRect.Top + BoundsRect.Height()}};
  selector_region_ = std::make_unique<TlxRegion>(CreatePolygonRgn(corners.data(), 3, WINDING));
}

void TlxGridDesignSelectorViewInfo::GetViewParams(TlxPaintParams& params) {
  const int index = (IsViewSelected() ? 2 : 0) + (MouseState() == gmsHot ? 1 : 0);
  params.Color = lxGetNearestScreenColor(kSelectorColors[index].color);
  params.TextColor = lxGetNearestScreenColor(kSelectorColors[index].text_color);
}

bool TlxGridDesignSelectorViewInfo::HasPoint(const TPoint& point) { return selector_region_->ContainsPoint(point); }

bool TlxGridDesignSelectorViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button,
                                              TShiftState shift) {
  if (button != mbLeft)
    return TlxCustomGridViewCellViewInfo::MouseDown(hit_test, button, shift);
  SelectView(!shift.Contains(ssShift));
  return true;
}

void TlxGridDesignSelectorPainter::DoExcludeFromClipRect() {
  auto& selector = static_cast<TlxGridDesignSelectorViewInfo&>(ViewInfo());
  TlxRegion region;
  region.CombineWith(selector.SelectorRegion(), roSet);
  Canvas().ApplyClipRegion(region, roSubtract);
}

void TlxGridDesignSelectorPainter::DoPaint() {
  auto& selector = static_cast<TlxGridDesignSelectorViewInfo&>(ViewInfo());
  // The colours follow the hot state, so they are taken afresh.
  selector.ResetParams();
  const TlxPaintParams& params = selector.PaintParams();
  Canvas().FillAndFrameRegion(selector.SelectorRegion(), params.Color, params.TextColor);
  TRect mark = selector.BoundsRect;
  mark.Left += 3;
  mark.Top += 3;
  mark.Right -= 8;
  mark.Bottom -= 8;
  Canvas().FillRectColor(TRect(mark.Left, mark.Top, mark.Left + 1, mark.Bottom), params.TextColor);
  int32_t right = mark.Right;
  int32_t y = mark.Top;
  for (int32_t line = 0; line < mark.Height() / 2; ++line) {
    Canvas().FillRectColor(TRect(mark.Left + 1, y, right, y + 1), params.TextColor);
    y += 2;
    right -= 2;
  }
}
