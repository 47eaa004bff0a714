#include "data/data_groups.h"

#include <algorithm>

int32_t TlxDataGroups::AddGroupInfo(const TlxDataGroupInfo& info) {
  infos_.push_back(info);
  return Count() - 1;
}

void TlxDataGroups::Clear() {
  infos_.clear();
  fields_.clear();
}

int32_t TlxDataGroups::ResolveVisible(int32_t group) const {
  const int32_t row = ItemAt(group).RowIndex;
  int32_t result = group;
  int32_t lowest_level = ItemAt(group).Level;
  for (int32_t g = group; g >= 0 && ItemAt(g).RowIndex == row; --g) {
    const TlxDataGroupInfo& info = ItemAt(g);
    if (info.Level < lowest_level) {
      lowest_level = info.Level;
      if (!info.Expanded)
        result = g;
    }
    if (info.Level == 0)
      break;
  }
  return result;
}

int32_t TlxDataGroups::Find(int32_t row, int32_t& nearest) const {
  nearest = -1;
  if (infos_.empty())
    return -1;
  // The last group whose row index is at or before the row.
  const auto after = std::upper_bound(infos_.begin(), infos_.end(), row,
                                      [](int32_t r, const TlxDataGroupInfo& info) { return r < info.RowIndex; });
  if (after == infos_.begin())
    return -1;
  const int32_t last = static_cast<int32_t>(after - infos_.begin()) - 1;
  if (ItemAt(last).RowIndex == row) {
    // The first group carrying the row index; the drawn one among them.
    int32_t first = last;
    while (first > 0 && ItemAt(first - 1).RowIndex == row)
      --first;
    const int32_t drawn = ResolveVisible(last);
    nearest = first > 0 ? first - 1 : -1;
    return drawn;
  }
  nearest = ResolveVisible(last);
  return -1;
}

int32_t TlxDataGroups::FindGroupIndex(int32_t row, int32_t level) const {
  int32_t nearest = -1;
  int32_t group = Find(row, nearest);
  if (group < 0)
    group = nearest;
  if (group < 0 || level < 0 || ItemAt(group).Level == level)
    return group;
  if (level > ItemAt(group).Level) {
    for (int32_t g = group + 1; g < Count(); ++g)
      if (ItemAt(g).Level == level)
        return g;
    return -1;
  }
  for (int32_t g = group - 1; g >= 0; --g)
    if (ItemAt(g).Level == level)
      return g;
  return -1;
}

int32_t TlxDataGroups::LevelOf(int32_t group) const {
  return group >= 0 && group < Count() ? ItemAt(group).Level : -1;
}

int32_t TlxDataGroups::ChildCount(int32_t group) const {
  if (group == -1)
    return static_cast<int32_t>(
        std::count_if(infos_.begin(), infos_.end(), [](const TlxDataGroupInfo& info) { return info.Level == 0; }));
  if (group < 0 || group >= Count())
    return 0;
  const TlxDataGroupInfo& info = ItemAt(group);
  if (IsDeepest(group))
    return info.EndIndex - info.BeginIndex + 1;
  int32_t count = 0;
  for (int32_t g = info.BeginIndex; g <= info.EndIndex; ++g)
    if (ItemAt(g).Level == info.Level + 1)
      ++count;
  return count;
}

int32_t TlxDataGroups::ChildGroupIndex(int32_t group, int32_t n) const {
  if (n < 0)
    return -1;
  int32_t first = 0;
  int32_t last = Count() - 1;
  int32_t level = 0;
  if (group != -1) {
    if (group < 0 || group >= Count() || IsDeepest(group))
      return -1;
    first = ItemAt(group).BeginIndex;
    last = ItemAt(group).EndIndex;
    level = ItemAt(group).Level + 1;
  }
  for (int32_t g = first; g <= last; ++g)
    if (ItemAt(g).Level == level && n-- == 0)
      return g;
  return -1;
}

int32_t TlxDataGroups::ChildRecordListIndex(int32_t group, int32_t n) const {
  if (group < 0 || group >= Count() || !IsDeepest(group))
    return -1;
  const TlxDataGroupInfo& info = ItemAt(group);
  return n >= 0 && n <= info.EndIndex - info.BeginIndex ? info.BeginIndex + n : -1;
}

