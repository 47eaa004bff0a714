#pragma once
// The shared service that turns the system's colour-change message into
// calls on subscribed notifiers. The listener (a hidden window) lives while
// at least one notifier exists; on a colour change it reloads the Office
// 2003 palette, then tells the primary notifiers and then the ordinary ones,
// each group from the last subscribed to the first.

#include <windows.h>

#include <functional>

#include "platform/rtl/object.h"
#include "ui/foundation/system/message_window_win.h"

class TlxSystemPaletteChangedNotifier : public TObject {
 public:
  static constexpr TClass kClass{"TlxSystemPaletteChangedNotifier", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Joins the shared listener, creating it with the first notifier.
  explicit TlxSystemPaletteChangedNotifier(bool is_primary = false);
  // Leaves the listener, which goes with the last notifier.
  ~TlxSystemPaletteChangedNotifier() override;
  TlxSystemPaletteChangedNotifier(const TlxSystemPaletteChangedNotifier&) = delete;
  TlxSystemPaletteChangedNotifier& operator=(const TlxSystemPaletteChangedNotifier&) = delete;

  bool IsPrimary() const { return is_primary_; }

  std::function<void()> OnSystemPaletteChanged;

  // Fires OnSystemPaletteChanged; descendants do their own work here.
  virtual void NotifyPaletteChanged();

 private:
  bool is_primary_;
};

class TlxSystemPaletteChangedListener : public TlxMessageWindow {
 public:
  static constexpr TClass kClass{"TlxSystemPaletteChangedListener", &TlxMessageWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Acquires the Office 2003 palette for as long as the listener lives.
  TlxSystemPaletteChangedListener();
  ~TlxSystemPaletteChangedListener() override;

  void AddNotifier(TlxSystemPaletteChangedNotifier* notifier);
  void RemoveNotifier(TlxSystemPaletteChangedNotifier* notifier);
  // Reloads the palette and tells the notifiers.
  void HandlePaletteChange();

 protected:
  void WindowProcedure(TMessage& message) override;

 private:
  static void NotifyBackwards(std::vector<TlxSystemPaletteChangedNotifier*>& notifiers);

  std::vector<TlxSystemPaletteChangedNotifier*> notifiers_;
  std::vector<TlxSystemPaletteChangedNotifier*> primary_notifiers_;
};

// The shared listener; null while no notifier exists.
TlxSystemPaletteChangedListener* lxSystemPaletteChangedListener();
