#include "grid/grid_filter_box_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_strings.h"
#include "grid/table_controller_win.h"
#include "grid/table_filtering.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

// The gap between the buttons and between a button and the band's edge.
constexpr int32_t kButtonGap = 4;
// Added to the tallest button for the band's height.
constexpr int32_t kButtonsVerticalRoom = 8;
// How far right of the text the drop-down arrow may stand at most.
constexpr int32_t kDropDownTextGap = 9;
// Taken off the text area on the left and on the right.
constexpr int32_t kTextIndent = 3;

// Half of `value` rounded to the nearest integer, halves away from zero.
int32_t HalfRounded(int32_t value) { return value >= 0 ? (value + 1) / 2 : -((-value + 1) / 2); }

}  // namespace

// --- TlxGridFilterViewInfo ----------------------------------------------------------

TlxGridFilterViewInfo::TlxGridFilterViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxCustomGridPartViewInfo(owner_view_info) {
  const TClass* buttons_class = GetButtonsViewInfoClass();
  buttons_view_info_.reset(static_cast<TlxGridFilterButtonsViewInfo*>(buttons_class->CreateInstance(this)));
}

TlxGridFilterViewInfo::~TlxGridFilterViewInfo() {
  MarkBeingDestroyed();
  buttons_view_info_.reset();
}

const TClass* TlxGridFilterViewInfo::GetButtonsViewInfoClass() const { return &TlxGridFilterButtonsViewInfo::kClass; }

TlxDataFilterCriteria& TlxGridFilterViewInfo::Criteria() const { return GridView()->DataController()->Filter(); }

TlxCustomGridTableFiltering* TlxGridFilterViewInfo::Filtering() const {
  return static_cast<TlxCustomGridTableView*>(GridView())->Filtering();
}

bool TlxGridFilterViewInfo::FilterHasItems() const { return !Criteria().HasNoItems(); }

int32_t TlxGridFilterViewInfo::CalculateHeight() {
  return std::max(TextHeightWithOffset() + 6, buttons_view_info_->MaxHeight());
}

int32_t TlxGridFilterViewInfo::CalculateWidth() { return OwnerViewInfo()->ClientWidth(); }

TlxGridPartAlignment TlxGridFilterViewInfo::GetAlignment() {
  auto* view = static_cast<TlxCustomGridTableView*>(GridView());
  return view->FilterBox()->Position() == fpTop ? gpaTop : gpaBottom;
}

TBitmap* TlxGridFilterViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = GridView()->BackgroundBitmaps();
  TBitmap* bitmap =
      bitmaps != nullptr ? bitmaps->GetBitmap(TlxCustomGridTableBackgroundBitmaps::kFilterBox) : nullptr;
  return bitmap != nullptr && !bitmap->Empty() ? bitmap : nullptr;
}

void TlxGridFilterViewInfo::GetViewParams(TlxPaintParams& params) {
  static_cast<TlxCustomGridTableView*>(GridView())
      ->Styles()
      ->GetViewParams(TlxCustomGridTableViewStyles::kFilterBox, nullptr, nullptr, params);
}

void TlxGridFilterViewInfo::GetText(std::string& text) {
  text = Criteria().BuildCaptionText();
  if (text.empty())
    text = lxGridText(slxGridFilterIsEmpty);
}

void TlxGridFilterViewInfo::GetTextAreaBounds(TRect& rect) {
  TlxCustomGridPartViewInfo::GetTextAreaBounds(rect);
  rect.Left += buttons_view_info_->LeftButtonsWidth() + kTextIndent;
  rect.Right -= buttons_view_info_->RightButtonsWidth() + kTextIndent;
}

bool TlxGridFilterViewInfo::GetVisible() {
  switch (static_cast<TlxCustomGridTableView*>(GridView())->FilterBox()->Visible()) {
    case fvNever:
      return false;
    case fvNonEmpty:
      return FilterHasItems();
    case fvAlways:
      return true;
  }
  return false;
}

const TClass* TlxGridFilterViewInfo::GetHitTestClass() const { return &TlxGridFilterHitTest::kClass; }

bool TlxGridFilterViewInfo::GetHotTrack() {
  TlxCustomGridTableFiltering* filtering = Filtering();
  return filtering != nullptr && filtering->HasVisibleMRUItems();
}

bool TlxGridFilterViewInfo::IsHitTestOwn(TlxCustomGridHitTest* hit_test) {
  if (!TlxCustomGridPartViewInfo::IsHitTestOwn(hit_test))
    return false;
  TRect text_bounds;
  TextBounds(text_bounds);
  return text_bounds.Contains(hit_test->Pos);
}

