#pragma once
// Docking, as far as a control that takes whole forms in needs it: a dock
// site (a window control that accepts docking controls, keeps them as its
// dock clients and hears when one arrives or leaves), docking a control
// onto a site in code, and floating it off its site into a window of its
// own. The site that holds a client may refuse to let it go.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "platform/toolkit/types.h"

class TComponent;
class TControl;
class TWinControl;

// A control on its way to a site, and where it is to go.
class TDragDockObject : public TObject {
 public:
  static constexpr TClass kClass{"TDragDockObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDragDockObject(TControl& control) : control_(control) {}

  TControl& Control() const { return control_; }
  // Where the control would lie, in screen coordinates.
  TRect DockRect;
  TAlign DropAlign = alNone;
  TControl* DropOnControl = nullptr;

 private:
  TControl& control_;
};

// What changed on a docked control that its site shows.
enum class TDockClientChange { Text, Visible };

using TDockDropEvent = std::function<void(TObject* sender, TDragDockObject& source, int32_t x, int32_t y)>;
using TUnDockEvent = std::function<void(TObject* sender, TControl* client, TWinControl* new_target, bool& allow)>;

// What a window control does as a dock site. The window control owns its
// site part; a control docked here is a dock client until it leaves or is
// freed (the site control's Notification passes frees on to ClientFreed).
class TDockSite {
 public:
  explicit TDockSite(TWinControl& site);
  virtual ~TDockSite();
  TDockSite(const TDockSite&) = delete;
  TDockSite& operator=(const TDockSite&) = delete;

  TWinControl& SiteControl() const { return site_; }
  // Whether the site takes controls at all.
  bool IsDockSite() const { return dock_site_; }
  void SetDockSite(bool value) { dock_site_ = value; }
  int32_t DockClientCount() const { return static_cast<int32_t>(clients_.size()); }
  TControl* DockClients(int32_t index) const { return clients_.at(static_cast<size_t>(index)); }

  TDockDropEvent OnDockDrop;
  TUnDockEvent OnUnDock;

  // Whether the control may dock here and where it would lie; the site's
  // window rectangle unless a descendant says otherwise.
  virtual void DockOver(TDragDockObject& source, int32_t x, int32_t y, bool& accept);
  // Places the control (through DoAddDockClient); OnDockDrop follows when
  // that did not raise.
  virtual void DockDrop(TDragDockObject& source, int32_t x, int32_t y);
  // A client asks to leave for `new_target` (null: floating); OnUnDock may
  // refuse.
  virtual bool DoUnDock(TWinControl* new_target, TControl& client);

  // To be called from the site control's Notification.
  void ClientFreed(TComponent* component);

  // A client's caption or visibility changed.
  virtual void DockClientChanged(TControl& /*client*/, TDockClientChange /*change*/) {}

 protected:
  // Makes the control a child of the site filling `rect` (client coordinates).
  virtual void DoAddDockClient(TControl& client, const TRect& rect);
  // The client has left (floated or docked elsewhere).
  virtual void DoRemoveDockClient(TControl& /*client*/) {}

 private:
  friend bool lxManualDock(TControl& control, TDockSite* site, TControl* drop_on, TAlign align);
  friend bool lxManualFloat(TControl& control, const TRect& screen_rect);
  void AddClient(TControl& client);
  void RemoveClient(TControl& client);

  TWinControl& site_;
  bool dock_site_ = true;
  std::vector<TControl*> clients_;
};

// The site holding the control, or null.
TDockSite* lxHostDockSite(const TControl& control);
// Tells the site holding the control, if any, that its caption or
// visibility changed.
void lxNotifyDockClientChanged(TControl& control, TDockClientChange change);
// Docks the control onto `site`; a null site floats it where it is. The
// site that holds it now is asked first; false when it refused or the new
// site does not take the control. A failure while placing the control is
// passed on.
bool lxManualDock(TControl& control, TDockSite* site, TControl* drop_on = nullptr, TAlign align = alNone);
// Takes the control off its site into a window of its own at `screen_rect`
// (a form becomes a top-level window again); false when the site refused.
bool lxManualFloat(TControl& control, const TRect& screen_rect);
