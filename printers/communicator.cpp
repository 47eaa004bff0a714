#include "printers/communicator.h"

#include <algorithm>

#include "platform/rtl/text.h"
#include "printers/report_helpers.h"

namespace {

void EraseFrom(std::vector<TprCommunicator*>& list, TprCommunicator* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool EndsInDigitOneToNine(std::string_view name) { return !name.empty() && name.back() >= '1' && name.back() <= '9'; }

}  // namespace

TprCommunicator::TprCommunicator(TComponent* owner) : TComponent(owner) {}

TprCommunicator::~TprCommunicator() {
  // Listeners may leave the list while they hear about this one going.
  for (size_t i = notify_list_.size(); i-- > 0;) {
    if (i < notify_list_.size())
      notify_list_[i]->Notify(this, prnoRemoved);
  }
  notify_list_.clear();
  event_notify_list_.clear();
}

IprComponentDesigner* TprCommunicator::GetDesignerInterface() const {
  return Supports<IprComponentDesigner>(designer_);
}

void TprCommunicator::DesignStateChanged(uint16_t) {}

void TprCommunicator::DesignerRefresh() {
  if (IprComponentDesigner* designer = GetDesignerInterface())
    designer->Refresh();
}

void TprCommunicator::DesignerModified() {
  if (IprComponentDesigner* designer = GetDesignerInterface())
    designer->Modified();
}

void TprCommunicator::DesignerMessage(const std::string& text) {
  if (IprComponentDesigner* designer = GetDesignerInterface())
    designer->ComponentMessage(text, this);
}

void TprCommunicator::DesignerPropertyChanged(int32_t what, int32_t old_value, int32_t new_value) {
  if (IprComponentDesigner* designer = GetDesignerInterface())
    designer->PropertyChanged(what, old_value, new_value);
}

void TprCommunicator::AddNotify(TprCommunicator* listener) {
  if (listener == nullptr || std::find(notify_list_.begin(), notify_list_.end(), listener) != notify_list_.end())
    return;
  notify_list_.push_back(listener);
  // A listener freed first must leave the list, or this one would call it
  // when it goes itself.
  FreeNotification(listener);
}

void TprCommunicator::RemoveNotify(TprCommunicator* listener) { EraseFrom(notify_list_, listener); }

void TprCommunicator::AddEventNotify(TprCommunicator* listener) {
  if (listener == nullptr ||
      std::find(event_notify_list_.begin(), event_notify_list_.end(), listener) != event_notify_list_.end())
    return;
  event_notify_list_.push_back(listener);
  FreeNotification(listener);
}

void TprCommunicator::RemoveEventNotify(TprCommunicator* listener) { EraseFrom(event_notify_list_, listener); }

void TprCommunicator::Forget(const TComponent* listener) {
  // Compared as components: a communicator being freed is told about while
  // its own destructors run, when it no longer casts to its class.
  auto is_listener = [listener](TprCommunicator* item) { return static_cast<TComponent*>(item) == listener; };
  std::erase_if(notify_list_, is_listener);
  std::erase_if(event_notify_list_, is_listener);
}

void TprCommunicator::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove)
    Forget(component);
}

void TprCommunicator::Notify(TprCommunicator* source, int32_t operation) {
  if (operation == prnoRemoved)
    Forget(source);
  if (OnNotify)
    OnNotify(this, source, operation);
}

void TprCommunicator::EventNotify(TprCommunicator* source, int32_t event_id, const Variant& parameters) {
  if (OnEventNotify)
    OnEventNotify(this, source, event_id, parameters);
}

void TprCommunicator::SendEventNotify(TprCommunicator* source, int32_t event_id, const Variant& parameters) {
  if (event_id < 0 || event_id > 255)
    return;
  TAliveToken alive = AliveToken();
  size_t i = 0;
  while (i < event_notify_list_.size()) {
    TprCommunicator* listener = event_notify_list_[i];
    size_t count_before = event_notify_list_.size();
    if (listener->events_.test(static_cast<size_t>(event_id)))
      listener->EventNotify(source, event_id, parameters);
    if (!alive.Alive())
      return;
    // A listener that left the list during its call is not skipped past.
    if (event_notify_list_.size() >= count_before)
      ++i;
  }
}

void TprCommunicator::NotifyAll(int32_t operation) {
  TAliveToken alive = AliveToken();
  for (size_t i = 0; i < notify_list_.size() && alive.Alive(); ++i)
    notify_list_[i]->Notify(this, operation);
}

void TprCommunicator::RemoveDesignState(uint16_t bits) {
  uint16_t state = design_state_ & static_cast<uint16_t>(~bits);
  if (state == design_state_)
    return;
  design_state_ = state;
  DesignStateChanged(bits);
}

void TprCommunicator::AddDesignState(uint16_t bits) {
  uint16_t state = design_state_ | bits;
  if (state == design_state_)
    return;
  design_state_ = state;
  DesignStateChanged(bits);
}

TprCommunicator* TprCommunicator::ParentCommunicator() const {
  return dynamic_cast<TprCommunicator*>(GetParentComponent());
}

TprCommunicator* TprCommunicator::FindUserName(std::string_view name) {
  if (TprCommunicator* parent = ParentCommunicator())
    return parent->FindUserName(name);
  if (Owner() == nullptr)
    return nullptr;
  for (int32_t i = 0; i < Owner()->ComponentCount(); ++i) {
    auto* other = dynamic_cast<TprCommunicator*>(Owner()->Components(i));
    if (other != nullptr && AnsiSameText(other->user_name_, name))
      return other;
  }
  return nullptr;
}

