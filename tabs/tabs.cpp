#include "tabs/tabs.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/scope.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"
#include "tabs/visible_tab_list.h"

TlxTabs::TlxTabs(TlxTabControlModel* control) : control_(control) {}

TlxTabs::~TlxTabs() {
  for (auto it = tabs_.rbegin(); it != tabs_.rend(); ++it) {
    (*it)->tabs_ = nullptr;
    delete *it;
  }
}

void TlxTabs::CheckIndex(int32_t index, int32_t limit, const char* method) const {
  if (index < 0 || index >= limit)
    lxPCRaise("TlxTabs", method, Format(lxPCText(slxPCTabIndexError), {index}));
}

std::string TlxTabs::Get(int32_t index) const {
  CheckIndex(index, Count(), "Get");
  return tabs_[static_cast<size_t>(index)]->Caption();
}

void TlxTabs::Put(int32_t index, const std::string& text) { GetTab(index)->SetCaption(text); }

uintptr_t TlxTabs::GetSlot(int32_t index) const { return reinterpret_cast<uintptr_t>(GetTab(index)->Object()); }

void TlxTabs::PutSlot(int32_t index, uintptr_t slot) { GetTab(index)->SetObject(reinterpret_cast<TObject*>(slot)); }

TlxTab* TlxTabs::GetTab(int32_t index) const {
  CheckIndex(index, Count(), "GetTab");
  return tabs_[static_cast<size_t>(index)];
}

TlxTab* TlxTabs::GetVisibleTab(int32_t visible_index) const {
  const int32_t count = VisibleCount();
  if (visible_index < 0 || visible_index >= count)
    throw Exception("TlxTabs.GetVisibleTab: " +
                    Format(lxPCText(slxPCTabVisibleIndexOutsOfBounds), {visible_index, count - 1}));
  return GetTab(control_->VisibleTabs().TabIndexAt(visible_index));
}

int32_t TlxTabs::VisibleCount() const { return control_->VisibleTabs().Count(); }

void TlxTabs::Renumber(int32_t from, int32_t to) {
  for (int32_t i = std::max(from, 0); i <= to && i < Count(); ++i)
    tabs_[static_cast<size_t>(i)]->SetIndex(i);
}

void TlxTabs::Insert(int32_t index, const std::string& text) {
  CheckIndex(index, Count() + 1, "Insert");
  auto tab = std::make_unique<TlxTab>(this, index);
  tab->StoreCaption(text);
  tabs_.insert(tabs_.begin() + index, tab.release());
  Renumber(index + 1, Count() - 1);
  if (!control_->IsLoading() && control_->TabIndex() == -1 && Count() == 1)
    control_->StoreTabIndex(0);
  control_->VisibleTabs().Rebuild();
  Changed(-1, tckLayout);
}

void TlxTabs::Delete(int32_t index) {
  if (deleting_)
    return;
  TStateScope deleting(deleting_, true);
  if (!destroying_tab_) {
    CheckIndex(index, Count(), "Delete");
    TlxTab* tab = tabs_[static_cast<size_t>(index)];
    tab->tabs_ = nullptr;
    control_->TabDestroying(*tab);
    delete tab;
  }
  tabs_.erase(tabs_.begin() + index);
  Renumber(index, Count() - 1);
  control_->VisibleTabs().Rebuild();
  Changed(-1, tckLayout);
}

void TlxTabs::RemoveDestroyingTab(TlxTab* tab) {
  const auto it = std::find(tabs_.begin(), tabs_.end(), tab);
  if (it == tabs_.end())
    return;
  TStateScope destroying(destroying_tab_, true);
  Delete(static_cast<int32_t>(it - tabs_.begin()));
}

void TlxTabs::Clear() {
  while (!tabs_.empty()) {
    TlxTab* tab = tabs_.back();
    tabs_.pop_back();
    tab->tabs_ = nullptr;
    control_->TabDestroying(*tab);
    delete tab;
  }
  control_->VisibleTabs().Rebuild();
  Changed(-1, tckLayout);
}

void TlxTabs::Move(int32_t current_index, int32_t new_index) {
  if (current_index == new_index)
    return;
  CheckIndex(current_index, Count(), "Move");
  CheckIndex(new_index, Count(), "Move");
  TlxTab* tab = tabs_[static_cast<size_t>(current_index)];
  tabs_.erase(tabs_.begin() + current_index);
  tabs_.insert(tabs_.begin() + new_index, tab);
  Renumber(std::min(current_index, new_index), std::max(current_index, new_index));
  control_->VisibleTabs().Rebuild();
  Changed(-1, tckLayout);
}

void TlxTabs::SetHotTab(int32_t visible_index) {
  const int32_t old = control_->HotVisibleIndex();
  if (old == visible_index)
    return;
  control_->StoreHotVisibleIndex(visible_index);
  if (old != -1)
    Changed(old, tckHotTrack);
  if (visible_index != -1)
    Changed(visible_index, tckHotTrack);
}

void TlxTabs::UpdateMainTab() { control_->CalculateMainVisibleIndex(); }

void TlxTabs::SetTrackedTab(int32_t visible_index) {
  if (visible_index < 0 || visible_index >= VisibleCount())
    visible_index = -1;
  const int32_t old = control_->TrackedVisibleIndex();
  if (old == visible_index)
    return;
  control_->StoreTrackedVisibleIndex(visible_index);
  if (old != -1)
    Changed(old, tckTracking);
  if (visible_index == -1)
    return;
  Changed(visible_index, tckTracking);
  if (!control_->MultiLine()) {
    control_->MakeVisible(visible_index);
    control_->RecalculateLayout();
    control_->RefreshHotTrack();
  }
}

void TlxTabs::FreeVerticalCaptionBitmaps() {
  for (TlxTab* tab : tabs_)
    tab->FreeVerticalCaptionBitmap();
}

void TlxTabs::RefreshImageTabs() {
  for (int32_t i = 0; i < VisibleCount(); ++i) {
    TlxTab* tab = GetVisibleTab(i);
    if (tab->ImageIndex() != -1 && tab->IsDisplayed())
      Changed(i, tckContent);
  }
}

void TlxTabs::Changed(int32_t visible_index, TlxPCTabChangeKind kind) {
  if (control_->IsLoading() || control_->IsDestroying())
    return;
  if (visible_index == -1 || kind == tckLayout) {
    control_->RecalculateLayout();
    return;
  }
  if (control_->HasPainter())
    control_->Painter().RepaintTab(visible_index, kind);
}
