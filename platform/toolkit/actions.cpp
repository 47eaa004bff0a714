#include "platform/toolkit/actions.h"

#include <algorithm>

#include "platform/toolkit/control.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/win_control.h"

// --- TBasicAction ---------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
  const std::vector<TActionLink*> links = links_;
  links_.clear();
  for (TActionLink* link : links) {
    link->Detach();
    link->ActionFreed();
  }
}

namespace {

// The focused control, then each of its parents, until one takes the
// action.
bool OfferToFocusedControls(TBasicAction& action, bool execute) {
  for (TControl* control = GetScreen()->ActiveControl(); control != nullptr; control = control->Parent()) {
    if (auto* target = dynamic_cast<IActionTarget*>(control)) {
      if (execute ? target->ExecuteAction(&action) : target->UpdateAction(&action))
        return true;
      continue;
    }
    if (execute ? lxExecuteActionOn(action, control) : lxUpdateActionOn(action, control))
      return true;
  }
  return false;
}

}  // namespace

bool lxExecuteActionOn(TBasicAction& action, TObject* target) {
  if (!action.HandlesTarget(target))
    return false;
  action.ExecuteTarget(target);
  return true;
}

bool lxUpdateActionOn(TBasicAction& action, TObject* target) {
  if (!action.HandlesTarget(target))
    return false;
  action.UpdateTarget(target);
  return true;
}

bool TBasicAction::Execute() {
  if (!OnExecute)
    return OfferToFocusedControls(*this, true);
  DoExecute();
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate)
    return OfferToFocusedControls(*this, false);
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterLink(TActionLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end())
    links_.push_back(link);
}

void TBasicAction::UnregisterLink(TActionLink* link) { std::erase(links_, link); }

void TBasicAction::ForEachLink(const std::function<void(TActionLink&)>& notify) {
  const std::vector<TActionLink*> links = links_;
  for (TActionLink* link : links)
    notify(*link);
}

// --- TCustomAction --------------------------------------------------------------------------------

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

void TCustomAction::SetCaption(const std::string& value) {
  if (value == caption_)
    return;
  caption_ = value;
  ForEachLink([&value](TActionLink& link) { link.CaptionChanged(value); });
}

void TCustomAction::SetChecked(bool value) {
  if (value == checked_)
    return;
  checked_ = value;
  ForEachLink([value](TActionLink& link) { link.CheckedChanged(value); });
}

void TCustomAction::SetEnabled(bool value) {
  if (value == enabled_)
    return;
  enabled_ = value;
  ForEachLink([value](TActionLink& link) { link.EnabledChanged(value); });
}

void TCustomAction::SetImageIndex(int32_t value) {
  if (value == image_index_)
    return;
  image_index_ = value;
  ForEachLink([value](TActionLink& link) { link.ImageIndexChanged(value); });
}

void TCustomAction::SetActionList(TCustomActionList* list) {
  if (list == action_list_)
    return;
  if (action_list_ != nullptr)
    std::erase(action_list_->actions_, this);
  action_list_ = list;
  if (action_list_ != nullptr)
    action_list_->actions_.push_back(this);
}

bool TCustomAction::Execute() { return enabled_ && TBasicAction::Execute(); }

// --- TCustomActionList ----------------------------------------------------------------------------

TCustomActionList::~TCustomActionList() {
  const std::vector<TCustomAction*> actions = actions_;
  for (TCustomAction* action : actions)
    action->SetActionList(nullptr);
}

void TCustomActionList::SetImages(TCustomImageList* images) {
  if (images == images_)
    return;
  if (images_ != nullptr)
    images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr)
    images_->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_)
    images_ = nullptr;
}

// --- TActionLink ------------------------------------------------------------------------------------

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TBasicAction* action) {
  if (action == action_)
    return;
  if (action_ != nullptr)
    action_->UnregisterLink(this);
  action_ = action;
  if (action_ != nullptr)
    action_->RegisterLink(this);
}

bool TActionLink::Execute() { return action_ != nullptr && action_->Execute(); }

// --- TControlActionLink -----------------------------------------------------------------------------

void TControlActionLink::CaptionChanged(const std::string& caption) { client_->SetCaption(caption); }

void TControlActionLink::EnabledChanged(bool enabled) { client_->SetEnabled(enabled); }

void TControlActionLink::ApplyAction() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  if (action == nullptr)
    return;
  client_->SetCaption(action->Caption());
  client_->SetEnabled(action->Enabled());
}
