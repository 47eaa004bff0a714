// The layout of tab rows and navigator buttons (the arithmetic half of the
// tab control; every pixel metric comes from the painter).
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/rtl/scope.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"
#include "tabs/tab_rows.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"

namespace {

// Along and across coordinates of a rectangle for a row axis.
int32_t StartAlong(const TRect& r, bool axis_x) { return axis_x ? r.Left : r.Top; }
int32_t StartAcross(const TRect& r, bool axis_x) { return axis_x ? r.Top : r.Left; }
int32_t EndAcross(const TRect& r, bool axis_x) { return axis_x ? r.Bottom : r.Right; }

TRect CrossBand(const TRect& area, bool axis_x, int32_t start, int32_t end) {
  if (axis_x)
    return {area.Left, start, area.Right, end};
  return {start, area.Top, end, area.Bottom};
}

}  // namespace

int32_t TlxTabControlModel::TabExtent(int32_t visible_index) const {
  return tabs_->GetVisibleTab(visible_index)->Extent();
}

int32_t TlxTabControlModel::StartAlongAxis() const {
  return StartAlong(tabs_layout_.RowsArea, lxPCIsRowAxisX(tab_position_));
}

void TlxTabControlModel::RecalculateLayout() {
  if (IsLoading() || IsDestroying() || layout_running_ || !HasPainter() || tabs_ == nullptr)
    return;
  TStateScope running(layout_running_, true);
  const int32_t count = visible_tabs_->Count();
  const int32_t main = main_visible_index_ < count ? main_visible_index_ : -1;
  painter_->PrepareLayout();
  NormalisedMaxRotatedTabWidth();
  tabs_->FreeVerticalCaptionBitmaps();
  ArrangeRows();
  tabs_->RefreshImageTabs();
  ImagesRotationChanged();
  RealignChildren();
  RepaintControl();
  main_visible_index_ = main;
  CalculateMainVisibleIndex();
  RefreshHotTrack();
}

void TlxTabControlModel::SetButtons(TlxPCNavigatorButtons buttons) {
  navigator_buttons_ = buttons;
  DropHiddenButtonStates();
}

void TlxTabControlModel::DropHiddenButtonStates() {
  const TlxPCNavigatorButtons buttons = navigator_buttons_;
  if (hot_button_ != -1 && !lxPCHasButton(buttons, static_cast<TlxPCNavigatorButton>(hot_button_))) {
    button_states_[hot_button_] = nbsNormal;
    hot_button_ = -1;
  }
  if (pressed_button_ != -1 && !lxPCHasButton(buttons, static_cast<TlxPCNavigatorButton>(pressed_button_))) {
    button_states_[pressed_button_] = nbsNormal;
    pressed_button_ = -1;
  }
}

void TlxTabControlModel::CalculateLayoutFor(TlxPCNavigatorButtons buttons) {
  // Which buttons lost their place is settled once the row is arranged.
  navigator_buttons_ = buttons;
  tabs_layout_ = {};
  painter_->CalculateTabsLayout(buttons, tabs_layout_);
  int32_t along = 0;
  int32_t across = 0;
  painter_->GetTabSpacing(along, across);
  tab_gap_ = rotate_ ? across : along;
  row_gap_ = rotate_ ? along : across;
}

void TlxTabControlModel::CalculateTabNormalSizes() {
  if (tabs_->Count() == 0)
    lxPCRaise("TlxCustomTabControl", "CalculateTabNormalSizes", lxPCText(slxPCTabCountEqualsZero));
  tabs_->SetCommonTabHeight(painter_->CalculateTabNormalHeight());
  for (int32_t i = 0; i < tabs_->Count(); ++i) {
    TlxTab* tab = tabs_->GetTab(i);
    tab->SetLayoutWidth(tab->Visible() ? painter_->CalculateTabNormalWidth(*tab) : 0);
  }
}

