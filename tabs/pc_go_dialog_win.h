#pragma once
// TlxPCGoDialog: the tab-list menu of a tab control, one item per visible
// tab that can be chosen. Included only from Windows sources.

#include <cstdint>
#include <functional>

#include "platform/toolkit/menus.h"

class TlxTabControlModel;

class TlxPCGoDialog : public TPopupMenu {
 public:
  static constexpr TClass kClass{"TlxPCGoDialog", &TPopupMenu::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPCGoDialog(TComponent* owner) : TPopupMenu(owner) {}

  // Called with the chosen tab's Index.
  std::function<void(int32_t tab_index)> OnItemChosen;

  // One item per visible tab enabled for use, sorted by the caption
  // without accelerator marks when asked.
  void BuildItems(TlxTabControlModel& control, bool sort);
};
