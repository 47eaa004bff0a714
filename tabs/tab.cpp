#include "tabs/tab.h"

#include "tabs/tab_control_model.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"

TlxTab::TlxTab(TlxTabs* tabs, int32_t index) : tabs_(tabs), image_index_(index), index_(index) {}

TlxTab::~TlxTab() {
  if (tabs_ != nullptr) {
    tabs_->Control().TabDestroying(*this);
    tabs_->RemoveDestroyingTab(this);
  }
}

TlxTabControlModel& TlxTab::Control() const { return tabs_->Control(); }

int32_t TlxTab::VisibleIndex() const { return Control().VisibleTabs().IndexOf(index_); }

namespace {

bool SameVisibleIndex(int32_t control_index, int32_t visible_index) {
  return control_index != -1 && visible_index != -1 && control_index == visible_index;
}

}  // namespace

bool TlxTab::IsHot() const { return SameVisibleIndex(Control().HotVisibleIndex(), VisibleIndex()); }
bool TlxTab::IsPressed() const { return SameVisibleIndex(Control().PressedVisibleIndex(), VisibleIndex()); }
bool TlxTab::IsTracking() const { return SameVisibleIndex(Control().TrackedVisibleIndex(), VisibleIndex()); }
bool TlxTab::IsMainTab() const { return SameVisibleIndex(Control().MainVisibleIndex(), VisibleIndex()); }
bool TlxTab::IsEnabledForUse() const { return Control().IsControlEnabled() && enabled_; }

int32_t TlxTab::ImageIndex() const { return Control().GetTabImageIndex(index_); }

int32_t TlxTab::Extent() const { return Control().Rotate() ? tabs_->CommonTabHeight() : layout_width_; }

TRect TlxTab::BaseRect() const {
  const TlxTabControlModel& control = Control();
  const int32_t height = tabs_->CommonTabHeight();
  const int32_t along = control.Rotate() ? control.RowThickness() : layout_width_;
  if (control.IsTabTextVertical())
    return Bounds(layout_origin_.X, layout_origin_.Y, height, along);
  return Bounds(layout_origin_.X, layout_origin_.Y, along, height);
}

TRect TlxTab::FullRect() {
  const TRect base = BaseRect();
  const int32_t visible_index = VisibleIndex();
  TlxTabControlModel& control = Control();
  if (visible_index != -1 && control.HasPainter())
    shape_correction_ = control.Painter().GetTabRectCorrection(visible_index);
  return {base.Left + shape_correction_.Left, base.Top + shape_correction_.Top,
          base.Right + shape_correction_.Right, base.Bottom + shape_correction_.Bottom};
}

TRect TlxTab::DisplayRect() {
  const int32_t visible_index = VisibleIndex();
  if (visible_index == -1)
    return {};
  const TlxTabControlModel& control = Control();
  if (!control.MultiLine() &&
      (visible_index < control.FirstDisplayedTab() || visible_index > control.LastDisplayedTab()))
    return {};
  const TRect full = FullRect();
  const TRect clip = display_row_index_ < control.TopOrLeftPartRowCount() ? control.TopOrLeftPartClip()
                                                                          : control.BottomOrRightPartClip();
  const TRect shown = full.Intersect(clip);
  return shown.IsEmpty() ? TRect() : shown;
}

TlxTabPosition TlxTab::Side() const {
  const TlxTabControlModel& control = Control();
  const bool top_or_left_part = display_row_index_ < control.TopOrLeftPartRowCount();
  if (lxPCIsRowAxisX(control.TabPosition()))
    return top_or_left_part ? tpTop : tpBottom;
  return top_or_left_part ? tpLeft : tpRight;
}

int32_t TlxTab::DrawingVariant() const { return lxPCDrawingVariant(Side(), Control().CaptionDirection()); }

void TlxTab::Changed(TlxPCTabChangeKind kind) { tabs_->Changed(VisibleIndex(), kind); }

