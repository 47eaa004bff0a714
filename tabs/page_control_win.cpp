#include "tabs/page_control_win.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "ui/foundation/canvas/canvas_win.h"

// ---- TlxTabSheet ------------------------------------------------------------

TlxTabSheet::TlxTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetAlign(alClient);
  ControlStyle().Include(csAcceptsControls);
  ControlStyle().Include(csNoDesignVisible);
  SetVisible(false);
  SetTabStop(false);
}

TlxTabSheet::~TlxTabSheet() {
  if (page_control_ != nullptr)
    page_control_->RemovePage(this);
}

void TlxTabSheet::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TlxTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent())
    return;
  auto* page_control = dynamic_cast<TlxPageControl*>(parent);
  if (parent != nullptr && page_control == nullptr)
    throw EAbort("");
  if (page_control != page_control_) {
    SetPageControl(page_control);
    return;
  }
  TCustomControl::SetParent(parent);
}

void TlxTabSheet::SetPageControl(TlxPageControl* page_control) {
  if (page_control == page_control_)
    return;
  if (page_control_ != nullptr)
    page_control_->RemovePage(this);
  if (page_control == nullptr)
    return;
  page_control->InsertPage(this);
  if (!page_control->IsLoading() && page_control->ActivePage() == nullptr)
    page_control->SetActivePage(this);
}

int32_t TlxTabSheet::PageIndex() const {
  if (page_control_ == nullptr)
    return -1;
  const auto& pages = page_control_->pages_;
  return static_cast<int32_t>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TlxTabSheet::SetPageIndex(int32_t value) {
  if (page_control_ == nullptr)
    return;
  const int32_t last = page_control_->PageCount() - 1;
  if (value > last || value < 0)
    throw EListError(Format(lxPCText(slxPCPageIndexError), {value, last}));
  page_control_->MovePage(this, value);
}

void TlxTabSheet::SetTabVisible(bool value) {
  if (value == tab_visible_)
    return;
  tab_visible_ = value;
  UpdateTab();
  if (value && page_control_ != nullptr && page_control_->PageCount() == 1 && page_control_->ActivePage() == nullptr)
    page_control_->SetActivePage(this);
}

void TlxTabSheet::SetImageIndex(int32_t value) {
  if (value == image_index_)
    return;
  image_index_ = value;
  UpdateTab();
}

void TlxTabSheet::SetHighlighted(bool value) {
  if (value == highlighted_)
    return;
  highlighted_ = value;
  UpdateTab();
}

void TlxTabSheet::UpdateTab() {
  if (page_control_ == nullptr || tab_ == nullptr || page_control_->IsLoading())
    return;
  tab_->SetCaption(Caption());
  tab_->SetEnabled(Enabled());
  tab_->SetImageIndex(image_index_);
  tab_->SetHighlighted(highlighted_);
  // The active page keeps showing when its tab goes: the tab is given up
  // first, so that no other tab (and page) takes over.
  if (!tab_visible_ && page_control_->ActivePage() == this)
    page_control_->SyncTabIndexWithActivePage();
  tab_->SetVisible(tab_visible_);
  if (page_control_->ActivePage() == this)
    page_control_->SyncTabIndexWithActivePage();
}

void TlxTabSheet::WMEraseBkgnd(TMessage& message) {
  if (page_control_ == nullptr || page_control_->PainterObject() == nullptr) {
    TCustomControl::WMEraseBkgnd(message);
    return;
  }
  const HDC dc = reinterpret_cast<HDC>(message.WParam);
  message.Result = 1;
  if (page_control_->PainterObject()->UsesNativeLook()) {
    page_control_->PainterObject()->PaintNativePageBackground(dc, *this);
    return;
  }
  RECT client{};
  GetClientRect(Handle(), &client);
  const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(page_control_->PainterObject()->GetClientColor())));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
}

void TlxTabSheet::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  UpdateTab();
}

void TlxTabSheet::CMEnabledChanged(TMessage& message) {
  TCustomControl::CMEnabledChanged(message);
  UpdateTab();
}

void TlxTabSheet::CMColorChanged(TMessage& message) {
  TCustomControl::CMColorChanged(message);
  if (tab_ != nullptr)
    tab_->Changed(tckLayout);
  Invalidate();
}