void TlxGridFilterViewInfo::MouseStateChanged(TlxGridCellMouseState prev_state) {
  // Only the text changes its look (underlined while hot or pressed).
  if (!IsBeingDestroyed()) {
    TRect text_bounds;
    TextBounds(text_bounds);
    GridView()->InvalidateRect(text_bounds);
  }
  TlxCustomGridPartViewInfo::MouseStateChanged(prev_state);
  if (MouseState() == gmsPressed)
    if (TlxCustomGridFilterButtonViewInfo* drop_down = buttons_view_info_->DropDownButtonViewInfo())
      drop_down->SetMouseState(gmsPressed);
}

const TClass* TlxGridFilterViewInfo::GetPainterClass() const { return &TlxGridFilterPainter::kClass; }

void TlxGridFilterViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomGridPartViewInfo::Calculate(left, top, width, height);
  TRect buttons_area;
  GetButtonsAreaBounds(buttons_area);
  buttons_view_info_->Calculate(buttons_area);
}

TlxCustomGridHitTest* TlxGridFilterViewInfo::GetHitTest(const TPoint& point) {
  if (TlxCustomGridHitTest* hit_test = buttons_view_info_->GetHitTest(point))
    return hit_test;
  return TlxCustomGridPartViewInfo::GetHitTest(point);
}

// --- TlxGridFilterButtonsViewInfo ---------------------------------------------------

TlxGridFilterButtonsViewInfo::TlxGridFilterButtonsViewInfo(TlxGridFilterViewInfo* filter_view_info)
    : filter_view_info_(filter_view_info) {
  CreateItems();
}

TlxGridFilterButtonsViewInfo::~TlxGridFilterButtonsViewInfo() { DestroyItems(); }

TlxCustomGridFilterButtonViewInfo* TlxGridFilterButtonsViewInfo::AddItem(const TClass* button_class) {
  items_.emplace_back(static_cast<TlxCustomGridFilterButtonViewInfo*>(button_class->CreateInstance(this)));
  return items_.back().get();
}

void TlxGridFilterButtonsViewInfo::CreateItems() {
  AddItem(&TlxGridFilterCloseButtonViewInfo::kClass);
  AddItem(&TlxGridFilterActivateButtonViewInfo::kClass);
  AddItem(&TlxGridFilterCustomizeButtonViewInfo::kClass);
  drop_down_button_view_info_ = AddItem(&TlxGridFilterDropDownButtonViewInfo::kClass);
}

void TlxGridFilterButtonsViewInfo::DestroyItems() {
  drop_down_button_view_info_ = nullptr;
  items_.clear();
}

int32_t TlxGridFilterButtonsViewInfo::MaxHeight() {
  int32_t tallest = 0;
  bool any_visible = false;
  for (const auto& item : items_) {
    if (!item->GetVisible())
      continue;
    any_visible = true;
    tallest = std::max(tallest, item->CalculateHeight());
  }
  return any_visible ? tallest + kButtonsVerticalRoom : 0;
}

int32_t TlxGridFilterButtonsViewInfo::ButtonsWidth(bool right_aligned) {
  int32_t width = 0;
  bool any = false;
  for (const auto& item : items_) {
    if (!item->GetVisible() || item->IsRightAligned() != right_aligned)
      continue;
    any = true;
    width += item->CalculateWidth() + kButtonGap;
  }
  return any ? width + kButtonGap : 0;
}

void TlxGridFilterButtonsViewInfo::Calculate(const TRect& rect) {
  int32_t left = rect.Left + kButtonGap;
  int32_t right = rect.Right - kButtonGap;
  for (const auto& item : items_) {
    if (!item->GetVisible())
      continue;
    const int32_t width = item->CalculateWidth();
    const int32_t height = item->CalculateHeight();
    const bool right_aligned = item->IsRightAligned();
    const int32_t x = right_aligned ? right - width : left;
    const int32_t y = HalfRounded(rect.Top + rect.Bottom - height);
    item->Calculate(x, y, width, height);
    if (right_aligned)
      right = item->BoundsRect.Left - kButtonGap;
    else
      left = item->BoundsRect.Right + kButtonGap;
  }
}

TlxCustomGridHitTest* TlxGridFilterButtonsViewInfo::GetHitTest(const TPoint& point) {
  for (const auto& item : items_)
    if (TlxCustomGridHitTest* hit_test = item->GetHitTest(point))
      return hit_test;
  return nullptr;
}

// --- the buttons ----------------------------------------------------------------------

TlxCustomGridFilterButtonViewInfo::TlxCustomGridFilterButtonViewInfo(TlxGridFilterButtonsViewInfo* container)
    : TlxCustomGridViewCellViewInfo(container->FilterViewInfo()->OwnerViewInfo()), container_(container) {}