int32_t TlxDataGroups::FirstRecordListIndex(int32_t group) const {
  while (!IsDeepest(group))
    group = ItemAt(group).BeginIndex;
  return ItemAt(group).BeginIndex;
}

int32_t TlxDataGroups::LastRecordListIndex(int32_t group) const {
  while (!IsDeepest(group))
    group = ItemAt(group).EndIndex;
  return ItemAt(group).EndIndex;
}

int32_t TlxDataGroups::FindGroupForRecordListIndex(int32_t position, int32_t level) const {
  int32_t found = -1;
  for (int32_t g = 0; g < Count(); ++g) {
    const TlxDataGroupInfo& info = ItemAt(g);
    if (info.Level == level)
      found = g;
    if (IsDeepest(g) && position >= info.BeginIndex && position <= info.EndIndex)
      return found;
  }
  return -1;
}

int32_t TlxDataGroups::ParentOf(int32_t group) const {
  const int32_t level = ItemAt(group).Level;
  for (int32_t g = group - 1; g >= 0; --g)
    if (ItemAt(g).Level < level)
      return g;
  return -1;
}

int32_t TlxDataGroups::GetRowCount() const {
  if (infos_.empty())
    return 0;
  const int32_t last = Count() - 1;
  const int32_t row = ItemAt(last).RowIndex;
  const TlxDataGroupInfo& drawn = ItemAt(ResolveVisible(last));
  if (drawn.Expanded)
    return row + (drawn.EndIndex - drawn.BeginIndex + 1) + 1;
  return row + 1;
}

void TlxDataGroups::GetRowInfo(int32_t row, int32_t& level, bool& expanded, int32_t& record_list_index) const {
  int32_t nearest = -1;
  const int32_t group = Find(row, nearest);
  if (group >= 0) {
    level = ItemAt(group).Level;
    expanded = ItemAt(group).Expanded;
    record_list_index = FirstRecordListIndex(group);
    return;
  }
  const TlxDataGroupInfo& info = ItemAt(nearest);
  level = LevelCount();
  expanded = false;
  record_list_index = row - info.RowIndex - 1 + info.BeginIndex;
}

void TlxDataGroups::ChangeExpanding(int32_t row, bool expanded, bool recursive) {
  int32_t nearest = -1;
  const int32_t group = Find(row, nearest);
  if (group < 0)
    return;
  ItemAt(group).Expanded = expanded;
  if (recursive && !IsDeepest(group)) {
    const int32_t level = ItemAt(group).Level;
    for (int32_t g = group + 1; g < Count() && ItemAt(g).Level > level; ++g)
      ItemAt(g).Expanded = expanded;
  }
  RecalcRowIndexes();
}

void TlxDataGroups::SetAllExpanded(bool expanded) {
  for (TlxDataGroupInfo& info : infos_)
    info.Expanded = expanded;
  RecalcRowIndexes();
}

bool TlxDataGroups::ExpandParents(int32_t group, bool expand_self) {
  bool changed = false;
  if (expand_self && !ItemAt(group).Expanded) {
    ItemAt(group).Expanded = true;
    changed = true;
  }
  for (int32_t parent = ParentOf(group); parent >= 0; parent = ParentOf(parent)) {
    if (!ItemAt(parent).Expanded) {
      ItemAt(parent).Expanded = true;
      changed = true;
    }
  }
  if (changed)
    RecalcRowIndexes();
  return changed;
}

void TlxDataGroups::RecalcRowIndexes() {
  int32_t counter = 0;
  // The row of the nearest visible ancestor of each level while a
  // collapsed group hides its subtree.
  int32_t hidden_below_level = -1;  // level of the collapsed group hiding, -1 none
  int32_t hidden_row = 0;
  for (int32_t g = 0; g < Count(); ++g) {
    TlxDataGroupInfo& info = ItemAt(g);
    if (hidden_below_level >= 0 && info.Level > hidden_below_level) {
      info.RowIndex = hidden_row;
      continue;
    }
    hidden_below_level = -1;
    info.RowIndex = counter++;
    if (!info.Expanded) {
      hidden_below_level = info.Level;
      hidden_row = info.RowIndex;
    } else if (IsDeepest(g)) {
      counter += info.EndIndex - info.BeginIndex + 1;
    }
  }
}