void TlxTabSheet::CMShowingChanged(TMessage& message) {
  // The message comes only with a change, the new state already set.
  TCustomControl::CMShowingChanged(message);
  try {
    if (Showing()) {
      if (OnShow)
        OnShow(this);
    } else if (OnHide) {
      OnHide(this);
    }
  } catch (const Exception& e) {
    // A handler's failure is the application's to report; the page shows.
    if (TApplication* application = CurrentApplication())
      application->ShowException(e);
  }
}

// ---- TlxPageControl ---------------------------------------------------------

TlxPageControl::TlxPageControl(TComponent* owner)
    : TlxCustomTabControl(owner), dock_site_(std::make_unique<TlxPCDockSite>(*this)) {}

TlxPageControl::~TlxPageControl() {
  for (TlxTabSheet* page : pages_) {
    page->page_control_ = nullptr;
    page->tab_ = nullptr;
  }
  pages_.clear();
}

TlxTabSheet* TlxPageControl::Pages(int32_t index) const {
  if (index < 0 || index >= PageCount())
    throw EListError::IndexOutOfBounds(index);
  return pages_[static_cast<size_t>(index)];
}

void TlxPageControl::InsertPage(TlxTabSheet* page) {
  if (HandleAllocated() || Parent() != nullptr)
    HandleNeeded();
  {
    TStateScope inserting(inserting_page_, true);
    pages_.push_back(page);
    page->page_control_ = this;
    page->TCustomControl::SetParent(this);
    Tabs().Add(page->Caption());
  }
  page->tab_ = Tabs().GetTab(Tabs().Count() - 1);
  page->UpdateTab();
}

void TlxPageControl::RemovePage(TlxTabSheet* page) {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end())
    return;
  TlxTabSheet* next = FindPage(page, true, !IsDesignTime(), false);
  if (next == nullptr)
    next = FindPage(page, false, !IsDesignTime(), false);
  if (next == page)
    next = nullptr;
  const int32_t index = static_cast<int32_t>(it - pages_.begin());
  pages_.erase(it);
  page->tab_ = nullptr;
  Tabs().Delete(index);
  StoreTabIndex(-1);
  CalculateMainVisibleIndex();
  if (active_page_ == page) {
    active_page_ = nullptr;
    SetActivePage(next);
  }
  page->page_control_ = nullptr;
  if (!page->ComponentState().Contains(csDestroying))
    page->TCustomControl::SetParent(nullptr);
}

void TlxPageControl::MovePage(TlxTabSheet* page, int32_t new_index) {
  const int32_t old_index = page->PageIndex();
  if (old_index == new_index)
    return;
  pages_.erase(pages_.begin() + old_index);
  pages_.insert(pages_.begin() + new_index, page);
  Tabs().Move(old_index, new_index);
  for (int32_t i = 0; i < PageCount(); ++i)
    pages_[static_cast<size_t>(i)]->tab_ = Tabs().GetTab(i);
  page->UpdateTab();
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  if (active_page_ != nullptr)
    SetTabIndex(active_page_->tab_visible_ ? active_page_->PageIndex() : -1);
}

TlxTabSheet* TlxPageControl::FindPage(TlxTabSheet* current, bool go_forward, bool check_tab_visible, bool wrap) {
  const int32_t count = PageCount();
  if (count == 0)
    return nullptr;
  const auto it = std::find(pages_.begin(), pages_.end(), current);
  int32_t index = 0;
  int32_t looks = count - 1;
  if (it == pages_.end()) {
    index = go_forward ? 0 : count - 1;
    looks = count;
  } else {
    index = static_cast<int32_t>(it - pages_.begin());
    index += go_forward ? 1 : -1;
  }
  for (int32_t looked = 0; looked < looks; ++looked) {
    if (index < 0 || index >= count) {
      if (!wrap)
        return nullptr;
      index = index < 0 ? count - 1 : 0;
    }
    TlxTabSheet* page = pages_[static_cast<size_t>(index)];
    if (!check_tab_visible || (page->TabVisible() && page->Enabled()))
      return page;
    index += go_forward ? 1 : -1;
  }
  return nullptr;
}

TlxTabSheet* TlxPageControl::FindNextPage(TlxTabSheet* current, bool go_forward, bool check_tab_visible) {
  return FindPage(current, go_forward, check_tab_visible, true);
}

