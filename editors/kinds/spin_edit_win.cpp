#include "editors/kinds/spin_edit_win.h"

#include <cmath>

#include "data/variant_utils.h"
#include "editors/edit_button_view_info_win.h"
#include "editors/edit_data_binding_win.h"
#include "editors/edit_error.h"
#include "editors/edit_style_types.h"
#include "editors/kinds/spin_edit_view_win.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEscapeKey = VK_ESCAPE;

bool IsSpinKey(uint16_t key) { return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT; }

int32_t SpinKeyButton(uint16_t key) {
  switch (key) {
    case VK_UP:
      return TlxCustomSpinEdit::kButtonUp;
    case VK_DOWN:
      return TlxCustomSpinEdit::kButtonDown;
    case VK_PRIOR:
      return TlxCustomSpinEdit::kButtonFastUp;
    default:
      return TlxCustomSpinEdit::kButtonFastDown;
  }
}

bool IsUpButton(int32_t button_index) {
  return button_index == TlxCustomSpinEdit::kButtonUp || button_index == TlxCustomSpinEdit::kButtonFastUp;
}

char16_t LocaleDecimalSeparator() {
  return static_cast<char16_t>(static_cast<unsigned char>(UserLocale().Settings().DecimalSeparator));
}

}  // namespace

TlxCustomSpinEdit::TlxCustomSpinEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomMaskEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomSpinEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no spin editor properties class");
  // The text is the display of the value, never a caption of its own.
  ControlStyle().Exclude(csSetCaption);
  last_valid_value_ = ActiveSpinProperties()->ZeroInBounds();
  // A masked kind (the time edit) can show a value only once it has a
  // window; it starts from the empty value instead.
  if (!ActiveSpinProperties()->IsMasked())
    SetEditValueUnlocked(Variant(int64_t{0}));
}

TlxCustomSpinEdit::~TlxCustomSpinEdit() { repeat_timer_.reset(); }

// --- values ------------------------------------------------------------------------------------

double TlxCustomSpinEdit::GetIncrement(int32_t button_index) {
  const TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  const bool fast = button_index == kButtonFastDown || button_index == kButtonFastUp;
  double increment = fast ? properties.LargeIncrement() : properties.Increment();
  if (properties.GetValueType() == vtInt)
    increment = std::nearbyint(increment);  // halves to even
  return IsUpButton(button_index) ? increment : -increment;
}

Variant TlxCustomSpinEdit::GetValue() {
  TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  Variant value;
  if (IsFocusedForFormatting()) {
    if (text_typed_)
      ConvertDisplayToEditValue(Variant(ShownText()), value, true);
    else
      value = last_valid_value_;
    if (!lxVariantIsNumeric(value))
      value = properties.ZeroInBounds();
    return properties.ToValueType(value);
  }
  const Variant edit_value = GetEditValue();
  if (lxVariantIsNumeric(edit_value))
    value = edit_value;
  else if (edit_value.IsText() && !VarToStr(edit_value).empty()) {
    if (!properties.TextToValue(VarToStr(edit_value), value))
      value = properties.ZeroInBounds();
  } else {
    value = properties.ZeroInBounds();
  }
  return properties.ToValueType(value);
}

void TlxCustomSpinEdit::ValueToDisplayText(const Variant& value, std::string& text) {
  Variant display_value;
  ActiveSpinProperties()->ConvertToDisplayValue(value, display_value, IsFocusedForFormatting());
  text = VarToStr(display_value);
}

void TlxCustomSpinEdit::SetValue(const Variant& value) {
  if (!lxVariantIsNumeric(value))
    return;
  Variant checked = value;
  if (ActiveSpinProperties()->IsEditValueValid(checked, IsFocusedForFormatting()))
    SetEditValueUnlocked(checked);
}

bool TlxCustomSpinEdit::TextToValue(const Variant& display_value, bool raise, std::string& error_text,
                                    Variant& value) {
  // The active properties read the text; with a repository item the
  // edit's own properties' handler gets its chance as well.
  TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  auto* own = dynamic_cast<TlxCustomSpinEditProperties*>(GetOwnProperties());
  TlxCustomSpinEditProperties* other = own != &properties ? own : nullptr;
  return lxSpinEditTextToValue(properties, other, this, VarToStr(display_value), raise, last_valid_value_,
                               error_text, value);
}

