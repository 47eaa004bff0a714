#include "grid/grid_navigator_interfaces.h"

#include <algorithm>

void TlxNavigatorControlNotifier::AddNavigator(IlxNavigatorListener* navigator) {
  if (navigator != nullptr && std::find(navigators_.begin(), navigators_.end(), navigator) == navigators_.end())
    navigators_.push_back(navigator);
}

void TlxNavigatorControlNotifier::RemoveNavigator(IlxNavigatorListener* navigator) {
  std::erase(navigators_, navigator);
}

void TlxNavigatorControlNotifier::RefreshNavigators() {
  // A navigator may detach itself while it refreshes.
  const std::vector<IlxNavigatorListener*> navigators = navigators_;
  for (IlxNavigatorListener* navigator : navigators) {
    if (std::find(navigators_.begin(), navigators_.end(), navigator) != navigators_.end())
      navigator->RefreshNavigator();
  }
}
