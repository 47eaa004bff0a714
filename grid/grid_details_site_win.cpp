#include "grid/grid_details_site_win.h"

#include <cctype>
#include <limits>

#include "platform/rtl/scope.h"

#include "grid/grid_control_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/grid_view_win.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

bool g_show_accelerators = true;

std::string DoubleAmpersands(const std::string& text) {
  std::string doubled;
  for (char c : text) {
    doubled += c;
    if (c == '&')
      doubled += '&';
  }
  return doubled;
}

// The caption of a tab as a marked letter chooses it: "&&" is a literal
// ampersand, "&x" marks x.
bool CaptionHasAccelerator(const std::string& caption, char16_t character) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto marked = static_cast<unsigned char>(caption[i + 1]);
    if (marked < 0x80 && character < 0x80 &&
        std::tolower(marked) == std::tolower(static_cast<unsigned char>(character)))
      return true;
  }
  return false;
}

}  // namespace

bool lxGridShowAccelerators() { return g_show_accelerators; }
void lxGridSetShowAccelerators(bool value) { g_show_accelerators = value; }

// --- TlxCustomGridDetailsSiteViewInfo -------------------------------------------------

TlxCustomGridDetailsSiteViewInfo::TlxCustomGridDetailsSiteViewInfo(TlxGridLevel* level)
    : TlxComponent(nullptr), level_(level) {}

TlxCustomGridDetailsSiteViewInfo::~TlxCustomGridDetailsSiteViewInfo() {
  // The concrete site is gone by now: only what was looked up before is
  // used, and the tab control must not call back into the site.
  if (active_view_ != nullptr && !active_view_->GetIsDestroying() && active_view_->ViewInfo() != nullptr)
    active_view_->ViewInfo()->UpdateSiteVisibility(false);
  if (tabs_view_info_ != nullptr)
    tabs_view_info_->TabControl()->DetachSite();
  tabs_view_info_.reset();
}

TlxCustomGridDetailsSiteTabsViewInfo* TlxCustomGridDetailsSiteViewInfo::TabsViewInfo() {
  if (!tabs_view_info_made_) {
    tabs_view_info_made_ = true;
    if (const TClass* tabs_class = GetTabsViewInfoClass()) {
      std::unique_ptr<TObject> instance(tabs_class->CreateInstance(this));
      tabs_view_info_.reset(dynamic_cast<TlxCustomGridDetailsSiteTabsViewInfo*>(instance.release()));
    }
    if (tabs_view_info_ != nullptr)
      tabs_view_info_->Initialize();
  }
  return tabs_view_info_.get();
}

void TlxCustomGridDetailsSiteViewInfo::Notification(TComponent* component, TOperation operation) {
  TlxComponent::Notification(component, operation);
  if (operation == opRemove && component == active_view_)
    active_view_ = nullptr;
}

bool TlxCustomGridDetailsSiteViewInfo::HasActiveGridView() { return ActiveGridView() != nullptr; }

TlxCustomGridView* TlxCustomGridDetailsSiteViewInfo::ActiveGridView() {
  if (!active_view_looked_up_) {
    active_view_looked_up_ = true;
    active_view_ = FindActiveGridView();
    if (active_view_ != nullptr)
      active_view_->FreeNotification(this);
  }
  if (active_view_ != nullptr && active_view_->GetIsDestroying())
    return nullptr;
  return active_view_;
}

int32_t TlxCustomGridDetailsSiteViewInfo::CalculateHeight() {
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo();
  const int32_t frame = GetFrameWidth();
  const int32_t non_client_height = 2 * frame + (tabs != nullptr && !tabs->IsVertical() ? tabs->Height() : 0);
  int32_t height = 0;
  if (TlxCustomGridView* view = ActiveGridView()) {
    fully_visible_ = false;
    // The view measures its height for the room left inside the tabs and
    // the frame; its width is the site's own business (CalculateWidth).
    view->ViewInfo()->GetNaturalHeight(GetMaxHeight() - non_client_height, height, fully_visible_);
  } else {
    fully_visible_ = true;
    height = GetEmptyHeight();
  }
  height += non_client_height;
  if (tabs != nullptr)
    tabs->AdjustSiteHeight(height);
  normal_height_ = std::min(height, GetMaxNormalHeight());
  if (fully_visible_)
    height = std::max(std::min(height, GetMaxHeight()), 0);
  else
    height = GetMaxHeight();
  normal_height_ = std::max(normal_height_, height);
  return height;
}

