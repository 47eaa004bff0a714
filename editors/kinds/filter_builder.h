#pragma once
// The filter builder's rules apart from its window: its own criteria, the
// row tree and its flat list, the focused and hot elements, scrolling,
// focus movement, structure edits, Apply and the filter files. The window
// (TlxCustomFilterControl) supplies the client area, the focus, the open
// value editor and repainting through IlxFilterBuilderHost, and measures
// text through the view info's measurer.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/kinds/filter_rows.h"
#include "editors/kinds/filter_view_info.h"
#include "platform/rtl/stream.h"

class TStrings;

// What is open in place.
inline constexpr uint8_t femNone = 0;
inline constexpr uint8_t femRowMenu = 1;
inline constexpr uint8_t femItemList = 2;
inline constexpr uint8_t femBoolOperatorList = 3;
inline constexpr uint8_t femOperatorList = 4;
inline constexpr uint8_t femOperandEditor = 5;

class IlxFilterBuilderHost : public virtual IInterface {
 public:
  virtual TRect ClientBounds() = 0;
  virtual bool IsEnabled() = 0;
  // The control, its list or its value editor has the keyboard focus.
  virtual bool HasFocus() = 0;
  // Whether a layout may run now (a window exists, nothing is loading,
  // no list is dropped down).
  virtual bool CanLayout() = 0;
  // Closes the open value editor; with `apply` its value is checked and
  // stored first, and a refused value raises.
  virtual void CloseOperandEditor(bool apply) = 0;
  // The value editor kept for the current operand kind is dropped, so the
  // next activation builds a fresh one.
  virtual void ForgetOperandEditor() = 0;
  virtual void RepaintRect(const TRect& rect, bool erase) = 0;
  virtual void Repaint() = 0;
  // Row count, content width or scroll positions changed.
  virtual void ScrollRangeChanged() = 0;
};

// A host for a builder without a window: nothing is open, nothing painted.
class TlxWindowlessFilterBuilderHost : public IlxFilterBuilderHost {
 public:
  explicit TlxWindowlessFilterBuilderHost(TRect client) : client_(client) {}
  TRect ClientBounds() override { return client_; }
  bool IsEnabled() override { return true; }
  bool HasFocus() override { return focused; }
  bool CanLayout() override { return true; }
  void CloseOperandEditor(bool /*apply*/) override {}
  void ForgetOperandEditor() override {}
  void RepaintRect(const TRect& /*rect*/, bool /*erase*/) override {}
  void Repaint() override {}
  void ScrollRangeChanged() override {}
  void SetClient(TRect client) { client_ = client; }

  bool focused = false;

 private:
  TRect client_;
};