void TlxTabControlModel::ArrangeRows() {
  if (!HasPainter() || tabs_ == nullptr)
    return;
  const int32_t count = visible_tabs_->Count();
  top_or_left_part_clip_ = {};
  bottom_or_right_part_clip_ = {};
  if (first_displayed_tab_ == -1 && count > 0)
    first_displayed_tab_ = 0;
  if (first_displayed_tab_ >= count)
    first_displayed_tab_ = count - 1;
  last_displayed_tab_ = first_displayed_tab_;
  if (hot_visible_index_ >= count)
    hot_visible_index_ = -1;
  if (main_visible_index_ >= count)
    main_visible_index_ = -1;
  if (pressed_visible_index_ >= count)
    pressed_visible_index_ = -1;
  row_count_ = 0;
  if (tab_index_ >= tabs_->Count())
    tab_index_ = tabs_->Count() - 1;
  top_or_left_part_row_count_ = 0;
  if (count == 0) {
    SetButtons(0);
    CalculateLayoutFor(0);
    return;
  }
  CalculateTabNormalSizes();
  if (multi_line_) {
    SetButtons(0);
    CalculateLayoutFor(0);
    if (tabs_layout_.RowLength < 1)
      return;
    BreakIntoRows();
    PlaceRowsAlong();
    CalculateRowThickness();
    CalculateDisplayRows();
    return;
  }
  row_count_ = 1;
  top_or_left_part_row_count_ = tab_position_ == tpTop || tab_position_ == tpLeft ? 1 : 0;
  PlaceRowsAlong();
  if (tabs_layout_.RowLength < 1)
    return;
  for (int32_t i = 0; i < count; ++i) {
    TlxTab* tab = tabs_->GetVisibleTab(i);
    tab->SetRowIndex(0);
    tab->SetDisplayRowIndex(0);
  }
  CalculateRowThickness();
  PlaceRowsAcross();
}

void TlxTabControlModel::BreakIntoRows() {
  const int32_t length = tabs_layout_.RowLength;
  const int32_t gap = tab_gap_;
  const int32_t count = visible_tabs_->Count();
  std::vector<int32_t> rows(static_cast<size_t>(count), 0);
  std::vector<int32_t> extents(static_cast<size_t>(count), 0);
  const bool balance = !(rotate_ && ragged_right_);
  auto balance_group = [&](int32_t first, int32_t last) {
    if (!balance || first > last || rows[static_cast<size_t>(first)] == rows[static_cast<size_t>(last)])
      return;
    std::vector<TlxPCRowBounds> bounds;
    for (int32_t i = first; i <= last; ++i) {
      if (i == first || rows[static_cast<size_t>(i)] != rows[static_cast<size_t>(i - 1)])
        bounds.push_back({i, i});
      bounds.back().Last = i;
    }
    const int32_t first_row = rows[static_cast<size_t>(first)];
    lxPCBalanceRows(extents, bounds, gap, length);
    for (size_t r = 0; r < bounds.size(); ++r)
      for (int32_t i = bounds[r].First; i <= bounds[r].Last; ++i)
        rows[static_cast<size_t>(i)] = first_row + static_cast<int32_t>(r);
  };

  row_count_ = 1;
  int64_t used = 0;
  // Whether the current row holds a tab: with gaps of 0 or below, the used
  // length alone cannot tell, and a wide tab must never share its row.
  bool row_used = false;
  int32_t group_start = 0;
  for (int32_t i = 0; i < count; ++i) {
    TlxTab* tab = tabs_->GetVisibleTab(i);
    const int32_t extent = tab->Extent();
    extents[static_cast<size_t>(i)] = extent;
    if (extent >= length) {
      if (row_used) {
        ++row_count_;
        used = 0;
      }
      balance_group(group_start, i - 1);
      group_start = i + 1;
      if (!rotate_ && painter_->GetMinTabWidth(i) < length) {
        tab->SetLayoutWidth(length);
        extents[static_cast<size_t>(i)] = length;
      }
      rows[static_cast<size_t>(i)] = row_count_ - 1;
      row_used = false;
      if (i != count - 1)
        ++row_count_;
    } else if (row_used && extent + used > length) {
      ++row_count_;
      rows[static_cast<size_t>(i)] = row_count_ - 1;
      used = extent + static_cast<int64_t>(gap);
    } else {
      rows[static_cast<size_t>(i)] = row_count_ - 1;
      used += extent + static_cast<int64_t>(gap);
      row_used = true;
    }
  }
  balance_group(group_start, count - 1);
  for (int32_t i = 0; i < count; ++i)
    tabs_->GetVisibleTab(i)->SetRowIndex(rows[static_cast<size_t>(i)]);
}

void TlxTabControlModel::ArrangeRow(int32_t first, int32_t last, bool place_all) {
  const bool axis_x = lxPCIsRowAxisX(tab_position_);
  const int32_t start = StartAlongAxis();
  const bool reversed = IsRowReversed();
  const int32_t step = reversed ? -1 : 1;
  const int64_t limit = reversed ? start : static_cast<int64_t>(start) + tabs_layout_.RowLength - 1;
  int64_t position = reversed ? static_cast<int64_t>(start) + tabs_layout_.RowLength - 1 : start;
  auto beyond = [&](int64_t value) { return reversed ? value < limit : value > limit; };
  int64_t far_end = position;
  for (int32_t i = first; i <= last; ++i) {
    last_displayed_tab_ = i;
    TlxTab* tab = tabs_->GetVisibleTab(i);
    far_end = position + step * (static_cast<int64_t>(tab->Extent()) - 1);
    const int32_t origin = static_cast<int32_t>(reversed ? far_end : position);
    TPoint point = tab->LayoutOrigin();
    (axis_x ? point.X : point.Y) = origin;
    tab->SetLayoutOrigin(point);
    position = far_end + step * (static_cast<int64_t>(tab_gap_) + 1);
    if (beyond(position) && !place_all)
      break;
  }
  last_tab_fits_ = !beyond(far_end) && last_displayed_tab_ == last;
}

