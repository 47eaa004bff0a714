#include "grid/grid_summary_sorting.h"

#include "data/data_summary_items.h"
#include "data/variant_utils.h"

namespace {

// A group whose summaries were never computed (no rows counted, or a level
// without summary items) compares as Null rather than failing the sort.
Variant SummaryValueAt(const TlxDataGroupInfo& info, int32_t index) {
  const Variant& values = info.SummaryValues;
  if (!values.IsArray() || index < VarArrayLowBound(values) || index > VarArrayHighBound(values))
    return Variant::Null();
  return VarArrayGet(values, index);
}

}  // namespace

TlxDataGroupNode* TlxDataGroupNode::AddChild(const TlxDataGroupInfo* data_group_info) {
  children_.push_back(std::make_unique<TlxDataGroupNode>(this, data_group_info));
  return children_.back().get();
}

TlxGridSortingBySummaryEngine::TlxGridSortingBySummaryEngine(TlxCustomDataControllerInfo* info)
    : TlxSortingBySummaryEngine(info), root_node_(std::make_unique<TlxDataGroupNode>(nullptr, nullptr)) {}

TlxGridSortingBySummaryEngine::~TlxGridSortingBySummaryEngine() = default;

void TlxGridSortingBySummaryEngine::SortGroups() {
  TlxDataGroups& groups = DataGroups();
  if (groups.Count() == 0)
    return;
  snapshot_.clear();
  snapshot_first_records_.clear();
  snapshot_.reserve(static_cast<size_t>(groups.Count()));
  for (int32_t g = 0; g < groups.Count(); ++g) {
    snapshot_.push_back(groups.ItemAt(g));
    snapshot_first_records_.push_back(groups.FirstRecordListIndex(g));
  }
  root_node_ = std::make_unique<TlxDataGroupNode>(nullptr, nullptr);
  int32_t index = 0;
  BuildTree(*root_node_, 0, index);
  PrepareInfos();
  WriteBackAll();
}

void TlxGridSortingBySummaryEngine::BuildTree(TlxDataGroupNode& node, int32_t depth, int32_t& index) {
  const int32_t count = static_cast<int32_t>(snapshot_.size());
  const int32_t level_count = DataGroups().LevelCount();
  while (index < count && snapshot_[static_cast<size_t>(index)].Level == depth) {
    TlxDataGroupNode* child = node.AddChild(&snapshot_[static_cast<size_t>(index)]);
    ++index;
    if (depth < level_count - 1)
      BuildTree(*child, depth + 1, index);
  }
}

void TlxGridSortingBySummaryEngine::PrepareInfos() {
  ClearInfos();
  TlxCustomDataController& controller = OwnerDataController();
  TlxCustomDataControllerInfo& info = DataControllerInfo();
  const int32_t sorting_item = controller.GetSortingBySummaryItemIndex();
  const int32_t level_count = info.GroupingFieldList().Count();
  for (int32_t level = 0; level < level_count; ++level) {
    auto level_info = std::make_unique<TlxSortingBySummaryInfo>();
    const TlxDataGroupSummaryItems* items = controller.Summary().GroupSummaryItemsForLevel(level);
    const TlxDataSummaryItem* item = items != nullptr ? items->SortingSummaryItem() : nullptr;
    if (item != nullptr) {
      level_info->SummaryItemIndex = item->Index();
      level_info->SortOrder = sorting_item == -1 ? info.GroupingFieldList().GetEntry(level).SortOrder
                                                 : controller.GetItemSortOrder(sorting_item);
    }
    AddInfo(std::move(level_info));
  }
  SortNode(*root_node_, 0);
}

void TlxGridSortingBySummaryEngine::SortNode(TlxDataGroupNode& node, int32_t depth) {
  if (depth >= InfoCount())
    return;
  auto& children = node.ChildList();
  if (Infos(depth).SummaryItemIndex != -1 && children.size() > 1) {
    // The quicksort works on indexes; the nodes are put back in that order.
    std::vector<int32_t> order(children.size());
    for (size_t i = 0; i < order.size(); ++i)
      order[i] = static_cast<int32_t>(i);
    lxQuickSortPointers(order.data(), 0, static_cast<int32_t>(order.size()) - 1, [&](int32_t a, int32_t b) {
      return CompareNodes(*children[static_cast<size_t>(a)], *children[static_cast<size_t>(b)]);
    });
    std::vector<std::unique_ptr<TlxDataGroupNode>> sorted;
    sorted.reserve(children.size());
    for (int32_t i : order)
      sorted.push_back(std::move(children[static_cast<size_t>(i)]));
    children = std::move(sorted);
  }
  if (depth + 1 < DataGroups().LevelCount())
    for (auto& child : children)
      SortNode(*child, depth + 1);
}

int32_t TlxGridSortingBySummaryEngine::FirstRecordOf(const TlxDataGroupNode& node) const {
  const auto position = static_cast<size_t>(node.DataGroupInfo() - snapshot_.data());
  return DataControllerInfo().RecordIndexAt(snapshot_first_records_.at(position));
}

int32_t TlxGridSortingBySummaryEngine::CompareNodes(const TlxDataGroupNode& node1,
                                                    const TlxDataGroupNode& node2) const {
  const int32_t level = node1.DataGroupInfo()->Level;
  const TlxSortingBySummaryInfo& info = Infos(level);
  const int32_t result = lxVariantCompare(SummaryValueAt(*node1.DataGroupInfo(), info.SummaryItemIndex),
                                          SummaryValueAt(*node2.DataGroupInfo(), info.SummaryItemIndex));
  if (result != 0)
    return info.SortOrder == soDescending ? -result : result;
  return DataControllerInfo().CompareRecordsAtLevel(FirstRecordOf(node1), FirstRecordOf(node2), level);
}

void TlxGridSortingBySummaryEngine::WriteBack(const TlxDataGroupNode& node, int32_t& index) {
  TlxDataGroups& groups = DataGroups();
  const int32_t own_index = index;
  groups.ItemAt(own_index) = *node.DataGroupInfo();
  ++index;
  if (node.DataGroupInfo()->Level >= groups.LevelCount() - 1)
    return;
  groups.ItemAt(own_index).BeginIndex = index;
  for (int32_t i = 0; i < node.ChildCount(); ++i)
    WriteBack(*node.Children(i), index);
  groups.ItemAt(own_index).EndIndex = index - 1;
}

void TlxGridSortingBySummaryEngine::WriteBackAll() {
  int32_t index = 0;
  for (int32_t i = 0; i < root_node_->ChildCount(); ++i)
    WriteBack(*root_node_->Children(i), index);
  DataGroups().RecalcRowIndexes();
}
