#pragma once
// TlxCustomGridTableItem: one field of a record-based view (the table view's
// column derives from it). It binds a data field of the view's data
// controller, chooses the editor kind that shows its values, carries
// caption, width, visibility and per-item switches, and takes part in
// sorting, grouping and filtering through the data controller by its index.
// Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller_types.h"
#include "grid/grid_view_win.h"
#include "grid/table_filtering_types.h"
#include "platform/rtl/alignment.h"
#include "ui/foundation/painters/painter_types.h"

class TStrings;
class TlxCanvas;
class TlxCustomEdit;
class TlxCustomEditProperties;
class TlxCustomEditViewData;
class TlxCustomGridCellViewInfo;
class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxEditRepositoryItem;
class TlxEditStyle;
class TlxGridFilteringDateRanges;
class TlxGridFilterValueList;
class TlxGridGroupingDateRanges;
class TlxGridItemDataBinding;
class TlxGridTableDataCellViewInfo;
class TlxGridDateRanges;

enum TlxGridItemShowEditButtons : uint8_t { isebDefault, isebNever, isebAlways };
enum TlxGridItemSortByDisplayText : uint8_t { isbtDefault, isbtOn, isbtOff };

using TlxGridTableDataCellCustomDrawEvent = std::function<void(
    TlxCustomGridTableView* sender, TlxCanvas* canvas, TlxGridTableDataCellViewInfo* view_info, bool& done)>;
using TlxGridGetCellHintEvent = std::function<void(
    TlxCustomGridTableItem* sender, TlxCustomGridRecord* record, TlxCustomGridCellViewInfo* cell_view_info,
    const TPoint& mouse_pos, std::string& hint_text, bool& is_hint_multi_line, TRect& hint_text_rect)>;
using TlxGridGetDataTextEvent =
    std::function<void(TlxCustomGridTableItem* sender, int32_t record_index, std::string& text)>;
using TlxGridGetDisplayTextEvent =
    std::function<void(TlxCustomGridTableItem* sender, TlxCustomGridRecord* record, std::string& text)>;
using TlxGridGetFilterDisplayTextEvent =
    std::function<void(TlxCustomGridTableItem* sender, const Variant& value, std::string& display_text)>;
using TlxGridGetFilterValuesEvent =
    std::function<void(TlxCustomGridTableItem* sender, TlxGridFilterValueList* value_list)>;
using TlxGridGetPropertiesEvent = std::function<void(TlxCustomGridTableItem* sender, TlxCustomGridRecord* record,
                                                     TlxCustomEditProperties*& properties)>;
using TlxGridTableItemGetStoredPropertiesEvent =
    std::function<void(TlxCustomGridTableItem* sender, TStrings* properties)>;
using TlxGridTableItemGetStoredPropertyValueEvent =
    std::function<void(TlxCustomGridTableItem* sender, const std::string& name, Variant& value)>;
using TlxGridTableItemSetStoredPropertyValueEvent =
    std::function<void(TlxCustomGridTableItem* sender, const std::string& name, const Variant& value)>;
using TlxGridInitDateRangesEvent =
    std::function<void(TlxCustomGridTableItem* sender, TlxGridDateRanges* date_ranges)>;
using TlxGridUserFilteringEvent =
    std::function<void(TlxCustomGridTableItem* sender, const Variant& value, const std::string& display_text)>;
using TlxGridGetItemCellStyleEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* record,
                                                        TlxCustomGridTableItem* item, TlxStyle*& style)>;

// Holds the item and forwards a change of kind k to it.
class TlxCustomGridTableItemCustomOptions : public TPersistent {
 public:
  using TOwnerType = TlxCustomGridTableItem;
  static constexpr TClass kClass{"TlxCustomGridTableItemCustomOptions", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableItemCustomOptions(TlxCustomGridTableItem* item) : item_(item) {}
  TPersistent* GetOwner() const override;
  TlxCustomGridTableItem* Item() const { return item_; }
  TlxCustomGridTableView* GridView() const;

 protected:
  void Changed(TlxGridViewChangeKind kind);
  template <class T>
  bool SetOption(T& field, T value, TlxGridViewChangeKind kind) {
    if (field == value)
      return false;
    field = value;
    Changed(kind);
    return true;
  }

 private:
  TlxCustomGridTableItem* item_;
};

class TlxCustomGridTableItemOptions : public TlxCustomGridTableItemCustomOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItemOptions", &TlxCustomGridTableItemCustomOptions::kClass,
                                 &ConstructInstance<TlxCustomGridTableItemOptions>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemCustomOptions::TlxCustomGridTableItemCustomOptions;

