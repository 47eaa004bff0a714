#include "editors/kinds/filter_builder.h"

#include <algorithm>
#include <array>

#include "data/filter_texts.h"
#include "data/variant_utils.h"
#include "editors/edit_properties.h"
#include "editors/filter_control_strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

// Groups nested deeper than this are not shown (the filter stream refuses
// them as well); building stops with the builder's error instead of
// running out of stack.
constexpr int32_t kMaxGroupDepth = 64;

struct CaptionTables {
  bool loaded = false;
  std::array<std::string, kLxLastFilterConditionOperator + 1> operators;
  std::array<std::string, 4> bool_operators;
};

CaptionTables& Captions() {
  static CaptionTables tables;
  return tables;
}

const CaptionTables& LoadedCaptions() {
  if (!Captions().loaded)
    lxLoadFilterCaptionTables();
  return Captions();
}

[[noreturn]] void RaiseBuildingError() {
  lxRaiseFilterControlError(lxFilterControlResString(lxSFilterErrorBuilding));
}

Variant ArrayOf(const std::vector<const TlxValueInfo*>& values) {
  Variant array = VarArrayCreate(0, static_cast<int32_t>(values.size()) - 1, varVariant);
  for (size_t i = 0; i < values.size(); ++i)
    VarArrayPut(array, values[i]->Value, static_cast<int32_t>(i));
  return array;
}

std::string JoinedTexts(const std::vector<const TlxValueInfo*>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0)
      text += ';';
    text += lxValueDisplayText(*values[i], false);
  }
  return text;
}

}  // namespace

void lxLoadFilterCaptionTables() {
  CaptionTables& tables = Captions();
  for (size_t op = 0; op < tables.operators.size(); ++op)
    tables.operators[op] = lxFilterOperatorText(static_cast<TlxFilterConditionOperator>(op));
  tables.bool_operators = {lxFilterControlResString(lxSFilterBoolOperatorAnd),
                           lxFilterControlResString(lxSFilterBoolOperatorOr),
                           lxFilterControlResString(lxSFilterBoolOperatorNotAnd),
                           lxFilterControlResString(lxSFilterBoolOperatorNotOr)};
  tables.loaded = true;
}

const std::string& lxFilterOperatorCaption(TlxFilterConditionOperator op) {
  static const std::string none;
  const CaptionTables& tables = LoadedCaptions();
  return op < tables.operators.size() ? tables.operators[op] : none;
}

const std::string& lxFilterBoolOperatorCaption(TlxFilterBoolOperatorKind kind) {
  static const std::string none;
  const CaptionTables& tables = LoadedCaptions();
  return kind < tables.bool_operators.size() ? tables.bool_operators[kind] : none;
}

// --- construction ---------------------------------------------------------------

TlxFilterBuilder::TlxFilterBuilder(IlxFilterBuilderHost& host, IlxFilterTextMeasurer& measurer)
    : host_(host),
      criteria_(std::make_unique<TlxFilterControlCriteria>(this)),
      view_info_(std::make_unique<TlxFilterControlViewInfo>(*this, measurer)),
      default_properties_(std::make_unique<TlxCustomEditProperties>(nullptr)) {
  root_ = std::make_unique<TlxGroupViewInfo>(this, &criteria_->Root(), nullptr);
  null_string_default_ = lxFilterControlResString(lxSFilterControlNullString);
  null_string_ = null_string_default_;
  RebuildRowList();
  FocusedInfo.Kind = fhkBoolOperator;
  FocusedInfo.Row = root_.get();
}

TlxFilterBuilder::~TlxFilterBuilder() {
  // Rows go before the criteria their nodes came from.
  row_list_.clear();
  root_.reset();
}

void TlxFilterBuilder::SetDefaultProperties(std::unique_ptr<TlxCustomEditProperties> properties) {
  if (properties != nullptr)
    default_properties_ = std::move(properties);
}

bool TlxFilterBuilder::HasItems() const { return link_ != nullptr && link_->GetCount() > 0; }

// --- rows and criteria ------------------------------------------------------------

