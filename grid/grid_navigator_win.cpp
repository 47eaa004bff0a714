#include "grid/grid_navigator_win.h"

#include <commctrl.h>

#include <algorithm>

#include "editors/container_routines_win.h"
#include "editors/edit_strings.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/base/resource_strings.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

constexpr int32_t kGlyphWidth = 12;
constexpr int32_t kGlyphHeight = 11;
constexpr TColor kGlyphMaskColor = static_cast<TColor>(0x008080);  // olive

const TlxResourceString* const kDefaultHints[kNavigatorButtonCount] = {
    &lxNavigatorHint_First,  &lxNavigatorHint_PriorPage, &lxNavigatorHint_Prior,        &lxNavigatorHint_Next,
    &lxNavigatorHint_NextPage, &lxNavigatorHint_Last,    &lxNavigatorHint_Insert,       &lxNavigatorHint_Append,
    &lxNavigatorHint_Delete, &lxNavigatorHint_Edit,      &lxNavigatorHint_Post,         &lxNavigatorHint_Cancel,
    &lxNavigatorHint_Refresh, &lxNavigatorHint_SaveBookmark, &lxNavigatorHint_GotoBookmark, &lxNavigatorHint_Filter,
};

std::unique_ptr<TCustomImageList>& DefaultImagesSlot() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

// Frees the default glyphs at the module's end, while the system is still
// there to take the image list back.
struct TDefaultImagesRelease {
  ~TDefaultImagesRelease() { lxFreeNavigatorDefaultImages(); }
};

// The buttons take a navigator button's place only for their owner's
// sake; a plain "Append" and friends read as its property names.
constexpr const char* kButtonPropertyNames[kNavigatorButtonCount] = {
    "First", "PriorPage", "Prior", "Next", "NextPage", "Last", "Insert", "Append",
    "Delete", "Edit", "Post", "Cancel", "Refresh", "SaveBookmark", "GotoBookmark", "Filter",
};

}  // namespace

// --- default glyphs ------------------------------------------------------------

TCustomImageList* lxNavigatorDefaultImages() {
  static TDefaultImagesRelease release;
  std::unique_ptr<TCustomImageList>& images = DefaultImagesSlot();
  if (images == nullptr) {
    auto list = std::make_unique<TCustomImageList>(kGlyphWidth, kGlyphHeight);
    TBitmap glyphs;
    glyphs.LoadFromResourceName(GetModuleHandleW(nullptr), "LXNAVIGATORBUTTONS");
    list->AddMasked(glyphs, kGlyphMaskColor);
    images = std::move(list);
  }
  return images.get();
}

void lxFreeNavigatorDefaultImages() { DefaultImagesSlot().reset(); }

// --- TlxNavigatorButton -------------------------------------------------------------

TlxNavigatorButton::TlxNavigatorButton(TlxCustomNavigatorButtons* buttons, int32_t kind)
    : buttons_(buttons), kind_(kind), visible_(kind != nbkAppend) {}

void TlxNavigatorButton::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxNavigatorButton>();
  p.Boolean("Enabled", &TlxNavigatorButton::Enabled, &TlxNavigatorButton::SetEnabled, true);
  p.String("Hint", &TlxNavigatorButton::Hint, &TlxNavigatorButton::SetHint);
  p.Integer("ImageIndex", &TlxNavigatorButton::ImageIndex, &TlxNavigatorButton::SetImageIndex, -1);
  p.Boolean("Visible", &TlxNavigatorButton::Visible, &TlxNavigatorButton::SetVisible).Stored =
      [](const TPersistent& self) { return static_cast<const TlxNavigatorButton&>(self).IsVisibleStored(); };
}

void TlxNavigatorButton::SetEnabled(bool value) {
  if (enabled_ == value)
    return;
  enabled_ = value;
  if (visible_)
    buttons_->OwnerStateChanged();
  buttons_->NotifyOwner(2);
}

void TlxNavigatorButton::SetHint(const std::string& value) {
  if (hint_ == value)
    return;
  hint_ = value;
  buttons_->NotifyOwner(0);
}

void TlxNavigatorButton::SetImageIndex(int32_t value) {
  if (image_index_ == value)
    return;
  image_index_ = value;
  if (visible_)
    buttons_->OwnerStateChanged();
  buttons_->NotifyOwner(2);
}