  void Assign(const TPersistent* source) override;

  bool Editing() const { return editing_; }
  void SetEditing(bool value);
  bool Filtering() const { return filtering_; }
  void SetFiltering(bool value);
  bool FilteringFilteredItemsList() const { return filtering_filtered_items_list_; }
  void SetFilteringFilteredItemsList(bool value) { SetOption(filtering_filtered_items_list_, value, vckProperty); }
  bool FilteringMRUItemsList() const { return filtering_mru_items_list_; }
  void SetFilteringMRUItemsList(bool value) { SetOption(filtering_mru_items_list_, value, vckProperty); }
  bool FilteringPopup() const { return filtering_popup_; }
  void SetFilteringPopup(bool value) { SetOption(filtering_popup_, value, vckSize); }
  bool FilteringPopupMultiSelect() const { return filtering_popup_multi_select_; }
  void SetFilteringPopupMultiSelect(bool value) { SetOption(filtering_popup_multi_select_, value, vckProperty); }
  bool Focusing() const { return focusing_; }
  void SetFocusing(bool value);
  bool Grouping() const { return grouping_; }
  void SetGrouping(bool value) { SetOption(grouping_, value, vckProperty); }
  bool IgnoreTimeForFiltering() const { return ignore_time_for_filtering_; }
  void SetIgnoreTimeForFiltering(bool value);
  bool IncSearch() const { return inc_search_; }
  void SetIncSearch(bool value);
  bool Moving() const { return moving_; }
  void SetMoving(bool value) { SetOption(moving_, value, vckProperty); }
  bool ShowCaption() const { return show_caption_; }
  void SetShowCaption(bool value);
  TlxGridItemShowEditButtons ShowEditButtons() const { return show_edit_buttons_; }
  void SetShowEditButtons(TlxGridItemShowEditButtons value) { SetOption(show_edit_buttons_, value, vckSize); }
  TlxGridItemSortByDisplayText SortByDisplayText() const { return sort_by_display_text_; }
  void SetSortByDisplayText(TlxGridItemSortByDisplayText value);
  bool Sorting() const { return sorting_; }
  void SetSorting(bool value) { SetOption(sorting_, value, vckProperty); }

 private:
  bool editing_ = true;
  bool filtering_ = true;
  bool filtering_filtered_items_list_ = true;
  bool filtering_mru_items_list_ = true;
  bool filtering_popup_ = true;
  bool filtering_popup_multi_select_ = true;
  bool focusing_ = true;
  bool grouping_ = true;
  bool ignore_time_for_filtering_ = true;
  bool inc_search_ = true;
  bool moving_ = true;
  bool show_caption_ = true;
  TlxGridItemShowEditButtons show_edit_buttons_ = isebDefault;
  TlxGridItemSortByDisplayText sort_by_display_text_ = isbtDefault;
  bool sorting_ = true;
};

class TlxCustomGridTableItemStyles : public TlxCustomGridStyles {
 public:
  using TOwnerType = TlxCustomGridTableItem;
  static constexpr int32_t kContent = 0;
  static constexpr TClass kClass{"TlxCustomGridTableItemStyles", &TlxCustomGridStyles::kClass,
                                 &ConstructInstance<TlxCustomGridTableItemStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableItemStyles(TlxCustomGridTableItem* item);
  void Assign(const TPersistent* source) override;
  TlxCustomGridView* GetGridView() const override;
  TlxCustomGridTableItem* Item() const { return item_; }
  TlxGridGetItemCellStyleEvent OnGetContentStyle;

  // --- overridable, in slot order --------------------------------------
  virtual void GetContentParams(TlxCustomGridRecord* record, TlxPaintParams& params);

  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;

 private:
  TlxCustomGridTableItem* item_;
};

class TlxCustomGridTableItem : public TlxComponent {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItem", &TlxComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableItem(TComponent* owner);
  ~TlxCustomGridTableItem() override;
  // Made after construction, when the descendant's class operations answer.
  void Initialize();