int32_t TlxCustomGridDetailsSiteViewInfo::CalculateWidth() {
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo();
  const int32_t frame = GetFrameWidth();
  const int32_t non_client_width = 2 * frame + (tabs != nullptr && tabs->IsVertical() ? tabs->Width() : 0);
  int32_t width = GetEmptyWidth();
  if (TlxCustomGridView* view = ActiveGridView()) {
    width = 0;
    view->ViewInfo()->GetNaturalWidth(GetMaxWidth() - non_client_width, width);
  }
  width += non_client_width;
  if (tabs != nullptr)
    tabs->AdjustSiteWidth(width);
  width = std::max(width, GetMinWidth());
  return std::min(width, GetMaxWidth());
}

TColor TlxCustomGridDetailsSiteViewInfo::GetBackgroundColor() {
  TlxCustomGrid* grid = level_ != nullptr ? level_->Control() : nullptr;
  TlxLookAndFeel* look_and_feel = grid != nullptr ? &grid->LookAndFeel() : lxGetRootLookAndFeel();
  return look_and_feel->CurrentPainter()->GetDefaultGridDetailsSiteColor();
}

TRect TlxCustomGridDetailsSiteViewInfo::GetClientBounds() {
  TRect client = bounds_;
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo())
    tabs->AdjustClientBounds(client);
  const int32_t frame = GetFrameWidth();
  client = TRect(client.Left + frame, client.Top + frame, client.Right - frame, client.Bottom - frame);
  return client;
}

TColor TlxCustomGridDetailsSiteViewInfo::GetFrameColor() { return level_->Options().GetEffectiveDetailFrameColor(); }

int32_t TlxCustomGridDetailsSiteViewInfo::GetFrameWidth() { return level_->Options().DetailFrameWidth(); }

int32_t TlxCustomGridDetailsSiteViewInfo::GetMaxNormalHeight() { return std::numeric_limits<int32_t>::max(); }

const TClass* TlxCustomGridDetailsSiteViewInfo::GetPainterClass() const { return &TlxGridDetailsSitePainter::kClass; }

const TClass* TlxCustomGridDetailsSiteViewInfo::GetTabsViewInfoClass() {
  switch (level_->Options().DetailTabsPosition()) {
    case dtpLeft:
      return &TlxGridDetailsSiteLeftTabsViewInfo::kClass;
    case dtpTop:
      return &TlxGridDetailsSiteTopTabsViewInfo::kClass;
    default:
      return nullptr;
  }
}

void TlxCustomGridDetailsSiteViewInfo::GetLevelTabDefaultParams(TlxPaintParams& params) {
  level_->Styles().GetDefaultViewParams(TlxGridLevelStyles::kTab, nullptr, params);
}

void TlxCustomGridDetailsSiteViewInfo::GetLevelTabParams(TlxGridLevel* level, TlxPaintParams& params) {
  level_->Styles().GetTabParams(GetMasterRecord(), level, params);
}

std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> TlxCustomGridDetailsSiteViewInfo::CreateCachedInfo() {
  auto info = std::make_unique<TlxCustomGridDetailsSiteViewInfoCachedInfo>();
  // Asked while the site goes: tabs that were never made are not made now.
  if (tabs_view_info_ != nullptr)
    info->FirstDisplayedTab = tabs_view_info_->GetFirstDisplayedTab();
  return info;
}

void TlxCustomGridDetailsSiteViewInfo::RestoreFromCachedInfo(
    std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> info) {
  if (info == nullptr)
    return;
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo())
    tabs->SetFirstDisplayedTab(info->FirstDisplayedTab);
}

void TlxCustomGridDetailsSiteViewInfo::ChangeTabsAcceleratorMode(bool on) {
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo())
    tabs->SetAcceleratorMode(on);
}

void TlxCustomGridDetailsSiteViewInfo::Calculate(int32_t left, int32_t top) {
  const int32_t width = GetWidth();
  const int32_t height = GetHeight();
  bounds_ = TRect(left, top, left + width, top + height);
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo())
    tabs->Calculate(bounds_);
  if (TlxCustomGridView* view = ActiveGridView())
    view->ViewInfo()->MainCalculate(GetClientBounds());
}