void TlxTabControlModel::PlaceRowsAlong() {
  const int32_t count = visible_tabs_->Count();
  const bool close = lxPCHasOption(options_, pcoCloseButton) && !multi_line_;
  if (row_count_ < 2) {
    const int32_t kept = first_displayed_tab_;
    first_displayed_tab_ = 0;
    TlxPCNavigatorButtons fitting = close ? lxPCButtonBit(nbClose) : 0;
    if (lxPCHasOption(options_, pcoGoDialog) && lxPCHasOption(options_, pcoAlwaysShowGoDialogButton))
      fitting |= lxPCButtonBit(nbGoDialog);
    CalculateLayoutFor(fitting);
    if (tabs_layout_.RowLength < 1)
      return;
    ArrangeRow(0, count - 1, true);
    if (!last_tab_fits_) {
      first_displayed_tab_ = std::clamp(kept, 0, count - 1);
      TlxPCNavigatorButtons scrolling = close ? lxPCButtonBit(nbClose) : 0;
      if (!lxPCHasOption(options_, pcoNoArrows))
        scrolling |= lxPCButtonBit(nbTopLeft) | lxPCButtonBit(nbBottomRight);
      if (lxPCHasOption(options_, pcoGoDialog))
        scrolling |= lxPCButtonBit(nbGoDialog);
      CalculateLayoutFor(scrolling);
      if (tabs_layout_.RowLength < 1)
        return;
      ArrangeRow(first_displayed_tab_, count - 1, false);
      if (last_tab_fits_) {
        while (first_displayed_tab_ > 0) {
          --first_displayed_tab_;
          ArrangeRow(first_displayed_tab_, count - 1, false);
          if (!last_tab_fits_) {
            ++first_displayed_tab_;
            ArrangeRow(first_displayed_tab_, count - 1, false);
            break;
          }
        }
      }
    }
    DropHiddenButtonStates();
    RefreshButtonStates();
    return;
  }
  SetButtons(0);
  CalculateLayoutFor(0);
  if (tabs_layout_.RowLength < 1)
    return;
  int32_t first = 0;
  while (first < count) {
    const int32_t row = tabs_->GetVisibleTab(first)->RowIndex();
    int32_t last = first;
    while (last + 1 < count && tabs_->GetVisibleTab(last + 1)->RowIndex() == row)
      ++last;
    if (!rotate_ && !ragged_right_) {
      std::vector<int32_t> widths;
      for (int32_t i = first; i <= last; ++i)
        widths.push_back(tabs_->GetVisibleTab(i)->LayoutWidth());
      const std::vector<int32_t> justified = lxPCJustifyRow(widths, tab_gap_, tabs_layout_.RowLength);
      for (int32_t i = first; i <= last; ++i)
        tabs_->GetVisibleTab(i)->SetLayoutWidth(justified[static_cast<size_t>(i - first)]);
    }
    ArrangeRow(first, last, false);
    first = last + 1;
  }
}

void TlxTabControlModel::CalculateRowThickness() {
  if (!rotate_) {
    row_thickness_ = tabs_->CommonTabHeight();
    return;
  }
  int32_t first = 0;
  int32_t last = visible_tabs_->Count() - 1;
  if (!lxPCHasOption(options_, pcoFixedTabWidthWhenRotated) && !multi_line_) {
    first = std::max(first_displayed_tab_, 0);
    last = std::min(last_displayed_tab_, last);
  }
  TlxTab* widest = nullptr;
  for (int32_t i = first; i <= last; ++i) {
    TlxTab* tab = tabs_->GetVisibleTab(i);
    if (widest == nullptr || tab->LayoutWidth() > widest->LayoutWidth())
      widest = tab;
  }
  if (widest == nullptr) {
    max_caption_width_ = 0;
    row_thickness_ = 0;
    return;
  }
  max_caption_width_ = painter_->CaptionWidth(*widest);
  row_thickness_ = widest->LayoutWidth();
  const int32_t limit = NormalisedMaxRotatedTabWidth();
  if (limit > 0 && limit < row_thickness_)
    row_thickness_ = limit;
}