class TlxFilterBuilder : public TObject {
 public:
  static constexpr TClass kClass{"TlxFilterBuilder", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Host and measurer stay the caller's and outlive the builder.
  TlxFilterBuilder(IlxFilterBuilderHost& host, IlxFilterTextMeasurer& measurer);
  ~TlxFilterBuilder() override;

  // Hooks of the control, in the order of their slots.
  virtual void BuildFromCriteria();
  virtual void ApplyFilter();
  virtual TlxCustomEditProperties* GetDefaultProperties() const { return default_properties_.get(); }
  virtual void FillItemList(TStrings* strings);
  virtual void FillOperatorList(TStrings* strings);
  virtual void AdjustSupportedOperators(TlxFilterConditionOperators& operators) const;
  virtual void AdjustOperatorClass(const TClass*& /*operator_class*/) const {}

  // The rows and the criteria.
  void ApplyRowsToCriteria();
  void Clear();
  void ClearRows();
  bool IsValid() const;
  std::string GetFilterCaption();
  std::string GetFilterText();
  // A failed load (bad bytes, unknown items) keeps criteria and rows.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name);

  // The link: criteria and rows follow it.
  IlxFilterControl* Link() const { return link_; }
  void SetLink(IlxFilterControl* link);
  void UpdateFromLink();
  bool HasItems() const;

  // Structure edits (all need items).
  void AddCondition(TlxCustomRowViewInfo* row);
  void AddGroup();
  void AddOperandValue();
  void RemoveFocused();
  void RemoveRow();
  void RemoveOperandValue();

  // Focus movement; `wrap` for Tab and Shift+Tab, not for the arrows.
  void FocusNext(bool wrap);
  void FocusPrev(bool wrap);
  void FocusUp(bool wrap);
  void FocusDown(bool wrap);
  void FocusRow(TlxCustomRowViewInfo* row);
  void SetFocusedElement(uint8_t kind, int32_t operand_index = -1);
  void MakeFocusedVisible();

  // Layout and scrolling.
  void LayoutChanged();
  void RequestLayout();
  void LockLayout() { ++lock_count_; }
  void UnlockLayout();
  int32_t TopRow() const { return top_row_; }
  int32_t LeftOffset() const { return left_offset_; }
  // Clamped to what can be scrolled; a change requests a layout.
  void SetTopRow(int32_t row);
  void SetLeftOffset(int32_t offset);
  // The visible rows a vertical page holds.
  int32_t VisibleRowCount();
  bool IsHotTrackOn();

  TlxFilterControlCriteria& Criteria() const { return *criteria_; }
  TlxGroupViewInfo& Root() const { return *root_; }
  const std::vector<TlxCustomRowViewInfo*>& RowList() const { return row_list_; }
  void RebuildRowList();
  int32_t RowIndex(const TlxCustomRowViewInfo* row) const;
  TlxFilterControlViewInfo& ViewInfo() const { return *view_info_; }
  IlxFilterBuilderHost& Host() const { return host_; }
  // The focused row as a condition, or null.
  TlxConditionViewInfo* FocusedCondition() const;
  void SetDefaultProperties(std::unique_ptr<TlxCustomEditProperties> properties);

  // Settings.
  bool SortItems() const { return sort_items_; }
  void SetSortItems(bool value) { sort_items_ = value; }
  const std::string& NullString() const { return null_string_; }
  void SetNullString(const std::string& value);
  // Takes the current default text when NullString still holds the old one.
  void LoadNullStringDefault(const std::string& default_text);
  bool ShowLevelLines() const { return show_level_lines_; }
  void SetShowLevelLines(bool value);
  bool HotTrackOnUnfocused() const { return hot_track_on_unfocused_; }
  void SetHotTrackOnUnfocused(bool value) { hot_track_on_unfocused_ = value; }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value) { want_tabs_ = value; }

  TlxFilterBuilderHitInfo FocusedInfo;
  TlxFilterBuilderHitInfo HotInfo;
  uint8_t EditMode = femNone;
  bool OperandError = false;

  // Raised during Apply, after the rows were copied into the linked criteria.
  TNotifyEvent OnApplyFilter;

 protected:
  virtual void DoApplyFilter();

 private:
  std::unique_ptr<TlxGroupViewInfo> BuildRows(const TlxFilterCriteria& criteria);
  void InstallRows(std::unique_ptr<TlxGroupViewInfo> root);
  void BuildGroup(TlxGroupViewInfo& group, const TlxFilterCriteriaItemList& list, int32_t depth);
  void WriteGroup(const TlxGroupViewInfo& group, TlxFilterCriteriaItemList& list);
  void WriteCondition(const TlxConditionViewInfo& condition, TlxFilterCriteriaItemList& list);
  TlxCustomRowViewInfo* FirstIncompleteRow() const;
  TlxGroupViewInfo* NearestGroup(TlxCustomRowViewInfo* row) const;
  void FocusLastElement(TlxCustomRowViewInfo* row);
  TRect FocusedElementRect() const;

  IlxFilterBuilderHost& host_;
  IlxFilterControl* link_ = nullptr;
  std::unique_ptr<TlxFilterControlCriteria> criteria_;
  std::unique_ptr<TlxGroupViewInfo> root_;
  std::vector<TlxCustomRowViewInfo*> row_list_;
  std::unique_ptr<TlxFilterControlViewInfo> view_info_;
  std::unique_ptr<TlxCustomEditProperties> default_properties_;
  int32_t lock_count_ = 0;
  int32_t top_row_ = 0;
  int32_t left_offset_ = 0;
  bool sort_items_ = false;
  std::string null_string_;
  // The default text NullString was last given by the texts.
  std::string null_string_default_;
  bool show_level_lines_ = true;
  bool hot_track_on_unfocused_ = true;
  bool want_tabs_ = false;
};

// The caption tables the builder draws with: the 37 operator captions and
// the 4 bool operator captions, loaded with the texts.
const std::string& lxFilterOperatorCaption(TlxFilterConditionOperator op);
const std::string& lxFilterBoolOperatorCaption(TlxFilterBoolOperatorKind kind);
void lxLoadFilterCaptionTables();