void TlxNavigatorButton::SetVisible(bool value) {
  is_visible_assigned_ = true;
  if (visible_ == value)
    return;
  visible_ = value;
  buttons_->OwnerStateChanged();
  buttons_->NotifyOwner(1);
}

void TlxNavigatorButton::SetOnClick(TNotifyEvent handler) {
  on_click_ = std::move(handler);
  buttons_->NotifyOwner(0);
}

TSize TlxNavigatorButton::GlyphSize(const TlxCustomLookAndFeelPainter* painter) const {
  if (painter != nullptr && !UsesOwnImage()) {
    // Only a skin painter has glyphs of its own size.
    const TSize skin_size = painter->GetNavigatorGlyphSize();
    if (skin_size.cx > 0 && skin_size.cy > 0)
      return skin_size;
  }
  TCustomImageList* images = GlyphImages();
  return TSize{images->Width(), images->Height()};
}

void TlxNavigatorButton::Click() {
  if (on_click_) {
    on_click_(this);
    return;
  }
  buttons_->ClickButton(kind_);
}

void TlxNavigatorButton::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxNavigatorButton*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetEnabled(other->enabled_);
  SetHint(other->hint_);
  SetImageIndex(other->image_index_);
  SetVisible(other->visible_);
  is_visible_assigned_ = other->is_visible_assigned_;
  on_click_ = other->on_click_;
}

// --- TlxCustomNavigatorButtons -------------------------------------------------------

TlxCustomNavigatorButtons::TlxCustomNavigatorButtons(IlxNavigatorOwner* navigator_owner)
    : navigator_owner_(navigator_owner), images_link_(std::make_unique<TChangeLink>()) {
  for (int32_t kind = 0; kind < kNavigatorButtonCount; ++kind)
    buttons_.push_back(std::make_unique<TlxNavigatorButton>(this, kind));
  images_link_->OnChange = [this](TObject* sender) { ImagesChanged(sender); };
}

TlxCustomNavigatorButtons::~TlxCustomNavigatorButtons() {
  if (images_ != nullptr)
    images_->UnRegisterChanges(images_link_.get());
}

void TlxCustomNavigatorButtons::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCustomNavigatorButtons>();
  p.Boolean("ConfirmDelete", &TlxCustomNavigatorButtons::ConfirmDelete, &TlxCustomNavigatorButtons::SetConfirmDelete,
            true);
}

void TlxNavigatorControlButtons::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxNavigatorControlButtons>();
  for (int32_t kind = 0; kind < kNavigatorButtonCount; ++kind)
    p.Persistent(kButtonPropertyNames[kind], TlxNavigatorButton::kClass,
                 [kind](const TlxNavigatorControlButtons& buttons) -> TObject* { return buttons.Buttons(kind); });
}

void TlxCustomNavigatorButtons::SetImages(TCustomImageList* images) {
  TComponent* notified = navigator_owner_ != nullptr ? navigator_owner_->GetPersistentOwner() : nullptr;
  lxChangeImageListLink(images, images_, images_link_.get(), notified);
  NotifyOwner(2);
}

void TlxCustomNavigatorButtons::ImagesChanged(TObject* /*sender*/) {
  if (navigator_owner_ != nullptr)
    navigator_owner_->ButtonsStateChanged();
}

void TlxCustomNavigatorButtons::SetConfirmDelete(bool value) {
  if (confirm_delete_ == value)
    return;
  confirm_delete_ = value;
  NotifyOwner(0);
}

void TlxCustomNavigatorButtons::SetOnButtonClick(TlxNavigatorButtonClickEvent handler) {
  on_button_click_ = std::move(handler);
  NotifyOwner(0);
}

void TlxCustomNavigatorButtons::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomNavigatorButtons*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  for (int32_t kind = 0; kind < kNavigatorButtonCount; ++kind)
    Buttons(kind)->Assign(other->Buttons(kind));
  SetConfirmDelete(other->confirm_delete_);
  SetImages(other->images_);
  SetOnButtonClick(other->on_button_click_);
}

void TlxCustomNavigatorButtons::NotifyOwner(int32_t kind) {
  if (navigator_owner_ != nullptr)
    navigator_owner_->NotifyButtonsChanged(kind);
}

void TlxCustomNavigatorButtons::OwnerStateChanged() {
  if (navigator_owner_ != nullptr)
    navigator_owner_->ButtonsStateChanged();
}

void TlxCustomNavigatorButtons::ClickButton(int32_t kind) {
  bool done = false;
  if (on_button_click_)
    on_button_click_(this, kind, done);
  if (!done)
    DoButtonAction(kind);
}