void TlxCustomGridFilterButtonViewInfo::GetViewParams(TlxPaintParams& params) {
  params = FilterViewInfo()->PaintParams();
}

int32_t TlxGridFilterCloseButtonViewInfo::CalculateHeight() {
  return LookAndFeelPainter()->GetFilterCloseButtonSize().cy;
}

int32_t TlxGridFilterCloseButtonViewInfo::CalculateWidth() {
  return LookAndFeelPainter()->GetFilterCloseButtonSize().cx;
}

void TlxGridFilterCloseButtonViewInfo::Click() { Criteria().RemoveAllItems(); }

const TClass* TlxGridFilterCloseButtonViewInfo::GetHitTestClass() const {
  return &TlxGridFilterCloseButtonHitTest::kClass;
}

const TClass* TlxGridFilterCloseButtonViewInfo::GetPainterClass() const {
  return &TlxGridFilterCloseButtonPainter::kClass;
}

int32_t TlxGridFilterActivateButtonViewInfo::CalculateHeight() {
  return LookAndFeelPainter()->GetFilterActivateButtonSize().cy;
}

int32_t TlxGridFilterActivateButtonViewInfo::CalculateWidth() {
  return LookAndFeelPainter()->GetFilterActivateButtonSize().cx;
}

void TlxGridFilterActivateButtonViewInfo::Click() { Criteria().SetActive(!Criteria().Active()); }

const TClass* TlxGridFilterActivateButtonViewInfo::GetHitTestClass() const {
  return &TlxGridFilterActivateButtonHitTest::kClass;
}

const TClass* TlxGridFilterActivateButtonViewInfo::GetPainterClass() const {
  return &TlxGridFilterActivateButtonPainter::kClass;
}

bool TlxGridFilterDropDownButtonViewInfo::GetVisible() {
  TlxCustomGridTableFiltering* filtering = FilterViewInfo()->Filtering();
  return filtering != nullptr && filtering->HasVisibleMRUItems();
}

// The same size as the close button.
int32_t TlxGridFilterDropDownButtonViewInfo::CalculateHeight() {
  return LookAndFeelPainter()->GetFilterCloseButtonSize().cy;
}

int32_t TlxGridFilterDropDownButtonViewInfo::CalculateWidth() {
  return LookAndFeelPainter()->GetFilterCloseButtonSize().cx;
}

void TlxGridFilterDropDownButtonViewInfo::BeforeMouseStateChange() {
  // Closing the list ends the band's pressed look together with the arrow.
  if (MouseState() == gmsPressed && !FilterViewInfo()->IsBeingDestroyed())
    FilterViewInfo()->SetMouseState(gmsNormal);
}

void TlxGridFilterDropDownButtonViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  // A short text pulls the arrow next to it; a long one leaves it in its
  // right-aligned place.
  TRect text_bounds;
  FilterViewInfo()->TextBounds(text_bounds);
  left = std::min(left, text_bounds.Right + kDropDownTextGap);
  TlxCustomGridFilterButtonViewInfo::Calculate(left, top, width, height);
}

const TClass* TlxGridFilterDropDownButtonViewInfo::GetHitTestClass() const {
  return &TlxGridFilterDropDownButtonHitTest::kClass;
}

const TClass* TlxGridFilterDropDownButtonViewInfo::GetPainterClass() const {
  return &TlxGridFilterDropDownButtonPainter::kClass;
}

TlxCustomGridTableController* TlxGridFilterDropDownButtonViewInfo::TableController() {
  return dynamic_cast<TlxCustomGridTableController*>(Controller());
}

bool TlxGridFilterDropDownButtonViewInfo::IsPopupCreated() {
  TlxCustomGridTableController* controller = TableController();
  return controller != nullptr && controller->HasFilterMRUItemsPopup();
}

TObject* TlxGridFilterDropDownButtonViewInfo::GetPopup() {
  // No list without entries to show: the button is hidden then anyway.
  if (!GetVisible())
    return nullptr;
  TlxCustomGridTableController* controller = TableController();
  return controller != nullptr ? controller->FilterMRUItemsPopup() : nullptr;
}

void TlxGridFilterDropDownButtonViewInfo::GetPopupOwnerBounds(TRect& rect) {
  rect = BoundsRect;
  TlxCustomGridTableController* controller = TableController();
  if (controller == nullptr)
    return;
  TlxGridFilterMRUItemsPopup* popup = controller->FilterMRUItemsPopup();
  TRect text_area;
  FilterViewInfo()->GetTextAreaBounds(text_area);
  rect.Left = text_area.Left - popup->GetBorderWidth(0) - popup->GetTextOffset();
}

bool TlxGridFilterCustomizeButtonViewInfo::GetVisible() {
  return static_cast<TlxCustomGridTableView*>(GridView())->FilterBox()->CustomizeDialog();
}