  // --- identity and place ----------------------------------------------
  TlxCustomGridTableView* GridView() const { return grid_view_; }
  void SetGridView(TlxCustomGridTableView* value);
  int32_t Index() const { return index_; }
  void SetIndex(int32_t value);
  int32_t VisibleIndex() const { return visible_index_; }
  int32_t ID() const { return id_; }
  void SetID(int32_t value) { id_ = value; }
  // Set by the view when it renumbers its lists.
  void AssignIndex(int32_t value) { index_ = value; }
  void AssignVisibleIndex(int32_t value) { visible_index_ = value; }

  // --- published -------------------------------------------------------
  std::string Caption() const;
  void SetCaption(const std::string& value);
  bool IsCaptionAssigned() const { return caption_assigned_; }
  void SetIsCaptionAssigned(bool value) { caption_assigned_ = value; }
  const std::string& AlternateCaption() const { return alternate_caption_; }
  void SetAlternateCaption(const std::string& value);
  int32_t BestFitMaxWidth() const { return best_fit_max_width_; }
  void SetBestFitMaxWidth(int32_t value);
  TlxGridItemDataBinding* DataBinding() const { return data_binding_.get(); }
  void SetDataBinding(const TlxGridItemDataBinding& value);
  TlxGridDateTimeGrouping DateTimeGrouping() const { return date_time_grouping_; }
  void SetDateTimeGrouping(TlxGridDateTimeGrouping value);
  TAlignment HeaderAlignmentHorz() const;
  void SetHeaderAlignmentHorz(TAlignment value);
  TlxAlignmentVert HeaderAlignmentVert() const;
  void SetHeaderAlignmentVert(TlxAlignmentVert value);
  int32_t MinWidth() const;
  void SetMinWidth(int32_t value);
  int32_t Width() const;
  void SetWidth(int32_t value);
  bool IsWidthAssigned() const { return width_assigned_; }
  bool Visible() const { return GetVisible(); }
  void SetVisible(bool value);
  bool VisibleForCustomization() const { return GetVisibleForCustomization(); }
  void SetVisibleForCustomization(bool value);
  bool WasVisibleBeforeGrouping() const { return was_visible_before_grouping_; }
  void SetWasVisibleBeforeGrouping(bool value) { was_visible_before_grouping_ = value; }
  TlxCustomGridTableItemOptions* Options() const { return options_.get(); }
  TlxCustomGridTableItemStyles* Styles() const { return styles_.get(); }
  TlxCustomEditProperties* Properties() const { return properties_.get(); }
  void SetProperties(const TlxCustomEditProperties* value);
  std::string PropertiesClassName() const;
  void SetPropertiesClassName(const std::string& value);
  const TClass* PropertiesClass() const { return properties_class_; }
  void SetPropertiesClass(const TClass* value);
  TlxEditRepositoryItem* RepositoryItem() const { return repository_item_; }
  void SetRepositoryItem(TlxEditRepositoryItem* value);
  TlxCustomEditProperties* GetProperties();
  TlxCustomEditProperties* GetPropertiesForRecord(TlxCustomGridRecord* record);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value);
  TlxGridFilteringDateRanges* FilteringDateRanges() const { return filtering_date_ranges_.get(); }
  TlxGridGroupingDateRanges* GroupingDateRanges() const { return grouping_date_ranges_.get(); }

  // Kept by the data controller, by the item's index.
  TlxDataSortOrder SortOrder() const;
  void SetSortOrder(TlxDataSortOrder value);
  int32_t SortIndex() const;
  void SetSortIndex(int32_t value);
  int32_t GroupIndex() const;
  void SetGroupIndex(int32_t value);
  bool IsSortOrderStored() const;