bool TlxCustomNavigatorButtons::IsKindEnabled(int32_t /*kind*/) {
  TWinControl* host = navigator_owner_ != nullptr ? navigator_owner_->GetHostControl() : nullptr;
  return host != nullptr && host->Enabled();
}

std::string TlxCustomNavigatorButtons::DefaultHint(int32_t kind) const {
  if (kind < 0 || kind >= kNavigatorButtonCount)
    return {};
  // The texts belong to the editors' module, started once for the process.
  static const bool texts_registered = (lxEditConstsInitialize(), true);
  (void)texts_registered;
  return lxLookupResString(kDefaultHints[kind]);
}

// --- TlxNavigatorControlButtons ----------------------------------------------------

IlxNavigator* TlxNavigatorControlButtons::DataSource() { return OnGetDataSource ? OnGetDataSource(this) : nullptr; }

void TlxNavigatorControlButtons::DoButtonAction(int32_t kind) {
  if (IlxNavigator* source = DataSource())
    source->PerformButtonAction(kind);
  if (NavigatorOwner() != nullptr)
    NavigatorOwner()->RefreshButtons();
}

bool TlxNavigatorControlButtons::IsKindEnabled(int32_t kind) {
  if (!TlxCustomNavigatorButtons::IsKindEnabled(kind))
    return false;
  return lxNavigatorKindEnabled(DataSource(), kind);
}

void TlxNavigatorControlButtons::ForgetBookmark() {
  IlxNavigator* source = DataSource();
  if (source != nullptr && source->HasBookmark())
    source->ForgetBookmark();
}

// --- TlxNavigatorHintWindow ----------------------------------------------------------

