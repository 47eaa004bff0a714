#pragma once
// The view-data and view-info classes an editor kind names through its
// properties, so that whoever holds the properties can draw the kind
// without knowing it. The classes themselves draw, so they exist only in
// the Windows build; natively the records stay empty.

#include <cstdint>
#include <memory>

#include "platform/rtl/object.h"

// The limits of a size measurement: -1 means any height or width, a max
// line count of 0 means unlimited.
struct TlxEditSizeProperties {
  int32_t Height = -1;
  int32_t MaxLineCount = 0;
  int32_t Width = -1;
};

class TlxCustomEditProperties;
class TlxCustomEditStyle;
class TlxCustomEditViewData;
class TlxCustomEditViewInfo;

struct TlxEditViewDataClass {
  const TClass* Class = nullptr;
  std::unique_ptr<TlxCustomEditViewData> (*Create)(TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
                                                   bool inplace) = nullptr;
};

struct TlxEditViewInfoClass {
  const TClass* Class = nullptr;
  std::unique_ptr<TlxCustomEditViewInfo> (*Create)() = nullptr;
};
