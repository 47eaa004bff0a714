// The lookup grid's model: columns, their collection, the options, the
// data controller and the default-values provider.

#include <algorithm>
#include <functional>

#include "editors/default_editors.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/lookup_grid_win.h"
#include "platform/rtl/scope.h"

namespace {

// The grid's update bracket around a column operation, skipped while the
// grid is being destroyed.
class TGridUpdateScope {
 public:
  // With `already_open` the bracket was opened elsewhere and is only closed.
  explicit TGridUpdateScope(TlxCustomLookupGrid* grid, bool already_open = false)
      : grid_(grid != nullptr && !grid->IsDestroying() ? grid : nullptr), end_([this] {
          if (grid_ != nullptr)
            grid_->EndUpdate();
        }) {
    if (grid_ != nullptr && !already_open)
      grid_->BeginUpdate();
  }

 private:
  TlxCustomLookupGrid* grid_;
  TScopeExit<std::function<void()>> end_;
};

TlxCustomLookupGrid* GridOfCollection(TCollection* collection) {
  auto* columns = dynamic_cast<TlxLookupGridColumns*>(collection);
  return columns != nullptr ? columns->Grid() : nullptr;
}

}  // namespace

// --- TlxLookupGridDefaultValuesProvider ----------------------------------------------------------

bool TlxLookupGridDefaultValuesProvider::IsDisplayFormatDefined(bool /*is_inplace*/) const {
  return lxLookupGridColumnStoresDisplayText(GetOwner());
}

bool lxLookupGridColumnStoresDisplayText(const TPersistent* provider_owner) {
  const auto* column = dynamic_cast<const TlxLookupGridColumn*>(provider_owner);
  if (column == nullptr || column->Grid() == nullptr)
    return false;
  TlxCustomDataController& controller = column->Grid()->DataController();
  const int32_t index = column->Index();
  return index < controller.GetItemCount() && controller.GetItemTextStored(index);
}

// --- TlxLookupGridColumn -------------------------------------------------------------------------

