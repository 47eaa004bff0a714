#include "tabs/tab_control_model.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/scope.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"

TlxTabControlModel::TlxTabControlModel()
    : visible_tabs_(std::make_unique<TlxVisibleTabList>(this)), tabs_(std::make_unique<TlxTabs>(this)) {}

TlxTabControlModel::~TlxTabControlModel() { DestroyTabs(); }

void TlxTabControlModel::DestroyTabs() {
  destroying_ = true;
  tabs_.reset();
}

void TlxTabControlModel::SetControlSize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  RecalculateLayout();
}

// ---- Properties -----------------------------------------------------------

void TlxTabControlModel::SetHideTabs(bool value) {
  if (value == hide_tabs_)
    return;
  hide_tabs_ = value;
  RealignChildren();
  RepaintControl();
}

void TlxTabControlModel::SetHotTrack(bool value) {
  if (value == hot_track_)
    return;
  hot_track_ = value;
  RefreshHotTrack();
}

void TlxTabControlModel::SetImageBorder(int32_t value) {
  if (value < 0 || value == image_border_)
    return;
  image_border_ = value;
  if (visible_tabs_->Count() > 0)
    RecalculateLayout();
}

void TlxTabControlModel::SetMaxRotatedTabWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == max_rotated_tab_width_)
    return;
  max_rotated_tab_width_ = value;
  NormalisedMaxRotatedTabWidth();
  if (rotate_ && visible_tabs_->Count() > 0)
    RecalculateLayout();
}

int32_t TlxTabControlModel::NormalisedMaxRotatedTabWidth() {
  if (max_rotated_tab_width_ > 0 && HasPainter())
    max_rotated_tab_width_ = std::max(max_rotated_tab_width_, painter_->GetMinTabWidth(-1));
  return max_rotated_tab_width_;
}

