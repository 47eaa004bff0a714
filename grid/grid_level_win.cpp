#include "grid/grid_level_win.h"

#include <algorithm>
#include <optional>

#include "data/data_controller.h"
#include "data/data_relations.h"
#include "data/data_controller_types.h"
#include "grid/grid_control_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/menus.h"

// --- TlxGridLevelOptions ---------------------------------------------------

TlxGridLevelOptions::TlxGridLevelOptions(TlxGridLevel* level) : level_(level) {}

TPersistent* TlxGridLevelOptions::GetOwner() const { return level_; }

void TlxGridLevelOptions::Assign(const TPersistent* source) {
  const auto* options = dynamic_cast<const TlxGridLevelOptions*>(source);
  if (options == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetDetailFrameColor(options->detail_frame_color_);
  SetDetailFrameWidth(options->detail_frame_width_);
  SetDetailTabsPosition(options->detail_tabs_position_);
  SetTabsForEmptyDetails(options->tabs_for_empty_details_);
}

void TlxGridLevelOptions::SetDetailFrameColor(TColor value) {
  if (detail_frame_color_ == value)
    return;
  detail_frame_color_ = value;
  level_->Changed(false);
}

void TlxGridLevelOptions::SetDetailFrameWidth(int32_t value) {
  value = std::max(value, 0);
  if (detail_frame_width_ == value)
    return;
  detail_frame_width_ = value;
  level_->Changed(true);
}

void TlxGridLevelOptions::SetDetailTabsPosition(TlxGridDetailTabsPosition value) {
  if (detail_tabs_position_ == value)
    return;
  detail_tabs_position_ = value;
  level_->Changed(true);
}

void TlxGridLevelOptions::SetTabsForEmptyDetails(bool value) {
  if (tabs_for_empty_details_ == value)
    return;
  tabs_for_empty_details_ = value;
  level_->Changed(true);
}

TColor TlxGridLevelOptions::GetEffectiveDetailFrameColor() const {
  if (detail_frame_color_ != clDefault)
    return detail_frame_color_;
  TlxCustomGrid* grid = level_->Control();
  if (grid == nullptr)
    return clBtnText;
  return grid->LookAndFeel().CurrentPainter()->GetDefaultFixedSeparatorColor();
}

// --- TlxGridLevelStyles ----------------------------------------------------

TlxGridLevelStyles::TlxGridLevelStyles(TlxGridLevel* level) : TlxStyles(level), level_(level) {}

void TlxGridLevelStyles::DoGetOwnTabStyle(TlxCustomGridRecord* master_record, TlxStyle*& style) {
  if (OnGetOwnTabStyle)
    OnGetOwnTabStyle(level_, master_record, style);
}

void TlxGridLevelStyles::GetTabParams(TlxCustomGridRecord* master_record, TlxGridLevel* tab_level,
                                      TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (OnGetTabStyle)
    OnGetTabStyle(level_, tab_level, style);
  if (tab_level != nullptr)
    tab_level->Styles().DoGetOwnTabStyle(master_record, style);
  GetViewParams(kTab, master_record, style, params);
}

void TlxGridLevelStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxStyles::GetDefaultViewParams(index, data, params);
  TlxCustomGrid* grid = level_->Control();
  if (grid != nullptr)
    params.Font = &grid->Font();
  if (index == kTab) {
    TlxPainterClass painter = grid != nullptr ? grid->LookAndFeel().CurrentPainter() : nullptr;
    params.Color = painter != nullptr ? painter->GetDefaultTabColor() : clBtnFace;
    params.TextColor = painter != nullptr ? painter->GetDefaultTabTextColor() : clBtnText;
  } else {
    params.Color = clDefault;
  }
}

void TlxGridLevelStyles::StyleChanged(int32_t index) {
  TlxStyles::StyleChanged(index);
  level_->Changed(true);
}

// --- TlxGridLevel ----------------------------------------------------------

TlxGridLevel::TlxGridLevel(TComponent* owner) : TlxComponent(owner) { CreateSubObjects(); }

void TlxGridLevel::CreateSubObjects() {
  options_ = lxCreatePart<TlxGridLevelOptions>(GetOptionsClass(), this);
  styles_ = lxCreatePart<TlxGridLevelStyles>(GetStylesClass(), this);
}

