#pragma once
// The filter box band's buttons and the painters of the band and its
// buttons. The band itself (TlxGridFilterViewInfo) is declared with the
// table view info. Included only from Windows sources.

#include <memory>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxCustomGridFilterButtonViewInfo;
class TlxCustomGridTableController;

// The row of buttons in the band, in the fixed order close, activate,
// customize, drop-down; only their visibility changes.
class TlxGridFilterButtonsViewInfo : public TObject {
 public:
  using TOwnerType = TlxGridFilterViewInfo;
  static constexpr TClass kClass{"TlxGridFilterButtonsViewInfo", &TObject::kClass,
                                 &ConstructInstance<TlxGridFilterButtonsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridFilterButtonsViewInfo(TlxGridFilterViewInfo* filter_view_info);
  ~TlxGridFilterButtonsViewInfo() override;

  TlxGridFilterViewInfo* FilterViewInfo() const { return filter_view_info_; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxCustomGridFilterButtonViewInfo* Items(int32_t index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TlxCustomGridFilterButtonViewInfo* DropDownButtonViewInfo() const { return drop_down_button_view_info_; }
  TlxCustomGridFilterButtonViewInfo* AddItem(const TClass* button_class);
  // The tallest visible button plus 8; 0 without a visible button.
  int32_t MaxHeight();
  // The room the visible buttons on one side take, gaps included.
  int32_t ButtonsWidth(bool right_aligned);
  int32_t LeftButtonsWidth() { return ButtonsWidth(false); }
  int32_t RightButtonsWidth() { return ButtonsWidth(true); }

  // --- overridable, in slot order --------------------------------------
  virtual void CreateItems();
  virtual void DestroyItems();
  virtual void Calculate(const TRect& rect);
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);

 private:
  TlxGridFilterViewInfo* filter_view_info_;
  std::vector<std::unique_ptr<TlxCustomGridFilterButtonViewInfo>> items_;
  TlxCustomGridFilterButtonViewInfo* drop_down_button_view_info_ = nullptr;
};

class TlxCustomGridFilterButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  using TOwnerType = TlxGridFilterButtonsViewInfo;
  static constexpr TClass kClass{"TlxCustomGridFilterButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxCustomGridFilterButtonViewInfo(TlxGridFilterButtonsViewInfo* container);

  TlxGridFilterButtonsViewInfo* Container() const { return container_; }
  TlxGridFilterViewInfo* FilterViewInfo() const { return container_->FilterViewInfo(); }
  TlxDataFilterCriteria& Criteria() const { return FilterViewInfo()->Criteria(); }

  bool CaptureMouseOnPress() const override { return true; }
  TlxCanvas& GetCanvas() override { return FilterViewInfo()->GetCanvas(); }
  bool GetHotTrack() override { return true; }
  bool GetVisible() override { return FilterViewInfo()->FilterHasItems(); }
  // The buttons stand on the band and take its colours.
  void GetViewParams(TlxPaintParams& params) override;

  // --- overridable, in slot order --------------------------------------
  virtual bool IsRightAligned() { return false; }

 private:
  TlxGridFilterButtonsViewInfo* container_;
};

class TlxGridFilterCloseButtonViewInfo : public TlxCustomGridFilterButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterCloseButtonViewInfo", &TlxCustomGridFilterButtonViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterCloseButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonViewInfo::TlxCustomGridFilterButtonViewInfo;

  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void Click() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

class TlxGridFilterActivateButtonViewInfo : public TlxCustomGridFilterButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterActivateButtonViewInfo", &TlxCustomGridFilterButtonViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterActivateButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonViewInfo::TlxCustomGridFilterButtonViewInfo;

  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void Click() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

// Opens the list of recently used filters, which belongs to the view's
// controller, so that the texts of the list start under the filter text.
class TlxGridFilterDropDownButtonViewInfo : public TlxCustomGridFilterButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterDropDownButtonViewInfo", &TlxCustomGridFilterButtonViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterDropDownButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonViewInfo::TlxCustomGridFilterButtonViewInfo;

  bool IsRightAligned() override { return true; }
  bool CaptureMouseOnPress() const override { return false; }
  bool GetVisible() override;
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void BeforeMouseStateChange() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  bool IsPopupCreated() override;
  TObject* GetPopup() override;
  void GetPopupOwnerBounds(TRect& rect) override;

 private:
  TlxCustomGridTableController* TableController();
};

class TlxGridFilterCustomizeButtonViewInfo : public TlxCustomGridFilterButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterCustomizeButtonViewInfo", &TlxCustomGridFilterButtonViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterCustomizeButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonViewInfo::TlxCustomGridFilterButtonViewInfo;

  bool IsRightAligned() override { return true; }
  bool GetVisible() override;
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void Click() override;
  void GetText(std::string& text) override;
  TAlignment GetTextAlignHorz() const override { return taCenter; }
  TlxAlignmentVert GetTextAlignVert() const override { return vaCenter; }
  TlxBorders GetBorders() override;
  int32_t GetBorderWidth(TlxBorder side) override;
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

class TlxGridFilterPainter : public TlxCustomGridPartPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterPainter", &TlxCustomGridPartPainter::kClass,
                                 &ConstructInstance<TlxGridFilterPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartPainter::TlxCustomGridPartPainter;

  TlxGridFilterViewInfo& FilterViewInfo() const { return static_cast<TlxGridFilterViewInfo&>(ViewInfo()); }
  void DrawBackgroundRect(const TRect& rect) override;
  void DoPaint() override;
  bool ExcludeFromClipRect() override { return true; }
  void BeforeDrawText() override;
  void AfterDrawText() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawButtons();

 private:
  bool text_was_underlined_ = false;
};

class TlxCustomGridFilterButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridFilterButtonPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxCustomGridFilterButtonPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  TlxCustomGridFilterButtonViewInfo& ButtonViewInfo() const {
    return static_cast<TlxCustomGridFilterButtonViewInfo&>(ViewInfo());
  }
  bool ExcludeFromClipRect() override { return true; }

 protected:
  TlxPainterClass LookAndFeelPainter() const { return ButtonViewInfo().LookAndFeelPainter(); }
};

class TlxGridFilterCloseButtonPainter : public TlxCustomGridFilterButtonPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterCloseButtonPainter", &TlxCustomGridFilterButtonPainter::kClass,
                                 &ConstructInstance<TlxGridFilterCloseButtonPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonPainter::TlxCustomGridFilterButtonPainter;
  void DrawContent() override;
};

class TlxGridFilterActivateButtonPainter : public TlxCustomGridFilterButtonPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterActivateButtonPainter", &TlxCustomGridFilterButtonPainter::kClass,
                                 &ConstructInstance<TlxGridFilterActivateButtonPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonPainter::TlxCustomGridFilterButtonPainter;
  void DrawContent() override;
};

class TlxGridFilterDropDownButtonPainter : public TlxCustomGridFilterButtonPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterDropDownButtonPainter", &TlxCustomGridFilterButtonPainter::kClass,
                                 &ConstructInstance<TlxGridFilterDropDownButtonPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonPainter::TlxCustomGridFilterButtonPainter;
  void DrawContent() override;
};

class TlxGridFilterCustomizeButtonPainter : public TlxCustomGridFilterButtonPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterCustomizeButtonPainter", &TlxCustomGridFilterButtonPainter::kClass,
                                 &ConstructInstance<TlxGridFilterCustomizeButtonPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridFilterButtonPainter::TlxCustomGridFilterButtonPainter;
  void DoPaint() override;
};
