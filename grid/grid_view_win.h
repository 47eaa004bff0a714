#pragma once
// TlxCustomGridView: the abstract base of every grid view. A view holds no
// layout or painting logic itself: it is a composition of parts made
// through class-returning operations (controller, data controller, painter,
// view data, view info, view-info cache, options, styles), the update
// bracket every change of a view goes through, the pattern/clone relation of
// detail views, and the entry through which layout, size and repaint
// requests reach the grid's change queue. Also the options and styles bases,
// listener links and the registry of view kinds. Included only from Windows
// sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/variant.h"
#include "platform/toolkit/memo.h"
#include "ui/foundation/base/interfaced.h"
#include "ui/foundation/base/registered_classes.h"
#include "ui/foundation/controls/control_child_component_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"
#include "ui/foundation/styles/styles_win.h"

class TBitmap;
class TStrings;
class TlxCustomDataController;
class TlxCustomGrid;
class TlxCustomGridChange;
class TlxCustomGridController;
class TlxCustomGridPainter;
class TlxCustomGridView;
class TlxCustomGridViewData;
class TlxCustomGridViewInfo;
class TlxCustomGridViewInfoCache;
class TlxGridLevel;
class TlxGridSite;
class TlxLookAndFeel;
class TlxUpdateControlInfo;

using TlxGridViewGetStoredPropertiesEvent = std::function<void(TlxCustomGridView* sender, TStrings* properties)>;
using TlxGridViewGetStoredPropertyValueEvent =
    std::function<void(TlxCustomGridView* sender, const std::string& name, Variant& value)>;
using TlxGridViewSetStoredPropertyValueEvent =
    std::function<void(TlxCustomGridView* sender, const std::string& name, const Variant& value)>;
using TlxGridViewInitStoredObjectEvent = std::function<void(TlxCustomGridView* sender, TObject* object)>;

// Kinds of Changed: 0 property (handlers told), 1 layout (repaint), 2 size
// (recalculate).
enum TlxGridViewChangeKind : int32_t { vckProperty = 0, vckLayout = 1, vckSize = 2 };

// Storage options of a layout store: bit 0 the filter, bit 1 the summaries.
enum TlxGridStorageOption : uint8_t { gsoFilter = 1, gsoSummary = 2 };
using TlxGridStorageOptions = uint8_t;

// A link a caller takes before it fires an event that may destroy the view;
// afterwards GridView() is null when the view is gone.
class TlxGridListenerLink : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridListenerLink", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridListenerLink(TlxCustomGridView* view) : grid_view_(view) {}
  ~TlxGridListenerLink() override;
  TlxCustomGridView* GridView() const { return grid_view_; }
  void Clear() { grid_view_ = nullptr; }

 private:
  TlxCustomGridView* grid_view_;
};

