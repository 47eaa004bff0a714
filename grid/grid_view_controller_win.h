#pragma once
// The view controller of every view (site routing, cell hints, the customization form), the design controllers, and the grid's own drag-and-drop and moving objects.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include <memory>
#include <string>

#include "grid/grid_control_win.h"
#include "grid/grid_hint_window_win.h"
#include "grid/grid_view_handler_win.h"
#include "ui/foundation/controls/drag_and_drop_arrow_win.h"
#include "ui/foundation/controls/drag_and_drop_win.h"
#include "ui/foundation/controls/drag_image_win.h"
#include "ui/foundation/system/lx_timer_win.h"

class TlxCustomGridCellViewInfo;
class TlxCustomGridCustomizationForm;
class TlxCustomGridDragAndDropObject;
class TlxCustomGridHitTest;
class TlxCustomGridRecord;

// The view controller. The site hands it every input event; the base
// answers as a view without interaction would, so that a view kind whose
// controller is not written yet still shows, lays out and takes the focus.
class TlxCustomGridController : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridController", &TlxGridViewHandler::kClass,
                                 &ConstructInstance<TlxCustomGridController>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridViewHandler::TlxGridViewHandler;
  ~TlxCustomGridController() override;

  // --- site input --------------------------------------------------------
  virtual void KeyDown(uint16_t& /*key*/, TShiftState /*shift*/) {}
  virtual void KeyPress(char16_t& /*key*/) {}
  virtual void KeyUp(uint16_t& /*key*/, TShiftState /*shift*/) {}
  // The cell under the mouse (or the one holding the capture) takes the
  // mouse; the base keeps only whether the last press was a double click.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  // Leaving the site ends a cell hint.
  virtual void MouseLeave() { CancelHint(); }
  virtual void MouseOperationCanceled() {}
  // Sees every window message of the site before the site handles it.
  // A lost capture ends a grid drag as cancelled.
  virtual void HandleSiteMessage(TMessage& message);
  virtual void DoEnter() {}
  virtual void DoExit() {}
  virtual void BeforeStartDrag() {}
  virtual void StartDrag(TDragObject*& /*drag_object*/) {}
  virtual void DragOver(TObject* /*source*/, int32_t /*x*/, int32_t /*y*/, TDragState /*state*/, bool& /*accept*/) {}
  virtual void DragDrop(TObject* /*source*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void EndDrag(TObject* /*target*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void BeginDragAndDrop() {}
  virtual void DragAndDropMove(const TPoint& /*point*/, bool& /*accepted*/) {}
  virtual void EndDragAndDrop(bool /*accepted*/) {}
  // Picks the grid's own drag object named by the hit test at the point.
  virtual bool StartDragAndDropAt(const TPoint& point);
  virtual bool CanStartDragAt(int32_t /*x*/, int32_t /*y*/) { return true; }
  virtual void DrawDragImage(TlxCanvas& /*canvas*/, const TRect& /*rect*/) {}
  virtual TPoint GetDragImagesSize() { return TPoint(0, 0); }
  virtual bool HasDragImages() { return false; }

  // --- scrolling ---------------------------------------------------------
  virtual void InitScrollBarsParameters() {}
  virtual void ScrollContent(TScrollBarKind /*kind*/, TScrollCode /*code*/, int32_t& /*position*/) {}
  virtual bool ChecksScrollBarFit(TlxScrollBarAxis /*axis*/) { return false; }
  virtual TlxWheelScrollKind GetMouseWheelScrollKind() { return wskVertical; }
  // Recomputes the site's scroll bars; `forced` while the view info
  // finishes a calculation.
  virtual void UpdateScrollBars(bool forced);
  // Keeps the focused record visible after a calculation.
  virtual void CheckCoordinates() {}

  // --- focus, cursor and design ------------------------------------------
  virtual TCursor GetCursor(int32_t x, int32_t y);
  // False only for a view hit test of another view.
  virtual bool IsHitTestOfView(TlxCustomGridHitTest* hit_test);
  virtual bool MayFocusOnClickAt(int32_t /*x*/, int32_t /*y*/) { return true; }
  virtual bool WantsFocus() { return true; }
  virtual bool HasFocusedControls() { return false; }
  virtual bool IsDesignHitTest(TlxCustomGridHitTest* /*hit_test*/, TShiftState /*shift*/) { return false; }
  virtual void EndEditing() {}
  virtual void ViewFocused() {}
  virtual void ViewLostFocus() {}
  virtual void ControlFocusChanged();
  // Queues a focus repaint of the view.
  virtual void PostControlFocusChange();
  // Without a level the view can show no customization form.
  virtual void LevelAssigned(bool assigned);

  // --- customization form --------------------------------------------------
  static constexpr int32_t kCustomizationFormDefaultWidth = 180;
  static constexpr int32_t kCustomizationFormDefaultHeight = 300;
  bool Customization() const { return customization_; }
  void SetCustomization(bool value);
  TlxCustomGridCustomizationForm* CustomizationForm() const { return customization_form_; }
  virtual void RefreshCustomizationForm();
  void RefreshCustomizationFormItems();
  bool HasCustomizationForm() const { return customization_form_ != nullptr; }
  // The open form's bounds on the screen; without a form the bounds kept
  // for the next one (empty: the default place).
  TRect CustomizationFormBounds() const;
  void SetCustomizationFormBounds(const TRect& bounds) { customization_form_bounds_ = bounds; }
  virtual const TClass* GetCustomizationFormClass() const;
  virtual void AdjustCustomizationFormBounds(TRect& /*bounds*/) {}
  virtual void CustomizationChanged();
  TRect GetCustomizationFormBounds();
  // The form tells it is going: closed by the user or freed.
  void CustomizationFormDestroyed(TlxCustomGridCustomizationForm* form);

  // --- cell hints ----------------------------------------------------------
  static constexpr uint32_t kHintCheckInterval = 100;
  virtual bool CanShowHint();
  // Shows `text` over the cell text at `text_bounds` (site coordinates)
  // while the mouse stays in `hint_area`.
  void ShowHint(const TRect& hint_area, const TRect& text_bounds, TlxCustomGridCellViewInfo* cell, const TFont& font,
                bool multi_line, const std::string& text);
  void CancelHint();
  TlxGridHintWindow* HintWindow() const { return hint_window_.get(); }
  TlxCustomGridCellViewInfo* HintCellViewInfo() const { return hint_cell_view_info_; }
  TRect HintAreaBounds() const { return hint_area_bounds_; }
  // The 100 ms check, so that tests tick it through FireTimer.
  TlxTimer* HintCheckTimer() const { return hint_check_timer_.get(); }
  // Around the painter's work: a drag image is hidden while the site paints.
  virtual void BeforePaint() {}
  virtual void AfterPaint() {}
  // Around the painter's scrolling of the content.
  virtual void BeforeScrolling();
  virtual void AfterScrolling();

  // --- services ----------------------------------------------------------
  TlxCustomGridHitTest* HitTestAt(int32_t x, int32_t y) const;
  TlxCustomGridDragAndDropObject* DragAndDropObject() const;
  bool IsDragging() const;
  void SetDragAndDropObjectClass(const TClass* cls);
  bool IsDblClick() const { return is_dbl_click_; }

 private:
  void ShowCustomizationForm();
  void HideCustomizationForm();
  void CheckHint();
  // Shows the hint of the cell under the mouse, or ends a hint left behind.
  void UpdateHintAt(const TPoint& point);

  bool is_dbl_click_ = false;
  bool customization_ = false;
  TlxCustomGridCustomizationForm* customization_form_ = nullptr;
  TRect customization_form_bounds_;
  std::unique_ptr<TlxGridHintWindow> hint_window_;
  std::unique_ptr<TlxTimer> hint_check_timer_;
  TlxCustomGridCellViewInfo* hint_cell_view_info_ = nullptr;
  TRect hint_area_bounds_;
  TRect hint_text_bounds_;
  // Set while the site handles a button-up, which releases the capture
  // itself before the drag ends as accepted.
  bool releasing_capture_on_button_up_ = false;
};

