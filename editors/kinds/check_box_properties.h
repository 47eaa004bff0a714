#pragma once
// The check box editor kind's properties: which of three values an edit
// value stands for (checked, unchecked, grayed), the text of each state,
// and the settings the check box's drawing reads. Portable; the glyph
// bitmap is the platform's and lives in check_box_properties_win.cpp.

#include <cstdint>
#include <memory>
#include <string>

#include "editors/edit_properties.h"
#include "editors/filter_edit_helper.h"
#include "ui/foundation/painters/painter_types.h"

class TBitmap;

enum TlxCheckBoxNullValueShowingStyle : uint8_t { nssUnchecked, nssInactive, nssGrayedChecked };

class TlxCustomCheckBoxProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomCheckBoxProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TlxCustomCheckBoxProperties>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCheckBoxProperties(TPersistent* owner);
  ~TlxCustomCheckBoxProperties() override;

  // Virtual operations, in the order of their slots.
  // The glyph with the check images, made empty on first use (null in a
  // build without the platform's bitmaps).
  virtual TBitmap* GetGlyph();
  // Whether a grid cell keeps the caption and alignment; no class answers
  // true.
  virtual bool ShowsCaptionInplace() const { return false; }

  // The check state an edit value stands for: checked, unchecked, and
  // anything else (Null and ValueGrayed among it) grayed.
  TlxCheckBoxState GetCheckState(const Variant& edit_value) const;
  // The edit value of a state number; any other number gives an
  // unassigned value.
  Variant GetEditValueOfState(int32_t state) const;

  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool value) { Store(allow_grayed_, value); }
  const std::string& Caption() const { return caption_; }
  // Marks the caption as assigned even when unchanged.
  void SetCaption(const std::string& value);
  bool IsCaptionAssigned() const { return caption_assigned_; }
  void ClearCaptionAssigned() { caption_assigned_ = false; }
  const std::string& DisplayChecked() const { return display_checked_; }
  void SetDisplayChecked(const std::string& value) { Store(display_checked_, value); }
  const std::string& DisplayUnchecked() const { return display_unchecked_; }
  void SetDisplayUnchecked(const std::string& value) { Store(display_unchecked_, value); }
  const std::string& DisplayGrayed() const { return display_grayed_; }
  void SetDisplayGrayed(const std::string& value) { Store(display_grayed_, value); }
  bool FullFocusRect() const { return full_focus_rect_; }
  void SetFullFocusRect(bool value) { Store(full_focus_rect_, value); }
  // A null bitmap frees the glyph; every assignment notifies.
  void SetGlyph(TBitmap* value);
  bool HasGlyph() const { return glyph_ != nullptr; }
  int32_t GlyphCount() const { return glyph_count_; }
  // Notifies only while a glyph exists.
  void SetGlyphCount(int32_t value);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool value) { Store(multi_line_, value); }
  TlxCheckBoxNullValueShowingStyle NullStyle() const { return null_style_; }
  void SetNullStyle(TlxCheckBoxNullValueShowingStyle value) { Store(null_style_, value); }
  bool UseAlignmentWhenInplace() const { return use_alignment_when_inplace_; }
  void SetUseAlignmentWhenInplace(bool value) { Store(use_alignment_when_inplace_, value); }
  // The three values stay pairwise different (same type and value) and the
  // checked and unchecked ones never Null, except while the owner loads; a
  // value that breaks that is dropped silently.
  const Variant& ValueChecked() const { return value_checked_; }
  void SetValueChecked(const Variant& value);
  const Variant& ValueGrayed() const { return value_grayed_; }
  void SetValueGrayed(const Variant& value);
  const Variant& ValueUnchecked() const { return value_unchecked_; }
  void SetValueUnchecked(const Variant& value);
  // All three at once, only when they keep the rules together.
  void SetValues(const Variant& checked, const Variant& grayed, const Variant& unchecked);

  bool DisplayCheckedNeedsStoring() const;
  bool DisplayUncheckedNeedsStoring() const;
  bool DisplayGrayedNeedsStoring() const;

  // Editor-properties operations.
  bool HasDisplayValue() const override { return true; }
  bool FiresChangeIndependently() const override { return true; }
  bool TracksEditValueChanges() const override { return true; }
  bool EditValuesEqual(const Variant& value1, const Variant& value2) const override;
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  uint32_t GetEditorKindFlags() const override { return TlxCustomEditProperties::GetEditorKindFlags() | 4u; }
  uint32_t GetEditCapabilities() const override { return 1453; }
  bool IsActivationKey(char16_t ch) const override { return ch == u' '; }
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  bool CanRestoreEditValue() const override { return true; }
  // The check box's own view classes (none natively).
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;

  void Assign(const TPersistent* source) override;
  // Reads the "Caption" of older streams; writes nothing.
  void DefineProperties(TFiler& filer) override;

 private:
  bool OwnerIsLoading() const;
  // Strictly different from all three current values.
  bool DiffersFromAllValues(const Variant& value) const;
  void CreateGlyph();
  void CopyGlyph(TBitmap* value);

  bool allow_grayed_ = false;
  std::string caption_;
  bool caption_assigned_ = false;
  std::string display_checked_;
  std::string display_unchecked_;
  std::string display_grayed_;
  bool full_focus_rect_ = false;
  // The platform's bitmap, made and freed by the platform part.
  std::shared_ptr<TBitmap> glyph_;
  int32_t glyph_count_ = 6;
  bool multi_line_ = false;
  TlxCheckBoxNullValueShowingStyle null_style_ = nssGrayedChecked;
  bool use_alignment_when_inplace_ = false;
  Variant value_checked_;
  Variant value_grayed_;
  Variant value_unchecked_;
};

class TlxCheckBoxProperties : public TlxCustomCheckBoxProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCheckBoxProperties", &TlxCustomCheckBoxProperties::kClass,
                                 &ConstructInstance<TlxCheckBoxProperties>, &TlxCheckBoxProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomCheckBoxProperties::TlxCustomCheckBoxProperties;
};

// How a filter operand of a check-box column is chosen: from two items,
// the checked value's text and the unchecked value's text.
class TlxFilterCheckBoxHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterCheckBoxHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Equals, not equals, is blank and is not blank only.
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  bool UsesDisplayText() const override { return true; }

  // The operand of item 0 (checked), 1 (unchecked) or -1 (none: Null and
  // an empty text).
  static void GetFilterValue(const TlxCustomCheckBoxProperties& properties, int32_t item_index, Variant& value,
                             std::string& display_text);
  // The item a value selects: checked 0, unchecked 1, grayed -1.
  static int32_t ItemIndexOfValue(const TlxCustomCheckBoxProperties& properties, const Variant& value);
  // The two item texts, checked first.
  static void GetItemTexts(const TlxCustomCheckBoxProperties& properties, std::string& checked,
                           std::string& unchecked);
};

// The platform's shared drawing resources of the check box (the
// check-mark mask); nothing natively.
void lxPrepareCheckBoxResources();
void lxFreeCheckBoxResources();

// The check box module's start and end: the editor kind and its filter
// helper registered, the shared check-state list emptied at the end.
void lxCheckBoxModuleStart();
void lxCheckBoxModuleEnd();