void TlxTabControlModel::CalculateDisplayRows() {
  const int32_t count = visible_tabs_->Count();
  if (row_count_ < 1 || count == 0)
    return;
  const bool top_to_bottom = lxPCHasOption(options_, pcoTopToBottomText);
  bool reverse = false;
  switch (tab_position_) {
    case tpTop: reverse = rotate_ && !top_to_bottom; break;
    case tpBottom: reverse = !(rotate_ && !top_to_bottom); break;
    case tpLeft: reverse = !rotate_ && top_to_bottom; break;
    case tpRight: reverse = !(!rotate_ && top_to_bottom); break;
  }
  for (int32_t i = 0; i < count; ++i) {
    TlxTab* tab = tabs_->GetVisibleTab(i);
    tab->SetDisplayRowIndex(reverse ? row_count_ - 1 - tab->RowIndex() : tab->RowIndex());
  }
  int32_t k = row_count_;
  const int32_t main = main_visible_index_ < count ? main_visible_index_ : -1;
  if (main != -1) {
    const int32_t main_row = tabs_->GetVisibleTab(main)->DisplayRowIndex();
    if (scroll_opposite_) {
      k = main_row + 1;
    } else if (painter_->IsMainTabRowNearPage()) {
      const int32_t shift = row_count_ - 1 - main_row;
      for (int32_t i = 0; i < count; ++i) {
        TlxTab* tab = tabs_->GetVisibleTab(i);
        tab->SetDisplayRowIndex((tab->DisplayRowIndex() + shift) % row_count_);
      }
    }
  }
  top_or_left_part_row_count_ = k;
  if (tab_position_ == tpBottom || tab_position_ == tpRight) {
    for (int32_t i = 0; i < count; ++i) {
      TlxTab* tab = tabs_->GetVisibleTab(i);
      tab->SetDisplayRowIndex(row_count_ - 1 - tab->DisplayRowIndex());
    }
    top_or_left_part_row_count_ = row_count_ - k;
  }
  PlaceRowsAcross();
}

void TlxTabControlModel::PlaceRowsAcross() {
  const bool axis_x = lxPCIsRowAxisX(tab_position_);
  const int64_t h = row_thickness_;
  const int64_t g = row_gap_;
  const int64_t near_edge = StartAcross(tabs_layout_.RowsArea, axis_x);
  const int64_t far_edge = EndAcross(tabs_layout_.RowsArea, axis_x);
  const int64_t k = top_or_left_part_row_count_;
  const int64_t rows = row_count_;
  for (int32_t i = 0; i < visible_tabs_->Count(); ++i) {
    TlxTab* tab = tabs_->GetVisibleTab(i);
    const int64_t d = tab->DisplayRowIndex();
    const int64_t across = d < k ? d * (h + g) + near_edge : far_edge - (rows - d) * h - (rows - 1 - d) * g;
    TPoint point = tab->LayoutOrigin();
    (axis_x ? point.Y : point.X) = static_cast<int32_t>(across);
    tab->SetLayoutOrigin(point);
  }
  const TRect& area = tabs_layout_.TabsArea;
  const int64_t area_start = StartAcross(area, axis_x);
  const int64_t area_end = EndAcross(area, axis_x);
  int64_t top_end = std::min((h + g) * k + near_edge - g + tabs_layout_.TopOrLeftBorderShift, area_end);
  int64_t bottom_start =
      std::max(far_edge - (rows - k) * (h + g) + g + tabs_layout_.BottomOrRightBorderShift, area_start);
  if (k != 0 && k != rows) {
    if (tab_position_ == tpTop || tab_position_ == tpLeft) {
      const int64_t wanted = std::min(top_end + tabs_layout_.PartsGap, area_end);
      if (wanted > bottom_start)
        bottom_start = wanted;
    } else {
      const int64_t wanted = std::max(bottom_start - tabs_layout_.PartsGap, area_start);
      if (wanted < top_end)
        top_end = wanted;
    }
  }
  top_or_left_part_clip_ = CrossBand(area, axis_x, static_cast<int32_t>(area_start), static_cast<int32_t>(top_end));
  bottom_or_right_part_clip_ =
      CrossBand(area, axis_x, static_cast<int32_t>(bottom_start), static_cast<int32_t>(area_end));
}

bool TlxTabControlModel::IsArrowForward(TlxPCNavigatorButton button) const {
  return (button == nbBottomRight) != IsRowReversed();
}

