#pragma once
// The grid's popups: the base popup with its owner cell, the popup list box, the column filter popup and the filter MRU popup.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "editors/list_box_win.h"
#include "editors/popup_window_win.h"

class TlxCustomGridPopup : public TlxCustomPopupWindow {
 public:
  static constexpr TClass kClass{"TlxCustomGridPopup", &TlxCustomPopupWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomPopupWindow::TlxCustomPopupWindow;
};

class TlxGridPopupListBox : public TlxListBox {
 public:
  static constexpr TClass kClass{"TlxGridPopupListBox", &TlxListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxListBox::TlxListBox;
};

class TlxGridFilterPopupListBox : public TlxGridPopupListBox {
 public:
  static constexpr TClass kClass{"TlxGridFilterPopupListBox", &TlxGridPopupListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridPopupListBox::TlxGridPopupListBox;
};
