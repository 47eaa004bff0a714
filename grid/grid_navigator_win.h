#pragma once
// The navigator buttons and their view infos.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.


class TlxCustomNavigatorButtons : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxCustomNavigatorButtons", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TPersistent::TPersistent;
};

class TlxNavigatorControlButtons : public TlxCustomNavigatorButtons {
 public:
  static constexpr TClass kClass{"TlxNavigatorControlButtons", &TlxCustomNavigatorButtons::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomNavigatorButtons::TlxCustomNavigatorButtons;
};

class TlxNavigatorButton : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxNavigatorButton", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TPersistent::TPersistent;
};

class TlxNavigatorButtonViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxNavigatorButtonViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};
