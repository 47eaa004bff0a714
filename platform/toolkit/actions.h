#pragma once
// Actions: a command with a caption, a checked and an enabled state and an
// image, shared by the controls linked to it. A control's action link
// carries the action's changes to the control and the control's clicks to
// the action. Only what the library's buttons use of them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"

class TCustomImageList;
class TActionLink;
class TControl;
class TCustomActionList;

class TBasicAction : public TComponent {
 public:
  static constexpr TClass kClass{"TBasicAction", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
  ~TBasicAction() override;

  // Runs OnExecute; without one the focused control and then its parents
  // are offered the action as its target. False when nothing ran it.
  virtual bool Execute();
  // Runs OnUpdate, or offers the action to the focused control and its
  // parents as Execute does; false when nothing updated it.
  virtual bool Update();

  // Whether the action works on `target` when it has no handler of its
  // own; ExecuteTarget and UpdateTarget then act on it.
  virtual bool HandlesTarget(TObject* /*target*/) { return false; }
  virtual void ExecuteTarget(TObject* /*target*/) {}
  virtual void UpdateTarget(TObject* /*target*/) {}

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  friend class TActionLink;
  void RegisterLink(TActionLink* link);
  void UnregisterLink(TActionLink* link);
  // Each link hears of a change through `notify`.
  void ForEachLink(const std::function<void(TActionLink&)>& notify);

  virtual void DoExecute() {
    if (OnExecute)
      OnExecute(this);
  }

 private:
  std::vector<TActionLink*> links_;
};

class TCustomAction : public TBasicAction {
 public:
  static constexpr TClass kClass{"TCustomAction", &TBasicAction::kClass, &ConstructInstance<TCustomAction>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}
  ~TCustomAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  TCustomActionList* ActionList() const { return action_list_; }
  // Joins the list's actions (null leaves it).
  void SetActionList(TCustomActionList* list);

  bool Execute() override;

 private:
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  int32_t image_index_ = -1;
  TCustomActionList* action_list_ = nullptr;
};

class TAction : public TCustomAction {
 public:
  static constexpr TClass kClass{"TAction", &TCustomAction::kClass, &ConstructInstance<TAction>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
 public:
  static constexpr TClass kClass{"TCustomActionList", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomActionList(TComponent* owner) : TComponent(owner) {}
  ~TCustomActionList() override;

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  int32_t ActionCount() const { return static_cast<int32_t>(actions_.size()); }
  TCustomAction* Actions(int32_t index) const { return actions_.at(static_cast<size_t>(index)); }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCustomAction;
  std::vector<TCustomAction*> actions_;
  TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
 public:
  static constexpr TClass kClass{"TActionList", &TCustomActionList::kClass, &ConstructInstance<TActionList>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomActionList::TCustomActionList;
};

// A control that decides itself which actions it takes when an action
// without a handler of its own is offered to it (an editor passes them on
// to its data binding). Other controls take an action that handles them.
class IActionTarget {
 public:
  virtual ~IActionTarget() = default;
  virtual bool ExecuteAction(TBasicAction* action) = 0;
  virtual bool UpdateAction(TBasicAction* action) = 0;
};

// Runs or updates the action on `target` when the action handles it.
bool lxExecuteActionOn(TBasicAction& action, TObject* target);
bool lxUpdateActionOn(TBasicAction& action, TObject* target);

// The tie of a client to an action. The action tells its links of every
// change; a link forgets an action that goes.
class TActionLink : public TObject {
 public:
  static constexpr TClass kClass{"TActionLink", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TActionLink() = default;
  ~TActionLink() override;
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  virtual bool Execute();

  // What the action changed.
  virtual void CaptionChanged(const std::string& /*caption*/) {}
  virtual void CheckedChanged(bool /*checked*/) {}
  virtual void EnabledChanged(bool /*enabled*/) {}
  virtual void ImageIndexChanged(int32_t /*index*/) {}
  // The action goes; the link is left without one.
  virtual void ActionFreed() {}

 private:
  friend class TBasicAction;
  void Detach() { action_ = nullptr; }

  TBasicAction* action_ = nullptr;
};

// The link of a control: caption and enabled state follow the action.
class TControlActionLink : public TActionLink {
 public:
  static constexpr TClass kClass{"TControlActionLink", &TActionLink::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TControlActionLink(TControl* client) : client_(client) {}

  TControl* Client() const { return client_; }
  void CaptionChanged(const std::string& caption) override;
  void EnabledChanged(bool enabled) override;
  // Caption and enabled state of the action given to the client at once.
  void ApplyAction();

 private:
  TControl* client_;
};