  // The four assigned flags are cleared together.
  void RestoreDefaults();
  void ApplyBestFit(bool check_sizing = false, bool fire_event = false);
  bool IsSortedByDisplayText(bool default_value) const;
  bool UsesGroupingDateRanges() const;
  bool UsesDateFilterEntries() const;
  void RefreshGroupingDateRanges();
  void ValueTypeClassChanged();
  void VisibleChanged();
  void VisibleForCustomizationChanged();
  void AddCell(TlxCustomGridCellViewInfo* cell);
  void RemoveCell(TlxCustomGridCellViewInfo* cell);
  TlxEditStyle* AcquireCellStyle();
  void ReleaseCellStyle();

  // --- events ----------------------------------------------------------
  TlxGridTableDataCellCustomDrawEvent OnCustomDrawCell;
  TlxGridGetCellHintEvent OnGetCellHint;
  TlxGridGetDataTextEvent OnGetDataText;
  TlxGridGetDisplayTextEvent OnGetDisplayText;
  TlxGridGetFilterDisplayTextEvent OnGetFilterDisplayText;
  TlxGridGetFilterValuesEvent OnGetFilterValues;
  TlxGridGetPropertiesEvent OnGetProperties;
  TlxGridGetPropertiesEvent OnGetPropertiesForEdit;
  TlxGridTableItemGetStoredPropertiesEvent OnGetStoredProperties;
  TlxGridTableItemGetStoredPropertyValueEvent OnGetStoredPropertyValue;
  TlxGridTableItemSetStoredPropertyValueEvent OnSetStoredPropertyValue;
  TlxGridInitDateRangesEvent OnInitFilteringDateRanges;
  TlxGridInitDateRangesEvent OnInitGroupingDateRanges;
  TlxGridUserFilteringEvent OnUserFiltering;

  // --- overridable, in slot order --------------------------------------
  virtual std::string GetStoredObjectName() const;
  virtual bool GetStoredProperties(TStrings* properties);
  virtual void GetStoredPropertyValue(const std::string& name, Variant& value);
  virtual void SetStoredPropertyValue(const std::string& name, const Variant& value);
  virtual void CreateDataBinding();
  virtual void DestroyDataBinding();
  virtual void CreateSubObjects();
  virtual void DestroySubObjects();
  virtual const TClass* GetFilteringDateRangesClass() const;
  virtual const TClass* GetGroupingDateRangesClass() const;
  virtual const TClass* GetOptionsClass() const { return &TlxCustomGridTableItemOptions::kClass; }
  virtual const TClass* GetStylesClass() const { return &TlxCustomGridTableItemStyles::kClass; }
  virtual void SizeChanged(bool fire_event);
  virtual int32_t CalculateBestFitWidth();
  virtual bool CanAutoHeight() const;
  virtual bool CanEdit() const;
  virtual bool CanFilter(bool popup) const;
  virtual bool CanFilterMultiSelect() const;
  virtual bool CanFilterMRUValueItems() const;
  virtual bool CanFocus(TlxCustomGridRecord* record) const;
  virtual bool CanGroup() const;
  virtual bool CanHide() const;
  virtual bool CanHorzSize() const;
  virtual bool IsDateOnlyFiltering() const;
  virtual bool CanIncSearch() const;
  virtual bool StartEditing();
  virtual bool CanMove() const;
  virtual bool CanScroll() const { return true; }
  virtual bool CanSort() const;
  virtual void CaptionChanged();
  virtual void Changed(TlxGridViewChangeKind kind);
  virtual void DataChanged();
  virtual void DateTimeGroupingChanged();
  virtual void ForceWidth(int32_t width);
  virtual bool GetActuallyVisible() const { return visible_; }
  virtual int32_t GetBestFitWidth();
  virtual uint32_t GetDateTimeFilters() const;
  virtual bool GetEditable() const;
  virtual bool IsFocusedCellPartlyHidden() const;
  virtual Variant GetEditValue();
  virtual bool GetFilterable() const { return CanFilter(false); }
  virtual void DoGetFilterDisplayText(const Variant& value, std::string& text);
  virtual bool IsSizing() const;
  virtual TlxGridTableDataCellViewInfo* GetFocusedCellViewInfo() const;
  virtual bool HasFixedWidth() const { return false; }
  virtual bool CanShowOnUngrouping() const { return true; }
  virtual bool ShowButtons(bool focused_record) const;
  // A cell's editor style takes the cell's colours and font; its buttons
  // are hidden where the item shows none.
  void InitStyle(TlxEditStyle& style, const TlxPaintParams& params, bool focused_record) const;
  virtual bool GetVisible() const { return visible_; }
  virtual std::string GetDefaultCaption() const;
  virtual int32_t GetDefaultWidth() const;
  virtual bool DoCustomDrawCell(TlxCanvas* canvas, TlxGridTableDataCellViewInfo* view_info);
  virtual void DoGetCellHint(TlxCustomGridRecord* record, TlxCustomGridCellViewInfo* cell, const TPoint& mouse_pos,
                             std::string& hint_text, bool& is_hint_multi_line, TRect& hint_text_rect);
  virtual void DoGetDataText(int32_t record_index, std::string& text);
  virtual void DoGetDisplayText(TlxCustomGridRecord* record, std::string& text);
  virtual void DoGetFilterValues(TlxGridFilterValueList* value_list);
  virtual TlxCustomEditProperties* DoGetProperties(TlxCustomGridRecord* record);
  virtual TlxCustomEditProperties* DoGetPropertiesForEdit(TlxCustomGridRecord* record);
  virtual void DoInitFilteringDateRanges();
  virtual void DoInitGroupingDateRanges();
  virtual void DoUserFiltering(const Variant& value, const std::string& display_text);
  virtual void InitProperties(TlxCustomEditProperties* properties);
  virtual std::unique_ptr<TlxEditStyle> CreateEditStyle();
  // The stored flag; a column shown as the preview is never offered.
  virtual bool GetVisibleForCustomization() const { return visible_for_customization_; }