TlxNavigatorHintWindow::TlxNavigatorHintWindow(HWND owner, const std::string& text, const TPoint& screen_pos)
    : owner_(owner), text_(text) {
  const std::u16string wide = Utf8ToUtf16(text);
  wide_text_.assign(wide.begin(), wide.end());
  handle_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (handle_ == nullptr)
    return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.lpszText = wide_text_.data();
  SendMessageW(handle_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  SendMessageW(handle_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(handle_, TTM_TRACKPOSITION, 0, MAKELPARAM(screen_pos.X, screen_pos.Y));
  SendMessageW(handle_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

TlxNavigatorHintWindow::~TlxNavigatorHintWindow() {
  if (handle_ != nullptr)
    DestroyWindow(handle_);
}

// --- TlxNavigatorViewInfo ------------------------------------------------------------

TlxNavigatorViewInfo::TlxNavigatorViewInfo(IlxNavigatorOwner* navigator_owner, bool in_place)
    : navigator_owner_(navigator_owner),
      in_place_(in_place),
      press_timer_(std::make_unique<TlxTimer>(nullptr)),
      hint_timer_(std::make_unique<TlxTimer>(nullptr)) {
  press_timer_->SetEnabled(false);
  press_timer_->SetOnTimer([this](TObject*) { PressTimerTick(); });
  hint_timer_->SetEnabled(false);
  hint_timer_->SetInterval(kHintDelay);
  hint_timer_->SetOnTimer([this](TObject*) { HintTimerTick(); });
}

TlxNavigatorViewInfo::~TlxNavigatorViewInfo() = default;

const TlxCustomLookAndFeelPainter* TlxNavigatorViewInfo::Painter() const {
  TlxLookAndFeel* look_and_feel = navigator_owner_->GetHostLookAndFeel();
  if (look_and_feel == nullptr)
    look_and_feel = lxGetRootLookAndFeel();
  return look_and_feel->PainterFor(totButton);
}

void TlxNavigatorViewInfo::Calculate(int32_t& width, int32_t& height, bool add_glyph_height) {
  TlxCustomNavigatorButtons* buttons = navigator_owner_->GetButtonsObject();
  const TlxCustomLookAndFeelPainter* painter = Painter();
  const TlxMargins borders = painter->GetButtonGroupBorderSizes(3, 1);
  std::vector<TlxNavigatorButton*> shown;
  for (int32_t kind = 0; buttons != nullptr && kind < buttons->ButtonCount(); ++kind)
    if (buttons->Buttons(kind)->Visible())
      shown.push_back(buttons->Buttons(kind));
  button_infos_.resize(shown.size());
  std::vector<TSize> sizes;
  int32_t sum = 0;
  int32_t tallest = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (button_infos_[i] == nullptr)
      button_infos_[i] = std::make_unique<TlxNavigatorButtonViewInfo>();
    button_infos_[i]->Button = shown[i];
    const TSize glyph = shown[i]->GlyphSize(painter);
    TSize size{glyph.cx + borders.Left + borders.Right + 1, borders.Top + borders.Bottom + 1};
    if (add_glyph_height)
      size.cy += glyph.cy;
    sizes.push_back(size);
    sum += size.cx;
    tallest = std::max(tallest, size.cy);
  }
  height = std::max(height, tallest);
  int32_t spread = 0;
  if (width < sum) {
    width = sum;
  } else if (!shown.empty()) {
    spread = (width - sum) / static_cast<int32_t>(shown.size());
    width = spread * static_cast<int32_t>(shown.size()) + sum;
  }
  const TRect host_bounds = navigator_owner_->GetButtonsBounds();
  int32_t left = host_bounds.Left;
  for (size_t i = 0; i < shown.size(); ++i) {
    const int32_t button_width = sizes[i].cx + spread;
    button_infos_[i]->Bounds = TRect(left, host_bounds.Top, left + button_width, host_bounds.Top + height);
    left += button_width;
  }
  if (hot_button_ != nullptr && !IsButtonShown(hot_button_))
    hot_button_ = nullptr;
  if (pressed_button_ != nullptr && !IsButtonShown(pressed_button_))
    pressed_button_ = nullptr;
}

void TlxNavigatorViewInfo::Recalculate() {
  const TRect bounds = navigator_owner_->GetButtonsBounds();
  int32_t width = bounds.Width();
  int32_t height = bounds.Height();
  Calculate(width, height, false);
  for (auto& info : button_infos_) {
    info->Enabled = info->Button->EffectiveEnabled();
    info->Hint = info->Button->EffectiveHint();
  }
  dirty_ = false;
}

void TlxNavigatorViewInfo::Clear() {
  button_infos_.clear();
  hot_button_ = nullptr;
  pressed_button_ = nullptr;
  dirty_ = true;
}

TlxNavigatorButtonViewInfo* TlxNavigatorViewInfo::GetButtonInfoAt(const TPoint& point) const {
  for (const auto& info : button_infos_)
    if (info->Bounds.Contains(point))
      return info.get();
  return nullptr;
}

TlxNavigatorButtonViewInfo* TlxNavigatorViewInfo::GetButtonInfo(const TlxNavigatorButton* button) const {
  for (const auto& info : button_infos_)
    if (info->Button == button)
      return info.get();
  return nullptr;
}

TlxNavigatorButton* TlxNavigatorViewInfo::FocusedButton() {
  if (focused_button_ != nullptr && !focused_button_->Visible())
    focused_button_ = nullptr;
  if (focused_button_ == nullptr) {
    TlxCustomNavigatorButtons* buttons = navigator_owner_->GetButtonsObject();
    for (int32_t kind = 0; buttons != nullptr && kind < buttons->ButtonCount(); ++kind)
      if (buttons->Buttons(kind)->Visible())
        return buttons->Buttons(kind);
  }
  return focused_button_;
}

void TlxNavigatorViewInfo::SetFocusedButton(TlxNavigatorButton* button) {
  TlxNavigatorButton* old = FocusedButton();
  if (old == button)
    return;
  focused_button_ = button;
  InvalidateButton(old);
  InvalidateButton(button);
}

void TlxNavigatorViewInfo::InvalidateButton(const TlxNavigatorButton* button) {
  const TlxNavigatorButtonViewInfo* info = GetButtonInfo(button);
  TWinControl* host = navigator_owner_->GetHostControl();
  if (info == nullptr || host == nullptr || !host->HandleAllocated())
    return;
  const RECT rect{info->Bounds.Left, info->Bounds.Top, info->Bounds.Right, info->Bounds.Bottom};
  InvalidateRect(host->Handle(), &rect, FALSE);
}

bool TlxNavigatorViewInfo::IsPressButtonDown() const {
  const int key = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(key) & 0x8000) != 0;
}

void TlxNavigatorViewInfo::MouseDown(const TPoint& point) {
  hint_timer_->SetEnabled(false);
  HideHint();
  if (dirty_)
    Recalculate();
  TlxNavigatorButtonViewInfo* info = GetButtonInfoAt(point);
  if (info != nullptr && info->Enabled) {
    press_timer_->SetInterval(kFirstRepeatDelay);
    press_timer_->SetEnabled(true);
    pressed_button_ = info->Button;
    hot_button_ = info->Button;
    SetFocusedButton(info->Button);
    InvalidateButton(info->Button);
  }
  UpdateSelected();
}

void TlxNavigatorViewInfo::MouseMove(const TPoint& point) {
  if (dirty_)
    Recalculate();
  TlxNavigatorButtonViewInfo* info = GetButtonInfoAt(point);
  TlxNavigatorButton* hot = info != nullptr ? info->Button : nullptr;
  if (hot != hot_button_) {
    TlxNavigatorButton* old = hot_button_;
    hot_button_ = hot;
    const TlxNavigatorButtonViewInfo* old_info = GetButtonInfo(old);
    if (old_info != nullptr && old_info->Enabled)
      InvalidateButton(old);
    if (info != nullptr && info->Enabled)
      InvalidateButton(hot);
    if (hot == nullptr)
      HideHint();
    else if (hint_window_ != nullptr)
      ShowHint(false);
    else
      ShowHint(true);
  }
  UpdateSelected();
}

void TlxNavigatorViewInfo::MouseUp(const TPoint& point) {
  press_timer_->SetEnabled(false);
  TlxNavigatorButton* pressed = pressed_button_;
  pressed_button_ = nullptr;
  InvalidateButton(pressed);
  hint_timer_->SetEnabled(false);
  hint_timer_->SetEnabled(true);
  UpdateSelected();
  if (pressed == nullptr)
    return;
  const TlxNavigatorButtonViewInfo* info = GetButtonInfo(pressed);
  if (info != nullptr && info->Bounds.Contains(point) && info->Enabled)
    pressed->Click();
}

void TlxNavigatorViewInfo::PressTimerTick() {
  if (!IsPressButtonDown()) {
    press_timer_->SetEnabled(false);
    MouseUp(TPoint{-1, -1});
    return;
  }
  press_timer_->SetInterval(kRepeatInterval);
  TlxNavigatorButton* pressed = pressed_button_;
  const TlxNavigatorButtonViewInfo* info = GetButtonInfo(pressed);
  if (pressed == nullptr || pressed != hot_button_ || info == nullptr || !info->Enabled)
    return;
  if (pressed->Kind() != nbkPrior && pressed->Kind() != nbkNext)
    return;
  // A click that fails ends the repeat before the error goes on.
  TScopeFail stop([this] { press_timer_->SetEnabled(false); });
  pressed->Click();
}

void TlxNavigatorViewInfo::UpdateSelected() {
  if (!Painter()->ButtonHotTrackEnabled())
    return;
  const bool selected = hot_button_ != nullptr || pressed_button_ != nullptr || navigator_owner_->IsHostFocused();
  if (selected == selected_)
    return;
  selected_ = selected;
  TWinControl* host = navigator_owner_->GetHostControl();
  if (host == nullptr || !host->HandleAllocated())
    return;
  const TRect bounds = navigator_owner_->GetButtonsBounds();
  lxInvalidateRectAroundHole(host->Handle(), bounds, lxInflated(bounds, -1), false);
}

void TlxNavigatorViewInfo::RefreshEnabledStates() {
  for (auto& info : button_infos_) {
    const bool enabled = info->Button->EffectiveEnabled();
    if (enabled == info->Enabled)
      continue;
    info->Enabled = enabled;
    InvalidateButton(info->Button);
  }
}

// --- hints --------------------------------------------------------------------------

void TlxNavigatorViewInfo::HideHint() {
  hint_window_.reset();
}

void TlxNavigatorViewInfo::ShowHint(bool start_timer_only) {
  HideHint();
  hint_timer_->SetEnabled(false);
  if (start_timer_only) {
    hint_timer_->SetEnabled(true);
    return;
  }
  if (hot_button_ == nullptr || !navigator_owner_->ShowsHints())
    return;
  const std::string text = lxShortHint(hot_button_->EffectiveHint());
  TWinControl* host = navigator_owner_->GetHostControl();
  if (text.empty() || host == nullptr || !lxIsMouseOverActiveControl(host))
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  TSize below{};
  lxGetCursorHeightBelowHotSpot(below);
  hint_window_ = std::make_unique<TlxNavigatorHintWindow>(host->Handle(), text, TPoint{cursor.x, cursor.y + below.cy});
}

void TlxNavigatorViewInfo::HintTimerTick() {
  hint_timer_->SetEnabled(false);
  ShowHint(false);
}

// --- painting -------------------------------------------------------------------------

TlxButtonState TlxNavigatorViewInfo::ButtonState(const TlxNavigatorButtonViewInfo& info) const {
  if (!info.Enabled)
    return lxbsDisabled;
  if (info.Button == pressed_button_ && info.Button == hot_button_)
    return lxbsPressed;
  if (info.Button == hot_button_)
    return lxbsHot;
  return lxbsNormal;
}

void TlxNavigatorViewInfo::Paint() {
  TCanvas* host_canvas = navigator_owner_->GetButtonsCanvas();
  if (host_canvas == nullptr)
    return;
  if (dirty_)
    Recalculate();
  TlxCanvas canvas(*host_canvas);
  for (size_t i = 0; i < button_infos_.size(); ++i)
    PaintButton(canvas, *button_infos_[i], static_cast<int32_t>(i));
  PaintFrame(canvas);
}

void TlxNavigatorViewInfo::PaintButton(TlxCanvas& canvas, const TlxNavigatorButtonViewInfo& info, int32_t index) {
  if (!canvas.IsRectVisible(info.Bounds))
    return;
  const TlxCustomLookAndFeelPainter* painter = Painter();
  const int32_t count = ButtonInfoCount();
  const TlxButtonState state = ButtonState(info);
  const TRect local(0, 0, info.Bounds.Width(), info.Bounds.Height());
  TRect content = painter->GetGroupButtonDisplayRect(local, count, index);
  const TlxMargins borders = painter->GetButtonGroupBorderSizes(count, index);
  content = TRect(content.Left + borders.Left, content.Top + borders.Top, content.Right - borders.Right,
                  content.Bottom - borders.Bottom);
  const TSize glyph = info.Button->GlyphSize(painter);
  TRect glyph_rect(content.Left + (content.Width() - glyph.cx) / 2, content.Top + (content.Height() - glyph.cy) / 2, 0,
                   0);
  if (state == lxbsPressed)
    glyph_rect = TRect(glyph_rect.Left + 1, glyph_rect.Top + 1, 0, 0);
  glyph_rect.Right = glyph_rect.Left + glyph.cx;
  glyph_rect.Bottom = glyph_rect.Top + glyph.cy;

  TBitmap bitmap;
  bitmap.SetSize(local.Width(), local.Height());
  TlxCanvas bitmap_canvas(bitmap.Canvas());
  TWinControl* host = navigator_owner_->GetHostControl();
  if (host != nullptr) {
    // The parent's background shows through the buttons' rounded corners.
    SetWindowOrgEx(bitmap.Canvas().Handle(), info.Bounds.Left, info.Bounds.Top, nullptr);
    lxPaintParentImage(host, bitmap_canvas, info.Bounds, false);
    SetWindowOrgEx(bitmap.Canvas().Handle(), 0, 0, nullptr);
  }
  painter->PaintButtonInGroup(bitmap_canvas, local, state, count, index, clWindow);
  painter->PaintNavigatorGlyph(bitmap_canvas, info.Button->GlyphImages(), info.Button->GlyphIndex(), glyph_rect,
                               state != lxbsDisabled, info.Button->UsesOwnImage(), info.Button->Kind());
  canvas.CopyRectFrom(info.Bounds, bitmap.Canvas(), local);

  if (navigator_owner_->TakesFocus() && info.Button == FocusedButton() && navigator_owner_->IsHostFocused())
    canvas.DrawFocusFrame(lxInflated(glyph_rect, 1));
  if (dynamic_cast<const TlxWinXPLookAndFeelPainter*>(painter) != nullptr)
    canvas.ExcludeFromClip(info.Bounds);
}

void TlxNavigatorViewInfo::PaintFrame(TlxCanvas& canvas) {
  TWinControl* host = navigator_owner_->GetHostControl();
  const bool host_enabled = host != nullptr && host->Enabled();
  const bool in_place = in_place_ && host_enabled;
  const bool designing = host != nullptr && host->ComponentState().Contains(csDesigning);
  const bool selected = selected_ || (!in_place_ && designing && host_enabled);
  const TRect bounds = navigator_owner_->GetButtonsBounds();
  Painter()->PaintButtonGroupBorder(canvas, bounds, selected, in_place);
  if (in_place)
    canvas.ExcludeFromClip(bounds);
}
