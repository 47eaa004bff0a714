#pragma once
// TlxCustomGrid and TlxGrid: the grid control a form places. It owns the
// tree of levels, hosts the views' sites, paints its background and the top
// level's tab strip, and is the one place where the layout, size and
// repaint requests of all its views meet (its change queue). Its three
// handlers (controller, painter, view info) are made through class-returning
// operations. Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/grid_change.h"
#include "grid/grid_navigator_interfaces.h"
#include "tabs/tab_types.h"
#include "ui/foundation/controls/control_win.h"

class TCustomImageList;
class TChangeLink;
class TlxCustomGrid;
class TlxCustomGridView;
class TlxGridController;
class TlxGridDesignController;
class TlxGridLevel;
class TlxGridLevelStyles;
class TlxGridPainter;
class TlxGridRootLevelOptions;
class TlxGridTopDetailsSiteViewInfo;
class TlxGridViewInfo;
class TlxCustomGridHitTest;
class TlxTimer;

// Notification kinds dispatched to the grid's subscribers.
enum TlxGridNotificationKind : int32_t {
  gnkFocusedViewChanged = 0,
  gnkFocusedRecordChanged = 1,
  gnkRecordCountChanged = 2,
  gnkContextMenu = 3,
  gnkCustomization = 4,
  gnkKeyDown = 5,
  gnkReserved6 = 6,
  gnkReserved7 = 7,
};
// A set of TlxGridNotificationKind as bits (1 << kind).
using TlxGridNotificationKinds = uint32_t;

// The parameter of notification kind 5: the site's CN_KEYDOWN or
// CN_SYSKEYDOWN message, which a subscriber may answer.
class TlxGridKeyNotification : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridKeyNotification", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridKeyNotification(TMessage& message) : Message(message) {}
  TMessage& Message;
};

// The parameter of notification kind 3: whether the context popup was
// asked for from the keyboard (at point (-1, -1)).
class TlxGridContextPopupNotification : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridContextPopupNotification", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridContextPopupNotification(bool from_keyboard) : FromKeyboard(from_keyboard) {}
  bool FromKeyboard;
};

// An object that wants some of the grid's notifications. The parameter's
// meaning depends on the kind (the key message for kind 5, whether a
// context popup came from the keyboard for kind 3).
class IlxGridNotificationHandler : public virtual IInterface {
 public:
  virtual TlxGridNotificationKinds NotificationKinds() = 0;
  virtual void Notify(TlxGridNotificationKind kind, TObject* param, bool& handled) = 0;
};

using TlxGridActiveTabChangedEvent = std::function<void(TlxCustomGrid* sender, TlxGridLevel* level)>;
using TlxGridFocusedViewChangedEvent =
    std::function<void(TlxCustomGrid* sender, TlxCustomGridView* prev_focused_view, TlxCustomGridView* focused_view)>;
using TlxGridLayoutChangedEvent = std::function<void(TlxCustomGrid* sender, TlxCustomGridView* grid_view)>;

// The slant settings of the level tabs' slanted style.
struct TlxGridTabSlants {
  TlxTabSlantKind Kind = skSlant;
  TlxTabSlantPositions Positions = 0;
  bool operator==(const TlxGridTabSlants&) const = default;
};

// The look of the top level's tab strip and of the detail tabs.
class TlxGridLevelTabs : public TPersistent {
 public:
  using TOwnerType = TlxCustomGrid;
  static constexpr TClass kClass{"TlxGridLevelTabs", &TPersistent::kClass, &ConstructInstance<TlxGridLevelTabs>};
  const TClass* ClassType() const override { return &kClass; }
  static void Publish(TPropertyListBuilder& properties);