TlxGridLevel::~TlxGridLevel() {
  DestroyChildren();
  SetGridView(nullptr);
  if (parent_ != nullptr)
    parent_->RemoveChild(this);
}

void TlxGridLevel::SetCaption(const std::string& value) {
  if (caption_ == value)
    return;
  caption_ = value;
  Changed(true);
}

void TlxGridLevel::SetImageIndex(int32_t value) {
  value = std::max(value, -1);
  if (image_index_ == value)
    return;
  image_index_ = value;
  Changed(true);
}

void TlxGridLevel::SetMaxDetailHeight(int32_t value) {
  value = std::max(value, 0);
  if (max_detail_height_ == value)
    return;
  max_detail_height_ = value;
  Changed(true);
}

TlxGridLevel* TlxGridLevel::FirstVisibleChild() const {
  if (visible_items_.empty() || (control_ != nullptr && control_->IsDestroying()))
    return nullptr;
  return visible_items_.front();
}

int32_t TlxGridLevel::Index() const {
  if (parent_ == nullptr)
    return -1;
  const auto& siblings = parent_->items_;
  return static_cast<int32_t>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

bool TlxGridLevel::IsRoot() const { return control_ != nullptr && control_->RootLevel() == this; }
bool TlxGridLevel::IsTopLevel() const { return parent_ != nullptr && parent_->IsRoot(); }
bool TlxGridLevel::IsActive() const { return control_ != nullptr && control_->ActiveLevel() == this; }

bool TlxGridLevel::IsVisibleChain() const {
  return visible_ && (parent_ == nullptr || parent_->IsVisibleChain());
}

bool TlxGridLevel::IsShown() const {
  if (!visible_)
    return false;
  if (IsTopLevel() && !IsActive())
    return false;
  return parent_ == nullptr || parent_->IsShown();
}

void TlxGridLevel::SetActive(bool value) {
  if (IsActive() == value || control_ == nullptr)
    return;
  if (value) {
    if (IsTopLevel())
      control_->SetActiveLevel(this);
    return;
  }
  control_->SetActiveLevel(nullptr);
}

void TlxGridLevel::RefreshVisibleItems() {
  visible_items_.clear();
  for (TlxGridLevel* item : items_)
    if (item->visible_)
      visible_items_.push_back(item);
}

void TlxGridLevel::CreateChildRelation(TlxGridLevel* child) {
  if (grid_view_ == nullptr || grid_view_->DataController() == nullptr)
    return;
  child->data_relation_ = grid_view_->DataController()->RelationList().NewRelation(child);
  if (TlxCustomGridView* view = child->grid_view_)
    child->AttachViewDataController(view);
}

void TlxGridLevel::AttachViewDataController(TlxCustomGridView* view) {
  TlxCustomDataController* controller = view->DataController();
  if (controller == nullptr)
    return;
  if (visible_)
    controller->AttachToMasterRelation(data_relation_, !IsTopLevel() && data_relation_ != nullptr);
  else
    controller->AttachToMasterRelation(nullptr, controller->IsTemplateController());
}

void TlxGridLevel::AddChild(TlxGridLevel* child) {
  if (child == nullptr)
    return;
  if (control_ != nullptr)
    control_->BeginUpdate();
  TScopeExit unlock([this] {
    if (control_ != nullptr)
      control_->EndUpdate();
  });
  items_.push_back(child);
  child->control_ = control_;
  child->parent_ = this;
  RefreshVisibleItems();
  CreateChildRelation(child);
  if (IsRoot() && control_->ActiveLevel() == nullptr)
    control_->SetActiveLevel(nullptr);
  Changed(true);
}

void TlxGridLevel::RemoveChild(TlxGridLevel* child) {
  if (child == nullptr || child->parent_ != this)
    return;
  if (control_ != nullptr)
    control_->BeginUpdate();
  TScopeExit unlock([this] {
    if (control_ != nullptr)
      control_->EndUpdate();
  });
  std::erase(items_, child);
  std::erase(visible_items_, child);
  child->parent_ = nullptr;
  delete std::exchange(child->data_relation_, nullptr);
  child->SetActive(false);
  Changed(true);
}

void TlxGridLevel::SetChildIndex(TlxGridLevel* child, int32_t new_index) {
  const auto found = std::find(items_.begin(), items_.end(), child);
  if (found == items_.end())
    return;
  const int32_t old_index = static_cast<int32_t>(found - items_.begin());
  new_index = std::clamp(new_index, 0, Count() - 1);
  items_.erase(found);
  items_.insert(items_.begin() + new_index, child);
  RefreshVisibleItems();
  if (grid_view_ != nullptr && grid_view_->DataController() != nullptr && child->data_relation_ != nullptr)
    grid_view_->DataController()->RelationList().Move(old_index, new_index);
  Changed(true);
}

void TlxGridLevel::DestroyChildren() {
  while (!items_.empty())
    delete items_.back();  // the child leaves the list in its destructor
}

void TlxGridLevel::SetVisible(bool value) {
  if (visible_ == value)
    return;
  visible_ = value;
  if (value && grid_view_ != nullptr)
    AttachViewDataController(grid_view_);
  if (parent_ != nullptr)
    parent_->VisibleChildrenChanged(this);
  if (!value)
    SetActive(false);
  else if (control_ != nullptr && control_->ActiveLevel() == nullptr)
    SetActive(true);
  Changed(true);
  if (control_ != nullptr)
    control_->CheckFocusedView();
  if (!value && grid_view_ != nullptr)
    AttachViewDataController(grid_view_);
}

void TlxGridLevel::SetGridView(TlxCustomGridView* value) {
  if (grid_view_ == value)
    return;
  if (value != nullptr && value->Level() != nullptr && value->Level() != this)
    value->Level()->SetGridView(nullptr);
  TlxCustomGridView* old_view = grid_view_;
  if (old_view != nullptr) {
    old_view->BeginUpdate();
    {
      TScopeExit cancel([old_view] { old_view->CancelUpdate(); });
      for (TlxGridLevel* child : items_)
        delete std::exchange(child->data_relation_, nullptr);
    }
    old_view->SetLevel(nullptr);
  }
  grid_view_ = value;
  if (value != nullptr && control_ != nullptr)
    value->AssignControl(control_);
  if (parent_ != nullptr)
    parent_->RefreshVisibleItems();
  if (value == nullptr) {
    if (old_view != nullptr) {
      // The relation it was attached to may go with this level.
      if (old_view->DataController() != nullptr)
        old_view->DataController()->AttachToMasterRelation(nullptr, true);
      if (old_view->IsFocused())
        old_view->SetFocused(false);
      old_view->AssignControl(dynamic_cast<TlxControl*>(old_view->StorageControl()));
    }
    return;
  }
  value->BeginUpdate();
  TScopeExit finish([&] {
    value->EndUpdate();
    const bool had_focused = control_ != nullptr && control_->FocusedView() != nullptr;
    if ((old_view == nullptr && !had_focused) || (old_view != nullptr && old_view->IsFocused()))
      value->SetFocused(true);
    if (old_view != nullptr)
      old_view->AssignControl(dynamic_cast<TlxControl*>(old_view->StorageControl()));
  });
  if (old_view != nullptr && old_view->DataController() != nullptr)
    old_view->DataController()->AttachToMasterRelation(nullptr, true);
  value->SetLevel(this);
  AttachViewDataController(value);
  for (TlxGridLevel* child : items_)
    CreateChildRelation(child);
  Changed(false);
}

TlxCustomGridRecord* TlxGridLevel::MasterRecordOf(int32_t master_record_index) const {
  TlxCustomGridView* master_view = parent_ != nullptr ? parent_->grid_view_ : nullptr;
  if (master_view == nullptr || master_view->DataController() == nullptr)
    return nullptr;
  auto* view_data = dynamic_cast<TlxCustomGridTableViewData*>(master_view->ViewData());
  if (view_data == nullptr)
    return nullptr;
  const int32_t row = master_view->DataController()->GetRowIndexByRecordIndex(master_record_index, false);
  return view_data->IsRecordIndexValid(row) ? view_data->Records(row) : nullptr;
}

TObject* TlxGridLevel::CreateLinkObject(TlxCustomDataRelation* relation, int32_t master_record_index) {
  TlxCustomGridView* chosen = grid_view_;
  if (OnGetGridView)
    OnGetGridView(this, MasterRecordOf(master_record_index), chosen);
  if (chosen == nullptr || !visible_ || control_ == nullptr)
    return nullptr;
  std::unique_ptr<TObject> instance(chosen->ClassType()->CreateInstance(control_->Owner()));
  auto* clone = dynamic_cast<TlxCustomGridView*>(instance.get());
  if (clone == nullptr)
    return nullptr;
  clone->SetTransient(true);
  clone->AssignControl(control_);
  {
    clone->BeginUpdate();
    TScopeExit cancel([clone] { clone->CancelUpdate(); });
    clone->AssignPattern(chosen);
    TlxCustomGridView* relations_source = grid_view_ != nullptr ? grid_view_ : chosen;
    TlxCustomDataRelationList& relations = clone->DataController()->RelationList();
    relations.BeginUpdate();
    {
      TScopeExit end_relations([&relations] { relations.EndUpdate(); });
      relations.AssignRelations(relations_source->DataController()->RelationList());
    }
    clone->DataController()->SetMasterRelation(relation, master_record_index);
    clone->SetLevel(this);
  }
  chosen->RegisterClone(clone);
  return instance.release();
}

void TlxGridLevel::Changed(bool hard_change) {
  if (control_ == nullptr)
    return;
  if (hard_change)
    control_->SizeChanged();
  else
    control_->LayoutChanged();
}

void TlxGridLevel::CheckHeight(int32_t& height) const {
  height = std::max(height, 0);
  if (max_detail_height_ != 0)
    height = std::min(height, max_detail_height_);
}

std::string TlxGridLevel::GetDisplayCaption() const { return StripHotkey(caption_); }

void TlxGridLevel::VisibleChildrenChanged(TlxGridLevel* child) {
  const int32_t old_count = VisibleCount();
  RefreshVisibleItems();
  if (grid_view_ != nullptr)
    grid_view_->DetailVisibilityChanged(child, old_count, VisibleCount());
}

TComponent* TlxGridLevel::GetParentComponent() const {
  if (parent_ != nullptr && parent_->IsRoot())
    return control_;
  return parent_;
}

void TlxGridLevel::SetParentComponent(TComponent* parent) {
  if (auto* grid = dynamic_cast<TlxCustomGrid*>(parent))
    grid->RootLevel()->AddChild(this);
  else if (auto* level = dynamic_cast<TlxGridLevel*>(parent))
    level->AddChild(this);
}

void TlxGridLevel::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TlxGridLevel* item : items_)
    if (item->Owner() == root)
      proc(item);
}

