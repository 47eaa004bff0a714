#include "tabs/tab_control_win.h"

#include <algorithm>

#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/messages.h"
#include "tabs/pc_go_dialog_win.h"
#include "tabs/pc_image_list_win.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

constexpr uint32_t kArrowFirstDelay = 300;
constexpr uint32_t kArrowRepeatDelay = 150;

// Whether `caption` marks `character` as its accelerator.
bool HasAccelerator(const std::string& caption, char16_t character) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const char16_t marked = static_cast<char16_t>(static_cast<unsigned char>(caption[i + 1]));
    return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(marked))) ==
           CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(character)));
  }
  return false;
}

}  // namespace

TlxCustomTabControl::TlxCustomTabControl(TComponent* owner) : TlxControl(owner) {
  SetBounds(Left(), Top(), 289, 193);
  ControlStyle() = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks,
                                 csParentBackground};
  SetTabStop(true);
  // Tabs and their page take the colour of what they sit on.
  SetParentColor(true);
  SetControlSize(289, 193);
  image_list_ = std::make_unique<TlxPCImageList>(this);
  image_list_->OnChange = [this] { ImagesChanged(); };
  image_list_->IsNativeLook = [this] { return painter_ != nullptr && painter_->UsesNativeLook(); };
  ApplyStyle(0);
  if (!IsDesignTime()) {
    go_dialog_ = new TlxPCGoDialog(this);
    go_dialog_->OnItemChosen = [this](int32_t tab_index) { GoDialogClosed(tab_index); };
  }
}

TlxCustomTabControl::~TlxCustomTabControl() {
  StopArrowTimer();
  image_list_->OnChange = nullptr;
  image_list_->SetBaseImages(nullptr);
  // The tabs call back into the control while they go: before the window.
  DestroyTabs();
  SetLayoutPainter(nullptr);
}

void TlxCustomTabControl::PrepareTabFont(TlxTab& tab, TlxCanvas& canvas, TColor color) {
  canvas.AssignFont(Font());
  canvas.Font().SetColor(color);
  if (OnDrawTabEx)
    OnDrawTabEx(this, &tab, canvas.Font());
}

TCustomImageList* TlxCustomTabControl::Images() const { return image_list_->BaseImages(); }

void TlxCustomTabControl::SetImages(TCustomImageList* images) { image_list_->SetBaseImages(images); }

void TlxCustomTabControl::ImagesChanged() {
  if (IsDestroying())
    return;
  RecalculateLayout();
}

int32_t TlxCustomTabControl::ImagesCount() const { return image_list_->Count(); }

TSize TlxCustomTabControl::ImagesSize() const { return image_list_->GetImageSize(); }

void TlxCustomTabControl::ImagesRotationChanged() {
  if (image_list_->Count() == 0)
    return;
  const bool horizontal = !IsTabTextVertical() || (painter_ != nullptr && painter_->UsesNativeLook());
  const int32_t rotation = horizontal ? 0 : CaptionDirection();
  if (rotation == image_list_->ImageRotationAngle())
    return;
  // The running layout measured the images unturned: lay out once more
  // when it ends.
  auto on_change = std::move(image_list_->OnChange);
  image_list_->SetImageRotationAngle(rotation);
  image_list_->OnChange = std::move(on_change);
  relayout_for_rotation_ = true;
}

void TlxCustomTabControl::RecalculateLayout() {
  TlxTabControlModel::RecalculateLayout();
  if (!relayout_for_rotation_ || IsLayoutRunning())
    return;
  relayout_for_rotation_ = false;
  TlxTabControlModel::RecalculateLayout();
}

void TlxCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TlxControl::Notification(component, operation);
  if (operation == opRemove && component == Images())
    SetImages(nullptr);
}

bool TlxCustomTabControl::IsDestroying() const {
  return TlxTabControlModel::IsDestroying() || ComponentState().Contains(csDestroying);
}

bool TlxCustomTabControl::CanFocus() const { return focusable_ && TlxControl::CanFocus(); }

void TlxCustomTabControl::SetFocusable(bool value) {
  if (value == focusable_)
    return;
  focusable_ = value;
  SetTabStop(value);
}

TlxPCLookAndFeelInfo TlxCustomTabControl::LookAndFeelInfo() {
  TlxPCLookAndFeelInfo info;
  TlxLookAndFeel& look_and_feel = LookAndFeel();
  info.NativeStyle = look_and_feel.NativeStyle();
  info.TabPainterStyle = look_and_feel.PainterForTypes(lxThemedObjectTypes({totTab}))->GetLookAndFeelStyle();
  return info;
}