bool TlxCustomSpinEdit::HasGetValueHandler() const {
  auto* own = dynamic_cast<const TlxCustomSpinEditProperties*>(GetOwnProperties());
  return (own != nullptr && static_cast<bool>(own->OnGetValue)) || static_cast<bool>(ActiveSpinProperties()->OnGetValue);
}

bool TlxCustomSpinEdit::ReadDisplayText(const Variant& display_value, std::string& error_text, Variant& value) {
  return TextToValue(display_value, false, error_text, value);
}

void TlxCustomSpinEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  std::string error_text;
  TextToValue(display_value, true, error_text, edit_value);
}

// --- one step ----------------------------------------------------------------------------------

bool TlxCustomSpinEdit::ComputeSpinValue(int32_t button_index, Variant& result) {
  const TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  const TlxSpinEditValueType type = properties.GetValueType();
  Variant min_value;
  Variant max_value;
  properties.GetMinValue(min_value);
  properties.GetMaxValue(max_value);
  const Variant value = GetValue();
  const Variant delta = properties.DoubleAsValueType(type, GetIncrement(button_index));
  return lxSpinStep(type, properties.GetBoundsMode(), min_value, max_value, value, delta, IsUpButton(button_index),
                    result);
}

bool TlxCustomSpinEdit::DoSpin(int32_t button_index) {
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  Variant value;
  if (!TryStartEditing() || !ComputeSpinValue(button_index, value))
    return false;
  const std::string old_text = ShownText();
  std::string text;
  ValueToDisplayText(value, text);
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const int32_t sel_start = inner != nullptr ? inner->GetSelStart() : 0;
  const int32_t sel_length = inner != nullptr ? inner->GetSelLength() : 0;
  last_valid_value_ = ActiveSpinProperties()->ToValueType(value);
  {
    // The text shown is the value's, not the user's typing.
    TStateScope<bool> not_typed(typing_, false);
    PutDisplayValue(Variant(text));
  }
  text_typed_ = false;
  if (ShownText() == old_text)
    return false;
  SetModifiedByUser();
  if (inner != nullptr) {
    if (ActiveSpinProperties()->PreserveSelection()) {
      SetSelStartGuarded(sel_start);
      SetSelLengthGuarded(sel_length);
    } else {
      SetSelStartGuarded(static_cast<int32_t>(Utf8ToUtf16(ShownText()).size()));
      SetSelLengthGuarded(0);
    }
  }
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) {
    PostEditValue(false);
    RefreshDisplayValue();
  }
  return true;
}

// --- keys ----------------------------------------------------------------------------------------

void TlxCustomSpinEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  typing_ = false;
  const TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  if (IsSpinKey(key) && (!properties.UseCtrlIncrement() || shift.Contains(ssCtrl))) {
    if (!DataBinding()->IsModified() && !TryStartEditing()) {
      key = 0;
      return;
    }
    const int32_t button = SpinKeyButton(key);
    SetKeyboardSpinState(button + 1);
    if (HandleAllocated() && GetCapture() == Handle())
      ReleaseCapture();
    DoSpin(button);
    key = 0;
    return;
  }
  StopSpinning();
  if (key != VK_ESCAPE)
    typing_ = true;
  if (!properties.CanEdit() && IsEditingKey(key, shift)) {
    FireAfterKeyDown(key, shift);
    key = 0;
    return;
  }
  TlxCustomMaskEdit::ProcessEditKeyDown(key, shift);
}

void TlxCustomSpinEdit::ProcessEditKeyUp(uint16_t& key, TShiftState shift) {
  typing_ = false;
  TlxCustomMaskEdit::ProcessEditKeyUp(key, shift);
  if (IsSpinKey(key))
    StopSpinning();
}

void TlxCustomSpinEdit::ProcessEditKeyPress(char16_t& key) {
  if (key == u'.' || key == u',')
    key = LocaleDecimalSeparator();
  const bool number_char = (key >= u'0' && key <= u'9') || key == u'+' || key == u'-' || key == u'e' ||
                           key == u'E' || key == LocaleDecimalSeparator() || key == kBackspace;
  if (number_char) {
    if (!IsValidDataChar(key)) {
      key = 0;
      MessageBeep(0);
      return;
    }
    typing_ = true;
  }
  if (key == kEscapeKey)
    typing_ = false;
  TlxCustomMaskEdit::ProcessEditKeyPress(key);
}