TlxCustomGridHitTest* TlxCustomGridDetailsSiteViewInfo::GetHitTest(const TPoint& point) {
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo())
    if (TlxCustomGridHitTest* hit_test = tabs->GetHitTest(point))
      return hit_test;
  TlxCustomGridView* view = ActiveGridView();
  if (view == nullptr || view->Site() == nullptr)
    return nullptr;
  const TRect site = view->Site()->BoundsRect();
  return view->ViewInfo()->GetHitTest(TPoint(point.X - site.Left, point.Y - site.Top));
}

bool TlxCustomGridDetailsSiteViewInfo::IsTabVisible(TlxGridLevel* level) {
  return level_->Options().TabsForEmptyDetails() || HasLevelDetails(level);
}

void TlxCustomGridDetailsSiteViewInfo::VisibilityChanged(bool visible) {
  if (TlxCustomGridView* view = ActiveGridView())
    view->ViewInfo()->UpdateSiteVisibility(visible);
}

bool TlxCustomGridDetailsSiteViewInfo::ProcessDialogChar(char16_t character) {
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = TabsViewInfo();
  return tabs != nullptr && tabs->ProcessDialogChar(character);
}

void TlxCustomGridDetailsSiteViewInfo::Paint(TlxCanvas& canvas) { TlxGridDetailsSitePainter(canvas, *this).Paint(); }

// --- TlxGridLevelTabControl ----------------------------------------------------------

namespace {

// The level tabs draw through the shipped tab painters, registered once for
// the process by the first tab control of a grid.
TComponent* StartTabPainters() {
  static const bool registered = (lxPCRegisterShippedPainters(), true);
  (void)registered;
  return nullptr;
}

}  // namespace

TlxGridLevelTabControl::TlxGridLevelTabControl(TlxCustomGridDetailsSiteViewInfo* site)
    : TlxTabControl(StartTabPainters()), site_(site) {
  SetFocusable(false);
  SetTabsContainerMode(true);
  SetOptions(Options() | lxPCOptionBit(pcoFixedTabWidthWhenRotated));
  ControlStyle().Exclude(csParentBackground);
  OnDrawTabEx = [this](TlxCustomTabControl*, TlxTab* tab, TFont& font) { ApplyTabFont(tab, font); };
}

TlxGridLevel* TlxGridLevelTabControl::LevelOfTab(int32_t index) const {
  return static_cast<TlxGridLevel*>(Tabs().GetTab(index)->Object());
}

TlxGridLevel* TlxGridLevelTabControl::SelectedLevel() const {
  return TabIndex() == -1 ? nullptr : LevelOfTab(TabIndex());
}

void TlxGridLevelTabControl::SelectLevel(TlxGridLevel* level) {
  for (int32_t i = 0; i < Tabs().Count(); ++i) {
    if (LevelOfTab(i) == level) {
      SetTabIndex(i);
      return;
    }
  }
  SetTabIndex(Tabs().Count() > 0 ? 0 : -1);
}

void TlxGridLevelTabControl::AddLevel(TlxGridLevel* level) {
  const int32_t index = Tabs().AddObject(LevelDisplayText(level), level);
  Tabs().GetTab(index)->SetImageIndex(level->ImageIndex());
  level->FreeNotification(this);
}

std::string TlxGridLevelTabControl::LevelDisplayText(const TlxGridLevel* level) const {
  const std::string& caption = level->Caption();
  if (!lxGridShowAccelerators())
    return DoubleAmpersands(caption);
  if (!accelerator_mode_)
    return DoubleAmpersands(lxPCStripAccelerators(caption));
  return caption;
}

void TlxGridLevelTabControl::SetAcceleratorMode(bool value) {
  if (accelerator_mode_ == value)
    return;
  accelerator_mode_ = value;
  for (int32_t i = 0; i < Tabs().Count(); ++i)
    Tabs().GetTab(i)->SetCaption(LevelDisplayText(LevelOfTab(i)));
}

bool TlxGridLevelTabControl::SelectTabByAccel(char16_t character) {
  for (int32_t i = 0; i < Tabs().Count(); ++i) {
    if (!CaptionHasAccelerator(Tabs().GetTab(i)->Caption(), character) || !CanSelectTab(i))
      continue;
    TlxCustomGridView* view = site_ != nullptr ? site_->ActiveGridView() : nullptr;
    TStateScope focusing(focus_on_change_, view != nullptr && view->IsFocused());
    SetTabIndex(i);
    return true;
  }
  return false;
}

void TlxGridLevelTabControl::CMDialogChar(TMessage& /*message*/) {
  // The site chooses tabs by accelerator itself (ProcessDialogChar).
}

