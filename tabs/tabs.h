#pragma once
// TlxTabs: a tab control's list of tabs as a string list (captions are the
// lines, a tab's Object the line's object). The list owns its tabs.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/strings.h"
#include "tabs/tab_types.h"

class TlxTab;
class TlxTabControlModel;

class TlxTabs : public TStrings {
 public:
  static constexpr TClass kClass{"TlxTabs", &TStrings::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTabs(TlxTabControlModel* control);
  ~TlxTabs() override;

  TlxTabControlModel& Control() const { return *control_; }

  int32_t Count() const override { return static_cast<int32_t>(tabs_.size()); }
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& text) override;
  uintptr_t GetSlot(int32_t index) const override;
  void PutSlot(int32_t index, uintptr_t slot) override;
  void Insert(int32_t index, const std::string& text) override;
  void Delete(int32_t index) override;
  void Clear() override;
  void Move(int32_t current_index, int32_t new_index) override;

  TlxTab* GetTab(int32_t index) const;
  TlxTab* operator()(int32_t index) const { return GetTab(index); }
  TlxTab* GetVisibleTab(int32_t visible_index) const;
  int32_t VisibleCount() const;

  // The tab height the painter computed at the last relayout.
  int32_t CommonTabHeight() const { return common_tab_height_; }
  void SetCommonTabHeight(int32_t height) { common_tab_height_ = height; }

  void SetHotTab(int32_t visible_index);
  void UpdateMainTab();
  void SetTrackedTab(int32_t visible_index);
  void FreeVerticalCaptionBitmaps();
  void RefreshImageTabs();

  // Routes a tab change to the control: a relayout or one tab's repaint.
  void Changed(int32_t visible_index, TlxPCTabChangeKind kind);

 private:
  friend class TlxTab;
  void CheckIndex(int32_t index, int32_t limit, const char* method) const;
  // A tab being freed takes its entry out without freeing it again.
  void RemoveDestroyingTab(TlxTab* tab);
  void Renumber(int32_t from, int32_t to);

  TlxTabControlModel* control_;
  std::vector<TlxTab*> tabs_;
  int32_t common_tab_height_ = 0;
  bool deleting_ = false;
  bool destroying_tab_ = false;
};