void TlxGridLevel::SetChildOrder(TComponent* child, int32_t order) {
  if (auto* level = dynamic_cast<TlxGridLevel*>(child))
    SetChildIndex(level, order);
}

void TlxGridLevelOptions::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridLevelOptions>();
  p.Integer("DetailFrameColor", &TlxGridLevelOptions::DetailFrameColor, &TlxGridLevelOptions::SetDetailFrameColor,
            static_cast<int64_t>(clDefault));
  p.Integer("DetailFrameWidth", &TlxGridLevelOptions::DetailFrameWidth, &TlxGridLevelOptions::SetDetailFrameWidth, 1);
  p.Enumeration("DetailTabsPosition", &TlxGridLevelOptions::DetailTabsPosition,
                &TlxGridLevelOptions::SetDetailTabsPosition, {"dtpNone", "dtpLeft", "dtpTop"},
                std::optional<TlxGridDetailTabsPosition>(dtpNone));
  p.Boolean("TabsForEmptyDetails", &TlxGridLevelOptions::TabsForEmptyDetails,
            &TlxGridLevelOptions::SetTabsForEmptyDetails, true);
}

void TlxGridLevel::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridLevel>();
  p.String("Caption", &TlxGridLevel::Caption, &TlxGridLevel::SetCaption);
  p.Reference<TlxCustomGridView>("GridView", &TlxGridLevel::GridView, &TlxGridLevel::SetGridView);
  p.Integer("ImageIndex", &TlxGridLevel::ImageIndex, &TlxGridLevel::SetImageIndex, -1);
  p.Integer("MaxDetailHeight", &TlxGridLevel::MaxDetailHeight, &TlxGridLevel::SetMaxDetailHeight, 0);
  p.Persistent("Options", TlxGridLevelOptions::kClass,
               [](const TlxGridLevel& level) -> TObject* { return &level.Options(); });
  p.Boolean("Visible", &TlxGridLevel::Visible, &TlxGridLevel::SetVisible, true);
}