void TlxFilterBuilder::RebuildRowList() {
  row_list_.clear();
  std::vector<TlxCustomRowViewInfo*> pending{root_.get()};
  while (!pending.empty()) {
    TlxCustomRowViewInfo* row = pending.back();
    pending.pop_back();
    row_list_.push_back(row);
    if (const auto* group = dynamic_cast<const TlxGroupViewInfo*>(row))
      for (int32_t i = group->RowCount() - 1; i >= 0; --i)
        pending.push_back(group->Row(i));
  }
}

int32_t TlxFilterBuilder::RowIndex(const TlxCustomRowViewInfo* row) const {
  const auto found = std::find(row_list_.begin(), row_list_.end(), row);
  return found == row_list_.end() ? -1 : static_cast<int32_t>(found - row_list_.begin());
}

TlxConditionViewInfo* TlxFilterBuilder::FocusedCondition() const {
  return dynamic_cast<TlxConditionViewInfo*>(FocusedInfo.Row);
}

void TlxFilterBuilder::BuildGroup(TlxGroupViewInfo& group, const TlxFilterCriteriaItemList& list, int32_t depth) {
  if (depth >= kMaxGroupDepth)
    RaiseBuildingError();
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    TlxCustomFilterCriteriaItem* node = list.ItemAt(i);
    if (auto* sub_list = dynamic_cast<TlxFilterCriteriaItemList*>(node)) {
      auto* sub_group = static_cast<TlxGroupViewInfo*>(
          group.AppendRow(std::make_unique<TlxGroupViewInfo>(this, sub_list, &group)));
      BuildGroup(*sub_group, *sub_list, depth + 1);
    } else {
      group.AppendRow(std::make_unique<TlxConditionViewInfo>(this, node, &group));
    }
  }
}

std::unique_ptr<TlxGroupViewInfo> TlxFilterBuilder::BuildRows(const TlxFilterCriteria& criteria) {
  auto root = std::make_unique<TlxGroupViewInfo>(this, &criteria_->Root(), nullptr);
  root->GroupOperator = criteria.Root().BoolOperatorKind();
  BuildGroup(*root, criteria.Root(), 0);
  return root;
}

void TlxFilterBuilder::InstallRows(std::unique_ptr<TlxGroupViewInfo> root) {
  LockLayout();
  TScopeExit unlock([this] { UnlockLayout(); });
  ClearRows();
  root_ = std::move(root);
  RebuildRowList();
  FocusedInfo = TlxFilterBuilderHitInfo();
  FocusedInfo.Kind = fhkBoolOperator;
  FocusedInfo.Row = root_.get();
}

void TlxFilterBuilder::BuildFromCriteria() { InstallRows(BuildRows(*criteria_)); }

void TlxFilterBuilder::ClearRows() {
  LockLayout();
  TScopeExit unlock([this] { UnlockLayout(); });
  root_->FreeAllRows();
  root_->GroupOperator = fbkAnd;
  RebuildRowList();
  FocusedInfo = TlxFilterBuilderHitInfo();
  FocusedInfo.Kind = fhkBoolOperator;
  FocusedInfo.Row = root_.get();
  HotInfo = TlxFilterBuilderHitInfo();
  top_row_ = 0;
  left_offset_ = 0;
}

void TlxFilterBuilder::Clear() {
  host_.CloseOperandEditor(false);
  EditMode = femNone;
  LockLayout();
  TScopeExit unlock([this] { UnlockLayout(); });
  ClearRows();
  criteria_->RemoveAllItems();
}

TlxCustomRowViewInfo* TlxFilterBuilder::FirstIncompleteRow() const {
  for (TlxCustomRowViewInfo* row : row_list_)
    if (!row->IsComplete())
      return row;
  return nullptr;
}

bool TlxFilterBuilder::IsValid() const { return FirstIncompleteRow() == nullptr; }

void TlxFilterBuilder::ApplyRowsToCriteria() {
  host_.CloseOperandEditor(true);
  // An incomplete row would silently leave the old filter in force: refuse
  // and show the row instead.
  if (TlxCustomRowViewInfo* incomplete = FirstIncompleteRow()) {
    FocusedInfo.Row = incomplete;
    SetFocusedElement(incomplete->IsGroup() ? fhkBoolOperator : fhkItem);
    lxRaiseFilterControlError(lxFilterControlResString(lxSFilterDialogInvalidValue));
  }
  TlxFilterChangesScope changes(*criteria_);
  criteria_->RemoveAllItems();
  WriteGroup(*root_, criteria_->Root());
  criteria_->PrepareOperators();
}

