#pragma once
// TlxPageControl: one page per tab. Each page is a TlxTabSheet, a child
// window filling the page area; the page control keeps its pages and its
// tabs in step, shows the active page only and maps tab choices to page
// changes and back. Whole forms dock onto it as pages of their own.
// Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit/dock_site.h"
#include "platform/toolkit/win_control.h"
#include "tabs/tab_control_win.h"

class TlxPageControl;
class TlxTabSheet;

using TlxPageChangingEvent = std::function<void(TObject* sender, TlxTabSheet* new_page, bool& allow_change)>;

class TlxTabSheet : public TCustomControl {
 public:
  static constexpr TClass kClass{"TlxTabSheet", &TCustomControl::kClass, &ConstructInstance<TlxTabSheet>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTabSheet(TComponent* owner);
  ~TlxTabSheet() override;

  TlxPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TlxPageControl* page_control);
  // -1 without a page control.
  int32_t PageIndex() const;
  void SetPageIndex(int32_t value);
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  bool Highlighted() const { return highlighted_; }
  void SetHighlighted(bool value);
  TlxTab* Tab() const { return tab_; }

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  // Only a page control (or none) can hold a page.
  void SetParent(TWinControl* parent) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WMEraseBkgnd(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMShowingChanged(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;

 private:
  friend class TlxPageControl;
  void UpdateTab();

  TlxPageControl* page_control_ = nullptr;
  TlxTab* tab_ = nullptr;
  bool tab_visible_ = true;
  int32_t image_index_ = -1;
  bool highlighted_ = false;
};

// The page control's part as a dock site: each docked control gets a page
// of its own.
class TlxPCDockSite : public TDockSite {
 public:
  explicit TlxPCDockSite(TlxPageControl& page_control);

  void DockDrop(TDragDockObject& source, int32_t x, int32_t y) override;
  bool DoUnDock(TWinControl* new_target, TControl& client) override;
  // The page follows its docked control: caption (first line) and visibility.
  void DockClientChanged(TControl& client, TDockClientChange change) override;

 protected:
  void DoAddDockClient(TControl& client, const TRect& rect) override;
  void DoRemoveDockClient(TControl& client) override;

 private:
  friend class TlxPageControl;
  TlxPageControl& page_control_;
};

class TlxPageControl : public TlxCustomTabControl {
 public:
  static constexpr TClass kClass{"TlxPageControl", &TlxCustomTabControl::kClass, &ConstructInstance<TlxPageControl>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPageControl(TComponent* owner);
  ~TlxPageControl() override;

  TlxTabSheet* ActivePage() const { return active_page_; }
  void SetActivePage(TlxTabSheet* page);
  int32_t PageCount() const { return static_cast<int32_t>(pages_.size()); }
  TlxTabSheet* Pages(int32_t index) const;
  // The next page from `current`, wrapping; null when there is none.
  TlxTabSheet* FindNextPage(TlxTabSheet* current, bool go_forward, bool check_tab_visible);
  void SelectNextPage(bool go_forward, bool check_tab_visible = true);

  TlxPageChangingEvent OnPageChanging;

  // Overrides of the tab control.
  TWinControl* GetActivePageControl() override { return active_page_; }
  TWinControl* GetPage(int32_t index) override { return Pages(index); }
  bool RequiresVisibleTab() const override { return true; }
  void CloseActiveTab() override;
  void Loaded() override;
  void ImagesChanged() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

  // Docking whole controls (forms) as pages.
  TlxPCDockSite& DockSite() const { return *dock_site_; }
  // The page holding a docked control, or null.
  TlxTabSheet* FindDockedPage(const TControl& client) const;
  // The docked control on the page of the tab at (x, y), or null.
  TControl* DockClientAtTab(int32_t x, int32_t y);
  // Places a docking control on a new page (or moves its page to the end).
  virtual void DockClient(TDragDockObject& source);
  // A client leaves its page (OnUnDock allowed it): its page goes when it
  // has left.
  virtual bool CanUndockClient(TWinControl* new_target, TControl& client);

 protected:
  bool DoCanChange(int32_t new_index) override;
  void DoChange() override;
  virtual bool DoPageChanging(TlxTabSheet* new_page);
  virtual void ShowPageOfTabIndex();

 private:
  friend class TlxTabSheet;
  friend class TlxPCDockSite;
  void InsertPage(TlxTabSheet* page);
  void RemovePage(TlxTabSheet* page);
  void MovePage(TlxTabSheet* page, int32_t new_index);
  TlxTabSheet* FindPage(TlxTabSheet* current, bool go_forward, bool check_tab_visible, bool wrap);
  void ChangeActivePage(TlxTabSheet* page);
  void SyncTabIndexWithActivePage();

  std::vector<TlxTabSheet*> pages_;
  TlxTabSheet* active_page_ = nullptr;
  bool inserting_page_ = false;
  bool setting_active_page_ = false;
  std::unique_ptr<TlxPCDockSite> dock_site_;
  TlxTabSheet* new_dock_page_ = nullptr;
  TlxTabSheet* undocking_page_ = nullptr;
};