void TlxGridLevelTabControl::CMDrag(TMessage& message) {
  // The grid decides about drags over its level tabs.
  if (Parent() != nullptr)
    message.Result = Parent()->Perform(CM_DRAG, message.WParam, message.LParam);
}

void TlxGridLevelTabControl::PassMouseToParent(UINT message, TShiftState shift, int32_t x, int32_t y) {
  if (Parent() == nullptr)
    return;
  WPARAM keys = 0;
  keys |= shift.Contains(ssShift) ? MK_SHIFT : 0;
  keys |= shift.Contains(ssCtrl) ? MK_CONTROL : 0;
  keys |= shift.Contains(ssLeft) ? MK_LBUTTON : 0;
  keys |= shift.Contains(ssRight) ? MK_RBUTTON : 0;
  keys |= shift.Contains(ssMiddle) ? MK_MBUTTON : 0;
  const int32_t parent_x = x + Left();
  const int32_t parent_y = y + Top();
  Parent()->Perform(message, keys, MAKELPARAM(static_cast<int16_t>(parent_x), static_cast<int16_t>(parent_y)));
}

namespace {

UINT MouseMessage(TMouseButton button, bool down, bool double_click) {
  switch (button) {
    case mbRight:
      return double_click ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case mbMiddle:
      return double_click ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
      return double_click ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

}  // namespace

void TlxGridLevelTabControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxTabControl::MouseDown(button, shift, x, y);
  if (alive.Alive())
    PassMouseToParent(MouseMessage(button, true, shift.Contains(ssDouble)), shift, x, y);
}

void TlxGridLevelTabControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxTabControl::MouseMove(shift, x, y);
  if (alive.Alive())
    PassMouseToParent(WM_MOUSEMOVE, shift, x, y);
}

void TlxGridLevelTabControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxTabControl::MouseUp(button, shift, x, y);
  if (alive.Alive())
    PassMouseToParent(MouseMessage(button, false, false), shift, x, y);
}

void TlxGridLevelTabControl::DoChange() {
  TlxTabControl::DoChange();
  if (site_ != nullptr)
    site_->LevelTabChanged(SelectedLevel(), focus_on_change_);
}

void TlxGridLevelTabControl::Notification(TComponent* component, TOperation operation) {
  TlxTabControl::Notification(component, operation);
  if (operation != opRemove)
    return;
  for (int32_t i = Tabs().Count() - 1; i >= 0; --i)
    if (LevelOfTab(i) == component)
      Tabs().Delete(i);
}

TlxCustomGridHitTest* TlxGridLevelTabControl::GetHitTest(const TPoint& point) {
  const int32_t visible_index = GetVisibleTabIndexAt(point.X, point.Y);
  if (visible_index == -1)
    return nullptr;
  auto* hit_test = lxGridGetHitTest<TlxGridDetailsSiteTabHitTest>(point);
  hit_test->SetViewInfo(nullptr);
  hit_test->Level = static_cast<TlxGridLevel*>(Tabs().GetVisibleTab(visible_index)->Object());
  if (site_ != nullptr)
    site_->InitTabHitTest(hit_test);
  return hit_test;
}

void TlxGridLevelTabControl::ApplyTabFont(TlxTab* tab, TFont& font) {
  TlxGridLevel* level = static_cast<TlxGridLevel*>(tab->Object());
  if (level == nullptr || site_ == nullptr || !LookAndFeel().SkinName().empty())
    return;
  TlxPaintParams params;
  site_->GetLevelTabParams(level, params);
  if (params.Font != nullptr)
    font.Assign(params.Font);
  if (params.TextColor != clDefault)
    font.SetColor(params.TextColor);
}

// --- TlxCustomGridDetailsSiteTabsViewInfo --------------------------------------------

TlxCustomGridDetailsSiteTabsViewInfo::TlxCustomGridDetailsSiteTabsViewInfo(TlxCustomGridDetailsSiteViewInfo* site)
    : site_(site), tab_control_(std::make_unique<TlxGridLevelTabControl>(site)) {}

TlxCustomGridDetailsSiteTabsViewInfo::~TlxCustomGridDetailsSiteTabsViewInfo() {
  tab_control_->SetParent(nullptr);
  tab_control_.reset();
}

void TlxCustomGridDetailsSiteTabsViewInfo::Initialize() {
  RefreshAcceleratorMode();
  // Filling the tabs is no choice of the user's: the site hears nothing.
  tab_control_->LockChangeEvents(true);
  TScopeExit unlock([this] { tab_control_->LockChangeEvents(false); });
  AddLevelTabs();
  SetRotationAndPosition();
  ApplyOptions();
}

