#include "editors/text_edit_control_win.h"

#include <algorithm>

#include "data/format_controller.h"
#include "editors/edit_repository.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

constexpr const char* kTextEditKindText = "TextEdit|Represents a single line text editor";

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

// --- construction --------------------------------------------------------------

TlxCustomTextEdit::TlxCustomTextEdit(TComponent* owner, const TClass& properties_class,
                                     const TClass& data_binding_class, TlxEditDataFactory edit_data_class,
                                     const TClass& inner_control_class, const TlxContainerStyleClass& style_class)
    : TlxCustomEdit(owner, properties_class, data_binding_class, edit_data_class, style_class),
      inner_control_class_(&inner_control_class) {
  if (!properties_class.InheritsFrom(&TlxCustomTextEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no text editor properties class");
  // The base could not build the inner edit yet: its class is chosen here.
  InitializeInnerControl();
  beep_on_enter_ = true;
  completed_by_lookup_ = false;
  if (IlxInnerTextEdit* inner = GetInnerTextEdit()) {
    inner->GetControl()->SetColor(clWindow);
    inner->SetOnSelChange([this](TObject* sender) { InnerSelectionChanged(sender); });
  }
  SetBounds(Left(), Top(), 121, 21);
  InstallLookupData(CreateLookupData());
  lxGetFormatController().AddListener(this);
  format_listening_ = true;
}

TlxCustomTextEdit::~TlxCustomTextEdit() {
  // The inner edit calls back while it goes: it goes while this editor is whole.
  Destroying();
  saved_text_ = ShownText();
  if (format_listening_)
    lxGetFormatController().RemoveListener(this);
  DestroyComponents();
  inner_text_edit_ = nullptr;
  lookup_data_.reset();
}

std::unique_ptr<TlxCustomTextEditLookupData> TlxCustomTextEdit::CreateLookupData() {
  if (!GetOwnProperties()->UsesLookupData())
    return nullptr;
  return std::make_unique<TlxCustomTextEditLookupData>(this);
}

void TlxCustomTextEdit::InstallLookupData(std::unique_ptr<TlxCustomTextEditLookupData> lookup_data) {
  lookup_data_ = std::move(lookup_data);
  if (lookup_data_ != nullptr)
    lookup_data_->SetOnSelectItem([this](TObject* sender) { ApplyLookupSelection(sender); });
}

IlxCustomInnerEdit* TlxCustomTextEdit::CreateInnerControl() {
  const TClass* inner_class = GetInnerControlClass();
  if (inner_class == nullptr)
    return nullptr;
  TObject* control = inner_class->CreateInstance(this);
  IlxCustomInnerEdit* inner = nullptr;
  if (auto* source = dynamic_cast<IlxInnerEditHelper*>(control))
    inner = source->GetHelper();
  else
    inner = dynamic_cast<IlxCustomInnerEdit*>(control);
  inner_text_edit_ = dynamic_cast<IlxInnerTextEdit*>(inner);
  return inner;
}

IlxInnerTextEdit* TlxCustomTextEdit::GetInnerTextEdit() const {
  return InnerEdit() != nullptr && !IsBeingDestroyed() ? inner_text_edit_ : nullptr;
}

TlxCustomTextEditProperties* TlxCustomTextEdit::GetOwnProperties() const {
  return static_cast<TlxCustomTextEditProperties*>(Properties());
}

TlxCustomTextEditProperties* TlxCustomTextEdit::ActiveProperties() const {
  return static_cast<TlxCustomTextEditProperties*>(GetActiveProperties());
}

// --- simple answers ---------------------------------------------------------------

bool TlxCustomTextEdit::AllowsTextEditing() {
  return ActiveProperties()->EchoMode() == eemNormal && ActiveProperties()->IsModificationAllowed();
}

void TlxCustomTextEdit::RefreshAfterPropertiesChange() {
  ActiveProperties()->Changed();
  RefreshDisplayValue();
}

void TlxCustomTextEdit::NotifySpellCheckerLayoutChanged() {
  if (IlxInnerTextEdit* inner = GetInnerTextEdit())
    first_visible_char_ = inner->GetFirstVisibleCharIndex();
}

bool TlxCustomTextEdit::IsEditingAllowed() { return EditingStyle() != tesNoEditing; }

bool TlxCustomTextEdit::IsInnerControlShown() const {
  const TlxTextEditingStyle style = EditingStyle();
  return (style == tesFreeText || style == tesListText) && !IsInnerControlUnavailable() && !IsDesigning();
}

bool TlxCustomTextEdit::IsValidDataChar(char16_t ch) {
  return TlxCustomEdit::IsValidDataChar(ch) ||
         ActiveProperties()->AdditionalValidChars().find(ch) != std::u16string::npos;
}

bool TlxCustomTextEdit::IsUnboundStandalone() {
  const IlxEditDefaultValuesProvider* provider = DataBinding()->GetValuesProviderIntf();
  return !IsInplace() && (provider == nullptr || !provider->IsBoundToData());
}

void TlxCustomTextEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  edit_value = display_value;
}

void TlxCustomTextEdit::GetDisplayText(std::string& text) {
  text.clear();
  if (IlxInnerTextEdit* inner = GetInnerTextEdit()) {
    Variant value;
    inner->GetEditValue(value);
    text = VarToStrDef(value, "");
  }
}

void TlxCustomTextEdit::PutDisplayValue(const Variant& display_value) {
  if (IlxInnerTextEdit* inner = GetInnerTextEdit())
    inner->SetEditValue(display_value);
}

std::string TlxCustomTextEdit::GetText() { return ShownText(); }

void TlxCustomTextEdit::SetTextBuffer(const std::string& text) { SetTextFromMessage(text); }

int32_t TlxCustomTextEdit::GetTextLineHeight() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  TFont* font = inner != nullptr ? &inner->GetControl()->Font() : &Font();
  return lxGetScreenCanvas().FontTextHeight(*font);
}

