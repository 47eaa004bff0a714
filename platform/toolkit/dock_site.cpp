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

// Which window control has which site part.
std::unordered_map<const TWinControl*, TDockSite*>& Sites() {
  static std::unordered_map<const TWinControl*, TDockSite*> sites;
  return sites;
}

bool IsWithin(const TControl* control, const TControl& ancestor) {
  for (; control != nullptr; control = control->Parent())
    if (control == &ancestor)
      return true;
  return false;
}

// The frame a dragged control shows where it would lie: three pixels wide,
// inverted on the screen so that drawing it again takes it away.
constexpr int32_t kDockFrameWidth = 3;

void InvertDockFrame(const TRect& frame) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr)
    return;
  HGDIOBJ previous = SelectObject(screen, GetStockObject(GRAY_BRUSH));
  const int32_t width = frame.Width();
  const int32_t inner_height = std::max(0, frame.Height() - 2 * kDockFrameWidth);
  PatBlt(screen, frame.Left, frame.Top, width, kDockFrameWidth, PATINVERT);
  PatBlt(screen, frame.Left, frame.Bottom - kDockFrameWidth, width, kDockFrameWidth, PATINVERT);
  PatBlt(screen, frame.Left, frame.Top + kDockFrameWidth, kDockFrameWidth, inner_height, PATINVERT);
  PatBlt(screen, frame.Right - kDockFrameWidth, frame.Top + kDockFrameWidth, kDockFrameWidth, inner_height, PATINVERT);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
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

TDockSite::TDockSite(TWinControl& site) : site_(site) { Sites()[&site] = this; }

TDockSite::~TDockSite() {
  Sites().erase(&site_);
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

TDockSite* TDockSite::Of(const TWinControl& control) {
  auto found = Sites().find(&control);
  return found != Sites().end() ? found->second : nullptr;
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

TDockSite* lxFindDockSiteAt(TDragDockObject& source, TPoint screen_point) {
  for (TControl* control = FindDragTarget(screen_point, false); control != nullptr; control = control->Parent()) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TDockSite* site = windowed != nullptr ? TDockSite::Of(*windowed) : nullptr;
    // A control cannot dock into itself or into one of its own children.
    if (site == nullptr || !site->IsDockSite() || IsWithin(windowed, source.Control()))
      continue;
    const TPoint client = windowed->ScreenToClient(screen_point);
    bool accept = true;
    site->DockOver(source, client.X, client.Y, accept);
    if (accept)
      return site;
  }
  return nullptr;
}

// --- dragging with the mouse -------------------------------------------------

TDragDockObject::~TDragDockObject() { HideFrame(); }

void TDragDockObject::StartTracking(TPoint screen_point) {
  start_point_ = screen_point;
  start_bounds_ = ScreenBounds(control_);
  DockRect = start_bounds_;
}

void TDragDockObject::TrackTo(TPoint screen_point) {
  const int32_t dx = screen_point.X - start_point_.X;
  const int32_t dy = screen_point.Y - start_point_.Y;
  const TRect floating(start_bounds_.Left + dx, start_bounds_.Top + dy, start_bounds_.Right + dx,
                       start_bounds_.Bottom + dy);
  DockRect = floating;
  TDockSite* site = lxFindDockSiteAt(*this, screen_point);
  target_site_control_ = TWeakRef<TWinControl>(site != nullptr ? &site->SiteControl() : nullptr);
  // A site that looked and refused may have moved the rectangle.
  if (site == nullptr)
    DockRect = floating;
  if (frame_shown_ && frame_ == DockRect)
    return;
  HideFrame();
  frame_ = DockRect;
  InvertDockFrame(frame_);
  frame_shown_ = true;
}

TDockSite* TDragDockObject::TargetSite() const {
  const TWinControl* control = target_site_control_.Get();
  return control != nullptr ? TDockSite::Of(*control) : nullptr;
}

void TDragDockObject::HideFrame() {
  if (!frame_shown_)
    return;
  InvertDockFrame(frame_);
  frame_shown_ = false;
}

bool TDragDockObject::Drop(bool drop) {
  HideFrame();
  if (!drop)
    return false;
  if (TDockSite* site = TargetSite())
    return lxManualDock(control_, site, DropOnControl, DropAlign);
  return lxManualFloat(control_, DockRect);
}