int32_t TlxGridFilterCustomizeButtonViewInfo::CalculateHeight() {
  CalculateParamsIfNeeded();
  return GetBorderWidth(bTop) + GetBorderWidth(bBottom) + TextHeightWithOffset() +
         2 * LookAndFeelPainter()->GetButtonTextOffset();
}

int32_t TlxGridFilterCustomizeButtonViewInfo::CalculateWidth() {
  CalculateParamsIfNeeded();
  return GetBorderWidth(bLeft) + GetBorderWidth(bRight) + TextWidthWithOffset() +
         2 * LookAndFeelPainter()->GetButtonTextOffset();
}

void TlxGridFilterCustomizeButtonViewInfo::Click() {
  if (TlxCustomGridTableFiltering* filtering = FilterViewInfo()->Filtering())
    filtering->CustomizeFilter(nullptr);
}

void TlxGridFilterCustomizeButtonViewInfo::GetText(std::string& text) {
  text = lxGridText(slxGridFilterCustomizeButtonCaption);
}

TlxBorders TlxGridFilterCustomizeButtonViewInfo::GetBorders() { return lxAllBorders; }

int32_t TlxGridFilterCustomizeButtonViewInfo::GetBorderWidth(TlxBorder /*side*/) {
  return LookAndFeelPainter()->GetButtonBorderSize(lxbsNormal);
}

void TlxGridFilterCustomizeButtonViewInfo::GetViewParams(TlxPaintParams& params) {
  params.Font = FilterViewInfo()->PaintParams().Font;
}

const TClass* TlxGridFilterCustomizeButtonViewInfo::GetHitTestClass() const {
  return &TlxGridFilterCustomizeButtonHitTest::kClass;
}

const TClass* TlxGridFilterCustomizeButtonViewInfo::GetPainterClass() const {
  return &TlxGridFilterCustomizeButtonPainter::kClass;
}

// --- painters -------------------------------------------------------------------------

void TlxGridFilterPainter::DrawBackgroundRect(const TRect& rect) {
  TlxGridFilterViewInfo& band = FilterViewInfo();
  band.LookAndFeelPainter()->PaintFilterPanel(Canvas(), rect, band.HasBackgroundBitmap(), band.PaintParams().Color,
                                              band.GetBackgroundBitmap());
}

void TlxGridFilterPainter::DoPaint() {
  TlxCustomGridPartPainter::DoPaint();
  DrawButtons();
}

void TlxGridFilterPainter::DrawButtons() {
  TlxGridFilterButtonsViewInfo* buttons = FilterViewInfo().ButtonsViewInfo();
  for (int32_t i = 0; i < buttons->Count(); ++i)
    buttons->Items(i)->Paint();
}

void TlxGridFilterPainter::BeforeDrawText() {
  TlxCustomGridPartPainter::BeforeDrawText();
  text_was_underlined_ = false;
  const TlxGridCellMouseState state = FilterViewInfo().MouseState();
  TFontStyles style = Canvas().Font().Style();
  if ((state == gmsHot || state == gmsPressed) && !style.Contains(fsUnderline)) {
    Canvas().Font().SetStyle(style.Include(fsUnderline));
    text_was_underlined_ = true;
  }
}

void TlxGridFilterPainter::AfterDrawText() {
  if (text_was_underlined_) {
    TFontStyles style = Canvas().Font().Style();
    Canvas().Font().SetStyle(style.Exclude(fsUnderline));
  }
  TlxCustomGridPartPainter::AfterDrawText();
}

void TlxGridFilterCloseButtonPainter::DrawContent() {
  LookAndFeelPainter()->PaintFilterCloseButton(Canvas(), ViewInfo().BoundsRect, ViewInfo().ButtonState());
}

void TlxGridFilterActivateButtonPainter::DrawContent() {
  LookAndFeelPainter()->PaintFilterActivateButton(Canvas(), ViewInfo().BoundsRect, ViewInfo().ButtonState(),
                                                  ButtonViewInfo().Criteria().Active());
}

void TlxGridFilterDropDownButtonPainter::DrawContent() {
  LookAndFeelPainter()->PaintFilterDropDownButton(Canvas(), ViewInfo().BoundsRect, ViewInfo().ButtonState(), false);
}

void TlxGridFilterCustomizeButtonPainter::DoPaint() {
  const TlxPaintParams& params = ViewInfo().PaintParams();
  if (params.Font != nullptr)
    Canvas().AssignFont(*params.Font);
  std::string caption;
  ViewInfo().GetText(caption);
  LookAndFeelPainter()->PaintButton(Canvas(), ViewInfo().BoundsRect, caption, ViewInfo().ButtonState(), true,
                                    clDefault, clDefault, false);
}