void TlxTabControlModel::ScrollByButton(TlxPCNavigatorButton button) {
  if (button_states_[button] == nbsDisabled)
    return;
  first_displayed_tab_ += IsArrowForward(button) ? 1 : -1;
  RecalculateLayout();
}

void TlxTabControlModel::ScrollBy(int32_t count) {
  if (multi_line_)
    return;
  const TlxPCNavigatorButton button = count > 0 ? nbBottomRight : nbTopLeft;
  for (int32_t i = 0; i < std::abs(count); ++i)
    ScrollByButton(button);
}

void TlxTabControlModel::MakeVisible(int32_t visible_index) {
  if (visible_index < 0 || visible_index >= visible_tabs_->Count() || !HasPainter())
    return;
  if (visible_index < first_displayed_tab_) {
    first_displayed_tab_ = visible_index;
    return;
  }
  if (visible_index < last_displayed_tab_ || (visible_index == last_displayed_tab_ && last_tab_fits_))
    return;
  TlxPCTabsLayout layout;
  painter_->CalculateTabsLayout(navigator_buttons_, layout);
  tabs_layout_ = layout;
  first_displayed_tab_ = visible_index;
  if (tabs_layout_.RowLength < 1)
    return;
  int64_t length = TabExtent(visible_index);
  while (tab_gap_ + length < tabs_layout_.RowLength && first_displayed_tab_ > 0) {
    --first_displayed_tab_;
    length += tab_gap_ + TabExtent(first_displayed_tab_);
    if (length > tabs_layout_.RowLength) {
      ++first_displayed_tab_;
      break;
    }
  }
}

int32_t TlxTabControlModel::CalculateLengthToFitAllTabs() {
  const int32_t count = visible_tabs_->Count();
  if (count == 0 || !HasPainter())
    return 0;
  TlxPCNavigatorButtons fitting = lxPCHasOption(options_, pcoCloseButton) && !multi_line_ ? lxPCButtonBit(nbClose) : 0;
  if (lxPCHasOption(options_, pcoGoDialog) && lxPCHasOption(options_, pcoAlwaysShowGoDialogButton))
    fitting |= lxPCButtonBit(nbGoDialog);
  // A question: the tabs are measured afresh but the arrangement on screen
  // (justified widths, the tabs area) stays as it is.
  TlxPCTabsLayout layout;
  painter_->CalculateTabsLayout(fitting, layout);
  const int64_t start = StartAlong(layout.RowsArea, lxPCIsRowAxisX(tab_position_));
  const int64_t available_end = start + layout.RowLength - 1;
  int64_t needed_end = start - 1 + static_cast<int64_t>(tab_gap_) * (count - 1);
  const int32_t rotated_extent = rotate_ ? painter_->CalculateTabNormalHeight() : 0;
  for (int32_t i = 0; i < count; ++i)
    needed_end += rotate_ ? rotated_extent : painter_->CalculateTabNormalWidth(*tabs_->GetVisibleTab(i));
  const int64_t current = lxPCIsRowAxisX(tab_position_) ? ControlWidth() : ControlHeight();
  return static_cast<int32_t>(current + needed_end - available_end);
}

TRect TlxTabControlModel::PageAreaRect() {
  TRect r = HasPainter() ? painter_->GetPageClientRect() : Bounds(0, 0, ControlWidth(), ControlHeight());
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

bool TlxTabControlModel::IsNavigatorButtonEnabled(TlxPCNavigatorButton button) const {
  const int32_t count = visible_tabs_->Count();
  switch (button) {
    case nbTopLeft:
    case nbBottomRight:
      if (IsArrowForward(button))
        return !(last_displayed_tab_ >= count - 1 && (last_tab_fits_ || last_displayed_tab_ == first_displayed_tab_));
      return first_displayed_tab_ > 0;
    case nbClose:
      return main_visible_index_ != -1;
    case nbGoDialog:
      return true;
  }
  return true;
}

void TlxTabControlModel::RefreshButtonStates() {
  for (TlxPCNavigatorButton button : {nbTopLeft, nbBottomRight, nbClose}) {
    if (!lxPCHasButton(navigator_buttons_, button))
      continue;
    const TlxPCNavigatorButtonState old = button_states_[button];
    TlxPCNavigatorButtonState state = old;
    if (!IsNavigatorButtonEnabled(button))
      state = nbsDisabled;
    else if (old == nbsDisabled)
      state = nbsNormal;
    if (state == old)
      continue;
    if (state == nbsDisabled) {
      hot_button_ = -1;
      pressed_button_ = -1;
    }
    button_states_[button] = state;
    if (HasPainter())
      painter_->RepaintButton(button, old);
    RefreshHotTrack();
  }
}