TColor TlxCustomGridDetailsSiteTabsViewInfo::GetTabsBackgroundColor() {
  TlxPaintParams params;
  site_->Level()->Styles().GetViewParams(TlxGridLevelStyles::kTabsBackground, nullptr, nullptr, params);
  return params.Color;
}

int32_t TlxCustomGridDetailsSiteTabsViewInfo::GetFirstDisplayedTab() const { return tab_control_->FirstDisplayedTab(); }

void TlxCustomGridDetailsSiteTabsViewInfo::SetFirstDisplayedTab(int32_t value) {
  const int32_t current = tab_control_->FirstDisplayedTab();
  if (value >= 0 && current >= 0 && value != current)
    tab_control_->ScrollBy(value - current);
}

const TClass* TlxCustomGridDetailsSiteTabsViewInfo::GetPainterClass() const {
  return &TlxGridDetailsSiteTabsPainter::kClass;
}

void TlxCustomGridDetailsSiteTabsViewInfo::AddLevelTabs() {
  TlxGridLevel* level = site_->Level();
  TlxGridLevel* active = site_->GetActiveLevel();
  for (int32_t i = 0; i < level->VisibleCount(); ++i) {
    TlxGridLevel* child = level->VisibleItems(i);
    if (child == active || site_->IsTabVisible(child))
      tab_control_->AddLevel(child);
  }
  tab_control_->SelectLevel(active);
}

void TlxCustomGridDetailsSiteTabsViewInfo::SetAcceleratorMode(bool on) { tab_control_->SetAcceleratorMode(on); }

void TlxCustomGridDetailsSiteTabsViewInfo::RefreshAcceleratorMode() {
  SetAcceleratorMode(site_->ShowsTabAccelerators());
}

void TlxCustomGridDetailsSiteTabsViewInfo::SetRotationAndPosition() {
  tab_control_->SetRotate(GetRotate());
  tab_control_->SetTabPosition(GetTabPosition());
}

void TlxCustomGridDetailsSiteTabsViewInfo::ApplyOptions() {
  const TColor background = GetTabsBackgroundColor();
  if (background != clDefault)
    tab_control_->SetColor(background);
  TlxCustomGrid* grid = site_->Level()->Control();
  if (grid != nullptr) {
    const TlxGridLevelTabs& level_tabs = grid->LevelTabs();
    tab_control_->SetImageBorder(level_tabs.ImageBorder());
    tab_control_->SetImages(level_tabs.Images());
    tab_control_->SetTabCaptionAlignment(level_tabs.CaptionAlignment());
    tab_control_->SetStyle(level_tabs.Style());
    tab_control_->SetTabSlantKind(level_tabs.Slants().Kind);
    tab_control_->SetTabSlantPositions(level_tabs.Slants().Positions);
    tab_control_->LookAndFeel().SetMaster(&grid->LookAndFeel());
  }
  ApplyTabColors();
}

void TlxCustomGridDetailsSiteTabsViewInfo::ApplyTabColors() {
  TlxPaintParams default_params;
  site_->GetLevelTabDefaultParams(default_params);
  for (int32_t i = 0; i < tab_control_->Tabs().Count(); ++i) {
    TlxPaintParams params;
    site_->GetLevelTabParams(tab_control_->LevelOfTab(i), params);
    if (params.Color != default_params.Color)
      tab_control_->Tabs().GetTab(i)->SetColor(static_cast<uint32_t>(params.Color));
  }
}

void TlxCustomGridDetailsSiteTabsViewInfo::SizeTabControlFor(int32_t width, int32_t height) {
  if (tab_control_->Width() != width || tab_control_->Height() != height)
    tab_control_->SetBounds(tab_control_->Left(), tab_control_->Top(), width, height);
}

int32_t TlxCustomGridDetailsSiteTabsViewInfo::Height() {
  if (height_ == 0)
    height_ = CalculateHeight();
  return height_;
}

int32_t TlxCustomGridDetailsSiteTabsViewInfo::Width() {
  if (width_ == 0)
    width_ = CalculateWidth();
  return width_;
}

void TlxCustomGridDetailsSiteTabsViewInfo::Calculate(const TRect& bounds) {
  bounds_ = bounds;
  AdjustBounds(bounds_);
  tab_control_->SetBoundsRect(bounds_);
  tab_control_->SetParent(site_->GetContainer());
}