void TlxCustomTabControl::SetStyle(int32_t value) {
  if (value == 0) {
    style_ = 0;
    ApplyStyle(0);
    return;
  }
  if (value == style_)
    return;
  TlxPCPaintersFactory* factory = lxPCPaintersFactoryInstance();
  if (factory == nullptr || factory->FindPainterClass(value) == nullptr)
    return;
  ApplyStyle(value);
  style_ = value;
}

void TlxCustomTabControl::ApplyStyle(int32_t style_id) {
  TlxPCPaintersFactory* factory = lxPCPaintersFactoryInstance();
  if (factory == nullptr)
    return;
  if (style_id == 0) {
    const TlxPCLookAndFeelInfo info = LookAndFeelInfo();
    style_id = factory->GetStyleIDForLookAndFeel(info);
    if (style_id == -1)
      style_id = factory->GetDefaultStyleID(info);
  }
  const TlxPCPainterClass painter_class = factory->FindPainterClass(style_id);
  if (painter_class == nullptr || (painter_ != nullptr && painter_->PainterClass() == painter_class))
    return;
  std::unique_ptr<IlxPCLayoutPainter> created = factory->GetPainterInstance(painter_class, *this);
  SetLayoutPainter(nullptr);
  painter_.reset(static_cast<TlxPCCustomPainter*>(created.release()));
  SetLayoutPainter(painter_.get());
  if (Rotate() && !painter_class->CanRotateTabs())
    SetRotate(false);
  Tabs().FreeVerticalCaptionBitmaps();
  RecalculateLayout();
  InvalidateWithChildren();
}

void TlxCustomTabControl::LookAndFeelChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues /*changed_values*/) {
  if (style_ == 0)
    ApplyStyle(0);
  RecalculateLayout();
  InvalidateWithChildren();
}

void TlxCustomTabControl::RealignChildren() {
  if (HandleAllocated())
    Realign();
}

void TlxCustomTabControl::RepaintControl() { Invalidate(); }

void TlxCustomTabControl::AdjustClientRect(TRect& rect) {
  if (IsLoading() || !HasPainter()) {
    rect = Bounds(0, 0, Width(), Height());
    if (IsLoading() && stored_client_rect_loaded_)
      rect = lxPCClampStoredClientRect(stored_client_rect_, {Width(), Height()});
    return;
  }
  rect = PageAreaRect();
}

void TlxCustomTabControl::DefineProperties(TFiler& filer) {
  TlxControl::DefineProperties(filer);
  const auto* ancestor = dynamic_cast<const TlxCustomTabControl*>(filer.Ancestor());
  const TRect area = HasPainter() ? PageAreaRect() : Bounds(0, 0, Width(), Height());
  struct TSide {
    const char* Name;
    int32_t TRect::*Field;
    bool AlwaysStored;
  };
  static constexpr TSide kSides[] = {{"ClientRectLeft", &TRect::Left, false},
                                     {"ClientRectTop", &TRect::Top, true},
                                     {"ClientRectRight", &TRect::Right, true},
                                     {"ClientRectBottom", &TRect::Bottom, false}};
  for (const TSide& side : kSides) {
    const int32_t value = area.*side.Field;
    bool has_data = side.AlwaysStored || value != 0;
    if (ancestor != nullptr) {
      const TRect ancestor_area =
          ancestor->HasPainter() ? const_cast<TlxCustomTabControl*>(ancestor)->PageAreaRect() : TRect();
      has_data = value != ancestor_area.*side.Field;
    }
    const bool marks_loaded = side.Field == &TRect::Top;
    filer.DefineProperty(
        side.Name,
        [this, field = side.Field, marks_loaded](TReader& reader) {
          stored_client_rect_.*field = lxPCClampStoredInteger(reader.ReadInteger());
          if (marks_loaded)
            stored_client_rect_loaded_ = true;
        },
        [value](TWriter& writer) { writer.WriteInteger(value); }, has_data);
  }
}

void TlxCustomTabControl::ChangeScale(int32_t multiplier, int32_t divider) {
  TlxControl::ChangeScale(multiplier, divider);
  if (divider == 0)
    return;
  auto scale = [&](int32_t value) {
    return lxPCClampStoredInteger(static_cast<int64_t>(value) * multiplier / divider);
  };
  stored_client_rect_ = {scale(stored_client_rect_.Left), scale(stored_client_rect_.Top),
                         scale(stored_client_rect_.Right), scale(stored_client_rect_.Bottom)};
}

