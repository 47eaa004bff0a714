#include "data/db_data_selection.h"

#include <algorithm>

size_t TlxDBDataSelection::LowerBound(const std::string& bookmark) const {
  const auto found = std::lower_bound(bookmarks_.begin(), bookmarks_.end(), bookmark,
                                      [this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
  return static_cast<size_t>(found - bookmarks_.begin());
}

int32_t TlxDBDataSelection::IndexOf(const std::string& bookmark) const {
  const size_t position = LowerBound(bookmark);
  if (position < bookmarks_.size() && compare_(bookmarks_[position], bookmark) == 0)
    return static_cast<int32_t>(position);
  return -1;
}

void TlxDBDataSelection::Add(const std::string& bookmark) {
  const size_t position = LowerBound(bookmark);
  if (position < bookmarks_.size() && compare_(bookmarks_[position], bookmark) == 0)
    return;
  bookmarks_.insert(bookmarks_.begin() + static_cast<std::ptrdiff_t>(position), bookmark);
}

// Appended and rotated to the front: a front insert that the optimiser
// inlines into its callers draws a false null-dereference warning.
void TlxDBDataSelection::InsertFirst(const std::string& bookmark) {
  bookmarks_.push_back(bookmark);
  std::rotate(bookmarks_.begin(), bookmarks_.end() - 1, bookmarks_.end());
}

void TlxDBDataSelection::Remove(const std::string& bookmark) {
  const int32_t position = IndexOf(bookmark);
  if (position != -1)
    RemoveAt(position);
}

void TlxDBDataSelection::RemoveAt(int32_t position) {
  if (bookmarks_.at(static_cast<size_t>(position)) == anchor_)
    anchor_.clear();
  bookmarks_.erase(bookmarks_.begin() + position);
}
