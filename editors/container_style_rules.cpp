#include "editors/container_style_rules.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, kLxContainerStyleValueCount> kValueNames = {
    "BorderColor", "BorderStyle", "Color",     "Edges",     "Font",
    "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder",
};

// Notes a link; true when it was met before.
bool Visited(std::vector<const void*>& seen, const void* link) {
  if (std::find(seen.begin(), seen.end(), link) != seen.end())
    return true;
  seen.push_back(link);
  return false;
}

}  // namespace

bool lxContainerStyleValueName(int32_t value, std::string& name) {
  if (value < 0 || value >= kLxContainerStyleValueCount) {
    name.clear();
    return false;
  }
  name = kValueNames[static_cast<size_t>(value)];
  return true;
}

TlxContainerBorderStyle lxBorderStyleOfLookAndFeel(TlxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat:
      return cbsFlat;
    case lfStandard:
      return cbs3D;
    case lfUltraFlat:
      return cbsUltraFlat;
    case lfOffice11:
      return cbsOffice11;
  }
  return cbs3D;
}

TlxContainerBorderStyle lxStateBorderStyle(TlxContainerBorderStyle master, TlxContainerStateItem state,
                                           bool hot_track) {
  if (!hot_track || (state != csActive && state != csHotTrack))
    return master;
  switch (master) {
    case cbsNone:
      return cbsFlat;
    case cbsSingle:
    case cbsThick:
      return cbsThick;
    case cbsFlat:
    case cbs3D:
      return cbs3D;
    case cbsUltraFlat:
    case cbsOffice11:
      return master;
  }
  return master;
}

const IlxStyleChainLink* lxFindStyleValueHolder(const IlxStyleChainLink* style, TlxContainerStyleValue value) {
  std::vector<const void*> seen;
  for (const IlxStyleChainLink* link = style; link != nullptr; link = link->ControllerStateStyle()) {
    if (Visited(seen, link))
      return nullptr;
    if (link->HoldsValue(value))
      return link;
  }
  return nullptr;
}

bool lxControllerChainLeadsTo(const IlxStyleControllerLink* controller, const void* style) {
  std::vector<const void*> seen;
  for (const IlxStyleControllerLink* link = controller; link != nullptr; link = link->NormalStyleController()) {
    if (link->NormalStyleIdentity() == style)
      return true;
    // A chain that already loops without this style cannot reach it.
    if (Visited(seen, link))
      return false;
  }
  return false;
}