void TlxPageControl::SelectNextPage(bool go_forward, bool check_tab_visible) {
  TlxTabSheet* page = FindNextPage(active_page_, go_forward, check_tab_visible);
  if (page != nullptr && page != active_page_)
    SetActivePage(page);
}

void TlxPageControl::SyncTabIndexWithActivePage() {
  TStateScope guard(setting_active_page_, true);
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  SetTabIndex(active_page_ != nullptr && active_page_->TabVisible() ? active_page_->PageIndex() : -1);
}

void TlxPageControl::SetActivePage(TlxTabSheet* page) {
  if (setting_active_page_ || (page != nullptr && page->PageControl() != this))
    return;
  TAliveToken alive = AliveToken();
  ChangeActivePage(page);
  if (!alive.Alive())
    return;
  if (page == active_page_)
    SyncTabIndexWithActivePage();
}

bool TlxPageControl::DoPageChanging(TlxTabSheet* new_page) {
  bool allow = true;
  if (OnPageChanging && !ChangeEventsLocked())
    OnPageChanging(this, new_page, allow);
  return allow;
}

bool TlxPageControl::DoCanChange(int32_t new_index) {
  if (!TlxCustomTabControl::DoCanChange(new_index))
    return false;
  if (new_index == -1 || setting_active_page_)
    return true;
  return DoPageChanging(new_index < PageCount() ? Pages(new_index) : nullptr);
}

void TlxPageControl::ShowPageOfTabIndex() {
  SetActivePage(TabIndex() == -1 ? nullptr : Pages(TabIndex()));
}

void TlxPageControl::DoChange() {
  if (!setting_active_page_) {
    TAliveToken alive = AliveToken();
    {
      LockChangeEvents(true);
      TScopeExit unlock([this] { LockChangeEvents(false); });
      ShowPageOfTabIndex();
    }
    if (!alive.Alive())
      return;
  }
  TlxCustomTabControl::DoChange();
}

void TlxPageControl::ChangeActivePage(TlxTabSheet* page) {
  if (page == active_page_ || !DoPageChanging(page))
    return;
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && active_page_ != nullptr && form->ActiveControl() != nullptr &&
      active_page_->ContainsControl(form->ActiveControl())) {
    // The focus leaves the old page first; a control that keeps it wins.
    form->SetActiveControl(active_page_);
    if (form->ActiveControl() != active_page_) {
      SyncTabIndexWithActivePage();
      return;
    }
  }
  TWinControl* new_focus = nullptr;
  if (page != nullptr && form != nullptr && form->ActiveControl() == active_page_ && active_page_ != nullptr) {
    const bool page_can_focus = page->Enabled() && Visible() && Enabled() && Parent() != nullptr && Parent()->CanFocus();
    new_focus = page_can_focus ? static_cast<TWinControl*>(page) : static_cast<TWinControl*>(this);
  }
  if (active_page_ != nullptr)
    active_page_->SetVisible(false);
  if (page != nullptr) {
    page->BringToFront();
    page->SetVisible(true);
    page->Invalidate();
  }
  if (new_focus != nullptr && form != nullptr && new_focus->CanFocus())
    form->SetActiveControl(new_focus);
  active_page_ = page;
  TAliveToken alive = AliveToken();
  TlxCustomTabControl::DoChange();
  if (!alive.Alive())
    return;
  if (form != nullptr && active_page_ != nullptr && form->ActiveControl() == active_page_)
    active_page_->SelectNext(nullptr, true, true);
}

void TlxPageControl::CloseActiveTab() {
  if (active_page_ != nullptr)
    delete active_page_;
}

void TlxPageControl::Loaded() {
  TlxCustomTabControl::Loaded();
  for (TlxTabSheet* page : pages_)
    page->UpdateTab();
  if (!IsDesignTime() && active_page_ != nullptr && !active_page_->Enabled())
    SetActivePage(nullptr);
}

void TlxPageControl::ImagesChanged() {
  if (!inserting_page_)
    for (TlxTabSheet* page : pages_)
      if (page->tab_ != nullptr)
        page->tab_->SetImageIndex(page->ImageIndex());
  TlxCustomTabControl::ImagesChanged();
}

// ---- docking -------------------------------------------------------------------