void TlxCustomTabControl::CreateWnd() {
  TlxControl::CreateWnd();
  RecalculateLayout();
  RealignChildren();
}

void TlxCustomTabControl::Resize() {
  TlxControl::Resize();
  RecalculateLayout();
}

void TlxCustomTabControl::Loaded() {
  TlxControl::Loaded();
  RecalculateLayout();
  const int32_t stored = TabIndex();
  if (stored == -1)
    return;
  StoreTabIndex(-1);
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  SetTabIndex(stored);
}

void TlxCustomTabControl::Paint() {
  if (painter_ == nullptr)
    return;
  TlxCanvas& canvas = Canvas();
  canvas.PushClipRegion();
  TScopeExit restore([&] { canvas.PopClipRegion(); });
  painter_->Paint(canvas);
}

void TlxCustomTabControl::CMFontChanged(TMessage& message) {
  TlxControl::CMFontChanged(message);
  RecalculateLayout();
}

void TlxCustomTabControl::CMEnabledChanged(TMessage& message) {
  TlxControl::CMEnabledChanged(message);
  Invalidate();
}

void TlxCustomTabControl::FocusChanged() {
  TlxControl::FocusChanged();
  const int32_t main = MainVisibleIndex();
  if (main != -1 && Tabs().GetVisibleTab(main)->IsDisplayed())
    Tabs().Changed(main, tckFocus);
}

// ---- Mouse ----------------------------------------------------------------

void TlxCustomTabControl::PressButton(TlxPCNavigatorButton button) {
  const TlxPCNavigatorButtonState old = NavigatorButtonState(button);
  SetPressedButton(button);
  SetNavigatorButtonState(button, nbsPressed);
  (void)old;
  if (button != nbTopLeft && button != nbBottomRight)
    return;
  TAliveToken alive = AliveToken();
  ScrollByButton(button);
  if (!alive.Alive() || PressedButton() != button)
    return;
  if (arrow_timer_ == nullptr) {
    arrow_timer_ = std::make_unique<TlxTimer>(nullptr);
    arrow_timer_->SetOnTimer([this](TObject*) { ArrowTimerTick(); });
  }
  arrow_timer_->SetEnabled(false);
  arrow_timer_->SetInterval(kArrowFirstDelay);
  arrow_timer_->SetEnabled(true);
}

void TlxCustomTabControl::ArrowTimerTick() {
  if (arrow_timer_ == nullptr)
    return;
  arrow_timer_->SetInterval(kArrowRepeatDelay);
  const int32_t pressed = PressedButton();
  if (pressed == nbTopLeft || pressed == nbBottomRight)
    ScrollByButton(static_cast<TlxPCNavigatorButton>(pressed));
  if (PressedButton() == -1)
    StopArrowTimer();
}

void TlxCustomTabControl::StopArrowTimer() {
  if (arrow_timer_ != nullptr)
    arrow_timer_->SetEnabled(false);
}

void TlxCustomTabControl::ReleasePressedButton() {
  const int32_t pressed = PressedButton();
  if (pressed == -1)
    return;
  StopArrowTimer();
  SetPressedButton(-1);
  if (NavigatorButtonState(static_cast<TlxPCNavigatorButton>(pressed)) == nbsPressed)
    SetNavigatorButtonState(static_cast<TlxPCNavigatorButton>(pressed), nbsNormal);
}

void TlxCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxControl::MouseDown(button, shift, x, y);
  if (!alive.Alive() || painter_ == nullptr || HideTabs())
    return;
  if (!IsDesignTime() && button != mbLeft)
    return;
  RefreshHotTrackAt({x, y}, true);
  TlxPCNavigatorButton navigator = nbTopLeft;
  if (painter_->GetButtonAt(x, y, navigator)) {
    const TlxPCNavigatorButtonState state = NavigatorButtonState(navigator);
    if (state == nbsPressed || state == nbsDisabled)
      return;
    PressButton(navigator);
    return;
  }
  const int32_t visible_index = GetVisibleTabIndexAt(x, y);
  if (visible_index == -1)
    return;
  TlxTab* tab = Tabs().GetVisibleTab(visible_index);
  if (!IsDesignTime() && !tab->IsEnabledForUse())
    return;
  if (painter_->IsTabButtonLike() && !IsDesignTime()) {
    SetPressedVisibleIndex(visible_index);
    Tabs().Changed(visible_index, tckPressed);
    return;
  }
  SelectVisibleTab(visible_index, shift.Contains(ssCtrl));
}

void TlxCustomTabControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  if (painter_ == nullptr || HideTabs() || go_dialog_showing_)
    return;
  const int32_t pressed = PressedButton();
  if (pressed != -1) {
    TlxPCNavigatorButton under = nbTopLeft;
    if (!painter_->GetButtonAt(x, y, under) || under != pressed)
      ReleasePressedButton();
  }
  const int32_t pressed_tab = PressedVisibleIndex();
  if (pressed_tab != -1 && GetVisibleTabIndexAt(x, y) != pressed_tab) {
    SetPressedVisibleIndex(-1);
    Tabs().Changed(pressed_tab, tckPressed);
  }
  RefreshHotTrackAt({x, y}, shift.Contains(ssLeft));
}

void TlxCustomTabControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxControl::MouseUp(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft || painter_ == nullptr || HideTabs() || go_dialog_showing_)
    return;
  TlxPCNavigatorButton navigator = nbTopLeft;
  if (painter_->GetButtonAt(x, y, navigator)) {
    StopArrowTimer();
    if (NavigatorButtonState(navigator) == nbsDisabled)
      return;
    const bool was_pressed = PressedButton() == navigator;
    if (!IsDesignTime() && navigator == nbGoDialog && was_pressed) {
      // The button is reset when the menu closes.
      go_dialog_showing_ = true;
      ShowGoDialog();
      return;
    }
    const bool close_click = !IsDesignTime() && navigator == nbClose && was_pressed;
    if (was_pressed)
      SetPressedButton(-1);
    SetNavigatorButtonState(navigator, nbsNormal);
    RefreshHotTrackAt({x, y}, false);
    if (close_click && DoCanClose() && alive.Alive())
      CloseActiveTab();
    return;
  }
  const int32_t visible_index = GetVisibleTabIndexAt(x, y);
  if (visible_index != -1 && painter_->IsTabButtonLike() && !IsDesignTime() &&
      visible_index == PressedVisibleIndex() && Tabs().GetVisibleTab(visible_index)->IsEnabledForUse()) {
    SetPressedVisibleIndex(-1);
    Tabs().Changed(visible_index, tckPressed);
    SelectVisibleTab(visible_index, shift.Contains(ssCtrl));
    if (!alive.Alive())
      return;
  }
  RefreshHotTrackAt({x, y}, false);
}

void TlxCustomTabControl::DoMouseLeave(TControl* control) {
  TlxControl::DoMouseLeave(control);
  RefreshHotTrackAt({-1000000, -1000000}, false);
}

bool TlxCustomTabControl::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  const int32_t first = FirstDisplayedTab();
  if (!MultiLine() && first != -1 && first < VisibleTabs().Count()) {
    const TPoint client = ScreenToClient(mouse_pos);
    const TRect tab = Tabs().GetVisibleTab(first)->DisplayRect();
    const bool across = lxPCIsRowAxisX(TabPosition()) ? client.Y >= tab.Top && client.Y < tab.Bottom
                                                      : client.X >= tab.Left && client.X < tab.Right;
    if (across) {
      ScrollBy(wheel_delta < 0 ? 1 : -1);
      return true;
    }
  }
  return TlxControl::DoMouseWheel(shift, wheel_delta, mouse_pos);
}

void TlxCustomTabControl::RefreshHotTrack() {
  if (!HandleAllocated())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  RefreshHotTrackAt({cursor.x, cursor.y}, (GetKeyState(VK_LBUTTON) & 0x8000) != 0);
}