bool TlxCustomSpinEdit::IsValidDataChar(char16_t ch) {
  const TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  if (properties.CanEdit() && HasGetValueHandler())
    return true;
  if (!properties.CanEdit() && (ch == kBackspace || ch >= 32))
    return false;
  if (ch < 32)
    return true;
  if ((ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' || ch == u'e' || ch == u'E')
    return true;
  if (properties.GetValueType() == vtFloat && ch == LocaleDecimalSeparator())
    return true;
  return properties.AdditionalValidChars().find(ch) != std::u16string::npos;
}

// --- clipboard and text changes --------------------------------------------------------------

void TlxCustomSpinEdit::ClearSelection() {
  if (IsFocusedForFormatting() && !ActiveSpinProperties()->CanEdit())
    return;
  TStateScope<bool> typing(typing_, true);
  TlxCustomMaskEdit::ClearSelection();
}

void TlxCustomSpinEdit::CutToClipboard() {
  if (IsFocusedForFormatting() && !ActiveSpinProperties()->CanEdit())
    return;
  TStateScope<bool> typing(typing_, true);
  TlxCustomMaskEdit::CutToClipboard();
}

void TlxCustomSpinEdit::PasteFromClipboard() {
  if (IsFocusedForFormatting() && !ActiveSpinProperties()->CanEdit())
    return;
  TStateScope<bool> typing(typing_, true);
  TlxCustomMaskEdit::PasteFromClipboard();
}

void TlxCustomSpinEdit::InnerEditChanged(TObject* sender) {
  text_typed_ = typing_;
  TlxCustomMaskEdit::InnerEditChanged(sender);
  typing_ = false;
}

// --- bounds, refreshing and properties ------------------------------------------------------------

void TlxCustomSpinEdit::ApplyValueBounds() {
  // The correction counts as the user's exactly when the editor was modified.
  const bool was_user_change = IsUserChange();
  SetUserChange(Modified());
  TScopeExit restore([this, was_user_change] { SetUserChange(was_user_change); });
  const TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  Variant min_value;
  Variant max_value;
  properties.GetMinValue(min_value);
  properties.GetMaxValue(max_value);
  const Variant value = GetValue();
  if (lxVariantCompare(value, min_value) < 0)
    SetValue(min_value);
  else if (lxVariantCompare(value, max_value) > 0)
    SetValue(max_value);
}

TlxContainerStyleValues TlxCustomSpinEdit::GetIgnoredStyleValues() const {
  TlxContainerStyleValues values = TlxCustomMaskEdit::GetIgnoredStyleValues();
  values.Exclude(esvButtonStyle);
  values.Exclude(esvButtonTransparency);
  values.Exclude(esvGradientButtons);
  return values;
}

void TlxCustomSpinEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  TlxCustomMaskEdit::PropertiesChanged(properties);
  if (!DataBinding()->IsEditValueSettled() && Modified())
    ApplyValueBounds();
}

void TlxCustomSpinEdit::RefreshDisplayValue() {
  TlxCustomSpinEditProperties& properties = *ActiveSpinProperties();
  Variant value = GetEditValue();
  if (properties.IsEditValueValid(value, IsFocusedForFormatting())) {
    Variant prepared;
    properties.PrepareValue(value, prepared);
    last_valid_value_ = prepared;
  } else {
    last_valid_value_ = properties.ZeroInBounds();
  }
  text_typed_ = false;
  TlxCustomMaskEdit::RefreshDisplayValue();
}

void TlxCustomSpinEdit::RefreshEditValue() {
  TlxCustomMaskEdit::RefreshEditValue();
  const Variant value = GetEditValue();
  if (lxVariantIsNumeric(value))
    last_valid_value_ = ActiveSpinProperties()->ToValueType(value);
  text_typed_ = false;
}

// --- buttons, mouse and repeat ----------------------------------------------------------------

int32_t TlxCustomSpinEdit::PressedButtonIndex() const {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  if (view_info.PressedButton < 0 || view_info.PressedButton >= view_info.ButtonCount())
    return -1;
  return view_info.Button(view_info.PressedButton).ButtonIndex;
}

void TlxCustomSpinEdit::ButtonDown(int32_t button_index) {
  TlxCustomMaskEdit::ButtonDown(button_index);
  if (!HandleAllocated() || GetCapture() != Handle()) {
    RecalculateAtCursor();
    return;
  }
  if (keyboard_spin_state_ != 0 || button_index < 0)
    return;
  TAliveToken alive = AliveToken();
  DoSpin(button_index);
  if (alive.Alive())
    StartRepeatTimer();
}

void TlxCustomSpinEdit::StartRepeatTimer() {
  repeat_timer_.reset();
  if (ActiveProperties()->GetReadOnly() || IsEffectivelyReadOnly())
    return;
  repeat_timer_ = CreateRepeatTimer();
  repeat_timer_->SetOnTimer([this](TObject* sender) { RepeatTimerTick(sender); });
}

std::unique_ptr<TlxTimer> TlxCustomSpinEdit::CreateRepeatTimer() {
  auto timer = std::make_unique<TlxTimer>(nullptr);
  timer->SetInterval(kFirstRepeatInterval);
  return timer;
}

void TlxCustomSpinEdit::RepeatTimerTick(TObject* /*sender*/) {
  if (repeat_timer_ == nullptr)
    return;
  repeat_timer_->SetInterval(kRepeatInterval);
  const int32_t button = PressedButtonIndex();
  if (button >= 0)
    DoSpin(button);
}

void TlxCustomSpinEdit::StopSpinning() {
  TlxCustomEditViewInfo& view_info = GetViewInfo();
  view_info.PressedButton = -1;
  const bool had_keyboard_spin = keyboard_spin_state_ != 0;
  keyboard_spin_state_ = 0;
  bool repaint = had_keyboard_spin;
  for (int32_t i = 0; i < view_info.ButtonCount() && i < 2; ++i) {
    TlxEditButtonViewInfo& button = view_info.Button(i);
    if (button.State != kLxButtonStatePressed)
      continue;
    button.State = kLxButtonStateNormal;
    repaint = true;
  }
  if (repaint && HandleAllocated())
    Invalidate();
  repeat_timer_.reset();
  if (HandleAllocated() && GetCapture() == Handle())
    ReleaseCapture();
}

void TlxCustomSpinEdit::SetKeyboardSpinState(int32_t value) {
  if (keyboard_spin_state_ == value)
    return;
  keyboard_spin_state_ = value;
  if (!HandleAllocated())
    return;
  RecalculateAtCursor();
  Invalidate();
}

void TlxCustomSpinEdit::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomMaskEdit::PrepareViewData(view_data);
  if (auto* spin_data = dynamic_cast<TlxSpinEditViewData*>(&view_data))
    spin_data->KeyboardSpinState = keyboard_spin_state_;
}

void TlxCustomSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxCustomMaskEdit::MouseDown(button, shift, x, y);
  if (alive.Alive() && FindButtonAt(TPoint(x, y)) < 0)
    StopSpinning();
}

void TlxCustomSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxCustomMaskEdit::MouseUp(button, shift, x, y);
  if (alive.Alive())
    StopSpinning();
}

void TlxCustomSpinEdit::FocusChanged() {
  TlxCustomMaskEdit::FocusChanged();
  StopSpinning();
}

bool TlxCustomSpinEdit::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  if (!AllowsMouseWheel(shift))
    return TlxCustomMaskEdit::DoMouseWheel(shift, wheel_delta, mouse_pos);
  const int32_t notches = std::max(1, std::abs(wheel_delta) / WHEEL_DELTA);
  const int32_t button = wheel_delta > 0 ? kButtonUp : kButtonDown;
  TAliveToken alive = AliveToken();
  for (int32_t i = 0; i < notches && alive.Alive(); ++i)
    DoSpin(button);
  return true;
}

// --- the leaf class ----------------------------------------------------------------------------

void TlxSpinEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxSpinEdit>();
  p.Persistent("Properties", TlxSpinEditProperties::kClass, &TlxSpinEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxSpinEdit::BeepOnEnter, &TlxSpinEdit::SetBeepOnEnter, true);
}
