#include "data/data_controller.h"

TlxDataGroups& TlxDataControllerGroups::GroupTree() const { return ControllerInfo().DataGroups(); }

void TlxDataControllerGroups::ChangeExpanding(int32_t row, bool expanded, bool recursive) {
  ControllerInfo().ChangeExpanding(row, expanded, recursive);
  controller_.CheckChanges();
}

void TlxDataControllerGroups::ChangeGroupIndex(int32_t item_index, int32_t level) {
  TlxCustomDataField* field = controller_.ItemField(item_index);
  const int32_t current = ControllerInfo().GroupingFieldList().GroupIndexOf(field);
  if (current == level || (current < 0 && level < 0))
    return;
  controller_.PostIfEditing();
  controller_.grouping_changed_ = true;
  TUpdateScope update(controller_);
  ControllerInfo().ChangeGroupIndex(field, level);
}

void TlxDataControllerGroups::ClearGrouping() {
  if (GroupedItemCount() == 0)
    return;
  controller_.PostIfEditing();
  controller_.grouping_changed_ = true;
  TUpdateScope update(controller_);
  ControllerInfo().ClearGrouping();
}

void TlxDataControllerGroups::FullCollapse() {
  ControllerInfo().FullCollapse();
  controller_.CheckChanges();
}

void TlxDataControllerGroups::FullExpand() {
  ControllerInfo().FullExpand();
  controller_.CheckChanges();
}

int32_t TlxDataControllerGroups::GroupedItemCount() const { return ControllerInfo().GroupingFieldList().Count(); }

int32_t TlxDataControllerGroups::GroupedItemIndex(int32_t level) const {
  return controller_.ItemIndexOfField(ControllerInfo().GroupingFieldList().GetEntry(level).Field);
}

int32_t TlxDataControllerGroups::GroupIndexOfItem(int32_t item_index) const {
  return GroupingLevelOf(controller_.ItemField(item_index));
}

int32_t TlxDataControllerGroups::GroupingLevelOf(const TlxCustomDataField* field) const {
  return ControllerInfo().GroupingFieldList().GroupIndexOf(field);
}

int32_t TlxDataControllerGroups::DataGroupIndexByRowIndex(int32_t row) const {
  return GroupTree().GroupIndexByRowIndex(row);
}

int32_t TlxDataControllerGroups::LevelOfGroup(int32_t group) const { return GroupTree().LevelOf(group); }

int32_t TlxDataControllerGroups::ChildCount(int32_t group) const { return GroupTree().ChildCount(group); }

int32_t TlxDataControllerGroups::ChildDataGroupIndex(int32_t group, int32_t n) const {
  return GroupTree().ChildGroupIndex(group, n);
}

int32_t TlxDataControllerGroups::NthChildRecordIndex(int32_t group, int32_t n) const {
  const int32_t position = GroupTree().ChildRecordListIndex(group, n);
  return position >= 0 ? ControllerInfo().RecordIndexAt(position) : -1;
}

void TlxDataControllerGroups::CollectRecordIndexes(std::vector<int32_t>& list, int32_t group) const {
  const TlxDataGroups& tree = GroupTree();
  if (group < 0 || group >= tree.Count())
    return;
  const int32_t first = tree.FirstRecordListIndex(group);
  const int32_t last = tree.LastRecordListIndex(group);
  for (int32_t position = first; position <= last; ++position)
    list.push_back(ControllerInfo().RecordIndexAt(position));
}

void TlxDataControllerGroups::CollectRecordIndexesOfRow(std::vector<int32_t>& list, int32_t row) const {
  CollectRecordIndexes(list, DataGroupIndexByRowIndex(row));
}

bool TlxDataControllerGroups::CanFocusRowIn(int32_t row, int32_t group_row) const {
  const TlxDataGroups& tree = GroupTree();
  if (tree.Count() == 0)
    return false;
  const int32_t row_group = tree.FindGroupIndex(row, -1);
  const int32_t group = tree.FindGroupIndex(group_row, -1);
  if (row_group < 0 || group < 0)
    return false;
  if (row_group == group)
    return true;
  const TlxDataGroupInfo& outer = tree.ItemAt(group);
  return tree.ItemAt(row_group).Level > outer.Level && !tree.IsDeepest(group) && row_group >= outer.BeginIndex &&
         row_group <= outer.EndIndex;
}