void TlxCustomTextEdit::DoNewLookupDisplayText(const std::string& text) {
  TAliveToken alive = AliveToken();
  if (GetOwnProperties()->OnNewLookupDisplayText)
    GetOwnProperties()->OnNewLookupDisplayText(this, text);
  if (alive.Alive() && RepositoryItem() != nullptr && ActiveProperties()->OnNewLookupDisplayText)
    ActiveProperties()->OnNewLookupDisplayText(this, text);
}

void TlxCustomTextEdit::CheckValueBounds() {
  TlxCustomTextEditProperties* properties = ActiveProperties();
  if (DataBinding()->IsEditValueSettled() && properties->IsNumericValue() && !IsInnerControlUnavailable() &&
      properties->HasValueBounds())
    ApplyValueBounds();
}

void TlxCustomTextEdit::ReplaceText(const std::string& text) {
  if (!TryStartEditing())
    return;
  SetText(text);
  SetModified(true);
}

// --- selection ------------------------------------------------------------------------

int32_t TlxCustomTextEdit::GetSelStart() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const TlxTextEditingStyle style = EditingStyle();
  if (inner == nullptr || style == tesNoEditing || (style == tesFixedList && !completed_by_lookup_))
    return 0;
  return inner->GetSelStart();
}

int32_t TlxCustomTextEdit::GetSelLength() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const TlxTextEditingStyle style = EditingStyle();
  if (inner == nullptr || style == tesNoEditing || (style == tesFixedList && !completed_by_lookup_))
    return 0;
  return inner->GetSelLength();
}

void TlxCustomTextEdit::SetSelStart(int32_t value) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner != nullptr && EditingStyle() != tesNoEditing)
    inner->SetSelStart(value);
}

void TlxCustomTextEdit::SetSelLength(int32_t value) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner != nullptr && EditingStyle() != tesNoEditing)
    inner->SetSelLength(value);
}

void TlxCustomTextEdit::SetSelectionRange(int32_t start, int32_t length) {
  SetSelStart(start);
  SetSelLength(length);
}

std::string TlxCustomTextEdit::GetSelTextValue() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  return inner != nullptr ? inner->GetSelText() : std::string();
}

int32_t TlxCustomTextEdit::GetCaretCharIndex() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  auto* edit = inner != nullptr ? dynamic_cast<TlxCustomInnerTextEdit*>(inner->GetControl()) : nullptr;
  return edit != nullptr ? lxGetCaretCharIndex(edit) : 0;
}

