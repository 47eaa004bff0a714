#pragma once
// What an in-place host keeps for a drop-down editor between activations:
// the popup size the user dragged, so that a re-created editor opens its
// popup at that size again.

#include <cstdint>

#include "editors/edit_data_win.h"

class TlxCustomDropDownEditData : public TlxCustomEditData {
 public:
  static constexpr TClass kClass{"TlxCustomDropDownEditData", &TlxCustomEditData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomEditData::TlxCustomEditData;

  bool UserResized = false;
  int32_t Width = 0;
  int32_t Height = 0;
};

// The edit-data factory of the drop-down kinds.
TlxCustomEditData* lxCreateDropDownEditData(TlxCustomEdit* edit);