TlxPCDockSite::TlxPCDockSite(TlxPageControl& page_control) : TDockSite(page_control), page_control_(page_control) {}

void TlxPCDockSite::DockDrop(TDragDockObject& source, int32_t x, int32_t y) {
  page_control_.DockClient(source);
  if (OnDockDrop)
    OnDockDrop(&page_control_, source, x, y);
}

void TlxPCDockSite::DoAddDockClient(TControl& client, const TRect& /*rect*/) {
  // The client goes onto the page made for it.
  if (page_control_.new_dock_page_ != nullptr)
    client.SetParent(page_control_.new_dock_page_);
}

bool TlxPCDockSite::DoUnDock(TWinControl* new_target, TControl& client) {
  return TDockSite::DoUnDock(new_target, client) && page_control_.CanUndockClient(new_target, client);
}

void TlxPCDockSite::DockClientChanged(TControl& client, TDockClientChange change) {
  TlxTabSheet* page = page_control_.FindDockedPage(client);
  if (page == nullptr)
    return;
  if (change == TDockClientChange::Visible) {
    page->SetTabVisible(client.Visible());
    return;
  }
  const std::string& text = client.Caption();
  page->SetCaption(text.substr(0, text.find_first_of("\r\n")));
}

void TlxPCDockSite::DoRemoveDockClient(TControl& /*client*/) {
  if (page_control_.ComponentState().Contains(csDestroying))
    return;
  TlxTabSheet* page = page_control_.undocking_page_;
  page_control_.undocking_page_ = nullptr;
  if (page == nullptr)
    return;
  if (page == page_control_.ActivePage())
    page_control_.SelectNextPage(true);
  delete page;
}

TlxTabSheet* TlxPageControl::FindDockedPage(const TControl& client) const {
  for (TlxTabSheet* page : pages_)
    if (client.Parent() == page)
      return page;
  return nullptr;
}

void TlxPageControl::DockClient(TDragDockObject& source) {
  TControl& client = source.Control();
  if (TlxTabSheet* page = FindDockedPage(client)) {
    page->SetPageIndex(PageCount() - 1);
    return;
  }
  auto* page = new TlxTabSheet(this);
  TStateScope docking(new_dock_page_, page);
  {
    TScopeFail free_page([page] { delete page; });
    if (auto* form = dynamic_cast<TCustomForm*>(&client))
      page->SetCaption(form->Caption());
    page->SetPageControl(this);
    dock_site_->DoAddDockClient(client, {});
  }
  page->SetTabVisible(client.Visible());
  if (client.Visible())
    SetActivePage(page);
  client.SetAlign(alClient);
}

bool TlxPageControl::CanUndockClient(TWinControl* /*new_target*/, TControl& client) {
  undocking_page_ = FindDockedPage(client);
  client.SetAlign(alNone);
  return true;
}

void TlxPageControl::Notification(TComponent* component, TOperation operation) {
  TlxCustomTabControl::Notification(component, operation);
  if (operation == opRemove && dock_site_ != nullptr)
    dock_site_->ClientFreed(component);
}

TControl* TlxPageControl::DockClientAtTab(int32_t x, int32_t y) {
  const int32_t visible_index = GetVisibleTabIndexAt(x, y);
  if (visible_index == -1)
    return nullptr;
  TlxTabSheet* page = Pages(Tabs().GetVisibleTab(visible_index)->Index());
  for (int32_t i = 0; i < dock_site_->DockClientCount(); ++i) {
    TControl* client = dock_site_->DockClients(i);
    if (client->Parent() == page)
      return client;
  }
  return nullptr;
}

void TlxPageControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TControl* client = button == mbLeft ? DockClientAtTab(x, y) : nullptr;
  // A double click on the tab of a docked control floats it.
  if (client != nullptr && shift.Contains(ssDouble)) {
    lxManualDock(*client, nullptr);
    return;
  }
  const TAliveToken alive = AliveToken();
  TlxCustomTabControl::MouseDown(button, shift, x, y);
  // A press on its tab picks the docked control up; it moves only once the
  // mouse passes the drag threshold, so a plain click just selects the page.
  if (client != nullptr && alive.Alive() && FindDockedPage(*client) != nullptr)
    client->BeginDrag(false);
}