void TlxFilterBuilder::WriteGroup(const TlxGroupViewInfo& group, TlxFilterCriteriaItemList& list) {
  list.SetBoolOperatorKind(group.GroupOperator);
  for (int32_t i = 0; i < group.RowCount(); ++i) {
    const TlxCustomRowViewInfo* row = group.Row(i);
    if (const auto* sub_group = dynamic_cast<const TlxGroupViewInfo*>(row)) {
      TlxFilterCriteriaItemList* sub_list = list.AddSubList(fbkAnd);
      WriteGroup(*sub_group, *sub_list);
    } else {
      WriteCondition(static_cast<const TlxConditionViewInfo&>(*row), list);
    }
  }
}

void TlxFilterBuilder::WriteCondition(const TlxConditionViewInfo& condition, TlxFilterCriteriaItemList& list) {
  const TlxValuesViewInfo& values = condition.Values();
  TlxValueInfo empty;
  const TlxValueInfo& first = values.Count() > 0 ? values.Item(0) : empty;
  Variant operand = first.Value;
  std::string text;
  switch (condition.Operator) {
    case fcoEqual:
    case fcoNotEqual:
      text = lxValueDisplayText(first, false);
      break;
    case fcoBlanks:
    case fcoNonBlanks:
      operand = Variant::Null();
      text = lxGetFilterResString(lxSFilterBlankCaption);
      break;
    case fcoBetween:
    case fcoNotBetween: {
      const TlxValueInfo& second = values.Count() > 1 ? values.Item(1) : empty;
      // Ascending. Equal values keep their order, so that a saved filter
      // saves the same again.
      std::vector<const TlxValueInfo*> ordered{&first, &second};
      if (lxVariantCompare(second.Value, first.Value) < 0)
        ordered = {&second, &first};
      operand = ArrayOf(ordered);
      text = JoinedTexts(ordered);
      break;
    }
    case fcoInList:
    case fcoNotInList: {
      std::vector<const TlxValueInfo*> all;
      for (int32_t i = 0; i < values.Count(); ++i)
        all.push_back(&values.Item(i));
      operand = ArrayOf(all);
      text = JoinedTexts(all);
      break;
    }
    default:
      text = lxValueDisplayText(first, true);
      break;
  }
  criteria_->AddItem(&list, condition.LinkObject, lxFilterOperatorToKind(condition.Operator), operand, text);
}

std::string TlxFilterBuilder::GetFilterCaption() {
  ApplyRowsToCriteria();
  return criteria_->BuildCaptionText();
}

std::string TlxFilterBuilder::GetFilterText() {
  ApplyRowsToCriteria();
  return criteria_->BuildExpressionText();
}

// --- files ------------------------------------------------------------------------

void TlxFilterBuilder::LoadFromStream(TStream& stream) {
  if (!HasItems())
    RaiseBuildingError();
  // Read and shown beside the current filter; both are replaced only when
  // the whole file could be shown.
  TlxFilterControlCriteria loaded(this);
  try {
    loaded.LoadFromBinaryStream(stream);
  } catch (const EReadError&) {
    RaiseBuildingError();
  }
  std::unique_ptr<TlxGroupViewInfo> rows = BuildRows(loaded);
  host_.CloseOperandEditor(false);
  EditMode = femNone;
  {
    TlxFilterChangesScope changes(*criteria_);
    criteria_->RemoveAllItems();
    TlxFilterCriteriaItemList& root = criteria_->Root();
    root.SetBoolOperatorKind(loaded.Root().BoolOperatorKind());
    while (loaded.Root().ItemCount() > 0)
      root.AppendChild(loaded.Root().RemoveChild(loaded.Root().ItemAt(0)));
  }
  InstallRows(std::move(rows));
}

void TlxFilterBuilder::SaveToStream(TStream& stream) {
  ApplyRowsToCriteria();
  criteria_->WriteToStream(stream);
}

