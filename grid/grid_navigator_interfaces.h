#pragma once
// IlxNavigator, IlxNavigatorOwner and TlxNavigatorControlNotifier: the data
// source a navigator's buttons act through (the table view, or the grid
// forwarding to its focused view), the host of a row of navigator buttons,
// and the notifier through which attached navigators learn that the
// navigable state changed. Portable.

#include <cstdint>
#include <vector>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

class TlxNavigatorControlNotifier;

class IlxNavigator : public virtual IInterface {
 public:
  virtual bool CanAppendRecord() = 0;
  virtual bool CanDeleteRecord() = 0;
  virtual bool CanEditRecord() = 0;
  virtual bool CanInsertRecord() = 0;
  virtual bool IsDataActive() = 0;
  virtual bool IsAtBeginning() = 0;
  virtual bool HasBookmark() = 0;
  virtual bool IsEditingRecord() = 0;
  virtual bool IsAtEnd() = 0;
  virtual void ForgetBookmark() = 0;
  virtual void PerformButtonAction(int32_t button_index) = 0;
  virtual TlxNavigatorControlNotifier* GetButtonsNotifier() = 0;
  virtual bool SupportsButtonAction(int32_t button_index) = 0;
};

// What a navigator attached to a notifier does when the state changed.
class IlxNavigatorListener : public virtual IInterface {
 public:
  virtual void RefreshNavigator() = 0;
};

class TlxNavigatorControlNotifier : public TObject {
 public:
  static constexpr TClass kClass{"TlxNavigatorControlNotifier", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  void AddNavigator(IlxNavigatorListener* navigator);
  void RemoveNavigator(IlxNavigatorListener* navigator);
  void RefreshNavigators();
  int32_t Count() const { return static_cast<int32_t>(navigators_.size()); }

 private:
  std::vector<IlxNavigatorListener*> navigators_;
};

// The host of a navigator button row (the table view info).
class IlxNavigatorOwner : public virtual IInterface {
 public:
  virtual IlxNavigator* GetNavigatorInterface() = 0;
  virtual TObject* GetNavigatorButtons() = 0;
  virtual TRect GetNavigatorBounds() = 0;
  virtual bool GetNavigatorButtonsHints() = 0;
  virtual void NavigatorChanged(bool size_changed) = 0;
  virtual void RefreshNavigator() = 0;
};
