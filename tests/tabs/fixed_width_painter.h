#pragma once
// A layout painter with fixed metrics for the layout tests: a tab is as wide
// as the number its caption starts with (10 pixels a character otherwise),
// rows fill the control, each navigator button takes `button_length` from
// the end of the row. Repaint requests are recorded.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tabs/pc_layout_painter.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"

class TFixedWidthPainter : public IlxPCLayoutPainter {
 public:
  explicit TFixedWidthPainter(TlxTabControlModel& control) : control_(control) {}

  int32_t tab_height = 20;
  int32_t min_tab_width = 10;
  int32_t gap_along = 0;
  int32_t gap_across = 0;
  int32_t button_length = 20;
  int32_t parts_gap = 0;
  bool can_rotate = true;
  bool main_row_near_page = true;
  bool multi_select = false;
  bool button_like = false;
  std::vector<std::pair<int32_t, TlxPCTabChangeKind>> repainted_tabs;
  std::vector<TlxPCNavigatorButton> repainted_buttons;

  static int32_t WidthOf(const std::string& caption) {
    int32_t width = 0;
    size_t i = 0;
    for (; i < caption.size() && caption[i] >= '0' && caption[i] <= '9'; ++i)
      width = width * 10 + (caption[i] - '0');
    return i == 0 ? static_cast<int32_t>(caption.size()) * 10 : width;
  }

  bool CanRotateTabs() const override { return can_rotate; }
  std::string GetStyleName() const override { return "Fixed"; }
  bool IsMainTabRowNearPage() const override { return main_row_near_page; }
  bool AllowMultiSelectTabs() const override { return multi_select; }
  bool IsTabButtonLike() const override { return button_like; }
  void PrepareLayout() override {}
  int32_t CalculateTabNormalWidth(TlxTab& tab) override { return WidthOf(tab.Caption()); }
  int32_t CalculateTabNormalHeight() override { return tab_height; }
  int32_t CaptionWidth(TlxTab& tab) override { return WidthOf(tab.Caption()); }
  int32_t GetMinTabWidth(int32_t) override { return min_tab_width; }
  void GetTabSpacing(int32_t& along, int32_t& across) override {
    along = gap_along;
    across = gap_across;
  }
  void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) override {
    int32_t shown = 0;
    for (int32_t b = 0; b < kPCNavigatorButtonCount; ++b)
      shown += (buttons >> b) & 1;
    layout.TabsArea = Bounds(0, 0, control_.ControlWidth(), control_.ControlHeight());
    layout.RowsArea = layout.TabsArea;
    layout.PartsGap = parts_gap;
    const bool axis_x = lxPCIsRowAxisX(control_.TabPosition());
    layout.RowLength = (axis_x ? control_.ControlWidth() : control_.ControlHeight()) - shown * button_length;
  }
  TRect GetTabRectCorrection(int32_t) override { return {}; }
  TRect GetPageClientRect() override { return Bounds(0, 0, control_.ControlWidth(), control_.ControlHeight()); }
  bool IsPointInTab(int32_t, int32_t, int32_t) override { return true; }
  void RepaintTab(int32_t visible_index, TlxPCTabChangeKind kind) override {
    repainted_tabs.emplace_back(visible_index, kind);
  }
  void RepaintButton(TlxPCNavigatorButton button, TlxPCNavigatorButtonState) override {
    repainted_buttons.push_back(button);
  }

 private:
  TlxTabControlModel& control_;
};

// A tab control without a window, laid out by the fixed painter.
class TFixedTabControl : public TlxTabControlModel {
 public:
  TFixedTabControl() : painter(*this) { SetLayoutPainter(&painter); }
  ~TFixedTabControl() override { DestroyTabs(); }

  bool requires_visible_tab = false;
  int32_t images_count = 0;
  int32_t layouts = 0;

  bool RequiresVisibleTab() const override { return requires_visible_tab; }
  int32_t ImagesCount() const override { return images_count; }
  TSize ImagesSize() const override { return images_count > 0 ? TSize{16, 16} : TSize{}; }
  void RecalculateLayout() override {
    ++layouts;
    TlxTabControlModel::RecalculateLayout();
  }

  TFixedWidthPainter painter;
};