void TlxFilterBuilder::LoadFromFile(const std::string& file_name) {
  TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TlxFilterBuilder::SaveToFile(const std::string& file_name) {
  TFileStream stream(file_name, fmCreate);
  SaveToStream(stream);
}

// --- the link -----------------------------------------------------------------------

void TlxFilterBuilder::SetLink(IlxFilterControl* link) {
  if (link == link_)
    return;
  link_ = link;
  UpdateFromLink();
}

void TlxFilterBuilder::UpdateFromLink() {
  TlxFilterCriteria* criteria = link_ != nullptr ? link_->GetCriteria() : nullptr;
  if (criteria == nullptr) {
    Clear();
    return;
  }
  if (criteria != criteria_.get())
    criteria_->AssignFrom(criteria, false);
  BuildFromCriteria();
}

void TlxFilterBuilder::ApplyFilter() {
  TlxFilterCriteria* linked = link_ != nullptr ? link_->GetCriteria() : nullptr;
  if (linked == nullptr)
    return;
  ApplyRowsToCriteria();
  const bool distinct = linked != criteria_.get();
  linked->BeginChanges();
  TScopeExit finish([this, linked, distinct] {
    linked->EndChanges();
    if (distinct)
      criteria_->AssignFrom(linked, false);
    BuildFromCriteria();
  });
  if (distinct)
    linked->AssignItems(*criteria_, false);
  DoApplyFilter();
}

void TlxFilterBuilder::DoApplyFilter() {
  if (OnApplyFilter)
    OnApplyFilter(this);
}

// --- lists --------------------------------------------------------------------------

void TlxFilterBuilder::FillItemList(TStrings* strings) {
  if (strings == nullptr || !HasItems())
    return;
  std::vector<std::pair<std::string, int32_t>> items;
  const int32_t count = link_->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    TlxCustomEditProperties* properties = link_->GetProperties(i);
    if (properties == nullptr || (properties->GetEditCapabilities() & kLxEditCapFiltering) == 0)
      continue;
    std::string caption;
    link_->GetCaption(i, caption);
    items.emplace_back(std::move(caption), i);
  }
  if (sort_items_)
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
  TUpdateScope update(*strings);
  strings->Clear();
  for (const auto& [caption, index] : items)
    strings->AddData(caption, index);
}

void TlxFilterBuilder::FillOperatorList(TStrings* strings) {
  if (strings == nullptr)
    return;
  TUpdateScope update(*strings);
  strings->Clear();
  TlxConditionViewInfo* condition = FocusedCondition();
  if (condition == nullptr)
    return;
  TlxFilterConditionOperators operators;
  condition->HelperClass->GetSupportedOperators(condition->ItemEditProperties(), condition->ValueTypeClass,
                                                operators, true);
  AdjustSupportedOperators(operators);
  condition->OfferedOperators = operators;
  for (int32_t op = 0; op <= kLxLastFilterConditionOperator; ++op)
    if (operators.Contains(static_cast<TlxFilterConditionOperator>(op)))
      strings->AddData(lxFilterOperatorCaption(static_cast<TlxFilterConditionOperator>(op)), op);
}

void TlxFilterBuilder::AdjustSupportedOperators(TlxFilterConditionOperators& operators) const {
  if (criteria_->SupportedLike())
    return;
  operators.Exclude(fcoLike);
  operators.Exclude(fcoNotLike);
}

// --- settings -----------------------------------------------------------------------

void TlxFilterBuilder::SetNullString(const std::string& value) {
  if (null_string_ == value)
    return;
  null_string_ = value;
  RequestLayout();
}

void TlxFilterBuilder::LoadNullStringDefault(const std::string& default_text) {
  if (null_string_ == null_string_default_)
    null_string_ = default_text;
  null_string_default_ = default_text;
}

void TlxFilterBuilder::SetShowLevelLines(bool value) {
  if (show_level_lines_ == value)
    return;
  show_level_lines_ = value;
  host_.Repaint();
}

bool TlxFilterBuilder::IsHotTrackOn() {
  return host_.IsEnabled() && HasItems() && (hot_track_on_unfocused_ || host_.HasFocus());
}