void TlxCustomTextEdit::Activate(std::unique_ptr<TlxCustomEditData>& edit_data) {
  TlxCustomEdit::Activate(edit_data);
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (!HandleAllocated() || inner == nullptr)
    return;
  inner->SetSelStart(0);
  if (ActiveProperties()->AutoSelect())
    inner->SelectAll();
}

// --- lookup text mode and items -----------------------------------------------------

void TlxCustomTextEdit::SetLookupTextMode(bool value) {
  if (completed_by_lookup_ == value)
    return;
  completed_by_lookup_ = value;
  RecalculateDisplay();
}

void TlxCustomTextEdit::LeaveLookupTextMode() {
  if (lookup_data_ != nullptr)
    SetLookupTextMode(false);
}

int32_t TlxCustomTextEdit::LookupKeyToItemIndex(const Variant& key) {
  if (key.IsNull() || key.IsEmpty())
    return -1;
  return key.AsInteger();
}

void TlxCustomTextEdit::LookupKeyToEditValue(const Variant& key, Variant& value) {
  std::string text;
  if (lookup_data_ != nullptr)
    lookup_data_->GetDisplayText(key, text);
  ConvertDisplayToEditValue(Variant(text), value, false);
}

int32_t TlxCustomTextEdit::GetItemIndex() {
  if (lookup_data_ == nullptr)
    return -1;
  Variant key;
  lookup_data_->GetCurrentKey(key);
  return LookupKeyToItemIndex(key);
}

TObject* TlxCustomTextEdit::GetItemObject() {
  const int32_t index = GetItemIndex();
  const TStringList* items = ActiveProperties()->LookupItems();
  if (index < 0 || index >= items->Count())
    return nullptr;
  return items->Objects(index);
}

void TlxCustomTextEdit::SetItemIndex(int32_t index) {
  if (lookup_data_ == nullptr)
    return;
  const int32_t old_index = GetItemIndex();
  {
    LockClick(true);
    TScopeExit unlock([this] { LockClick(false); });
    Variant key;
    ItemIndexToLookupKey(index, key);
    lookup_data_->SetCurrentKey(key);
    Variant current;
    lookup_data_->GetCurrentKey(current);
    Variant value;
    LookupKeyToEditValue(current, value);
    if (!lxEditValuesEqual(value, GetEditValue()))
      SetEditValue(value);
  }
  if (GetItemIndex() == old_index)
    return;
  SetModifiedAfterEnter(false);
  Click();
}

void TlxCustomTextEdit::ApplyLookupSelection(TObject* /*sender*/) {
  if (lookup_data_ == nullptr)
    return;
  Variant key;
  lookup_data_->GetCurrentKey(key);
  Variant value;
  LookupKeyToEditValue(key, value);
  const bool changed = !lxEditValuesEqual(value, GetEditValue());
  if (changed && !TryStartEditing())
    return;
  {
    PushModifiedState();
    TScopeExit pop([this] { PopModifiedState(); });
    TStateScope<bool> changing(lookup_change_, true);
    SetEditValueUnlocked(value);
  }
  if (changed)
    SetModified(true);
  SelectAll();
  RefreshFromCursor(false);
}

// --- values -------------------------------------------------------------------------------

void TlxCustomTextEdit::RefreshDisplayValue() {
  TlxCustomTextEditProperties* properties = ActiveProperties();
  Variant edit_value = GetEditValue();
  const bool focused = IsFocusedForFormatting();
  Variant display;
  if (properties->HasDisplayValue()) {
    const bool valid = properties->IsEditValueValid(edit_value, focused);
    if (valid || IsFocusWithin()) {
      if (valid)
        ConvertToDisplayValue(edit_value, display, focused);
      else
        properties->GetEmptyEditValue(display);
    } else {
      try {
        display = VarType(edit_value) == varDate ? Variant(DateTimeToStr(edit_value.AsDateTime()))
                                                  : Variant(VarToStr(edit_value));
      } catch (const EVariantError&) {
        display = Variant(std::string());
      }
    }
  } else {
    ConvertToDisplayValue(edit_value, display, focused);
  }
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  TStateScope<bool> refreshing(display_refreshing_, true);
  TScopeExit after([this] {
    LeaveLookupTextMode();
    RecalculateDisplay();
  });
  DataBinding()->AssignDisplayValue(display);
}