  explicit TlxGridLevelTabs(TlxCustomGrid* grid);
  ~TlxGridLevelTabs() override;

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment value);
  int32_t ImageBorder() const { return image_border_; }
  void SetImageBorder(int32_t value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  const TlxGridTabSlants& Slants() const { return slants_; }
  void SetSlants(const TlxGridTabSlants& value);
  int32_t Style() const { return style_; }
  void SetStyle(int32_t value);

  // The grid's free notification for the image list.
  void ImagesRemoved();

 private:
  void Changed();

  TlxCustomGrid* grid_;
  TAlignment caption_alignment_ = taCenter;
  int32_t image_border_ = 0;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> images_change_link_;
  TlxGridTabSlants slants_;
  int32_t style_ = 0;
};

// Base of the grid's three handlers.
class TlxCustomGridHandler : public TObject {
 public:
  using TOwnerType = TlxCustomGrid;
  static constexpr TClass kClass{"TlxCustomGridHandler", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridHandler(TlxCustomGrid* grid) : grid_(grid) {}

  TlxCustomGrid* Control() const { return grid_; }
  TlxCustomGridView* ActiveView() const;
  TObject* ActiveController() const;
  TlxGridViewInfo* ViewInfo() const;

 private:
  TlxCustomGrid* grid_;
};

// What a drag hovering over the grid opens when it stays long enough.
class TlxCustomGridDragOpenInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDragOpenInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // --- overridable, in slot order --------------------------------------
  virtual bool Equals(const TlxCustomGridDragOpenInfo& other) const { return ClassType() == other.ClassType(); }
  virtual void Run() = 0;
};

class TlxGridDragOpenInfoTab : public TlxCustomGridDragOpenInfo {
 public:
  static constexpr TClass kClass{"TlxGridDragOpenInfoTab", &TlxCustomGridDragOpenInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridDragOpenInfoTab(TlxGridLevel* level) : level_(level) {}
  TlxGridLevel* Level() const { return level_; }
  bool Equals(const TlxCustomGridDragOpenInfo& other) const override;
  void Run() override;

 private:
  TlxGridLevel* level_;
};

// The grid's own controller (not a view controller): mouse on the grid's
// own area and the drag-open timer shared with the view controllers.
class TlxGridController : public TlxCustomGridHandler {
 public:
  static constexpr TClass kClass{"TlxGridController", &TlxCustomGridHandler::kClass,
                                 &ConstructInstance<TlxGridController>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridController(TlxCustomGrid* grid);
  ~TlxGridController() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DoKeyDown(uint16_t& key, TShiftState shift);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual TCursor GetCursor(int32_t x, int32_t y);
  virtual void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept);
  virtual void EndDrag(TObject* target, int32_t x, int32_t y);

  // Replaces a pending open info unless it equals it (then the new one is
  // dropped and the timer keeps running).
  void StartDragOpen(std::unique_ptr<TlxCustomGridDragOpenInfo> info);
  void StopDragOpen();
  TlxCustomGridDragOpenInfo* DragOpenInfo() const { return drag_open_info_.get(); }
  TlxTimer* DragOpenTimer() const { return drag_open_timer_.get(); }


 private:
  void DragOpenTimerFired(TObject* sender);

  std::unique_ptr<TlxCustomGridDragOpenInfo> drag_open_info_;
  std::unique_ptr<TlxTimer> drag_open_timer_;
};

// Paints the top level's tab strip and invalidates the grid and its sites.
class TlxGridPainter : public TlxCustomGridHandler {
 public:
  static constexpr TClass kClass{"TlxGridPainter", &TlxCustomGridHandler::kClass,
                                 &ConstructInstance<TlxGridPainter>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridPainter(TlxCustomGrid* grid) : TlxCustomGridHandler(grid) {}

  // --- overridable, in slot order --------------------------------------
  virtual void DrawDetailsSite();
  virtual void Paint();
  virtual void Invalidate(bool include_sites);
  virtual void InvalidateRect(const TRect& rect);
};

// The grid's layout: the top details site (the level tab strip).
class TlxGridViewInfo : public TlxCustomGridHandler {
 public:
  static constexpr TClass kClass{"TlxGridViewInfo", &TlxCustomGridHandler::kClass,
                                 &ConstructInstance<TlxGridViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridViewInfo(TlxCustomGrid* grid);
  ~TlxGridViewInfo() override;

  // --- overridable, in slot order --------------------------------------
  virtual const TClass* GetDetailsSiteViewInfoClass() const;
  virtual void Calculate();
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);