TlxCustomGridHitTest* TlxCustomGridDetailsSiteTabsViewInfo::GetHitTest(const TPoint& point) {
  if (!bounds_.Contains(point))
    return nullptr;
  return tab_control_->GetHitTest(TPoint(point.X - bounds_.Left, point.Y - bounds_.Top));
}

bool TlxCustomGridDetailsSiteTabsViewInfo::ProcessDialogChar(char16_t character) {
  return tab_control_->SelectTabByAccel(character);
}

// Left tabs: the rows run down the left edge; the site is as tall as all
// of them need and the page area starts where they end.
int32_t TlxGridDetailsSiteLeftTabsViewInfo::CalculateHeight() {
  SizeTabControlFor(std::max(TabControl()->Width(), 1), std::max(Site()->GetMaxHeight(), 1));
  return TabControl()->CalculateLengthToFitAllTabs();
}

int32_t TlxGridDetailsSiteLeftTabsViewInfo::CalculateWidth() {
  SizeTabControlFor(std::max(Site()->GetMaxWidth(), 1), std::max(Height(), 1));
  return TabControl()->PageAreaRect().Left;
}

int32_t TlxGridDetailsSiteTopTabsViewInfo::CalculateHeight() {
  SizeTabControlFor(std::max(Width(), 1), std::max(Site()->GetMaxHeight(), 1));
  return TabControl()->PageAreaRect().Top;
}

int32_t TlxGridDetailsSiteTopTabsViewInfo::CalculateWidth() {
  SizeTabControlFor(std::max(Site()->GetMaxWidth(), 1), std::max(TabControl()->Height(), 1));
  return TabControl()->CalculateLengthToFitAllTabs();
}

// --- painters ---------------------------------------------------------------------------

void TlxGridDetailsSitePainter::Paint() {
  const TRect client = site_.GetClientBounds();
  const int32_t frame = site_.GetFrameWidth();
  if (frame > 0) {
    const TRect framed(client.Left - frame, client.Top - frame, client.Right + frame, client.Bottom + frame);
    canvas_.FrameRectSides(framed, site_.GetFrameColor(), frame,
                           lxFrameSideLeft | lxFrameSideRight | lxFrameSideTop | lxFrameSideBottom);
  }
  if (TlxCustomGridDetailsSiteTabsViewInfo* tabs = site_.TabsViewInfo())
    TlxGridDetailsSiteTabsPainter(canvas_, *tabs).Paint();
  canvas_.FillRectColor(client, site_.GetBackgroundColor());
}

void TlxGridDetailsSiteTabsPainter::Paint() {
  canvas_.PushClipRegion();
  canvas_.IntersectClip(tabs_.Bounds());
  tabs_.TabControl()->Update();
  canvas_.PopClipRegion();
}

// --- TlxGridTopDetailsSiteViewInfo ----------------------------------------------------

TlxGridTopDetailsSiteViewInfo::TlxGridTopDetailsSiteViewInfo(TlxCustomGrid* grid)
    : TlxCustomGridDetailsSiteViewInfo(grid->RootLevel()), grid_(grid) {}

TWinControl* TlxGridTopDetailsSiteViewInfo::GetContainer() { return grid_; }

int32_t TlxGridTopDetailsSiteViewInfo::GetMaxHeight() { return grid_->GetClientBounds().Height(); }

int32_t TlxGridTopDetailsSiteViewInfo::GetMaxWidth() { return grid_->GetClientBounds().Width(); }

TlxCustomGridView* TlxGridTopDetailsSiteViewInfo::FindActiveGridView() { return grid_->ActiveView(); }

TlxGridLevel* TlxGridTopDetailsSiteViewInfo::GetActiveLevel() { return grid_->ActiveLevel(); }

void TlxGridTopDetailsSiteViewInfo::InitTabHitTest(TlxGridDetailsSiteTabHitTest* hit_test) { hit_test->Owner = grid_; }

void TlxGridTopDetailsSiteViewInfo::LevelTabChanged(TlxGridLevel* level, bool focus_view) {
  grid_->SetActiveLevel(level);
  if (focus_view && grid_->ActiveView() != nullptr)
    grid_->ActiveView()->SetFocused(true);
}

bool TlxGridTopDetailsSiteViewInfo::HasLevelDetails(TlxGridLevel* level) { return level->GridView() != nullptr; }
