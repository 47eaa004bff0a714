#include "ui/foundation/base/lists.h"

#include "platform/rtl/exceptions.h"

void TlxOpenList::SetItem(int32_t index, void* item) {
  if (index < 0)
    throw EListError::IndexOutOfBounds(index);
  if (Count() <= index)
    SetCount(index + 1);
  Put(index, item);
}

void lxCopyListItems(const TList& source, TList& destination) {
  if (&source == &destination)
    return;
  destination.Assign(source);
}
