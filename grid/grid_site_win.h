#pragma once
// TlxGridSite: the child control a view paints into and takes its input
// from. It holds no logic of its own: painting goes to the view's painter,
// every mouse, key, focus, scroll and drag event to the view's controller.
// A hidden view's site is parked at left 30000 and paints nothing.
// TlxCustomGridViewData: the base of the object through which a view
// reaches its records. Included only from Windows sources.

#include <cstdint>
#include <memory>

#include "grid/grid_view_handler_win.h"
#include "grid/grid_view_info_win.h"
#include "ui/foundation/controls/control_win.h"

class TlxGridLevel;
class TlxTimer;

// Where a parked site waits: far right of any real parent.
constexpr int32_t kLxGridParkedSiteLeft = 30000;

class TlxGridSite : public TlxControl {
 public:
  using TOwnerType = TlxCustomGridViewInfo;
  static constexpr TClass kClass{"TlxGridSite", &TlxControl::kClass, &ConstructInstance<TlxGridSite>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridSite(TlxCustomGridViewInfo* view_info);
  ~TlxGridSite() override;

  TlxCustomGridViewInfo* ViewInfo() const { return view_info_; }
  TlxCustomGridView* GridView() const;
  TlxCustomGrid* Container() const;
  bool IsParked() const { return Left() == kLxGridParkedSiteLeft; }
  bool ForcedScrollBarUpdate() const { return forced_scroll_bar_update_; }
  void SetForcedScrollBarUpdate(bool value) { forced_scroll_bar_update_ = value; }
  TlxTimer* DeferredSizeTimer() const { return deferred_size_timer_.get(); }

  void SetFocus() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  bool IsFocusedControl() override;
  TRect GetClientBounds() override;
  // The view info places the site; losing the parent hands the focus on.
  void SetParent(TWinControl* parent) override;

 protected:
  TRect GetHScrollBarBounds() override;
  void BoundsChanged() override;
  void Paint() override;
  void UpdateScrollBars() override;
  void InitScrollBarsParams() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;
  bool ChecksScrollBarFit(TlxScrollBarAxis axis) override;
  TlxWheelScrollKind GetMouseWheelScrollKind() override;
  TCursor GetCursorAt(int32_t x, int32_t y) override;
  bool MayFocusOnClickAt(int32_t x, int32_t y) override;
  bool FocusesOnScrollBarClick() override;
  bool WantsFocus() override;
  bool IsDesigning() const override;
  bool IsDesignHitTestPoint(int32_t x, int32_t y, TShiftState shift) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DoMouseLeave(TControl* control) override;
  void DoEnter() override;
  void DoExit() override;
  void FocusChanged() override;
  void DoContextPopup(TPoint mouse_pos, bool& handled) override;
  void MouseOperationCanceled() override;
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int32_t x, int32_t y) override;
  void DoStartDrag(TDragObject*& drag_object) override;
  void DoEndDrag(TObject* target, int32_t x, int32_t y) override;
  void BeginDragAndDrop() override;
  void DragAndDropMove(const TPoint& point, bool& accepted) override;
  void EndDragAndDrop(bool accepted) override;
  bool CanStartDragAndDropAt(const TPoint& point) override;
  bool CanStartDragAt(int32_t x, int32_t y) override;
  void DrawDragImage(TlxCanvas& canvas, const TRect& rect) override;
  TPoint GetDragImagesSize() override;
  bool HasDragImages() override;
  void CNKeyDown(TMessage& message) override;
  void CNSysKeyDown(TMessage& message) override;
  void WndProc(TMessage& message) override;

 private:
  void DeferredSizeTimerFired(TObject* sender);
  bool ViewAndMastersIdle() const;
  bool HandleKeyNotification(TMessage& message);

  TlxCustomGridViewInfo* view_info_;
  int32_t last_client_right_ = 0;
  int32_t last_client_bottom_ = 0;
  bool forced_scroll_bar_update_ = false;
  std::unique_ptr<TlxTimer> deferred_size_timer_;
};

class TlxCustomGridViewData : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewData", &TlxGridViewHandler::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewData(TlxCustomGridView* grid_view) : TlxGridViewHandler(grid_view) {}

  // --- overridable, in slot order --------------------------------------
  virtual const TClass* GetSortingBySummaryEngineClass() const;
  virtual bool IsEmpty() const;
  virtual TlxCustomGridView* GetViewForLevel(TlxGridLevel* /*level*/) const { return nullptr; }
};