void TlxCustomTabControl::RefreshHotTrackAt(TPoint point, bool left_button_down) {
  if (IsDesignTime() || IsLoading() || IsDestroying() || !HandleAllocated() || painter_ == nullptr)
    return;
  const bool tracking = (HotTrack() || painter_->IsHotTrackIntrinsic()) && Enabled();
  int32_t hot_button = -1;
  int32_t hot_tab = -1;
  if (tracking) {
    TlxPCNavigatorButton button = nbTopLeft;
    if (!left_button_down && painter_->GetButtonAt(point.X, point.Y, button) &&
        NavigatorButtonState(button) != nbsPressed && NavigatorButtonState(button) != nbsDisabled) {
      hot_button = button;
    } else if (!(left_button_down && painter_->IsTabButtonLike())) {
      hot_tab = GetVisibleTabIndexAt(point.X, point.Y);
      if (hot_tab != -1 && !Tabs().GetVisibleTab(hot_tab)->Enabled())
        hot_tab = -1;
    }
  }
  if (hot_button != HotButton()) {
    const int32_t old = HotButton();
    SetHotButton(hot_button);
    if (old != -1 && NavigatorButtonState(static_cast<TlxPCNavigatorButton>(old)) == nbsHot)
      SetNavigatorButtonState(static_cast<TlxPCNavigatorButton>(old), nbsNormal);
    if (hot_button != -1)
      SetNavigatorButtonState(static_cast<TlxPCNavigatorButton>(hot_button), nbsHot);
  }
  Tabs().SetHotTab(hot_tab);
}

// ---- Keyboard -------------------------------------------------------------

TlxPCKeyShift TlxCustomTabControl::KeyShift(TShiftState shift) const {
  return {shift.Contains(ssShift), shift.Contains(ssCtrl), shift.Contains(ssAlt)};
}

void TlxCustomTabControl::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  if (key != 0 && ProcessNavigationKey(key, KeyShift(shift)))
    key = 0;
}

void TlxCustomTabControl::WMGetDlgCode(TMessage& message) {
  TlxControl::WMGetDlgCode(message);
  message.Result |= DLGC_WANTARROWS;
}

void TlxCustomTabControl::CMDialogKey(TMessage& message) {
  const bool focused = HandleAllocated() && (Focused() || IsChild(Handle(), GetFocus()));
  const uint16_t key = static_cast<uint16_t>(message.WParam);
  if (focused && (key == VK_TAB || key == VK_HOME || key == VK_END)) {
    TShiftState shift;
    shift.Set(ssShift, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    shift.Set(ssCtrl, (GetKeyState(VK_CONTROL) & 0x8000) != 0);
    shift.Set(ssAlt, (GetKeyState(VK_MENU) & 0x8000) != 0);
    if (shift.Contains(ssCtrl) && ProcessNavigationKey(key, KeyShift(shift))) {
      message.Result = 1;
      return;
    }
  }
  TlxControl::CMDialogKey(message);
}

bool TlxCustomTabControl::SelectTabByAccel(char16_t character) {
  for (int32_t i = 0; i < Tabs().Count(); ++i) {
    TlxTab* tab = Tabs().GetTab(i);
    if (HasAccelerator(tab->Caption(), character) && CanSelectTab(i) && CanFocus()) {
      SetTabIndex(i);
      return true;
    }
  }
  return false;
}

void TlxCustomTabControl::CMDialogChar(TMessage& message) {
  if (SelectTabByAccel(static_cast<char16_t>(message.WParam))) {
    message.Result = 1;
    return;
  }
  TlxControl::CMDialogChar(message);
}

// ---- Go dialog ------------------------------------------------------------

void TlxCustomTabControl::ShowGoDialog() {
  TAliveToken alive = AliveToken();
  if (go_dialog_ != nullptr && painter_ != nullptr) {
    go_dialog_->BuildItems(*this, lxPCHasOption(Options(), pcoSort));
    const TRect button = painter_->GetGoDialogButtonBounds();
    const TPoint at = ClientToScreen(TPoint(button.Left, button.Bottom));
    go_dialog_->Popup(at.X, at.Y);
  }
  if (alive.Alive())
    GoDialogClosed(-1);
}

void TlxCustomTabControl::GoDialogClosed(int32_t tab_index) {
  go_dialog_showing_ = false;
  SetPressedButton(-1);
  if (NavigatorButtonState(nbGoDialog) == nbsPressed)
    SetNavigatorButtonState(nbGoDialog, nbsNormal);
  if (tab_index != -1)
    SetTabIndex(tab_index);
  RefreshHotTrack();
}

// ---- Closing --------------------------------------------------------------

bool TlxCustomTabControl::DoCanClose() {
  bool can_close = true;
  if (OnCanClose)
    OnCanClose(this, can_close);
  return can_close;
}

void TlxCustomTabControl::CloseActiveTab() {
  if (TabIndex() == -1)
    return;
  Tabs().Delete(TabIndex());
  DoChange();
}