void TlxCustomTextEdit::RefreshEditValue() {
  TlxCustomTextEditProperties* properties = ActiveProperties();
  const bool tracking = properties->TracksEditValueChanges();
  const Variant old_value = GetEditValue();
  std::string text;
  GetDisplayText(text);
  Variant value;
  ConvertDisplayToEditValue(Variant(text), value, IsFocusedForFormatting());
  SetEditValueField(value);
  if (IsUserChange())
    SetModified(true);
  else
    SetModifiedAfterEnter(false);
  if (!tracking || lxVarEqualsStrict(old_value, value))
    return;
  TAliveToken alive = AliveToken();
  RaiseEditValueChanged();
  if (alive.Alive() && !properties->FiresChangeIndependently())
    FireChange();
}

bool TlxCustomTextEdit::TrySetText(const std::string& text) {
  Variant value(text);
  if (!ActiveProperties()->IsNewTextAcceptable(value, IsFocusedForFormatting()))
    return false;
  if (IsUserChange() && !TryStartEditing())
    return false;
  AcceptDisplayValue(value);
  return true;
}

void TlxCustomTextEdit::AcceptDisplayValue(const Variant& display_value) {
  DataBinding()->AssignDisplayValue(display_value);
  if (IsUserChange())
    return;
  LeaveLookupTextMode();
  RefreshEditValue();
  SetModifiedAfterEnter(false);
}

void TlxCustomTextEdit::CommitDisplayValue(const Variant& display_value) {
  if (EditingStyle() == tesFreeText && lookup_data_ != nullptr) {
    const std::string text = VarToStrDef(display_value, "");
    if (!lookup_data_->ContainsItemText(text))
      DoNewLookupDisplayText(text);
  }
  TlxCustomEdit::CommitDisplayValue(display_value);
}

void TlxCustomTextEdit::ValidateLookupText() {
  if (IsInnerControlUnavailable())
    return;
  const TlxTextEditingStyle style = EditingStyle();
  if (style == tesFreeText || style == tesNoEditing) {
    if (!Modified())
      DataBinding()->UpdateDisplay();
    return;
  }
  if (!(Modified() && !Validated()) && !IsUnboundStandalone()) {
    RefreshDisplayValue();
    return;
  }
  Variant text(ShownText());
  if (ActiveProperties()->IsNewTextAcceptable(text, true))
    return;
  {
    PushModifiedState();
    TScopeExit pop([this] { PopModifiedState(); });
    Variant empty;
    ActiveProperties()->GetEmptyEditValue(empty);
    DataBinding()->AssignDisplayValue(empty);
  }
  if (!Modified())
    RefreshEditValue();
}

void TlxCustomTextEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  TlxCustomTextEditProperties* active = ActiveProperties();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner != nullptr)
    inner->SetAlignment(active->GetAlignment()->Horz());
  if (lookup_data_ != nullptr) {
    lookup_data_->ItemsChanged();
    if (!LookupChanging())
      lookup_data_->TextChanged();
  }
  if (!IsInnerControlUnavailable() && !IsInnerControlShown())
    RecalculateDisplay();
  if (inner == nullptr) {
    TlxCustomEdit::PropertiesChanged(properties);
    return;
  }
  inner->SetAlignment(active->GetAlignment()->Horz());
  inner->SetAutoSelect(active->AutoSelect() && !IsInplace());
  inner->SetCharCase(active->CharCase());
  inner->SetEchoMode(active->EchoMode());
  inner->SetHideSelection(active->HideSelection());
  inner->SetImeMode(active->ImeMode());
  inner->SetImeName(active->ImeName());
  inner->SetMaxLength(active->MaxLength());
  inner->SetOEMConvert(active->OEMConvert());
  inner->SetPasswordChar(active->PasswordChar());
  CheckValueBounds();
  if (!IsPosting())
    ValidateLookupText();
  RecalculateDisplay();
  TlxCustomEdit::PropertiesChanged(properties);
  inner->GetControl()->Invalidate();
}

// --- display ----------------------------------------------------------------------------

void TlxCustomTextEdit::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomEdit::PrepareViewData(view_data);
  auto* text_data = dynamic_cast<TlxCustomTextEditViewData*>(&view_data);
  if (text_data == nullptr)
    return;
  text_data->InnerEditShown = IsInnerControlShown();
  text_data->PopupOpen = IsPopupOpen();
}

