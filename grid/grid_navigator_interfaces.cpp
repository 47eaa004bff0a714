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

bool lxNavigatorKindEnabled(IlxNavigator* source, int32_t kind) {
  if (source == nullptr)
    return false;
  if (!source->IsDataActive())
    return kind == nbkFilter;
  switch (kind) {
    case nbkFirst:
    case nbkPriorPage:
    case nbkPrior:
      return !source->IsAtBeginning();
    case nbkNext:
    case nbkNextPage:
    case nbkLast:
      return !source->IsAtEnd();
    case nbkInsert:
      return source->CanInsertRecord();
    case nbkAppend:
      return source->CanAppendRecord();
    case nbkDelete:
      return source->CanDeleteRecord();
    case nbkEdit:
      return source->CanEditRecord() && !source->IsEditingRecord();
    case nbkPost:
    case nbkCancel:
      return source->IsEditingRecord();
    case nbkGotoBookmark:
      return source->HasBookmark();
    case nbkRefresh:
    case nbkSaveBookmark:
    case nbkFilter:
      return true;
    default:
      return false;
  }
}

std::string lxShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }
