#pragma once
// The details site: the rectangle in which the grid shows the view of a
// level, with one tab per child level (a real tab control, placed as a
// child window) on the left or at the top when the level's options ask for
// tabs. The root level's site sits at the top of the grid; master rows have
// sites of their own. Included only from Windows sources.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "grid/grid_cells_win.h"
#include "grid/grid_level_win.h"
#include "tabs/tab_control_win.h"
#include "ui/foundation/base/component.h"

class TlxCustomGrid;
class TlxCustomGridDetailsSiteTabsViewInfo;
class TlxCustomGridHitTest;
class TlxCustomGridRecord;
class TlxCustomGridView;
class TlxGridDetailsSiteTabHitTest;
struct TlxPaintParams;

// Whether level captions may show accelerators at all; on for the process.
bool lxGridShowAccelerators();
void lxGridSetShowAccelerators(bool value);

// What a site keeps across its re-creation: the first displayed tab.
class TlxCustomGridDetailsSiteViewInfoCachedInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDetailsSiteViewInfoCachedInfo", &TObject::kClass,
                                 &ConstructInstance<TlxCustomGridDetailsSiteViewInfoCachedInfo>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t FirstDisplayedTab = -1;
};

class TlxCustomGridDetailsSiteViewInfo : public TlxComponent {
 public:
  static constexpr TClass kClass{"TlxCustomGridDetailsSiteViewInfo", &TlxComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr int32_t kEmptyHeight = 100;
  static constexpr int32_t kEmptyWidth = 200;

  explicit TlxCustomGridDetailsSiteViewInfo(TlxGridLevel* level);
  ~TlxCustomGridDetailsSiteViewInfo() override;

  TlxGridLevel* Level() const { return level_; }
  const TRect& Bounds() const { return bounds_; }
  // Made on first use: it asks the concrete site's operations.
  TlxCustomGridDetailsSiteTabsViewInfo* TabsViewInfo();
  bool HasTabsViewInfo() { return TabsViewInfo() != nullptr; }

  // --- overridable, in slot order ----------------------------------------
  void Notification(TComponent* component, TOperation operation) override;
  virtual int32_t CalculateHeight();
  virtual int32_t CalculateWidth();
  virtual TColor GetBackgroundColor();
  virtual TRect GetClientBounds();
  virtual TWinControl* GetContainer() = 0;
  virtual int32_t GetEmptyHeight() { return kEmptyHeight; }
  virtual int32_t GetEmptyWidth() { return kEmptyWidth; }
  virtual TColor GetFrameColor();
  virtual int32_t GetFrameWidth();
  virtual bool GetFullyVisible() { return fully_visible_; }
  virtual int32_t GetHeight() { return CalculateHeight(); }
  virtual TlxCustomGridRecord* GetMasterRecord() { return nullptr; }
  virtual int32_t GetMaxHeight() = 0;
  virtual int32_t GetMaxNormalHeight();
  virtual int32_t GetMaxWidth() = 0;
  virtual int32_t GetMinWidth() { return GetMaxWidth(); }
  virtual int32_t GetNormalHeight() { return normal_height_; }
  virtual int32_t GetWidth() { return CalculateWidth(); }
  virtual const TClass* GetPainterClass() const;
  virtual const TClass* GetTabsViewInfoClass();
  virtual TlxCustomGridView* FindActiveGridView() = 0;
  bool HasActiveGridView();
  TlxCustomGridView* ActiveGridView();
  virtual TlxGridLevel* GetActiveLevel() = 0;
  virtual bool AlwaysTrue() { return true; }
  virtual void GetLevelTabDefaultParams(TlxPaintParams& params);
  virtual void GetLevelTabParams(TlxGridLevel* level, TlxPaintParams& params);
  virtual void InitTabHitTest(TlxGridDetailsSiteTabHitTest* hit_test) = 0;
  virtual std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> CreateCachedInfo();
  virtual const TClass* GetCachedInfoClass() const { return &TlxCustomGridDetailsSiteViewInfoCachedInfo::kClass; }
  virtual void RestoreFromCachedInfo(std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> info);
  virtual void ChangeTabsAcceleratorMode(bool on);
  virtual void Calculate(int32_t left, int32_t top);
  virtual void LevelTabChanged(TlxGridLevel* level, bool focus_view) = 0;
  virtual bool HasLevelDetails(TlxGridLevel* level) = 0;
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  virtual bool IsTabVisible(TlxGridLevel* level);
  virtual bool ShowsTabAccelerators() { return false; }
  virtual void VisibilityChanged(bool visible);

  bool ProcessDialogChar(char16_t character);
  void Paint(TlxCanvas& canvas);

 private:
  TlxGridLevel* level_;
  TRect bounds_;
  std::unique_ptr<TlxCustomGridDetailsSiteTabsViewInfo> tabs_view_info_;
  bool tabs_view_info_made_ = false;
  TlxCustomGridView* active_view_ = nullptr;
  bool active_view_looked_up_ = false;
  bool fully_visible_ = false;
  int32_t normal_height_ = 0;
};

class TlxGridLevelTabControl : public TlxTabControl {
 public:
  static constexpr TClass kClass{"TlxGridLevelTabControl", &TlxTabControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridLevelTabControl(TlxCustomGridDetailsSiteViewInfo* site);

  TlxCustomGridDetailsSiteViewInfo* Site() const { return site_; }
  // The site is going: nothing calls back into it from now on.
  void DetachSite() { site_ = nullptr; }
  TlxGridLevel* LevelOfTab(int32_t index) const;
  TlxGridLevel* SelectedLevel() const;
  void SelectLevel(TlxGridLevel* level);
  void AddLevel(TlxGridLevel* level);
  std::string LevelDisplayText(const TlxGridLevel* level) const;
  bool AcceleratorMode() const { return accelerator_mode_; }
  void SetAcceleratorMode(bool value);
  bool FocusOnChange() const { return focus_on_change_; }
  bool SelectTabByAccel(char16_t character) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void CMDialogChar(TMessage& message) override;
  void CMDrag(TMessage& message) override;
  void DoChange() override;
  // The grid under the tabs sees the mouse too: it opens levels dragged
  // over their tabs and starts its own drags from there.
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 private:
  void ApplyTabFont(TlxTab* tab, TFont& font);
  void PassMouseToParent(UINT message, TShiftState shift, int32_t x, int32_t y);

  TlxCustomGridDetailsSiteViewInfo* site_;
  bool accelerator_mode_ = true;
  bool focus_on_change_ = false;
};

class TlxCustomGridDetailsSiteTabsViewInfo : public TObject {
 public:
  using TOwnerType = TlxCustomGridDetailsSiteViewInfo;
  static constexpr TClass kClass{"TlxCustomGridDetailsSiteTabsViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridDetailsSiteTabsViewInfo(TlxCustomGridDetailsSiteViewInfo* site);
  ~TlxCustomGridDetailsSiteTabsViewInfo() override;
  // The second step of construction: it calls the class's own operations.
  void Initialize();

  TlxCustomGridDetailsSiteViewInfo* Site() const { return site_; }
  TlxGridLevelTabControl* TabControl() const { return tab_control_.get(); }

  // --- overridable, in slot order ----------------------------------------
  virtual void AdjustBounds(TRect& bounds) = 0;
  virtual int32_t CalculateHeight() = 0;
  virtual int32_t CalculateWidth() = 0;
  virtual void AdjustSiteHeight(int32_t& /*height*/) {}
  virtual void AdjustSiteWidth(int32_t& /*width*/) {}
  virtual TColor GetTabsBackgroundColor();
  int32_t GetFirstDisplayedTab() const;
  void SetFirstDisplayedTab(int32_t value);
  virtual bool IsVertical() const = 0;
  virtual const TClass* GetPainterClass() const;
  virtual bool GetRotate() const { return IsVertical(); }
  const TRect& Bounds() const { return bounds_; }
  virtual TlxTabPosition GetTabPosition() const = 0;
  virtual void AddLevelTabs();
  virtual void SetAcceleratorMode(bool on);
  virtual void SetRotationAndPosition();
  virtual void ApplyOptions();
  virtual void ApplyTabColors();
  virtual void RefreshAcceleratorMode();
  virtual void Calculate(const TRect& bounds);
  virtual void AdjustClientBounds(TRect& bounds) = 0;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  bool ProcessDialogChar(char16_t character);

  int32_t Height();
  int32_t Width();

 protected:
  // The tab control's layout needs a size to lay its rows out for.
  void SizeTabControlFor(int32_t width, int32_t height);

 private:
  TlxCustomGridDetailsSiteViewInfo* site_;
  std::unique_ptr<TlxGridLevelTabControl> tab_control_;
  TRect bounds_;
  int32_t height_ = 0;
  int32_t width_ = 0;
};

class TlxGridDetailsSiteLeftTabsViewInfo : public TlxCustomGridDetailsSiteTabsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteLeftTabsViewInfo", &TlxCustomGridDetailsSiteTabsViewInfo::kClass,
                                 &ConstructInstance<TlxGridDetailsSiteLeftTabsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteTabsViewInfo::TlxCustomGridDetailsSiteTabsViewInfo;

  void AdjustBounds(TRect& bounds) override { bounds.Right = std::min(bounds.Left + Width(), bounds.Right); }
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void AdjustSiteHeight(int32_t& height) override { height = std::max(height, Height()); }
  bool IsVertical() const override { return true; }
  TlxTabPosition GetTabPosition() const override { return tpLeft; }
  void AdjustClientBounds(TRect& bounds) override { bounds.Left += Width(); }
};

class TlxGridDetailsSiteTopTabsViewInfo : public TlxCustomGridDetailsSiteTabsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteTopTabsViewInfo", &TlxCustomGridDetailsSiteTabsViewInfo::kClass,
                                 &ConstructInstance<TlxGridDetailsSiteTopTabsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteTabsViewInfo::TlxCustomGridDetailsSiteTabsViewInfo;

  void AdjustBounds(TRect& bounds) override { bounds.Bottom = std::min(bounds.Top + Height(), bounds.Bottom); }
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void AdjustSiteWidth(int32_t& width) override { width = std::max(width, Width()); }
  bool IsVertical() const override { return false; }
  TlxTabPosition GetTabPosition() const override { return tpTop; }
  void AdjustClientBounds(TRect& bounds) override { bounds.Top += Height(); }
};

// Painted per call: the frame, the tabs (a child window that paints
// itself), the background.
class TlxGridDetailsSitePainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSitePainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridDetailsSitePainter(TlxCanvas& canvas, TlxCustomGridDetailsSiteViewInfo& site) : canvas_(canvas), site_(site) {}
  void Paint();

 private:
  TlxCanvas& canvas_;
  TlxCustomGridDetailsSiteViewInfo& site_;
};

class TlxGridDetailsSiteTabsPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteTabsPainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridDetailsSiteTabsPainter(TlxCanvas& canvas, TlxCustomGridDetailsSiteTabsViewInfo& tabs)
      : canvas_(canvas), tabs_(tabs) {}
  void Paint();

 private:
  TlxCanvas& canvas_;
  TlxCustomGridDetailsSiteTabsViewInfo& tabs_;
};

// The root level's site at the top of the grid.
class TlxGridTopDetailsSiteViewInfo : public TlxCustomGridDetailsSiteViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTopDetailsSiteViewInfo", &TlxCustomGridDetailsSiteViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridTopDetailsSiteViewInfo(TlxCustomGrid* grid);

  TlxCustomGrid* Grid() const { return grid_; }
  TWinControl* GetContainer() override;
  int32_t GetMaxHeight() override;
  int32_t GetMaxWidth() override;
  TlxCustomGridView* FindActiveGridView() override;
  TlxGridLevel* GetActiveLevel() override;
  void InitTabHitTest(TlxGridDetailsSiteTabHitTest* hit_test) override;
  void LevelTabChanged(TlxGridLevel* level, bool focus_view) override;
  bool HasLevelDetails(TlxGridLevel* level) override;

 private:
  TlxCustomGrid* grid_;
};