void TlxCustomTextEdit::RecalculateDisplay() {
  if (IsBeingDestroyed())
    return;
  {
    const std::unique_ptr<TlxCustomEditViewData> data = CreateViewData();
    auto* text_data = dynamic_cast<TlxCustomTextEditViewData*>(data.get());
    auto* info = dynamic_cast<TlxCustomTextEditViewInfo*>(&GetViewInfo());
    if (text_data != nullptr && info != nullptr)
      text_data->StoreDisplayText(Variant(ShownText()), *info);
  }
  if (!HandleAllocated())
    return;
  RecalculateAtCursor();
  UpdateLookupSelectionView();
  Invalidate();
}

void TlxCustomTextEdit::UpdateLookupSelectionView() {
  auto* info = dynamic_cast<TlxCustomTextEditViewInfo*>(&GetViewInfo());
  const TlxTextEditingStyle style = EditingStyle();
  if (info == nullptr || (style != tesFixedList && style != tesNoEditing))
    return;
  if (style == tesNoEditing || !completed_by_lookup_ || !ActiveProperties()->FixedListSelection()) {
    info->SelLength = 0;
    return;
  }
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const int32_t sel_length = inner != nullptr ? inner->GetSelLength() : 0;
  if (info->DrawSelectionBar) {
    info->SelStart = 0;
    info->SelLength = static_cast<int32_t>(Utf8ToUtf16(info->Text).size()) - sel_length;
    info->SelTextColor = clHighlight;
    info->SelBackgroundColor = clHighlightText;
  } else {
    info->SelStart = inner != nullptr ? inner->GetSelStart() : 0;
    info->SelLength = sel_length;
    info->SelTextColor = clHighlightText;
    info->SelBackgroundColor = clHighlight;
  }
}

bool TlxCustomTextEdit::RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                                 TShiftState shift) {
  const bool changed = TlxCustomEdit::RecalculateAndInvalidate(point, button_code, mouse_event, shift);
  if (changed && !IsBeingDestroyed())
    UpdateInnerEditColorAndFont();
  return changed;
}

void TlxCustomTextEdit::UpdateInnerEditColorAndFont() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr)
    return;
  inner->LockBounds(true);
  TScopeExit unlock([inner] { inner->LockBounds(false); });
  TWinControl* control = inner->GetControl();
  const TlxCustomEditViewInfo& info = GetViewInfo();
  control->SetColor(info.BackgroundColor);
  control->SetFont(*GetCurrentEditStyle()->GetTextFont());
  control->Font().SetColor(info.TextColor);
}

void TlxCustomTextEdit::AdjustInnerControlBounds() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || bounds_guard_)
    return;
  TStateScope<bool> guard(bounds_guard_, true);
  const int32_t height = GetTextLineHeight();
  const TRect client = GetViewInfo().ClientRect;
  const TRect offsets = InnerEditOffsets();
  const int32_t top_limit = client.Top + offsets.Top;
  int32_t top = top_limit;
  switch (ActiveProperties()->GetAlignment()->Vert()) {
    case taTopJustify:
      break;
    case taBottomJustify:
      top = client.Bottom - height - offsets.Bottom;
      break;
    case taVCenter:
      top = top_limit + (client.Height() - height - offsets.Top - offsets.Bottom) / 2;
      break;
  }
  top = std::max(top, top_limit);
  const int32_t left = client.Left + offsets.Left;
  const int32_t width = client.Width() - offsets.Left - offsets.Right + 1;
  TWinControl* control = inner->GetControl();
  if (control->Left() != left || control->Top() != top || control->Width() != width || control->Height() != height)
    control->SetBounds(left, top, width, height);
}

// --- the inner edit's notifications ----------------------------------------------------

void TlxCustomTextEdit::InnerEditChanged(TObject* sender) {
  {
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    TlxCustomEdit::InnerEditChanged(sender);
  }
  if (IsBeingDestroyed())
    return;
  if (!IsInnerControlShown())
    RecalculateDisplay();
  TlxCustomTextEditProperties* properties = ActiveProperties();
  if (IsFocusWithin() && properties->IsNumericValue() && properties->ShowsThousandSeparators(display_refreshing_))
    lxReformatNumericEditText(this);
}

void TlxCustomTextEdit::HandleInnerMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TStateScope<bool> inner_down(inner_mouse_down_, true);
  MouseDown(button, shift, x, y);
}