bool TprCommunicator::IsValidUserName(std::string_view name) {
  if (!IsValidIdent(name))
    return false;
  TprCommunicator* user = FindUserName(name);
  return user == nullptr || user == this;
}

std::string TprCommunicator::FreeUserName(TComponent* owner, std::string_view base) {
  auto used = [this, owner](const std::string& candidate) {
    if (owner == nullptr)
      return false;
    for (int32_t i = 0; i < owner->ComponentCount(); ++i) {
      auto* other = dynamic_cast<TprCommunicator*>(owner->Components(i));
      if (other != nullptr && other != this && AnsiSameText(other->user_name_, candidate))
        return true;
    }
    return false;
  };
  // There are fewer components than numbers, so a free one is found.
  for (int64_t number = 1;; ++number) {
    std::string candidate = std::string(base) + std::to_string(number);
    if (!used(candidate))
      return candidate;
  }
}

void TprCommunicator::SetUserName(const std::string& name) {
  if (!IsValidIdent(name))
    return;
  if (IsValidUserName(name)) {
    user_name_ = name;
    NotifyAll(prnoUserNameChanged);
    return;
  }
  if (EndsInDigitOneToNine(name))
    return;
  for (int64_t number = 1;; ++number) {
    std::string candidate = name + std::to_string(number);
    TprCommunicator* user = FindUserName(candidate);
    if (user == nullptr || user == this) {
      user_name_ = candidate;
      NotifyAll(prnoUserNameChanged);
      return;
    }
  }
}

std::string TprCommunicator::GetDefaultUserName() {
  std::string_view class_name = ClassName();
  const std::string& component_name = Name();
  std::string name = component_name;
  if (class_name.size() >= 3 && component_name.size() >= 2 &&
      component_name.compare(0, 2, class_name.substr(1, 2)) == 0)
    name = component_name.substr(2);
  if (!IsValidUserName(name))
    name = GetUniqueUserName(*this, name);
  return name;
}

std::string TprCommunicator::GetUniqueUserName(const TComponent& component, std::string_view name) {
  if (TprCommunicator* parent = ParentCommunicator())
    return parent->GetUniqueUserName(component, name);
  return prUniqueComponentNumber(component.Owner(), prClassNameStem3(component), component);
}

std::string TprCommunicator::GetUniqueComponentName() {
  if (TprCommunicator* parent = ParentCommunicator())
    return parent->GetUniqueComponentName();
  return prUniqueComponentNumber(Owner(), prClassNameStem1(*this), *this);
}

void TprCommunicator::Loaded() {
  TComponent::Loaded();
  if (prHasPublishedProperty(*this, "UserName") && user_name_.empty())
    SetUserName(GetDefaultUserName());
}

void TprCommunicator::SetName(const std::string& name) {
  const std::string old_name = Name();
  bool user_name_followed = user_name_.empty() || user_name_ == old_name ||
                            (old_name.size() >= 2 && user_name_ == old_name.substr(2));
  TComponent::SetName(name);
  bool loading = ComponentState().Contains(csReading) || ComponentState().Contains(csLoading);
  if (loading || (design_state_ & kprDesignStateKeepUserName) != 0)
    return;
  if (user_name_followed)
    SetUserName(GetDefaultUserName());
  SendEventNotify(this, kprEventNameChanged, Variant());
}

void TprCommunicator::ChangeOwner(TComponent* new_owner) {
  if (new_owner == Owner())
    return;
  if (Owner() != nullptr)
    Owner()->RemoveComponent(this);
  if (new_owner == nullptr)
    return;
  for (int32_t i = 0; i < new_owner->ComponentCount(); ++i) {
    auto* other = dynamic_cast<TprCommunicator*>(new_owner->Components(i));
    if (other != nullptr && !user_name_.empty() && AnsiSameText(other->user_name_, user_name_)) {
      user_name_ = FreeUserName(new_owner, user_name_);
      break;
    }
  }
  new_owner->InsertComponent(this);
}

// Type information

void TrtTprCommunicatorRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  TrtTComponentRTTI::GetPropList(cls, list);
  if (list.IndexOf("UserName") < 0)
    list.Add("UserName");
}

const TClass* TrtTprCommunicatorRTTI::GetRefClass() const { return &TprCommunicator::kClass; }

bool TrtTprCommunicatorRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  if (name == "UserName") {
    rec.Initialize(name, rtdtString, false);
    return true;
  }
  return TrtTComponentRTTI::GetPropRec(cls, name, rec);
}

bool TrtTprCommunicatorRTTI::GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const {
  auto* communicator = dynamic_cast<TprCommunicator*>(instance);
  if (communicator != nullptr && name == "UserName") {
    value = TrtValue();
    value.text = communicator->GetUserName();
    return true;
  }
  return TrtTComponentRTTI::GetPropValue(instance, name, value);
}

bool TrtTprCommunicatorRTTI::SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const {
  auto* communicator = dynamic_cast<TprCommunicator*>(instance);
  if (communicator != nullptr && name == "UserName") {
    communicator->SetUserName(value.text);
    return true;
  }
  return TrtTComponentRTTI::SetPropValue(instance, name, value);
}