void TlxLookupGridColumn::Publish(TPropertyListBuilder& properties) {
  using C = TlxLookupGridColumn;
  auto p = properties.For<C>();
  p.String("Caption", &C::Caption, &C::SetCaption).Stored = [](const TPersistent& self) {
    return static_cast<const C&>(self).IsCaptionAssigned();
  };
  p.Boolean("Fixed", &C::Fixed, &C::SetFixed, false);
  p.Enumeration("HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, std::optional<TAlignment>(taLeftJustify));
  p.Integer("MinWidth", &C::MinWidth, &C::SetMinWidth, 20);
  p.Boolean("Sorting", &C::Sorting, &C::SetSorting, true);
  p.Enumeration("SortOrder", &C::SortOrder, &C::SetSortOrder, {"soNone", "soAscending", "soDescending"},
                std::optional<TlxDataSortOrder>(soNone));
  p.template Reference<TlxEditRepositoryItem>("RepositoryItem", &C::RepositoryItem, &C::SetRepositoryItem);
  p.Integer("Width", &C::Width, &C::SetWidth).Stored = [](const TPersistent& self) {
    return static_cast<const C&>(self).IsWidthAssigned();
  };
}

TlxLookupGridColumn::TlxLookupGridColumn(TCollection* collection) : TCollectionItem(collection) {
  auto* columns = dynamic_cast<TlxLookupGridColumns*>(collection);
  const bool adopted = columns != nullptr && columns->TakeConstructionBracket();
  TGridUpdateScope update(GridOfCollection(collection), adopted);
  default_values_provider_ =
      lxCreatePart<TlxCustomEditDefaultValuesProvider>(GetDefaultValuesProviderClass(), this);
  min_width_ = 20;
  sorting_ = true;
  Changed();
  // Built straight into a grid's collection: the collection could not
  // register the column before it was complete.
  if (adopted)
    Grid()->ColumnAdded(this);
}

TlxLookupGridColumn::~TlxLookupGridColumn() {
  TlxCustomLookupGrid* grid = Grid();
  {
    TGridUpdateScope update(grid);
    if (grid != nullptr && !grid->IsDestroying())
      grid->ColumnRemoved(this);
  }
  SetRepositoryItem(nullptr);
  internal_repository_item_.reset();
  default_values_provider_.reset();
}

void TlxLookupGridColumn::CopyFrom(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxLookupGridColumn*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  TCollection* collection = Collection();
  if (collection != nullptr)
    collection->BeginUpdate();
  TScopeExit end([collection] {
    if (collection != nullptr)
      collection->EndUpdate();
  });
  RestoreDefaults();
  if (other->IsCaptionAssigned())
    SetCaption(other->Caption());
  SetHeaderAlignment(other->HeaderAlignment());
  SetMinWidth(other->MinWidth());
  SetFixed(other->Fixed());
  SetSorting(other->Sorting());
  SetSortOrder(other->SortOrder());
  SetRepositoryItem(other->RepositoryItem());
  if (other->IsWidthAssigned())
    SetWidth(other->Width());
}

void TlxLookupGridColumn::CheckWidthValue(int32_t& width) const { width = std::max(width, min_width_); }

TlxValueTypeClass TlxLookupGridColumn::GetValueTypeClass() const {
  TlxCustomLookupGrid* grid = Grid();
  if (grid == nullptr || Index() >= grid->DataController().GetItemCount())
    return nullptr;
  return grid->DataController().GetItemValueTypeClass(Index());
}

void TlxLookupGridColumn::SetValueTypeClass(TlxValueTypeClass value_type) {
  TlxCustomLookupGrid* grid = Grid();
  if (grid == nullptr || Index() >= grid->DataController().GetItemCount())
    return;
  grid->DataController().SetItemValueTypeClass(Index(), value_type);
}

TlxEditRepositoryItem* TlxLookupGridColumn::GetDefaultRepositoryItem() const {
  return lxGetEditDataRegisteredRepositoryItems().FirstDefaultItem();
}

TFont* TlxLookupGridColumn::GetContentFont() const {
  TlxCustomLookupGrid* grid = Grid();
  return grid != nullptr ? &grid->Font() : nullptr;
}

TlxEditRepositoryItem* TlxLookupGridColumn::GetInternalRepositoryItem() {
  if (TlxEditRepositoryItem* item = GetDefaultRepositoryItem())
    return item;
  if (internal_repository_item_ == nullptr)
    internal_repository_item_ = std::make_unique<TlxEditRepositoryTextItem>(nullptr);
  return internal_repository_item_.get();
}

TlxEditRepositoryItem* TlxLookupGridColumn::GetActualRepositoryItem() {
  return repository_item_ != nullptr ? repository_item_ : GetInternalRepositoryItem();
}

void TlxLookupGridColumn::RecreateDefaultValuesProvider() {
  if (default_values_provider_ != nullptr)
    default_values_provider_->DetachFromAllProperties();
  default_values_provider_ =
      lxCreatePart<TlxCustomEditDefaultValuesProvider>(GetDefaultValuesProviderClass(), this);
}

bool TlxLookupGridColumn::IsLast() const {
  return Collection() != nullptr && Index() == Collection()->Count() - 1;
}

void TlxLookupGridColumn::RestoreDefaults() {
  caption_assigned_ = false;
  caption_.clear();
  width_assigned_ = false;
  width_ = 0;
  header_alignment_ = taLeftJustify;
  min_width_ = 20;
  fixed_ = false;
  sorting_ = true;
  Changed();
}

std::string TlxLookupGridColumn::Caption() const {
  if (caption_assigned_)
    return caption_;
  std::string caption;
  GetDefaultCaption(caption);
  return caption;
}

void TlxLookupGridColumn::SetCaption(const std::string& value) {
  if (caption_assigned_ && caption_ == value)
    return;
  caption_ = value;
  caption_assigned_ = true;
  Changed();
}

void TlxLookupGridColumn::SetFixed(bool value) {
  if (fixed_ == value)
    return;
  fixed_ = value;
  Changed();
}

void TlxLookupGridColumn::SetHeaderAlignment(TAlignment value) {
  if (header_alignment_ == value)
    return;
  header_alignment_ = value;
  Changed();
}

void TlxLookupGridColumn::SetMinWidth(int32_t value) {
  value = std::max(value, 0);
  if (min_width_ == value)
    return;
  min_width_ = value;
  if (Width() < min_width_)
    SetWidth(min_width_);
  Changed();
}

void TlxLookupGridColumn::SetSorting(bool value) {
  if (sorting_ == value)
    return;
  sorting_ = value;
  Changed();
}

TlxDataSortOrder TlxLookupGridColumn::SortOrder() const {
  TlxCustomLookupGrid* grid = Grid();
  if (grid == nullptr || Index() >= grid->DataController().GetItemCount())
    return soNone;
  return grid->DataController().GetItemSortOrder(Index());
}

void TlxLookupGridColumn::SetSortOrder(TlxDataSortOrder value) {
  TlxCustomLookupGrid* grid = Grid();
  if (grid == nullptr || Index() >= grid->DataController().GetItemCount())
    return;
  grid->DataController().ChangeSortOrder(Index(), value);
}

void TlxLookupGridColumn::SetRepositoryItem(TlxEditRepositoryItem* value) {
  if (repository_item_ == value)
    return;
  if (repository_item_ != nullptr)
    repository_item_->RemoveListener(this);
  repository_item_ = value;
  if (repository_item_ != nullptr)
    repository_item_->AddListener(this);
  Changed();
}

int32_t TlxLookupGridColumn::Width() const { return width_assigned_ ? width_ : GetDefaultWidth(); }

void TlxLookupGridColumn::SetWidth(int32_t value) {
  CheckWidthValue(value);
  if (width_assigned_ && width_ == value)
    return;
  width_ = value;
  width_assigned_ = true;
  Changed();
}

TlxCustomLookupGrid* TlxLookupGridColumn::Grid() const { return GridOfCollection(Collection()); }

TlxCustomEditProperties* TlxLookupGridColumn::GetProperties() {
  TlxEditRepositoryItem* item = GetActualRepositoryItem();
  return item != nullptr ? item->Properties() : nullptr;
}

void TlxLookupGridColumn::SetIndex(int32_t index) {
  TCollectionItem::SetIndex(index);
  if (TlxCustomLookupGrid* grid = Grid())
    grid->DataController().UpdateItemIndexes();
}

void TlxLookupGridColumn::ItemRemoved(TlxEditRepositoryItem* item) {
  if (item == repository_item_)
    SetRepositoryItem(nullptr);
}

void TlxLookupGridColumn::ItemPropertiesChanged(TlxEditRepositoryItem* /*item*/) { Changed(); }

// --- TlxLookupGridColumns ------------------------------------------------------------------------

TlxLookupGridColumns::TlxLookupGridColumns(TlxCustomLookupGrid* grid, const TClass& column_class)
    : TCollection(column_class, grid), grid_(grid) {}

void TlxLookupGridColumns::BeginUpdate() {
  if (grid_ != nullptr && !grid_->IsDestroying())
    grid_->BeginUpdate();
  TCollection::BeginUpdate();
}

void TlxLookupGridColumns::EndUpdate() {
  TScopeExit end_grid([this] {
    if (grid_ != nullptr && !grid_->IsDestroying())
      grid_->EndUpdate();
  });
  TCollection::EndUpdate();
}

void TlxLookupGridColumns::RestoreDefaults() {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (int32_t i = 0; i < Count(); ++i)
    GetItem(i)->RestoreDefaults();
}

void TlxLookupGridColumns::Assign(const TPersistent* source) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  TCollection::Assign(source);
}