void TlxCustomTextEdit::CheckSelectionChange() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  if (inner->GetFirstVisibleCharIndex() != first_visible_char_) {
    LayoutChanged();
    return;
  }
  const int32_t start = inner->GetSelStart();
  const int32_t length = inner->GetSelLength();
  if (start == spell_sel_start_ && length == spell_sel_length_)
    return;
  spell_sel_start_ = start;
  spell_sel_length_ = length;
  NotifySpellCheckerSelectionChanged();
}

void TlxCustomTextEdit::SyncScrollBarsWithInnerControl(bool skip_bars) {
  TlxCustomEdit::SyncScrollBarsWithInnerControl(skip_bars);
  CheckSelectionChange();
}

UINT TlxCustomTextEdit::RedrawMisspellsMessage() {
  static const UINT message = RegisterWindowMessageW(L"WM_REDRAWMISSPELLS");
  return message;
}

void TlxCustomTextEdit::AfterInnerEditMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
    case WM_SETFONT:
      LayoutChanged();
      return;
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      CheckSelectionChange();
      return;
    case CN_CTLCOLOREDIT:
      if (IlxInnerTextEdit* inner = GetInnerTextEdit(); inner != nullptr && inner->GetControl()->HandleAllocated())
        PostMessageW(inner->GetControl()->Handle(), RedrawMisspellsMessage(), 0, 0);
      return;
    default:
      if (message.Msg == RedrawMisspellsMessage())
        NotifySpellCheckerPaint();
      return;
  }
}

void TlxCustomTextEdit::InnerWindowProc(TMessage& message) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (message.Msg == WM_SETFOCUS && inner != nullptr && inner->GetAutoSelect()) {
    inner->SelectAll();
    return;
  }
  TlxCustomEdit::InnerWindowProc(message);
}

void TlxCustomTextEdit::UnhookInnerWindowProc() {
  TlxCustomEdit::UnhookInnerWindowProc();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  const bool auto_select = inner->GetAutoSelect();
  inner->SetAutoSelect(false);
  TScopeExit restore([inner, auto_select] { inner->SetAutoSelect(auto_select); });
  inner->GetControl()->Perform(WM_SETFOCUS, 0, 0);
}

void TlxCustomTextEdit::SetTextFromInterface(const std::string& text, bool post) {
  {
    TStateScope<bool> from_interface(interface_text_, true);
    SetSelText(text);
  }
  if (post && !IsInplace() && CanPostEditValue() && !IsFocusWithin()) {
    std::string display;
    GetDisplayText(display);
    {
      LockChangeEvents(true);
      TScopeExit unlock([this] { LockChangeEvents(false); });
      StoreValueFromInterface(Variant(display));
    }
    PostEditValue(false);
  }
  SetModified(true);
}

// --- the editor's own window messages ------------------------------------------------------

LRESULT TlxCustomTextEdit::HandleWMGetText(size_t buffer_size, char16_t* buffer) {
  if (buffer_size < 1 || buffer == nullptr)
    return 0;
  std::string text;
  if (Properties() != nullptr)
    GetTextForMessage(text);
  else
    text = saved_text_;
  const std::u16string wide = Utf8ToUtf16(text);
  size_t count = std::min(wide.size(), buffer_size - 1);
  // Half a surrogate pair is no character.
  if (count > 0 && count < wide.size() && IsHighSurrogate(wide[count - 1]))
    --count;
  std::copy_n(wide.data(), count, buffer);
  buffer[count] = u'\0';
  return static_cast<LRESULT>(count);
}

void TlxCustomTextEdit::GetTextForMessage(std::string& text) { GetDisplayText(text); }