void TlxTabControlModel::SetMultiLine(bool value) {
  if (value == multi_line_)
    return;
  multi_line_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetNavigatorPosition(TlxPCNavigatorPosition value) {
  if (value == navigator_position_)
    return;
  navigator_position_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetOptions(TlxPCOptions value) {
  const TlxPCOptions changed = static_cast<TlxPCOptions>(value ^ options_);
  options_ = value;
  if ((changed & kPCLayoutOptions) != 0)
    RecalculateLayout();
  else if ((changed & kPCPaintOptions) != 0)
    RepaintControl();
}

void TlxTabControlModel::SetOwnerDraw(bool value) {
  if (value == owner_draw_)
    return;
  owner_draw_ = value;
  RepaintControl();
}

void TlxTabControlModel::SetRaggedRight(bool value) {
  if (value == ragged_right_)
    return;
  ragged_right_ = value;
  if (multi_line_)
    RecalculateLayout();
}

void TlxTabControlModel::SetRotate(bool value) {
  if (value == rotate_)
    return;
  if (value && HasPainter() && !painter_->CanRotateTabs())
    throw Exception(Format(lxPCText(slxPCAllowRotateError), {painter_->GetStyleName()}));
  rotate_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetScrollOpposite(bool value) {
  if (value == scroll_opposite_)
    return;
  scroll_opposite_ = value;
  if (multi_line_ && main_visible_index_ != -1) {
    CalculateDisplayRows();
    RealignChildren();
    RepaintControl();
    return;
  }
  RealignChildren();
}

void TlxTabControlModel::SetShowFrame(bool value) {
  if (value == show_frame_)
    return;
  show_frame_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabHeight(int16_t value) {
  if (value == tab_height_)
    return;
  tab_height_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabPosition(TlxTabPosition value) {
  if (value == tab_position_)
    return;
  tab_position_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabWidth(int16_t value) {
  if (value == tab_width_)
    return;
  tab_width_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabSlantKind(TlxTabSlantKind value) {
  if (value == slant_kind_)
    return;
  slant_kind_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabSlantPositions(TlxTabSlantPositions value) {
  if (value == slant_positions_)
    return;
  slant_positions_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabCaptionAlignment(TAlignment value) {
  if (value == caption_alignment_)
    return;
  caption_alignment_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetTabsContainerMode(bool value) {
  if (value == tabs_container_mode_)
    return;
  tabs_container_mode_ = value;
  RecalculateLayout();
}

void TlxTabControlModel::SetNavigatorButtonState(TlxPCNavigatorButton button, TlxPCNavigatorButtonState state) {
  const TlxPCNavigatorButtonState old = button_states_[button];
  if (old == state)
    return;
  button_states_[button] = state;
  if (HasPainter())
    painter_->RepaintButton(button, old);
}

bool TlxTabControlModel::HasTabsOnBothSides() const {
  if (tab_position_ == tpTop || tab_position_ == tpLeft)
    return top_or_left_part_row_count_ < row_count_;
  return top_or_left_part_row_count_ > 0;
}

void TlxTabControlModel::TabDestroying(TlxTab& tab) {
  if (tracked_visible_index_ != -1 && tracked_visible_index_ == tab.VisibleIndex())
    tracked_visible_index_ = -1;
}

// ---- The chosen tab ---------------------------------------------------------

bool TlxTabControlModel::ChangeEventsLocked() const {
  return change_lock_count_ > 0 || IsLoading() || IsDesignTime();
}

void TlxTabControlModel::LockChangeEvents(bool lock) {
  if (lock)
    ++change_lock_count_;
  else if (change_lock_count_ > 0)
    --change_lock_count_;
}

bool TlxTabControlModel::DoCanChange(int32_t /*new_index*/) {
  bool allow = true;
  if (OnChanging && !ChangeEventsLocked())
    OnChanging(EventSender(), allow);
  return allow;
}

void TlxTabControlModel::DoChange() {
  if (OnChange && !ChangeEventsLocked())
    OnChange(EventSender());
}

bool TlxTabControlModel::CalculateMainVisibleIndex() {
  const int32_t count = visible_tabs_->Count();
  const int32_t old = main_visible_index_ < count ? main_visible_index_ : -1;
  int32_t main = -1;
  if (tab_index_ != -1) {
    int32_t position = 0;
    if (!visible_tabs_->Find(tab_index_, position) && position == count)
      position = count - 1;
    main = position;
  }
  main_visible_index_ = main;
  if (main == old)
    return false;
  if (tabs_ != nullptr) {
    if (old != -1)
      tabs_->Changed(old, tckMainTab);
    if (main != -1)
      tabs_->Changed(main, tckMainTab);
  }
  RefreshButtonStates();
  return true;
}

void TlxTabControlModel::SetTabIndex(int32_t value) {
  if (IsLoading()) {
    tab_index_ = value;
    return;
  }
  if (value < -1 || value >= tabs_->Count())
    return;
  if (RequiresVisibleTab() && value != -1 && !tabs_->GetTab(value)->Visible())
    value = -1;
  if (value == tab_index_)
    return;
  if (!DoCanChange(value))
    return;
  tab_index_ = -1;
  tabs_->UpdateMainTab();
  for (int32_t i = 0; i < tabs_->Count(); ++i)
    tabs_->GetTab(i)->SetSelected(false);
  tabs_->SetTrackedTab(-1);
  tab_index_ = value;
  tabs_->UpdateMainTab();
  if (multi_line_) {
    CalculateDisplayRows();
    RealignChildren();
    RepaintControl();
  } else {
    if (main_visible_index_ != -1)
      MakeVisible(main_visible_index_);
    RecalculateLayout();
  }
  RefreshButtonStates();
  RefreshHotTrack();
  DoChange();
}

bool TlxTabControlModel::CanSelectTab(int32_t tab_index) const {
  const TlxTab* tab = tabs_->GetTab(tab_index);
  return tab->Visible() && tab->IsEnabledForUse();
}

void TlxTabControlModel::SelectVisibleTab(int32_t visible_index, bool ctrl) {
  TlxTab* tab = tabs_->GetVisibleTab(visible_index);
  if (multi_select_ && ctrl && HasPainter() && painter_->AllowMultiSelectTabs()) {
    if (visible_index == main_visible_index_)
      SetTabIndex(-1);
    else
      tab->SetSelected(!tab->Selected());
    return;
  }
  SetTabIndex(tab->Index());
}

int32_t TlxTabControlModel::GetVisibleTabIndexAt(int32_t x, int32_t y) {
  int32_t first = 0;
  int32_t last = visible_tabs_->Count() - 1;
  if (!multi_line_) {
    first = std::max(first_displayed_tab_, 0);
    last = std::min(last_displayed_tab_, last);
  }
  for (int32_t i = first; i <= last; ++i) {
    if (!tabs_->GetVisibleTab(i)->DisplayRect().Contains(Point(x, y)))
      continue;
    if (!HasPainter() || painter_->IsPointInTab(i, x, y))
      return i;
  }
  return -1;
}

int32_t TlxTabControlModel::GetTabImageIndex(int32_t tab_index) {
  int32_t image_index = tabs_->GetTab(tab_index)->StoredImageIndex();
  if (OnGetImageIndex)
    OnGetImageIndex(EventSender(), tab_index, image_index);
  if (image_index < 0)
    return -1;
  const TSize size = ImagesSize();
  if (size.cx <= 0 || size.cy <= 0 || image_index >= ImagesCount())
    return -1;
  return image_index;
}

bool TlxTabControlModel::ProcessNavigationKey(uint16_t key, TlxPCKeyShift shift) {
  const int32_t count = visible_tabs_->Count();
  if (hide_tabs_ || count == 0 || (shift.Alt && !shift.Ctrl))
    return false;
  bool cycle = false;
  bool start_set = false;
  int32_t start = 0;
  int32_t step = 0;
  switch (key) {
    case kPCKeyTab:
      if (!shift.Ctrl)
        return false;
      cycle = true;
      step = shift.Shift ? -1 : 1;
      break;
    case kPCKeyReturn:
    case kPCKeySpace:
      if (tracked_visible_index_ == -1)
        return false;
      SetTabIndex(visible_tabs_->TabIndexAt(tracked_visible_index_));
      return true;
    case kPCKeyHome:
    case kPCKeyEnd: {
      int32_t direction = key == kPCKeyHome ? -1 : 1;
      if (IsRowReversed())
        direction = -direction;
      start = direction > 0 ? count - 1 : 0;
      step = -direction;
      start_set = true;
      break;
    }
    case kPCKeyLeft:
    case kPCKeyUp:
      step = -1;
      break;
    case kPCKeyRight:
    case kPCKeyDown:
      step = 1;
      break;
    default:
      return false;
  }
  if (!start_set) {
    if (IsRowReversed())
      step = -step;
    if (tracked_visible_index_ != -1)
      start = tracked_visible_index_ + step;
    else if (main_visible_index_ != -1)
      start = main_visible_index_ + step;
    else
      start = step > 0 ? 0 : count - 1;
  }
  if (start < 0 || start >= count) {
    if (!cycle)
      return true;
    start = start < 0 ? count - 1 : 0;
  }
  int32_t found = -1;
  for (int32_t i = start, looked = 0; looked < count; ++looked) {
    if (tabs_->GetVisibleTab(i)->IsEnabledForUse()) {
      found = i;
      break;
    }
    i += step;
    if (i < 0 || i >= count) {
      if (!cycle)
        break;
      i = i < 0 ? count - 1 : 0;
    }
  }
  if (found == -1)
    return true;
  if (HasPainter() && painter_->IsTabButtonLike() && key != kPCKeyTab)
    tabs_->SetTrackedTab(found);
  else if (found != main_visible_index_)
    SetTabIndex(visible_tabs_->TabIndexAt(found));
  return true;
}
