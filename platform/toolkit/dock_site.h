#pragma once
// Docking, as far as a control that takes whole forms in needs it: a dock
// site (a window control that accepts docking controls, keeps them as its
// dock clients and hears when one arrives or leaves), docking a control
// onto a site in code or by dragging it there with the mouse, and floating
// it off its site into a window of its own. The site that holds a client
// may refuse to let it go.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/types.h"

class TComponent;
class TControl;
class TWinControl;
class TDockSite;

// A control on its way to a site, and where it is to go. Dragged with the
// mouse (a control whose DragKind is dkDock), it shows where it would lie
// as an inverted frame on the screen and docks or floats when dropped.
class TDragDockObject : public TDragObject {
 public:
  static constexpr TClass kClass{"TDragDockObject", &TDragObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDragDockObject(TControl& control) : control_(control) {}
  ~TDragDockObject() override;

  TControl& Control() const { return control_; }
  // Where the control would lie, in screen coordinates.
  TRect DockRect;
  TAlign DropAlign = alNone;
  TControl* DropOnControl = nullptr;

  // --- dragging with the mouse ------------------------------------------
  // The drag starts at a screen point; the control floats by the distance
  // the mouse has moved from there unless a site takes it.
  void StartTracking(TPoint screen_point);
  // The mouse is at `screen_point`: finds the site that would take the
  // control and moves the frame.
  void TrackTo(TPoint screen_point);
  // The site the control would dock onto now, or null (it would float).
  TDockSite* TargetSite() const;
  // Takes the frame off the screen.
  void HideFrame();
  // Ends the drag: docks the control onto the target site or floats it at
  // DockRect; nothing when `drop` is false. False when a site refused.
  bool Drop(bool drop);

 private:
  TControl& control_;
  TPoint start_point_;
  TRect start_bounds_;
  // The site's control, which may go while the drag runs.
  TWeakRef<TWinControl> target_site_control_;
  bool frame_shown_ = false;
  TRect frame_;
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
  // The site part of a window control, or null when it has none.
  static TDockSite* Of(const TWinControl& control);
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
// The site that would take `source` at a screen point: the nearest site at or
// above the control under the point that lies outside the dragged control
// and whose DockOver accepts (setting source.DockRect); null for none.
TDockSite* lxFindDockSiteAt(TDragDockObject& source, TPoint screen_point);
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