  // --- component -------------------------------------------------------
  void Assign(const TPersistent* source) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return grid_view_ != nullptr; }
  void SetParentComponent(TComponent* parent);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void SetStoredAlignmentHorz(const Variant& value);
  void RefreshEffectiveProperties();
  void PropertiesChanged();

  TlxCustomGridTableView* grid_view_ = nullptr;
  int32_t index_ = -1;
  int32_t visible_index_ = -1;
  int32_t id_ = -1;
  std::string caption_;
  std::string alternate_caption_;
  int32_t best_fit_max_width_ = 0;
  std::unique_ptr<TlxGridItemDataBinding> data_binding_;
  TlxGridDateTimeGrouping date_time_grouping_ = dtgDefault;
  TAlignment header_alignment_horz_ = taLeftJustify;
  TlxAlignmentVert header_alignment_vert_ = vaTop;
  int32_t min_width_ = 20;
  int32_t width_ = 0;
  bool caption_assigned_ = false;
  bool header_alignment_horz_assigned_ = false;
  bool header_alignment_vert_assigned_ = false;
  bool width_assigned_ = false;
  bool visible_ = false;
  bool visible_for_customization_ = true;
  bool was_visible_before_grouping_ = false;
  std::unique_ptr<TlxCustomGridTableItemOptions> options_;
  std::unique_ptr<TlxCustomGridTableItemStyles> styles_;
  std::unique_ptr<TlxGridFilteringDateRanges> filtering_date_ranges_;
  std::unique_ptr<TlxGridGroupingDateRanges> grouping_date_ranges_;
  std::unique_ptr<TlxCustomEditProperties> properties_;
  const TClass* properties_class_ = nullptr;
  TlxEditRepositoryItem* repository_item_ = nullptr;
  TlxEditRepositoryItem* last_used_default_repository_item_ = nullptr;
  TlxCustomEditProperties* effective_properties_ = nullptr;
  std::vector<TlxCustomGridCellViewInfo*> cells_;
  std::unique_ptr<TlxEditStyle> cell_style_;
  int32_t cell_style_use_count_ = 0;
  std::unique_ptr<TlxCustomEditViewData> edit_view_data_;
  int32_t tag_ = 0;
};
