#include "platform/toolkit/dock_site.h"

#include <windows.h>

#include <algorithm>
#include <unordered_map>

#include "platform/rtl/scope.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/win_control.h"

namespace {

// Which site holds which control; a site takes its clients out when it goes.
std::unordered_map<const TControl*, TDockSite*>& Hosts() {
  static std::unordered_map<const TControl*, TDockSite*> hosts;
  return hosts;
}

TRect ScreenBounds(TControl& control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed != nullptr && windowed->HandleAllocated()) {
    RECT rect{};
    GetWindowRect(windowed->Handle(), &rect);
    return rect;
  }
  if (control.Parent() == nullptr)
    return Bounds(control.Left(), control.Top(), control.Width(), control.Height());
  const TPoint origin = control.Parent()->ClientToScreen({control.Left(), control.Top()});
  return Bounds(origin.X, origin.Y, control.Width(), control.Height());
}

}  // namespace

TDockSite::TDockSite(TWinControl& site) : site_(site) {}

TDockSite::~TDockSite() {
  for (TControl* client : clients_)
    Hosts().erase(client);
}

void TDockSite::DockOver(TDragDockObject& source, int32_t /*x*/, int32_t /*y*/, bool& accept) {
  accept = dock_site_;
  if (accept)
    source.DockRect = ScreenBounds(site_);
}

void TDockSite::DockDrop(TDragDockObject& source, int32_t x, int32_t y) {
  DoAddDockClient(source.Control(), Bounds(0, 0, site_.Width(), site_.Height()));
  if (OnDockDrop)
    OnDockDrop(&site_, source, x, y);
}

void TDockSite::DoAddDockClient(TControl& client, const TRect& rect) {
  client.SetParent(&site_);
  client.SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

bool TDockSite::DoUnDock(TWinControl* new_target, TControl& client) {
  bool allow = true;
  if (OnUnDock)
    OnUnDock(&site_, &client, new_target, allow);
  return allow;
}

void TDockSite::AddClient(TControl& client) {
  if (std::find(clients_.begin(), clients_.end(), &client) != clients_.end())
    return;
  clients_.push_back(&client);
  Hosts()[&client] = this;
  client.FreeNotification(&site_);
}

void TDockSite::RemoveClient(TControl& client) {
  auto found = std::find(clients_.begin(), clients_.end(), &client);
  if (found == clients_.end())
    return;
  clients_.erase(found);
  Hosts().erase(&client);
  DoRemoveDockClient(client);
}

void TDockSite::ClientFreed(TComponent* component) {
  auto found = std::find_if(clients_.begin(), clients_.end(),
                            [component](TControl* client) { return static_cast<TComponent*>(client) == component; });
  if (found == clients_.end())
    return;
  Hosts().erase(*found);
  clients_.erase(found);
}

TDockSite* lxHostDockSite(const TControl& control) {
  auto found = Hosts().find(&control);
  return found != Hosts().end() ? found->second : nullptr;
}

void lxNotifyDockClientChanged(TControl& control, TDockClientChange change) {
  if (TDockSite* host = lxHostDockSite(control))
    host->DockClientChanged(control, change);
}

bool lxManualDock(TControl& control, TDockSite* site, TControl* drop_on, TAlign align) {
  if (site == nullptr)
    return lxManualFloat(control, ScreenBounds(control));
  TDragDockObject source(control);
  source.DropOnControl = drop_on;
  source.DropAlign = align;
  bool accept = true;
  site->DockOver(source, 0, 0, accept);
  if (!accept)
    return false;
  TDockSite* host = lxHostDockSite(control);
  if (host != nullptr && host != site) {
    if (!host->DoUnDock(&site->SiteControl(), control))
      return false;
    host->RemoveClient(control);
  }
  const bool new_client = host != site;
  if (new_client)
    site->AddClient(control);
  {
    TScopeFail forget_client([&] {
      if (new_client)
        site->RemoveClient(control);
    });
    site->DockDrop(source, 0, 0);
  }
  if (align != alNone)
    control.SetAlign(align);
  // A window of its own (a form) comes back as a child window of its parent.
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (windowed != nullptr && windowed->HandleAllocated() && windowed->Parent() != nullptr &&
      (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & WS_CHILD) == 0) {
    windowed->DestroyHandle();
    windowed->Perform(CM_VISIBLECHANGED, windowed->Visible() ? 1 : 0);
  }
  return true;
}

bool lxManualFloat(TControl& control, const TRect& screen_rect) {
  if (TDockSite* host = lxHostDockSite(control)) {
    if (!host->DoUnDock(nullptr, control))
      return false;
    host->RemoveClient(control);
  }
  control.SetAlign(alNone);
  control.SetParent(nullptr);
  control.SetBounds(screen_rect.Left, screen_rect.Top, screen_rect.Width(), screen_rect.Height());
  // A form shows again as a window of its own.
  if (control.Visible())
    control.Perform(CM_VISIBLECHANGED, 1);
  return true;
}