// Base of a view's option objects: each registers in its view's options
// list and tells the view a change of one of three kinds.
class TlxCustomGridOptions : public TlxInterfacedPersistent {
 public:
  using TOwnerType = TlxCustomGridView;
  static constexpr TClass kClass{"TlxCustomGridOptions", &TlxInterfacedPersistent::kClass,
                                 &ConstructInstance<TlxCustomGridOptions>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridOptions(TlxCustomGridView* grid_view);
  ~TlxCustomGridOptions() override;

  void Assign(const TPersistent* source) override;
  TlxCustomGridView* GetGridView() const { return grid_view_; }
  TlxPainterClass LookAndFeelPainter() const;

  // --- overridable, in slot order --------------------------------------
  virtual void Changed(TlxGridViewChangeKind kind);
  virtual void Notification(TComponent* /*component*/, TOperation /*operation*/) {}

 protected:
  // Stores `value` in `field` when it differs and tells the view; integer
  // options turn negative values into 0 first.
  template <class T>
  void SetOption(T& field, T value, TlxGridViewChangeKind kind) {
    if (field == value)
      return;
    field = value;
    Changed(kind);
  }
  void SetCountOption(int32_t& field, int32_t value, TlxGridViewChangeKind kind) {
    SetOption(field, value < 0 ? 0 : value, kind);
  }

 private:
  TlxCustomGridView* grid_view_;
};

class TlxCustomGridBackgroundBitmaps : public TlxCustomGridOptions {
 public:
  static constexpr int32_t kBackground = 0;
  static constexpr TClass kClass{"TlxCustomGridBackgroundBitmaps", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridBackgroundBitmaps>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridBackgroundBitmaps(TlxCustomGridView* grid_view);
  ~TlxCustomGridBackgroundBitmaps() override;

  void Assign(const TPersistent* source) override;
  TBitmap* Background() { return GetValue(kBackground); }
  void SetBackground(TBitmap* value) { SetValue(kBackground, value); }

  // The own bitmap, or the style's when the own one is empty.
  TBitmap* GetBitmap(int32_t index);
  TBitmap* GetValue(int32_t index);
  void SetValue(int32_t index, TBitmap* value);

  // --- overridable, in slot order --------------------------------------
  virtual int32_t GetBitmapStyleIndex(int32_t index) const { return index == kBackground ? 0 : -1; }
  virtual TBitmap* GetStyleBitmap(int32_t index) const;

 private:
  std::vector<std::unique_ptr<TBitmap>> bitmaps_;
};

class TlxCustomGridOptionsBehavior : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridOptionsBehavior", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridOptionsBehavior>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;

  void Assign(const TPersistent* source) override;
  // A clone reads its pattern's value.
  bool PostponedSynchronization() const;
  void SetPostponedSynchronization(bool value) { SetOption(postponed_synchronization_, value, vckProperty); }

 private:
  bool postponed_synchronization_ = true;
};

class TlxCustomGridOptionsData : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridOptionsData", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridOptionsData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;
};

class TlxCustomGridOptionsSelection : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridOptionsSelection", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridOptionsSelection>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;
};

class TlxCustomGridOptionsView : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridOptionsView", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridOptionsView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;

  void Assign(const TPersistent* source) override;
  // Held by the site.
  TScrollStyle ScrollBars() const;
  void SetScrollBars(TScrollStyle value);
};

class TlxCustomGridStyles : public TlxStyles {
 public:
  static constexpr TClass kClass{"TlxCustomGridStyles", &TlxStyles::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridStyles(TPersistent* owner) : TlxStyles(owner) {}

  virtual TlxCustomGridView* GetGridView() const = 0;
  void CollectFakeComponentLinks(std::vector<TComponent*>& list) const;
};

class TlxCustomGridViewStyles : public TlxCustomGridStyles {
 public:
  using TOwnerType = TlxCustomGridView;
  static constexpr int32_t kBackground = 0;
  static constexpr TClass kClass{"TlxCustomGridViewStyles", &TlxCustomGridStyles::kClass,
                                 &ConstructInstance<TlxCustomGridViewStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewStyles(TlxCustomGridView* grid_view);
  TlxCustomGridView* GetGridView() const override { return grid_view_; }
  void Assign(const TPersistent* source) override;
  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;

 protected:
  using TlxStyles::StyleChanged;
  void StyleChanged(int32_t index) override;

 private:
  TlxCustomGridView* grid_view_;
};

class TlxCustomGridView : public TlxControlChildComponent {
 public:
  static constexpr TClass kClass{"TlxCustomGridView", &TlxControlChildComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridView(TComponent* owner);
  // A clone: owned by the control's owner, transient, never streamed.
  TlxCustomGridView(TlxCustomGrid* control, bool cloned);
  ~TlxCustomGridView() override;

  // --- parts -----------------------------------------------------------
  TlxCustomGrid* Grid() const;
  TlxCustomGridController* Controller() const { return controller_.get(); }
  TlxCustomDataController* DataController() const { return data_controller_.get(); }
  TlxCustomGridPainter* Painter() const { return painter_.get(); }
  TlxCustomGridViewData* ViewData() const { return view_data_.get(); }
  TlxCustomGridViewInfo* ViewInfo() const { return view_info_.get(); }
  TlxCustomGridViewInfoCache* ViewInfoCache() const { return view_info_cache_.get(); }
  TlxCustomGridBackgroundBitmaps* BackgroundBitmaps() const { return background_bitmaps_; }
  TlxCustomGridOptionsBehavior* OptionsBehavior() const { return options_behavior_; }
  TlxCustomGridOptionsData* OptionsData() const { return options_data_; }
  TlxCustomGridOptionsSelection* OptionsSelection() const { return options_selection_; }
  TlxCustomGridOptionsView* OptionsView() const { return options_view_; }
  TlxCustomGridViewStyles* Styles() const { return styles_.get(); }
  TlxGridLevel* Level() const { return level_; }
  TlxCustomGridView* PatternGridView() const { return pattern_view_ != nullptr ? pattern_view_ : const_cast<TlxCustomGridView*>(this); }
  int32_t CloneCount() const { return static_cast<int32_t>(clones_.size()); }
  TlxCustomGridView* Clones(int32_t index) const { return clones_.at(static_cast<size_t>(index)); }
  TComponent* StorageControl() const { return storage_control_; }

  // --- published -------------------------------------------------------
  TDragMode DragMode() const;
  void SetDragMode(TDragMode value);
  TComponent* PopupMenu() const;
  void SetPopupMenu(TComponent* value);
  bool Synchronization() const;
  void SetSynchronization(bool value);
  TlxGridViewGetStoredPropertiesEvent OnGetStoredProperties;
  TlxGridViewGetStoredPropertyValueEvent OnGetStoredPropertyValue;
  TlxGridViewSetStoredPropertyValueEvent OnSetStoredPropertyValue;
  TNotifyEvent OnCustomization;
  TlxGridViewInitStoredObjectEvent OnInitStoredObject;

  // --- update bracket and change entry ---------------------------------
  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();
  bool IsUpdateLocked() const { return lock_count_ > 0; }
  // Hands a change to the grid (or runs it without grid); false when the
  // view cannot take changes now and the change was freed.
  bool AddChange(std::unique_ptr<TlxCustomGridChange> change);
  void LayoutChanged(bool view_only = true);
  void SizeChanged(bool view_only = false, bool keep_master_cache = false);
  void Invalidate();
  void InvalidateRect(const TRect& rect);
  void Changed(TlxGridViewChangeKind kind);
  void Synchronize(bool delayed);
  void SynchronizeWith(TlxCustomGridView* source);
  void CheckPendingSynchronization();
  void AssignPattern(TlxCustomGridView* source);
  // A data change that arrived while the view info calculated runs right
  // after the calculation (dropping it would leave the records sized for
  // the old row count).
  void RunHeldDataChange();
  bool HasHeldDataChange() const { return held_data_change_ != nullptr; }
  // Makes `clone` one of this pattern's clones.
  void RegisterClone(TlxCustomGridView* clone);

  // --- queries ---------------------------------------------------------
  TlxGridSite* Site() const;
  bool IsFocused() const;
  void SetFocused(bool value);
  bool IsDetail() const;
  bool IsPattern() const;
  bool IsLoading() const;
  TlxCustomGridView* MasterGridView() const;
  int32_t MasterRecordIndex() const;
  int32_t MasterRowIndex() const;
  bool IsDetailOf(const TlxCustomGridView* view) const;
  bool HasDetails() const;
  TlxLookAndFeel* LookAndFeel() const;
  TlxPainterClass LookAndFeelPainter() const;
  std::string StoringName() const { return storing_name_; }
  // A clone made for one master record: never streamed.
  bool IsTransient() const { return transient_; }
  void SetTransient(bool value) { transient_ = value; }
  void SetStoringName(const std::string& value) { storing_name_ = value; }
  int32_t StoredVersion() const { return stored_version_; }
  TlxGridStorageOptions StorageOptions() const { return storage_options_; }
  void SetStorageOptions(TlxGridStorageOptions value) { storage_options_ = value; }
  bool IsRestoring() const { return restoring_; }
  void SetRestoring(bool value) { restoring_ = value; }

  // --- listener links and the options list -----------------------------
  TlxGridListenerLink* AddListenerLink();
  void RemoveListenerLink(TlxGridListenerLink* link);
  void AddOptions(TlxCustomGridOptions* options);
  void RemoveOptions(TlxCustomGridOptions* options);

  // --- overridable, in slot order --------------------------------------
  virtual std::string GetStoringName() const;
  virtual bool GetStoredProperties(TStrings* properties);
  virtual void GetStoredPropertyValue(const std::string& name, Variant& value);
  virtual void SetStoredPropertyValue(const std::string& name, const Variant& value);
  virtual TObject* CreateStoredObject(const std::string& object_name, const std::string& class_name);
  virtual void DeleteStoredObject(TObject* object);
  virtual void GetStoredChildren(std::vector<TObject*>& children);
  virtual void AssignLayout(TlxCustomGridView* /*view*/) {}
  virtual void PrepareLayoutCopy(TlxCustomGridView* /*view*/) {}
  virtual std::string GetLayoutCustomizationCaption() const { return {}; }
  virtual bool HasLayoutCustomization() const { return false; }
  virtual bool IsLayoutEditable() const { return true; }
  virtual void ShowLayoutCustomization();
  virtual void CreateHandlers();
  virtual void DestroyHandlers();
  virtual void HookDataController();
  virtual void CreateOptions();
  virtual void DestroyOptions();
  virtual void BeforeAssign(TlxCustomGridView* source);
  virtual void AssignProperties(TlxCustomGridView* source);
  virtual void AssignFrom(TlxCustomGridView* source);
  virtual void AfterAssign(TlxCustomGridView* source);
  virtual void BeginRestoring();
  virtual void EndRestoring();
  virtual bool CanFocus() const;
  virtual bool GetGridTabStop() const;
  virtual void DetailDataChanged(TlxCustomGridView* /*detail_view*/) {}
  virtual void DetailVisibilityChanged(TlxGridLevel* /*child_level*/, int32_t /*old_visible_count*/,
                                       int32_t /*new_visible_count*/) {}
  virtual void DoChanged(TlxGridViewChangeKind kind);
  virtual bool CanUpdate() const;
  virtual bool CheckVisible(bool level_visible) const;
  virtual bool IsGridFocused() const;
  virtual bool UsesSizeChanges() const { return false; }
  virtual bool IsVisible() const;
  virtual void CheckState() {}
  virtual bool IsDetailVisible(TlxCustomGridView* /*detail_view*/) const { return false; }
  virtual void FocusChanged(bool focused);
  virtual void RequestSizeChange();
  virtual void LookAndFeelChanged();
  virtual void AfterRestoring() {}
  virtual void SetLevel(TlxGridLevel* level);
  virtual void UpdateSiteTabStop(bool is_top_level);
  virtual void UpdateControl(TlxUpdateControlInfo& info);
  virtual const TClass* GetControllerClass() const = 0;
  virtual const TClass* GetDataControllerClass() const = 0;
  virtual const TClass* GetPainterClass() const = 0;
  virtual const TClass* GetViewDataClass() const = 0;
  virtual const TClass* GetViewInfoCacheClass() const { return nullptr; }
  virtual const TClass* GetViewInfoClass() const = 0;
  virtual const TClass* GetBackgroundBitmapsClass() const { return &TlxCustomGridBackgroundBitmaps::kClass; }
  virtual const TClass* GetOptionsBehaviorClass() const { return &TlxCustomGridOptionsBehavior::kClass; }
  virtual const TClass* GetOptionsDataClass() const { return &TlxCustomGridOptionsData::kClass; }
  virtual const TClass* GetOptionsSelectionClass() const { return &TlxCustomGridOptionsSelection::kClass; }
  virtual const TClass* GetOptionsViewClass() const { return &TlxCustomGridOptionsView::kClass; }
  virtual const TClass* GetStylesClass() const { return &TlxCustomGridViewStyles::kClass; }
  virtual void DoCustomization();
  virtual void DoInitStoredObject(TObject* object);
  virtual void RestoreDefaults() {}
  virtual void BoundsChanged(bool view_only, bool keep_master_cache);

  // --- control-child component -----------------------------------------
  // Parts are made here, once; C++ runs the base constructor's call before
  // the descendant's class operations exist, so the view's factory
  // (lxConstructGridView), attaching to a control, and loading call it
  // again when the parts are still missing.
  bool HasParts() const { return view_info_ != nullptr; }
  bool GetIsDestroying() const override;
  void AssignControl(TlxControl* control) override;
  void InitializeChild() override;
  void Assign(const TPersistent* source) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  TComponent* GetParentComponent() const override;

 protected:
  // Part construction in the order the framework gives; called by
  // InitializeChild once the descendant's class operations answer.
  void CreateParts();

 private:
  friend class TlxGridListenerLink;
  void ReleaseParts();

  std::unique_ptr<TlxCustomGridController> controller_;
  std::unique_ptr<TlxCustomDataController> data_controller_;
  std::unique_ptr<TlxCustomGridPainter> painter_;
  std::unique_ptr<TlxCustomGridViewData> view_data_;
  std::unique_ptr<TlxCustomGridViewInfo> view_info_;
  std::unique_ptr<TlxCustomGridViewInfoCache> view_info_cache_;
  // Options objects are owned by options_list_ in creation order.
  std::vector<std::unique_ptr<TlxCustomGridOptions>> owned_options_;
  std::vector<TlxCustomGridOptions*> options_list_;
  TlxCustomGridBackgroundBitmaps* background_bitmaps_ = nullptr;
  TlxCustomGridOptionsBehavior* options_behavior_ = nullptr;
  TlxCustomGridOptionsData* options_data_ = nullptr;
  TlxCustomGridOptionsSelection* options_selection_ = nullptr;
  TlxCustomGridOptionsView* options_view_ = nullptr;
  std::unique_ptr<TlxCustomGridViewStyles> styles_;
  TlxGridLevel* level_ = nullptr;
  TComponent* storage_control_ = nullptr;
  TlxCustomGridView* pattern_view_ = nullptr;
  std::vector<TlxCustomGridView*> clones_;
  std::vector<TlxGridListenerLink*> listener_links_;
  int32_t lock_count_ = 0;
  bool synchronization_ = true;
  bool synchronization_needed_ = false;
  bool synchronization_assign_needed_ = false;
  bool assigning_pattern_ = false;
  bool synchronizing_ = false;
  bool restoring_ = false;
  std::string storing_name_;
  int32_t stored_version_ = 0;
  TlxGridStorageOptions storage_options_ = 0;
  TDragMode drag_mode_ = dmManual;
  TComponent* popup_menu_ = nullptr;
  bool transient_ = false;
  bool creating_parts_ = false;
  std::unique_ptr<TlxCustomGridChange> held_data_change_;
};

// The factory a view kind names in its class descriptor: constructs the
// view and then builds its parts through the finished object's class
// operations.
template <class T>
TObject* lxConstructGridView(TObject* owner) {
  auto* typed_owner = dynamic_cast<TComponent*>(owner);
  if (owner != nullptr && typed_owner == nullptr)
    throw EInvalidOperation("Cannot create a " + std::string(T::kClass.ClassName()) + " owned by a " +
                            std::string(owner->ClassName()));
  auto* view = new T(typed_owner);
  view->InitializeChild();
  return view;
}

// A view of kind T with its parts, owned by `owner`.
template <class T>
T* lxCreateGridView(TComponent* owner) {
  return static_cast<T*>(lxConstructGridView<T>(owner));
}

// The registry of view kinds offered to a designer, ordered: non-DB kinds
// first, then DB kinds, each group by description ignoring case.
class TlxGridRegisteredViews : public TlxRegisteredClasses {
 public:
  static constexpr TClass kClass{"TlxGridRegisteredViews", &TlxRegisteredClasses::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridRegisteredViews();
  static TlxGridRegisteredViews& Instance();
  // Module start and end of the process-wide registry.
  static void ModuleStart();
  static void ModuleEnd();

 protected:
  int CompareEntries(int32_t index1, int32_t index2) const override;
};
