#pragma once
// Table cells and data cells. A data cell holds no editor window: it draws
// the value through the editor kind's own view data and view info, made
// from the item's properties. Included only from Windows sources.

#include <memory>

#include "grid/grid_cells_win.h"
#include "platform/rtl/variant.h"

class TlxCustomEditProperties;
class TlxCustomEditViewData;
class TlxCustomEditViewInfo;
class TlxCustomGridRecord;
class TlxCustomGridRecordViewInfo;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxCustomGridTableViewInfo;
class TlxEditStyle;

class TlxGridTableCellViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableCellViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridTableCellViewInfo(TlxCustomGridRecordViewInfo* record_view_info);

  TlxCustomGridRecordViewInfo* RecordViewInfo() const { return record_view_info_; }
  TlxCustomGridRecord* GridRecord() const;
  TlxCustomGridTableViewInfo* GridViewInfo() const;
  TlxCustomGridTableView* TableView() const;
  bool Selected();

  TlxCanvas& GetCanvas() override;
  const TClass* GetHitTestClass() const override;
  bool HasBackgroundBitmap() override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  bool MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) override;

  // --- overridable, in slot order --------------------------------------
  virtual bool CalculateSelected();
  virtual bool IsSelectedWithRecord() { return false; }
  virtual bool CanDrawSelected() { return false; }

 private:
  TlxCustomGridRecordViewInfo* record_view_info_;
  bool selected_cache_ = false;
  bool is_selected_cache_valid_ = false;
};

class TlxGridTableDataCellViewInfo : public TlxGridTableCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableDataCellViewInfo", &TlxGridTableCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridTableDataCellViewInfo(TlxCustomGridRecordViewInfo* record_view_info, TlxCustomGridTableItem* item);
  ~TlxGridTableDataCellViewInfo() override;

  TlxCustomGridTableItem* Item() const { return item_; }
  // The item is going away: the cell forgets it.
  void ForgetItem() { item_ = nullptr; }
  TlxCustomEditProperties* Properties() const { return properties_; }
  TlxCustomEditViewInfo* EditViewInfo() const { return edit_view_info_.get(); }
  TlxEditStyle* EditStyle() const { return edit_style_; }
  std::unique_ptr<TlxCustomEditViewInfo> CreateEditViewInfo();

  // --- overrides -----------------------------------------------------------
  void LoadParamsFromCanvas(TlxCanvas& canvas) override;
  void ApplyParamsToCanvas(TlxCanvas& canvas) override;
  void SetPaintParams(const TlxPaintParams& params) override;
  void GetPaintParams(TlxPaintParams& params) override;
  int32_t CalculateHeight() override;
  bool CustomDraw(TlxCanvas& canvas) override;
  bool HasCustomDraw() override;
  void CalculateParams() override;
  void GetAreaBounds(TRect& rect) override;
  const TClass* GetHitTestClass() const override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  bool GetMeasureMultiLine() override;
  const TClass* GetPainterClass() const override;
  bool GetShowEndEllipsis() override;
  void GetText(std::string& text) override;
  void GetViewParams(TlxPaintParams& params) override;
  bool InvalidateOnStateChange() override { return false; }
  void Offset(int32_t dx, int32_t dy) override;
  void BeforeRecalculation() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  bool CalculateSelected() override;
  bool CanDrawSelected() override { return true; }
  bool GetHotTrack() override;
  bool HasHint() override;
  void GetHintCellBounds(TRect& rect) override { rect = ContentBounds(); }
  bool NeedsHint(const TPoint& mouse_pos, std::string& text, TRect& text_rect, bool& is_multi_line) override;
  void MouseLeave() override;
  void MouseStateChanged(TlxGridCellMouseState prev_state) override;
  bool MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) override;
  bool MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift) override;
  bool MouseUp(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) override;

  bool WasFocusedBeforeClick() const { return was_focused_before_click_; }
  // The in-place editor is open over this cell.
  bool IsEditing() const;
  bool ShowsEditButtons();
  void GetEditorRect(TRect& rect);
  // Recalculates and repaints; nothing while the cell is being freed.
  void UpdateCell(bool recalculate);
  // Recalculates the editor's picture for the mouse at `point` and repaints
  // the cell when the picture changed (hot editor buttons).
  void UpdateEditViewInfoState(const TPoint& point);

  // --- overridable, in slot order --------------------------------------
  virtual void CalculateEditViewInfo(TlxCustomEditViewInfo& edit_view_info, const TPoint& mouse_pos);
  virtual bool CanShowEdit() { return true; }
  virtual bool GetAutoHeight();
  virtual void GetDisplayValue(Variant& value);
  virtual void GetEditViewInfoBounds(TRect& rect) { rect = ContentBounds(); }
  virtual void GetInplaceBorderExtent(TRect& rect) { rect = TRect(1, 1, 1, 1); }
  virtual bool IsFocused();
  virtual int32_t GetMaxLineCount();
  virtual void GetValue(Variant& value);
  virtual bool ShowFocusRect();
  virtual bool KeepsZeroHeight() { return false; }
  virtual bool GetCellHints();
  virtual bool HasCellHintHandler();
  virtual bool UseTextHint() { return false; }
  virtual void CalculateEditStyle();

 private:
  void OpenEditorAfterClick(TShiftState shift, const TPoint& point);
  // The editor's view data for one calculation; freed at the end of it.
  std::unique_ptr<TlxCustomEditViewData> BeginUseEditViewData();

  TlxCustomGridTableItem* item_;
  TlxCustomEditProperties* properties_ = nullptr;
  std::unique_ptr<TlxCustomEditViewInfo> edit_view_info_;
  TlxEditStyle* edit_style_ = nullptr;
  bool was_focused_before_click_ = false;
  // The last left press was taken here; its release is this cell's click.
  bool press_taken_ = false;
  // The last left press was the second of a double click.
  bool press_was_double_ = false;
};

class TlxGridCellViewInfo : public TlxGridTableCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridCellViewInfo", &TlxGridTableCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableCellViewInfo::TlxGridTableCellViewInfo;
};

class TlxGridTableDataCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridTableDataCellPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridTableDataCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  TlxGridTableDataCellViewInfo& DataCell() const { return static_cast<TlxGridTableDataCellViewInfo&>(ViewInfo()); }
  void DrawContent() override;
  void DoPaint() override;
  virtual void DrawFocusRect();
};