// The grid's own drag objects run inside one site: the site creates them
// from the class the hit test names, and the controller hands them the
// mouse-down point and hit test.
class TlxCustomGridDragAndDropObject : public TlxDragAndDropObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDragAndDropObject", &TlxDragAndDropObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDragAndDropObject::TlxDragAndDropObject;

  TlxGridSite* Site() const;
  TlxCustomGridView* GridView() const;
  TlxCustomGridController* Controller() const;
  TlxCustomGridViewInfo* ViewInfo() const;
  TPoint SourcePoint() const { return source_point_; }

  void AfterScrolling() { DoAfterScrolling(); }
  void BeforeScrolling() { DoBeforeScrolling(); }
  virtual void AfterScrollStep() {}
  virtual void BeforeScrollStep() {}
  virtual void DoAfterScrolling() {}
  virtual void DoBeforeScrolling() {}
  virtual void Init(const TPoint& point, TlxCustomGridHitTest* hit_test);
  void AfterDragAndDrop(bool accepted) override;

 private:
  TPoint source_point_{-1, -1};
};

class TlxCustomGridDesignController : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDesignController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

// Drags an item: a floating image of it follows the mouse, and two arrows
// mark where it would be inserted.
class TlxCustomGridMovingObject : public TlxCustomGridDragAndDropObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridMovingObject", &TlxCustomGridDragAndDropObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxCustomGridMovingObject(TlxControl* control);
  ~TlxCustomGridMovingObject() override;

  TlxDragImage* DragImage() const { return drag_image_.get(); }
  TlxDragAndDropArrow* Arrow(int32_t index) const { return arrows_[index].get(); }

  // --- overridable, in slot order ----------------------------------------
  virtual bool AreArrowsVertical() { return true; }
  // Whether dropping outside removes (hides) the item.
  virtual bool CanRemove() const { return false; }
  // The insertion line the arrows point at, in the site's coordinates.
  virtual TRect GetArrowAreaBounds() { return TRect(); }
  virtual TRect GetArrowsClientRect();
  virtual TRect GetSourceItemBounds() { return TRect(); }
  virtual void InitDragImage();
  virtual bool CanShowArrows() { return false; }

  void DirtyChanged() override;
  void BeginDragAndDrop() override;
  void DragAndDrop(const TPoint& point, bool& accepted) override;
  void EndDragAndDrop(bool accepted) override;

 protected:
  void PlaceArrows();

 private:
  std::unique_ptr<TlxDragImage> drag_image_;
  std::unique_ptr<TlxDragAndDropArrow> arrows_[2];
};

class TlxCustomGridTableMovingObject : public TlxCustomGridMovingObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableMovingObject", &TlxCustomGridMovingObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridMovingObject::TlxCustomGridMovingObject;
};

class TlxGridItemContainerZone : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridItemContainerZone", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridTableItemMovingObject : public TlxCustomGridTableMovingObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItemMovingObject", &TlxCustomGridTableMovingObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableMovingObject::TlxCustomGridTableMovingObject;
};

// Opens a record's expand button while another drag waits over it.
class TlxGridDragOpenInfoExpand : public TlxCustomGridDragOpenInfo {
 public:
  static constexpr TClass kClass{"TlxGridDragOpenInfoExpand", &TlxCustomGridDragOpenInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridDragOpenInfoExpand(TlxCustomGridRecord* grid_record) : grid_record_(grid_record) {}

  TlxCustomGridRecord* GridRecord() const { return grid_record_; }
  bool Equals(const TlxCustomGridDragOpenInfo& other) const override;
  void Run() override;

 private:
  TlxCustomGridRecord* grid_record_;
};