void TlxTab::ChangedIfDisplayed(bool displayed_before, TlxPCTabChangeKind kind) {
  if (displayed_before || IsDisplayed())
    Changed(kind);
}

void TlxTab::SetCaption(const std::string& caption) {
  if (caption == caption_)
    return;
  if (!visible_) {
    caption_ = caption;
    return;
  }
  TlxTabControlModel& control = Control();
  const bool displayed = IsDisplayed();
  const int32_t old_width = layout_width_;
  const int32_t old_thickness = control.RowThickness();
  caption_ = caption;
  if (!control.HasPainter() || control.IsLoading())
    return Changed(tckLayout);
  layout_width_ = control.Painter().CalculateTabNormalWidth(*this);
  if (control.Rotate())
    control.CalculateRowThickness();
  const bool size_changed = control.Rotate() ? control.RowThickness() != old_thickness : layout_width_ != old_width;
  if (size_changed)
    Changed(tckLayout);
  else if (displayed)
    Changed(tckContent);
}

void TlxTab::SetColor(uint32_t color) {
  if (color == color_)
    return;
  color_ = color;
  if (IsDisplayed())
    Changed(tckColor);
}

void TlxTab::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  const bool displayed = IsDisplayed();
  enabled_ = enabled;
  ChangedIfDisplayed(displayed, tckEnabled);
}

void TlxTab::SetHighlighted(bool highlighted) {
  if (highlighted == highlighted_)
    return;
  const bool displayed = IsDisplayed();
  highlighted_ = highlighted;
  ChangedIfDisplayed(displayed, tckHighlighted);
}

void TlxTab::SetImageIndex(int32_t image_index) {
  if (image_index < 0)
    image_index = -1;
  if (image_index == image_index_)
    return;
  image_index_ = image_index;
  if (IsDisplayed())
    Changed(tckLayout);
}

void TlxTab::SetSelected(bool selected) {
  if (selected == selected_)
    return;
  TlxTabControlModel& control = Control();
  if (control.IsLoading()) {
    selected_ = selected;
    return;
  }
  if (selected && control.HasPainter()) {
    if (control.Painter().AllowMultiSelectTabs()) {
      for (int32_t i = 0; i < tabs_->Count(); ++i)
        if (tabs_->GetTab(i) != this && tabs_->GetTab(i)->Selected())
          control.SetMultiSelect(true);
    } else if (index_ != control.TabIndex()) {
      return;
    }
  }
  const bool displayed = IsDisplayed();
  selected_ = selected;
  ChangedIfDisplayed(displayed, tckSelected);
}

void TlxTab::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  TlxTabControlModel& control = Control();
  if (visible) {
    control.VisibleTabs().Add(index_);
    visible_ = true;
    tabs_->Changed(-1, tckLayout);
    return;
  }
  const bool was_main = control.RequiresVisibleTab() && control.TabIndex() == index_;
  const bool displayed = IsDisplayed();
  control.VisibleTabs().Remove(index_);
  visible_ = false;
  if (displayed || control.MultiLine())
    tabs_->Changed(-1, tckLayout);
  else if (!control.IsLoading() && !control.IsDestroying())
    control.ArrangeRows();
  if (!was_main)
    return;
  control.CalculateMainVisibleIndex();
  const int32_t main = control.MainVisibleIndex();
  if (main != -1)
    control.SetTabIndex(control.VisibleTabs().TabIndexAt(main));
}

void TlxTab::AssignTo(TPersistent& destination) const {
  auto* tab = dynamic_cast<TlxTab*>(&destination);
  if (tab == nullptr)
    return TPersistent::AssignTo(destination);
  tab->StoreCaption(caption_);
  tab->SetEnabled(enabled_);
  tab->highlighted_ = highlighted_;
  tab->SetImageIndex(ImageIndex());
  tab->SetObject(object_);
  tab->SetVisible(visible_);
  tab->SetSelected(selected_);
}
