#pragma once
// The table view's editing controller: in-place editing as every
// record-based view has it, plus the filter row, whose cells always take an
// editor, edit the column's filter value instead of a record and may apply
// every change at once. Included only from Windows sources.

#include "grid/grid_editing_controller_win.h"

class TlxGridColumn;
class TlxGridTableController;

class TlxGridTableEditingController : public TlxGridEditingController {
 public:
  static constexpr TClass kClass{"TlxGridTableEditingController", &TlxGridEditingController::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridTableEditingController(TlxGridTableController* controller);

  TlxGridTableController* GridController() const;
  bool ImmediateFilterApplying() const { return immediate_filter_applying_; }

  bool CanUpdateEditValue() override;
  void EditChanged(TObject* sender) override;
  void EditKeyDown(uint16_t& key, TShiftState shift) override;
  void InitEdit() override;
  bool IsImmediateEditor() override;
  bool ShowsEditorAlways() override;
  void WriteEditValue(const Variant& value) override;

 private:
  bool IsFilterRowFocused() const;
  bool AppliesFilterImmediately() const;
  TlxGridColumn* EditingColumn() const;

  bool immediate_filter_applying_ = false;
};
