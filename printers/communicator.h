#pragma once
// TprCommunicator: the report library's base component. Report components
// derive from it to tell each other about removals, renames and report
// events, to carry a scripting name (UserName) apart from the component
// name, and to reach a report designer through an interface.
//
// Communicators that want to hear from another one join its notify list
// (removals and renames, by operation code) or its event-notify list
// (report events by id, for the ids in their event set). A communicator
// that is freed leaves the lists it is in, so no list ever holds a freed
// one.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"
#include "printers/rtti_classes.h"

class TprCommunicator;

// What a report designer offers the components it edits. The designer
// itself is report code outside this library.
class IprComponentDesigner : public virtual IInterface {
 public:
  virtual void Refresh() = 0;
  virtual void Modified() = 0;
  virtual void ComponentMessage(const std::string& text, TprCommunicator* component) = 0;
  virtual void PropertyChanged(int32_t what, int32_t old_value, int32_t new_value) = 0;
};

// Operation codes of Notify.
enum TprNotifyOperation : int32_t {
  prnoRemoved = 0,      // the source goes away
  prnoUserNameChanged = 3,
};

// The event broadcast when a communicator is renamed.
constexpr int32_t kprEventNameChanged = 111;

// Design-state bits.
constexpr uint16_t kprDesignStateKeepUserName = 0x20;

class TprCommunicator : public TComponent {
 public:
  static constexpr TClass kClass{"TprCommunicator", &TComponent::kClass, &ConstructInstance<TprCommunicator>};
  const TClass* ClassType() const override { return &kClass; }

  using TNotifyHandler = std::function<void(TObject* sender, TprCommunicator* source, int32_t operation)>;
  using TEventNotifyHandler =
      std::function<void(TObject* sender, TprCommunicator* source, int32_t event_id, const Variant& parameters)>;

  explicit TprCommunicator(TComponent* owner);
  ~TprCommunicator() override;

  virtual TObject* GetComponentDesigner() const { return designer_; }
  virtual IprComponentDesigner* GetDesignerInterface() const;
  virtual std::string GetUserName() const { return user_name_; }
  virtual void SetComponentDesigner(TObject* designer) { designer_ = designer; }
  virtual void DesignStateChanged(uint16_t bits);
  // A name that is not an identifier changes nothing; a name another
  // communicator uses becomes the first free one of name1, name2, ...
  // unless it ends in a digit from 1 to 9.
  virtual void SetUserName(const std::string& name);
  virtual void DesignerRefresh();
  virtual void ChangeOwner(TComponent* new_owner);
  virtual std::string GetUniqueComponentName();
  virtual void DesignerModified();
  virtual void DesignerMessage(const std::string& text);
  virtual void DesignerPropertyChanged(int32_t what, int32_t old_value, int32_t new_value);
  virtual void Notify(TprCommunicator* source, int32_t operation);
  virtual void EventNotify(TprCommunicator* source, int32_t event_id, const Variant& parameters);
  virtual void RemoveDesignState(uint16_t bits);
  virtual void AddDesignState(uint16_t bits);
  virtual bool IsValidUserName(std::string_view name);
  virtual TprCommunicator* FindUserName(std::string_view name);
  virtual std::string GetUniqueUserName(const TComponent& component, std::string_view name);
  virtual std::string GetDescription() const { return {}; }

  std::string GetDefaultUserName();
  uint16_t DesignState() const { return design_state_; }

  // The listeners of this communicator.
  void AddNotify(TprCommunicator* listener);
  void RemoveNotify(TprCommunicator* listener);
  void AddEventNotify(TprCommunicator* listener);
  void RemoveEventNotify(TprCommunicator* listener);
  const std::vector<TprCommunicator*>& NotifyList() const { return notify_list_; }
  const std::vector<TprCommunicator*>& EventNotifyList() const { return event_notify_list_; }
  // The report event ids (0 to 255) this communicator listens to.
  std::bitset<256>& EventSet() { return events_; }

  // Tells every listener of the event-notify list that listens to
  // `event_id` about it.
  void SendEventNotify(TprCommunicator* source, int32_t event_id, const Variant& parameters);

  void Loaded() override;
  void SetName(const std::string& name) override;

  TNotifyHandler OnNotify;
  TEventNotifyHandler OnEventNotify;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void NotifyAll(int32_t operation);
  void Forget(const TComponent* listener);
  TprCommunicator* ParentCommunicator() const;
  // `base` followed by the first of 1, 2, ... that no other communicator
  // of `owner` uses as user name.
  std::string FreeUserName(TComponent* owner, std::string_view base);

  TObject* designer_ = nullptr;
  uint16_t design_state_ = 0;
  std::vector<TprCommunicator*> event_notify_list_;
  std::vector<TprCommunicator*> notify_list_;
  std::bitset<256> events_;
  std::string user_name_;
};

// Type information of communicators: adds the scripting name "UserName".
class TrtTprCommunicatorRTTI : public TrtTComponentRTTI {
 public:
  static constexpr TClass kClass{"TrtTprCommunicatorRTTI", &TrtTComponentRTTI::kClass,
                                 &ConstructInstance<TrtTprCommunicatorRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  void GetPropList(const TClass* cls, TStrings& list) const override;
  const TClass* GetRefClass() const override;
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override;
  bool GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const override;
  bool SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const override;
};