bool TlxCustomTextEdit::HandleTextMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_GETTEXT:
      message.Result = HandleWMGetText(static_cast<size_t>(message.WParam), reinterpret_cast<char16_t*>(message.LParam));
      return true;
    case WM_GETTEXTLENGTH: {
      std::string text;
      if (Properties() != nullptr)
        GetTextForMessage(text);
      else
        text = saved_text_;
      message.Result = static_cast<LRESULT>(Utf8ToUtf16(text).size());
      return true;
    }
    case WM_SETTEXT: {
      if (set_text_guard_)
        return false;
      TStateScope<bool> guard(set_text_guard_, true);
      const auto* wide = reinterpret_cast<const char16_t*>(message.LParam);
      const std::string text = wide != nullptr ? Utf16ToUtf8(wide) : std::string();
      message.Result = SetTextFromMessage(text) ? 1 : 0;
      return true;
    }
    case WM_SETFOCUS:
      if (!IsInplace())
        if (IlxInnerTextEdit* inner = GetInnerTextEdit())
          inner->GetControl()->HandleNeeded();
      return false;
    case WM_CLEAR:
      if (!ActiveProperties()->GetReadOnly() && DataBinding()->HasActiveData()) {
        TlxUserInputScope by_user(*this);
        ClearSelection();
      }
      return true;
    default:
      return false;
  }
}

void TlxCustomTextEdit::WndProc(TMessage& message) {
  if (HandleTextMessage(message))
    return;
  TlxCustomEdit::WndProc(message);
  if (message.Msg != WM_COMMAND || IsBeingDestroyed())
    return;
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated() ||
      reinterpret_cast<HWND>(message.LParam) != inner->GetControl()->Handle())
    return;
  switch (HIWORD(message.WParam)) {
    case EN_CHANGE:
      NotifySpellCheckerTextChanged();
      break;
    case EN_HSCROLL:
    case EN_VSCROLL:
      LayoutChanged();
      break;
    default:
      break;
  }
}

void TlxCustomTextEdit::DoExit() {
  TlxCustomEdit::DoExit();
  SetLookupTextMode(false);
}

void TlxCustomTextEdit::Loaded() {
  TlxCustomEdit::Loaded();
  RefreshFromCursor(false);
}

// --- the leaf class, the filter helper and the module -----------------------------------------

void TlxTextEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxTextEdit>();
  p.Persistent("Properties", TlxTextEditProperties::kClass, &TlxTextEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxTextEdit::BeepOnEnter, &TlxTextEdit::SetBeepOnEnter, true);
}

void TlxFilterTextEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxCustomFilterEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* text = dynamic_cast<TlxCustomTextEditProperties*>(properties);
  if (text == nullptr)
    return;
  text->SetAutoSelect(true);
  text->SetHideSelection(true);
  text->SetViewStyle(vsNormal);
}

void TlxFilterTextEditHelper::SetEditFilterValue(TlxCustomEdit* edit, const Variant& value) const {
  if (edit != nullptr)
    edit->SetEditValue(value);
}

void lxReformatNumericEditText(TlxCustomTextEdit* edit) {
  IlxInnerTextEdit* inner = edit->GetInnerTextEdit();
  if (inner == nullptr)
    return;
  const std::string text = edit->ShownText();
  std::string formatted = text;
  lxInsertThousandSeparators(formatted);
  if (formatted == text || !lxIsNumberText(formatted))
    return;
  const char16_t separator = static_cast<char16_t>(static_cast<unsigned char>(UserLocale().Settings().ThousandSeparator));
  const std::u16string before = Utf8ToUtf16(text);
  const auto caret = static_cast<size_t>(std::clamp<int32_t>(inner->GetSelStart(), 0, static_cast<int32_t>(before.size())));
  const auto kept = static_cast<int32_t>(
      std::count_if(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(caret),
                    [separator](char16_t c) { return c != separator; }));
  edit->DataBinding()->AssignDisplayValue(Variant(formatted));
  if (kept == 0)
    return;
  const std::u16string after = Utf8ToUtf16(formatted);
  int32_t seen = 0;
  int32_t position = 0;
  while (position < static_cast<int32_t>(after.size()) && seen < kept) {
    if (after[static_cast<size_t>(position)] != separator)
      ++seen;
    ++position;
  }
  inner->SetSelStart(position);
  inner->SetSelLength(0);
}

namespace {

TlxModuleStartCount& TextEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxTextEditInitialize() {
  TextEditModule().Start([] {
    TlxCustomTextEdit::RedrawMisspellsMessage();
    lxGetRegisteredEditProperties().AddClass(&TlxTextEditProperties::kClass, kTextEditKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxTextEditProperties::kClass,
                                                &StatelessInstance<TlxFilterTextEditHelper>());
  });
}

void lxTextEditFinalize() {
  TextEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxTextEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterTextEditHelper>());
  });
}