  TRect Bounds() const { return bounds_; }
  TRect ClientBounds() const { return client_bounds_; }
  TlxGridTopDetailsSiteViewInfo* DetailsSiteViewInfo() const { return details_site_view_info_.get(); }

 private:
  TRect bounds_;
  TRect client_bounds_;
  std::unique_ptr<TlxGridTopDetailsSiteViewInfo> details_site_view_info_;
};

class TlxCustomGrid : public TlxControl, public IlxNavigator {
 public:
  static constexpr TClass kClass{"TlxCustomGrid", &TlxControl::kClass, &ConstructInstance<TlxCustomGrid>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGrid(TComponent* owner);
  ~TlxCustomGrid() override;

  // --- the change queue ------------------------------------------------
  void BeginUpdate() { changes_.BeginUpdate(); }
  void EndUpdate() { changes_.EndUpdate(); }
  void CancelUpdate() { changes_.CancelUpdate(); }
  bool IsUpdateLocked() const { return changes_.IsUpdateLocked(); }
  void AddChange(std::unique_ptr<TlxCustomGridChange> change) { changes_.AddChange(std::move(change)); }
  // Frees every queued change of a view that leaves the grid.
  void RemoveViewChanges(TlxCustomGridView* view);
  const TlxGridChangeQueue& ChangeQueue() const { return changes_; }

  // --- levels and views ------------------------------------------------
  TlxGridLevel* RootLevel() const { return root_level_.get(); }
  TlxGridLevel* ActiveLevel() const { return active_level_; }
  void SetActiveLevel(TlxGridLevel* level);
  TlxCustomGridView* FocusedView() const { return focused_view_; }
  void SetFocusedView(TlxCustomGridView* view);
  TlxCustomGridView* ActiveView() const;
  int32_t ViewCount() const { return static_cast<int32_t>(views_.size()); }
  TlxCustomGridView* Views(int32_t index) const { return views_.at(static_cast<size_t>(index)); }
  void AddView(TlxCustomGridView* view);
  void RemoveView(TlxCustomGridView* view);
  void CheckFocusedView();
  void RefreshViews(bool recalculate);

  // --- handlers --------------------------------------------------------
  TlxGridController* Controller() const { return controller_.get(); }
  TlxGridPainter* Painter() const { return painter_.get(); }
  TlxGridViewInfo* ViewInfo() const { return view_info_.get(); }
  TlxNavigatorControlNotifier* NavigatorNotifier() const { return navigator_notifier_.get(); }
  void NotifyNavigator();

  // --- subscribers -----------------------------------------------------
  void AddNotificationHandler(IlxGridNotificationHandler* handler);
  void RemoveNotificationHandler(IlxGridNotificationHandler* handler);
  bool DispatchNotification(int32_t kind, TObject* param);

  // --- properties ------------------------------------------------------
  bool DragOpening() const { return drag_opening_; }
  void SetDragOpening(bool value) { drag_opening_ = value; }
  int32_t DragOpeningWaitTime() const { return drag_opening_wait_time_; }
  void SetDragOpeningWaitTime(int32_t value) { drag_opening_wait_time_ = value < 0 ? 0 : value; }
  bool GridTabStop() const { return grid_tab_stop_; }
  void SetGridTabStop(bool value);
  TlxGridLevelTabs& LevelTabs() const { return *level_tabs_; }
  void SetLevelTabs(const TlxGridLevelTabs& value) { level_tabs_->Assign(&value); }
  TlxGridRootLevelOptions& RootLevelOptions() const;
  TlxGridLevelStyles& RootLevelStyles() const;
  bool IsFocusedState() const { return focused_; }
  bool IsDestroying() const { return destroying_; }
  // Records whether a site gained or lost the focus.
  void FocusStateChanged(bool site_focused);

  // Posts WM_NEXTDLGCTL to the parent form while the grid counts as focused.
  void FocusNextControl(bool forward);

  TlxGridActiveTabChangedEvent OnActiveTabChanged;
  TlxGridFocusedViewChangedEvent OnFocusedViewChanged;
  TlxGridLayoutChangedEvent OnLayoutChanged;

  // --- overridable, in slot order --------------------------------------
  virtual void CreateHandlers();
  virtual void DestroyHandlers();
  virtual void DoActiveTabChanged(TlxGridLevel* level);
  virtual void DoLayoutChanged(TlxCustomGridView* grid_view);
  virtual void FocusedViewChanged(TlxCustomGridView* prev_focused_view, TlxCustomGridView* focused_view);
  virtual const TClass* GetControllerClass() const;
  virtual const TClass* GetRootLevelClass() const;
  virtual const TClass* GetLevelTabsClass() const;
  virtual const TClass* GetPainterClass() const;
  virtual const TClass* GetViewInfoClass() const;
  virtual bool RelayoutsOnDataChange() const;
  virtual void LayoutChanged();
  virtual void SizeChanged();
  virtual void DataChanged();

  // --- IlxNavigator, forwarded to the focused view ---------------------
  bool CanAppendRecord() override;
  bool CanDeleteRecord() override;
  bool CanEditRecord() override;
  bool CanInsertRecord() override;
  bool IsDataActive() override;
  bool IsAtBeginning() override;
  bool HasBookmark() override;
  bool IsEditingRecord() override;
  bool IsAtEnd() override;
  void ForgetBookmark() override;
  void PerformButtonAction(int32_t button_index) override;
  TlxNavigatorControlNotifier* GetButtonsNotifier() override;
  bool SupportsButtonAction(int32_t button_index) override;

  // --- control foundation ----------------------------------------------
  bool IsFocusedControl() override;
  void AddChildComponent(TlxControlChildComponent* child) override;
  void RemoveChildComponent(TlxControlChildComponent* child) override;
  void Loaded() override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  // Moves a top-level level to (order - number of views).
  void SetChildOrder(TComponent* child, int32_t order);
  void SetName(const std::string& new_name) override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void Paint() override;
  void BoundsChanged() override;
  void LookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) override;
  void ResourceStringsChanged() override { SizeChanged(); }
  TCursor GetCursorAt(int32_t x, int32_t y) override;
  void MouseOperationCanceled() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override;
  void DoEndDrag(TObject* target, int32_t x, int32_t y) override;
  void Dispatch(TMessage& message) override;

