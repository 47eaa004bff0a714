#pragma once
// What the tab layout asks of the painter: every pixel metric, the tabs area
// for a set of navigator buttons, the style's class answers, and the two
// repaint requests. The tab painters answer it on Windows; the layout and
// its tests need nothing more, so the layout is computed without a window.

#include <cstdint>
#include <string>

#include "platform/rtl/geometry.h"
#include "tabs/tab_types.h"

class TlxTab;

class IlxPCLayoutPainter {
 public:
  virtual ~IlxPCLayoutPainter() = default;

  // Class answers of the painter's style.
  virtual bool CanRotateTabs() const = 0;
  virtual std::string GetStyleName() const = 0;
  virtual bool IsMainTabRowNearPage() const = 0;
  virtual bool AllowMultiSelectTabs() const = 0;
  virtual bool IsTabButtonLike() const = 0;

  // Called at the start of every relayout.
  virtual void PrepareLayout() = 0;
  // The length of a tab along its row before rotation.
  virtual int32_t CalculateTabNormalWidth(TlxTab& tab) = 0;
  // The common tab height.
  virtual int32_t CalculateTabNormalHeight() = 0;
  // The width of a tab's caption as measured, for the widest rotated tab.
  virtual int32_t CaptionWidth(TlxTab& tab) = 0;
  // Smallest tab width (visible index -1: for any tab).
  virtual int32_t GetMinTabWidth(int32_t visible_index) = 0;
  // Gap between neighbouring tabs of a row and between rows.
  virtual void GetTabSpacing(int32_t& along, int32_t& across) = 0;
  virtual void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) = 0;
  // Deltas added side by side to a tab's base rectangle.
  virtual TRect GetTabRectCorrection(int32_t visible_index) = 0;
  // The page area before normalising.
  virtual TRect GetPageClientRect() = 0;
  // Shape test made after the rectangle test.
  virtual bool IsPointInTab(int32_t visible_index, int32_t x, int32_t y) = 0;

  virtual void RepaintTab(int32_t visible_index, TlxPCTabChangeKind kind) = 0;
  virtual void RepaintButton(TlxPCNavigatorButton button, TlxPCNavigatorButtonState old_state) = 0;
};
