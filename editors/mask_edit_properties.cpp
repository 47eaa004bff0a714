#include "editors/mask_edit_properties.h"

#include "editors/edit_strings.h"
#include "editors/mask_mode_regexpr.h"
#include "editors/mask_mode_standard.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

TlxCustomMaskEditProperties::TlxCustomMaskEditProperties(TPersistent* owner) : TlxCustomTextEditProperties(owner) {
  SetValidateOnEnter(true);
}

TlxCustomMaskEditProperties::~TlxCustomMaskEditProperties() { display_mode_.reset(); }

void TlxCustomMaskEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomMaskEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomTextEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomTextEditProperties::Assign(source);
  SetMaskKind(other->mask_kind_);
  // Copied as it is: a stored mask that does not compile stays visible as
  // such instead of failing the copy.
  const std::string mask = other->EditMask();
  if (edit_mask_ != mask) {
    edit_mask_ = mask;
    Changed();
  }
  SetCaseInsensitive(other->case_insensitive_);
  SetIgnoreMaskBlank(other->ignore_mask_blank_);
  SetAlwaysShowBlanksAndLiterals(other->always_show_blanks_and_literals_);
}

const TlxMaskModeClass& TlxCustomMaskEditProperties::GetModeClass(TlxEditMaskKind kind) const {
  switch (kind) {
    case emkRegExpr:
      return TlxMaskEditRegExprMode::kModeClass;
    case emkRegExprEx:
      return TlxMaskEditRegExprExMode::kModeClass;
    case emkStandard:
      break;
  }
  return TlxMaskEditStandardMode::kModeClass;
}

void TlxCustomMaskEditProperties::Changed() {
  display_mode_.reset();
  display_mode_failed_ = false;
  TlxCustomTextEditProperties::Changed();
}

uint32_t TlxCustomMaskEditProperties::GetDisplayFormatOptions() const {
  return IsMasked() ? 0 : TlxCustomTextEditProperties::GetDisplayFormatOptions();
}

bool TlxCustomMaskEditProperties::IsEditValueValid(Variant& edit_value, bool edit_focused) const {
  return IsMasked() || TlxCustomTextEditProperties::IsEditValueValid(edit_value, edit_focused);
}

bool TlxCustomMaskEditProperties::UsesLookupData() const {
  return !IsMasked() && TlxCustomTextEditProperties::UsesLookupData();
}

void TlxCustomMaskEditProperties::MaxLengthChanged() {
  if (!IsMasked() || max_length_changing_) {
    TlxCustomTextEditProperties::MaxLengthChanged();
    return;
  }
  // A mask decides the length: the value is forced back to 0.
  max_length_changing_ = true;
  TScopeExit done([this] { max_length_changing_ = false; });
  TUpdateScope<TlxCustomEditProperties> update(*this);
  SetMaxLength(0);
}

void TlxCustomMaskEditProperties::SetCharCase(TEditCharCase value) {
  if (value != ecNormal)
    SetCaseInsensitive(true);
  TlxCustomTextEditProperties::SetCharCase(value);
}

void TlxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool value) {
  if (always_show_blanks_and_literals_ == value)
    return;
  always_show_blanks_and_literals_ = value;
  Changed();
}

void TlxCustomMaskEditProperties::SetCaseInsensitive(bool value) {
  const bool stored = CharCase() != ecNormal || value;
  if (case_insensitive_ == stored)
    return;
  case_insensitive_ = stored;
  Changed();
}

void TlxCustomMaskEditProperties::SetIgnoreMaskBlank(bool value) {
  if (ignore_mask_blank_ == value)
    return;
  ignore_mask_blank_ = value;
  Changed();
}

void TlxCustomMaskEditProperties::SetMaskKind(TlxEditMaskKind value) {
  if (mask_kind_ == value)
    return;
  mask_kind_ = value;
  Changed();
}

std::string TlxCustomMaskEditProperties::EditMask() const {
  if (mask_kind_ != emkStandard || !lxIsBlankMask(edit_mask_))
    return edit_mask_;
  std::string suggested;
  if (DefaultValuesProvider() != nullptr)
    DefaultValuesProvider()->SuggestedEditMask(suggested);
  return suggested;
}