bool TlxLookupGridColumns::TakeConstructionBracket() {
  const bool open = construction_bracket_;
  construction_bracket_ = false;
  return open;
}

void TlxLookupGridColumns::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  if (grid_ == nullptr || grid_->IsDestroying())
    return;
  // While its constructor runs, a column is not yet of its own class: the
  // constructor registers it once complete.
  auto* column = dynamic_cast<TlxLookupGridColumn*>(item);
  if (column == nullptr) {
    if (action == cnAdded && !construction_bracket_) {
      grid_->BeginUpdate();
      construction_bracket_ = true;
    }
    return;
  }
  if (action != cnAdded && action != cnExtracting)
    return;
  grid_->BeginUpdate();
  TScopeExit end([this] { grid_->EndUpdate(); });
  if (action == cnAdded)
    grid_->ColumnAdded(column);
  else
    grid_->ColumnRemoved(column);
}

void TlxLookupGridColumns::Update(TCollectionItem* /*item*/) {
  if (grid_ != nullptr && !grid_->IsLoading() && !grid_->IsDestroying())
    grid_->Changed(kLxLookupGridLayoutChanged);
}

// --- TlxLookupGridOptions ------------------------------------------------------------------------

void TlxLookupGridOptions::Publish(TPropertyListBuilder& properties) {
  using O = TlxLookupGridOptions;
  auto p = properties.For<O>();
  p.Boolean("AnsiSort", &O::AnsiSort, &O::SetAnsiSort, false).Stored = [](const TPersistent&) { return false; };
  p.Boolean("CaseInsensitive", &O::CaseInsensitive, &O::SetCaseInsensitive, false).Stored =
      [](const TPersistent&) { return false; };
  p.Boolean("ColumnSorting", &O::ColumnSorting, &O::SetColumnSorting, true);
  p.Boolean("FocusRowOnMouseMove", &O::FocusRowOnMouseMove, &O::SetFocusRowOnMouseMove, true);
  p.Enumeration("GridLines", &O::GridLines, &O::SetGridLines, {"glBoth", "glNone", "glVertical", "glHorizontal"},
                std::optional<TlxGridLines>(glBoth));
  p.Boolean("RowSelect", &O::RowSelect, &O::SetRowSelect, true);
  p.Boolean("ShowHeader", &O::ShowHeader, &O::SetShowHeader, true);
}

