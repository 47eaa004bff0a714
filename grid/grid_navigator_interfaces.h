#pragma once
// IlxNavigator, IlxNavigatorOwner and TlxNavigatorControlNotifier: the data
// source a navigator's buttons act through (the table view, or the grid
// forwarding to its focused view), the host of a row of navigator buttons,
// and the notifier through which attached navigators learn that the
// navigable state changed. Portable.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

class TlxNavigatorControlNotifier;
class TlxCustomNavigatorButtons;
class TCanvas;
class TComponent;
class TlxLookAndFeel;
class TWinControl;

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

// The host of a navigator button row: the table view info for a grid view.
class IlxNavigatorOwner : public virtual IInterface {
 public:
  // kind: 0 a hint or click handler changed, 1 a button was shown or
  // hidden, 2 an enabled state or an image changed.
  virtual void NotifyButtonsChanged(int32_t kind) = 0;
  virtual TRect GetButtonsBounds() = 0;
  virtual TlxCustomNavigatorButtons* GetButtonsObject() = 0;
  virtual TCanvas* GetButtonsCanvas() = 0;
  virtual TWinControl* GetHostControl() = 0;
  virtual bool IsHostFocused() = 0;
  virtual TlxLookAndFeel* GetHostLookAndFeel() = 0;
  virtual TComponent* GetPersistentOwner() = 0;
  virtual bool ShowsHints() = 0;
  virtual bool TakesFocus() = 0;
  virtual void RefreshButtons() = 0;
  virtual void ButtonsStateChanged() = 0;
};

// The button kinds; a kind is also the index of its default glyph.
enum TlxNavigatorButtonKind : int32_t {
  nbkFirst, nbkPriorPage, nbkPrior, nbkNext, nbkNextPage, nbkLast, nbkInsert, nbkAppend,
  nbkDelete, nbkEdit, nbkPost, nbkCancel, nbkRefresh, nbkSaveBookmark, nbkGotoBookmark, nbkFilter,
};
constexpr int32_t kNavigatorButtonCount = 16;

// Whether a navigator button of `kind` can act on `source` (null: no
// source). The host control's own enabled state is checked by the caller.
bool lxNavigatorKindEnabled(IlxNavigator* source, int32_t kind);

// The part of a hint before its first "|".
std::string lxShortHint(const std::string& hint);