void TlxCustomMaskEditProperties::SetEditMask(const std::string& value) {
  if (value == EditMask()) {
    edit_mask_ = value;
    return;
  }
  const std::unique_ptr<TlxMaskEditCustomMode> check = GetModeClass(mask_kind_).Create(nullptr, this);
  check->CompileMask(value);
  edit_mask_ = value;
  Changed();
}

void TlxCustomMaskEditProperties::SetStoredEditMask(const std::string& value) {
  if (edit_mask_ == value)
    return;
  edit_mask_ = value;
  Changed();
}

TlxMaskEditCustomMode* TlxCustomMaskEditProperties::DisplayMode() const {
  const TlxMaskModeClass& mode_class = GetModeClass(mask_kind_);
  const std::string mask = EditMask();
  const bool current = display_mode_ != nullptr && &display_mode_->ModeClass() == &mode_class &&
                       display_mode_->EditMask() == mask;
  if (!current) {
    display_mode_ = mode_class.Create(nullptr, const_cast<TlxCustomMaskEditProperties*>(this));
    display_mode_failed_ = false;
    try {
      display_mode_->CompileMask(mask);
    } catch (const ElxMaskEditError&) {
      display_mode_failed_ = true;
    }
  }
  return display_mode_failed_ ? nullptr : display_mode_.get();
}

bool TlxCustomMaskEditProperties::IsMaskValid() const { return !IsMasked() || DisplayMode() != nullptr; }

void TlxCustomMaskEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool edit_focused) const {
  if (!IsMasked() ||
      (!edit_focused && DefaultValuesProvider() != nullptr && DefaultValuesProvider()->IsDisplayFormatDefined(true))) {
    TlxCustomTextEditProperties::ConvertToDisplayValue(edit_value, display_value, edit_focused);
    return;
  }
  const std::string text = VarToStr(edit_value);
  TlxMaskEditCustomMode* mode = DisplayMode();
  // A stored mask that does not compile shows the text as it is.
  if (mode == nullptr) {
    display_value = Variant(text);
    return;
  }
  const std::u16string value = Utf8ToUtf16(text);
  const bool as_while_editing = edit_focused || mode->GetEditMaskKind() != 0 || always_show_blanks_and_literals_;
  const std::u16string shown =
      as_while_editing ? mode->FormatTextForEditing(value, false) : mode->FormatTextForDisplay(value, false);
  display_value = Variant(Utf16ToUtf8(shown));
}

void TlxCustomMaskEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  if (!error && IsMasked()) {
    TlxMaskEditCustomMode* mode = nullptr;
    if (auto* owner = dynamic_cast<IlxMaskModeOwner*>(edit))
      mode = owner->MaskMode();
    if (mode == nullptr)
      mode = DisplayMode();
    if (mode == nullptr || !mode->IsFullMatch(Utf8ToUtf16(VarToStr(display_value)))) {
      error = true;
      error_text = lxEditResString(slxMaskEditInvalidEditValue);
    }
  }
  TlxCustomTextEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

void TlxMaskEditProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishTextEditSettings(properties);
  using P = TlxCustomMaskEditProperties;
  auto p = properties.For<P>();
  p.Boolean("AlwaysShowBlanksAndLiterals", &P::AlwaysShowBlanksAndLiterals, &P::SetAlwaysShowBlanksAndLiterals,
            false);
  p.Boolean("CaseInsensitive", &P::CaseInsensitive, &P::SetCaseInsensitive, true);
  p.String("EditMask", &P::OwnEditMask, &P::SetStoredEditMask);
  p.Boolean("IgnoreMaskBlank", &P::IgnoreMaskBlank, &P::SetIgnoreMaskBlank, false);
  p.Enumeration("MaskKind", &P::MaskKind, &P::SetMaskKind, {"emkStandard", "emkRegExpr", "emkRegExprEx"},
                std::optional<TlxEditMaskKind>(emkStandard));
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, true);
}
