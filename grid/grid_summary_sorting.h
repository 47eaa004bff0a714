#pragma once
// Sorting groups by a group summary: the data controller hands the engine
// its group list after the summaries are computed, and the engine reorders
// the groups of every level that has a sorting summary item. Portable.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/controller_info.h"
#include "data/data_controller.h"
#include "data/data_groups.h"
#include "data/data_summary.h"

// A node of the temporary group tree. The group info it stands for belongs
// to the engine's snapshot of the group list, never to the node.
class TlxDataGroupNode : public TObject {
 public:
  static constexpr TClass kClass{"TlxDataGroupNode", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDataGroupNode(TlxDataGroupNode* parent, const TlxDataGroupInfo* data_group_info)
      : parent_(parent), data_group_info_(data_group_info) {}

  TlxDataGroupNode* AddChild(const TlxDataGroupInfo* data_group_info);
  int32_t ChildCount() const { return static_cast<int32_t>(children_.size()); }
  TlxDataGroupNode* Children(int32_t index) const { return children_.at(static_cast<size_t>(index)).get(); }
  std::vector<std::unique_ptr<TlxDataGroupNode>>& ChildList() { return children_; }
  const TlxDataGroupInfo* DataGroupInfo() const { return data_group_info_; }
  TlxDataGroupNode* Parent() const { return parent_; }

 private:
  std::vector<std::unique_ptr<TlxDataGroupNode>> children_;
  TlxDataGroupNode* parent_ = nullptr;
  const TlxDataGroupInfo* data_group_info_ = nullptr;
};

// The ordering rule of one grouping level.
class TlxSortingBySummaryInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxSortingBySummaryInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDataSortOrder SortOrder = soAscending;
  // Index among the level's group summary items; -1 keeps the level's order.
  int32_t SummaryItemIndex = -1;
};

class TlxGridSortingBySummaryEngine : public TlxSortingBySummaryEngine {
 public:
  static constexpr TClass kClass{"TlxGridSortingBySummaryEngine", &TlxSortingBySummaryEngine::kClass,
                                 &ConstructInstance<TlxGridSortingBySummaryEngine>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridSortingBySummaryEngine(TlxCustomDataControllerInfo* info);
  ~TlxGridSortingBySummaryEngine() override;

  void SortGroups() override;

  TlxDataGroups& DataGroups() const { return DataControllerInfo().DataGroups(); }
  int32_t InfoCount() const { return static_cast<int32_t>(infos_.size()); }
  const TlxSortingBySummaryInfo& Infos(int32_t level) const { return *infos_.at(static_cast<size_t>(level)); }
  TlxDataGroupNode& RootNode() const { return *root_node_; }

 private:
  void BuildTree(TlxDataGroupNode& node, int32_t depth, int32_t& index);
  void PrepareInfos();
  void SortNode(TlxDataGroupNode& node, int32_t depth);
  int32_t CompareNodes(const TlxDataGroupNode& node1, const TlxDataGroupNode& node2) const;
  void WriteBack(const TlxDataGroupNode& node, int32_t& index);
  void WriteBackAll();
  void ClearInfos() { infos_.clear(); }
  void AddInfo(std::unique_ptr<TlxSortingBySummaryInfo> info) { infos_.push_back(std::move(info)); }
  int32_t FirstRecordOf(const TlxDataGroupNode& node) const;

  std::vector<std::unique_ptr<TlxSortingBySummaryInfo>> infos_;
  std::unique_ptr<TlxDataGroupNode> root_node_;
  // The group list as it was before the sort: the tree points into it while
  // the live list is rewritten in the new order.
  std::vector<TlxDataGroupInfo> snapshot_;
  std::vector<int32_t> snapshot_first_records_;
};
