#pragma once
// The mask edit's settings: which mask, of which kind, and how strictly a
// text must fill it. Display conversion and validation run the text
// through a mode of the mask's kind; without a mask everything is the text
// editor's.

#include <cstdint>
#include <memory>
#include <string>

#include "editors/mask_mode.h"
#include "editors/text_edit_properties.h"

enum TlxEditMaskKind : uint8_t { emkStandard, emkRegExpr, emkRegExprEx };

class TlxCustomMaskEditProperties : public TlxCustomTextEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomMaskEditProperties", &TlxCustomTextEditProperties::kClass,
                                 &ConstructInstance<TlxCustomMaskEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomMaskEditProperties(TPersistent* owner);
  ~TlxCustomMaskEditProperties() override;

  void Assign(const TPersistent* source) override;

  // The mode class of a mask kind; kinds with modes of their own override.
  virtual const TlxMaskModeClass& GetModeClass(TlxEditMaskKind kind) const;

  void Changed() override;
  // TlxMaskEdit; null natively.
  const TClass* GetEditControlClass() const override;
  uint32_t GetDisplayFormatOptions() const override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  bool UsesLookupData() const override;
  void MaxLengthChanged() override;
  void SetCharCase(TEditCharCase value) override;
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  // A text that does not fill the mask fails with "The edit value is
  // invalid"; so does any text while the stored mask does not compile.
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;

  bool AlwaysShowBlanksAndLiterals() const { return always_show_blanks_and_literals_; }
  void SetAlwaysShowBlanksAndLiterals(bool value);
  bool CaseInsensitive() const { return case_insensitive_ || CharCase() != ecNormal; }
  void SetCaseInsensitive(bool value);
  // The effective mask: the data's suggested mask for a blank standard mask.
  std::string EditMask() const;
  // Raises ElxMaskEditError for a mask that does not compile; nothing changes then.
  void SetEditMask(const std::string& value);
  // The own mask as set, for copying and storing.
  const std::string& OwnEditMask() const { return edit_mask_; }
  // A mask read from a stored form is taken as it is: one that does not
  // compile shows texts unmasked and fails every validation.
  void SetStoredEditMask(const std::string& value);
  bool IgnoreMaskBlank() const { return ignore_mask_blank_; }
  void SetIgnoreMaskBlank(bool value);
  TlxEditMaskKind MaskKind() const { return mask_kind_; }
  void SetMaskKind(TlxEditMaskKind value);
  // Asked at every keystroke: the own mask decides without a copy unless
  // the default values provider suggests one.
  bool IsMasked() const {
    if (mask_kind_ != emkStandard || !lxIsBlankMask(edit_mask_))
      return !lxIsBlankMask(edit_mask_);
    return !lxIsBlankMask(EditMask());
  }
  const std::u16string& GetEmptyMaskText() const { return empty_mask_text_; }
  void SetEmptyMaskText(const std::u16string& text) { empty_mask_text_ = text; }
  // Whether the stored mask compiles (a form may hold one that does not).
  bool IsMaskValid() const;
  // A mode without an edit that has compiled the effective mask; null when
  // it does not compile.
  TlxMaskEditCustomMode* DisplayMode() const;
  // Empties the own mask without compiling (a kind change across families).
  void ClearOwnEditMask() { edit_mask_.clear(); }

 private:
  bool always_show_blanks_and_literals_ = false;
  bool case_insensitive_ = true;
  std::string edit_mask_;
  std::u16string empty_mask_text_;
  bool ignore_mask_blank_ = false;
  TlxEditMaskKind mask_kind_ = emkStandard;
  bool max_length_changing_ = false;
  // The display conversion's mode, dropped at every change.
  mutable std::unique_ptr<TlxMaskEditCustomMode> display_mode_;
  mutable bool display_mode_failed_ = false;
};

class TlxMaskEditProperties : public TlxCustomMaskEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMaskEditProperties", &TlxCustomMaskEditProperties::kClass,
                                 &ConstructInstance<TlxMaskEditProperties>, &TlxMaskEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomMaskEditProperties::TlxCustomMaskEditProperties;
};
