#include "editors/kinds/button_group_properties.h"

#include <algorithm>

#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

namespace {

// Capabilities of a button group; items add the buttons bit.
constexpr uint32_t kButtonGroupCapabilities = 1423;

}  // namespace

// --- TlxButtonGroupItem --------------------------------------------------------------------------

void TlxButtonGroupItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxButtonGroupItem>();
  p.String("Caption", &TlxButtonGroupItem::Caption, &TlxButtonGroupItem::SetCaption);
  p.Boolean("Enabled", &TlxButtonGroupItem::Enabled, &TlxButtonGroupItem::SetEnabled, true);
  p.Integer("Tag", &TlxButtonGroupItem::Tag, &TlxButtonGroupItem::SetTag, 0);
}

void TlxButtonGroupItem::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxButtonGroupItem*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  SetCaption(other->caption_);
  SetEnabled(other->enabled_);
  SetTag(other->tag_);
}

void TlxButtonGroupItem::SetCaption(const std::string& value) {
  if (value == caption_)
    return;
  caption_ = value;
  ReportChanged();
}

void TlxButtonGroupItem::SetEnabled(bool value) {
  if (value == enabled_)
    return;
  enabled_ = value;
  ReportChanged();
}

void TlxButtonGroupItem::SetTag(int32_t value) {
  if (value == tag_)
    return;
  tag_ = value;
  ReportChanged();
}

// --- TlxButtonGroupItems -------------------------------------------------------------------------

TlxButtonGroupItems::TlxButtonGroupItems(TlxCustomButtonGroupProperties* owner, const TClass& item_class)
    : TCollection(item_class, owner), owner_(owner) {
  SetPropName("Items");
}

TlxButtonGroupItems::~TlxButtonGroupItems() { destroying_ = true; }

void TlxButtonGroupItems::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  // The toolkit's collection reports an addition once the item is in the
  // list and an extraction while it still is: the recorded index is the
  // item's own in both cases.
  if (action == cnAdded)
    ReportItemChange(item->Index(), TlxButtonGroupChange::kAdded);
  else if (action == cnExtracting)
    ReportItemChange(destroying_ ? -1 : item->Index(), TlxButtonGroupChange::kRemoved);
}

void TlxButtonGroupItems::Update(TCollectionItem* item) {
  TCollection::Update(item);
  if (item != nullptr) {
    ReportItemChange(item->Index(), TlxButtonGroupChange::kChanged);
    return;
  }
  if (owner_ != nullptr && !destroying_)
    owner_->Changed();
}

void TlxButtonGroupItems::ReportItemChange(int32_t index, TlxButtonGroupChange kind) {
  if (owner_ == nullptr || destroying_)
    return;
  // Inside the properties' update bracket the change still counts for the
  // bracket's one notification, only without a record of its own.
  if (owner_->IsChangeLocked()) {
    owner_->Changed();
    return;
  }
  changed_index_ = index;
  change_kind_ = kind;
  notifying_ = true;
  TScopeExit done([this] { notifying_ = false; });
  owner_->Changed();
}

// --- TlxCustomButtonGroupProperties ---------------------------------------------------------------

TlxCustomButtonGroupProperties::TlxCustomButtonGroupProperties(TPersistent* owner)
    : TlxCustomGroupBoxProperties(owner) {
  items_ = CreateItems();
}

TlxCustomButtonGroupProperties::~TlxCustomButtonGroupProperties() = default;

std::unique_ptr<TlxButtonGroupItems> TlxCustomButtonGroupProperties::CreateItems() {
  return std::make_unique<TlxButtonGroupItems>(this, TlxButtonGroupItem::kClass);
}

void TlxCustomButtonGroupProperties::ReplaceItems(std::unique_ptr<TlxButtonGroupItems> items) {
  items_ = std::move(items);
}

int32_t TlxCustomButtonGroupProperties::GetColumnCount() const {
  return lxButtonGroupColumnCount(columns_, items_->Count());
}

int32_t TlxCustomButtonGroupProperties::GetRowCount() const {
  return lxButtonGroupRowCount(items_->Count(), GetColumnCount());
}

void TlxCustomButtonGroupProperties::SetColumns(int32_t value) { Store(columns_, std::max(value, 1)); }

void TlxCustomButtonGroupProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomButtonGroupProperties*>(source);
  if (other == nullptr) {
    TlxCustomGroupBoxProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  TlxCustomGroupBoxProperties::Assign(source);
  SetColumns(other->columns_);
  SetItems(*other->items_);
  SetWordWrap(other->word_wrap_);
}

std::unique_ptr<TlxCustomEditProperties> TlxCustomButtonGroupProperties::CreateSameKind() const {
  std::unique_ptr<TlxCustomEditProperties> sample = TlxCustomGroupBoxProperties::CreateSameKind();
  auto* group = dynamic_cast<TlxCustomButtonGroupProperties*>(sample.get());
  if (group == nullptr)
    return sample;
  group->BeginUpdate();
  for (const char* caption : {"A", "B", "C"})
    group->Items().Add()->SetCaption(caption);
  group->SetColumns(3);
  group->EndUpdate(false);
  return sample;
}

uint32_t TlxCustomButtonGroupProperties::GetEditCapabilities() const {
  return kButtonGroupCapabilities | (items_->Count() > 0 ? kLxEditCapButtons : 0u);
}

// --- layout arithmetic ---------------------------------------------------------------------------

int32_t lxButtonGroupColumnCount(int32_t columns, int32_t item_count) {
  const int32_t requested = std::min(std::max(columns, 1), item_count);
  if (item_count <= 0)
    return requested;
  const int32_t rows = (item_count + requested - 1) / requested;
  return (item_count + rows - 1) / rows;
}

int32_t lxButtonGroupRowCount(int32_t item_count, int32_t column_count) {
  if (column_count <= 0)
    return 1;
  return (column_count + item_count - 1) / column_count;
}

TRect lxButtonGroupButtonBounds(const TlxButtonGroupGrid& grid, int32_t index) {
  const int32_t columns = std::max(grid.Columns, 1);
  const int32_t rows = std::max(grid.Rows, 1);
  const int32_t width =
      (grid.Content.Width() + grid.ColumnCorrection - (columns - 1) * grid.ColumnSpacing) / columns;
  const int32_t height = grid.Content.Height();
  const int32_t row_height = height / rows;
  const int32_t first_top = grid.Content.Top + (height % rows) / 2;
  const int32_t column = index / rows;
  const int32_t row = index % rows;
  const int32_t left = grid.Content.Left + (width + grid.ColumnSpacing) * column + grid.ColumnOffset;
  const int32_t top = first_top + row_height * row;
  return TRect(left, top, left + width, top + row_height);
}

int32_t lxButtonGroupMoveFocus(int32_t focused, int32_t item_count, int32_t rows, TlxButtonGroupMove move) {
  if (focused < 0 || focused >= item_count || rows <= 0)
    return -1;
  const int32_t column = focused / rows;
  const int32_t row = focused % rows;
  // A partial last column holds fewer buttons than the others.
  const int32_t in_column = std::min(rows, item_count - (focused - row));
  switch (move) {
    case TlxButtonGroupMove::kLeft:
      return column > 0 ? focused - rows : -1;
    case TlxButtonGroupMove::kUp:
      return row > 0 ? focused - 1 : -1;
    case TlxButtonGroupMove::kRight:
      return focused + rows < item_count ? focused + rows : -1;
    case TlxButtonGroupMove::kDown:
      return row < in_column - 1 ? focused + 1 : -1;
  }
  return -1;
}