 private:
  TlxCustomGridView* FindFocusReplacement(TlxCustomGridView* previous) const;
  TlxCustomGridView* FocusedNavigatorView() const;
  IlxNavigator* FocusedNavigator() const;

  TlxGridChangeQueue changes_{this};
  std::unique_ptr<TlxGridLevel> root_level_;
  TlxGridLevel* active_level_ = nullptr;
  TlxCustomGridView* focused_view_ = nullptr;
  std::vector<TlxCustomGridView*> views_;
  std::vector<IlxGridNotificationHandler*> notification_handlers_;
  std::unique_ptr<TlxGridController> controller_;
  std::unique_ptr<TlxGridPainter> painter_;
  std::unique_ptr<TlxGridViewInfo> view_info_;
  std::unique_ptr<TlxNavigatorControlNotifier> navigator_notifier_;
  std::unique_ptr<TlxGridLevelTabs> level_tabs_;
  bool focused_ = false;
  bool drag_opening_ = true;
  int32_t drag_opening_wait_time_ = 800;
  bool grid_tab_stop_ = true;
  bool destroying_ = false;
};

class TlxGrid : public TlxCustomGrid {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGrid", &TlxCustomGrid::kClass, &ConstructInstance<TlxGrid>, &TlxGrid::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGrid(TComponent* owner) : TlxCustomGrid(owner) {}
};