void TlxLookupGridOptions::CopyFrom(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxLookupGridOptions*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (grid_ != nullptr)
    grid_->BeginUpdate();
  TScopeExit end([this] {
    if (grid_ != nullptr)
      grid_->EndUpdate();
  });
  SetAnsiSort(other->AnsiSort());
  SetCaseInsensitive(other->CaseInsensitive());
  SetColumnSorting(other->ColumnSorting());
  SetFocusRowOnMouseMove(other->FocusRowOnMouseMove());
  SetGridLines(other->GridLines());
  SetRowSelect(other->RowSelect());
  SetShowHeader(other->ShowHeader());
}

TPersistent* TlxLookupGridOptions::GetOwner() const { return grid_; }

bool TlxLookupGridOptions::AnsiSort() const {
  return grid_ != nullptr && grid_->DataController().HasOption(dcoAnsiSort);
}

void TlxLookupGridOptions::SetAnsiSort(bool value) { SetControllerOption(dcoAnsiSort, value); }

bool TlxLookupGridOptions::CaseInsensitive() const {
  return grid_ != nullptr && grid_->DataController().HasOption(dcoCaseInsensitive);
}

void TlxLookupGridOptions::SetCaseInsensitive(bool value) { SetControllerOption(dcoCaseInsensitive, value); }

void TlxLookupGridOptions::SetControllerOption(TlxDataControllerOption option, bool value) {
  // Without a grid there is no controller to keep the flag: it is lost.
  if (grid_ == nullptr)
    return;
  TlxCustomDataController& controller = grid_->DataController();
  const TlxDataControllerOptions options = controller.GetOptions();
  controller.SetOptions(value ? static_cast<TlxDataControllerOptions>(options | option)
                              : static_cast<TlxDataControllerOptions>(options & ~option));
}

void TlxLookupGridOptions::SetGridLines(TlxGridLines value) {
  if (grid_lines_ == value)
    return;
  grid_lines_ = value;
  Changed();
}

void TlxLookupGridOptions::SetRowSelect(bool value) {
  if (row_select_ == value)
    return;
  row_select_ = value;
  if (row_select_ && grid_ != nullptr)
    grid_->SetFocusedColumn(nullptr);
}

void TlxLookupGridOptions::SetShowHeader(bool value) {
  if (show_header_ == value)
    return;
  show_header_ = value;
  Changed();
}

void TlxLookupGridOptions::Changed() {
  if (grid_ != nullptr)
    grid_->Changed(kLxLookupGridLayoutChanged);
  if (OnChanged)
    OnChanged(this);
}

// --- TlxLookupGridDataController -----------------------------------------------------------------

TObject* TlxLookupGridDataController::GetItem(int32_t index) const {
  auto* grid = dynamic_cast<TlxCustomLookupGrid*>(OwnerComponent());
  if (grid == nullptr || index < 0 || index >= grid->Columns().Count())
    return TlxDataController::GetItem(index);
  return grid->Columns().GetItem(index);
}
