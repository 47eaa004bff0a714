#include "data/data_summary_items.h"

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_utils.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/property.h"

namespace {

constexpr uint8_t kFormatFlag = 1;
constexpr uint8_t kKindFlag = 2;
constexpr uint8_t kSortedFlag = 4;

// Replaces every "%s" of a currency format by the regional currency format.
std::string WithCurrencyFormat(std::string format) {
  const std::string currency = lxBuildCurrencyFormat();
  for (size_t at = format.find("%s"); at != std::string::npos; at = format.find("%s", at + currency.size()))
    format.replace(at, 2, currency);
  return format;
}

// The date text of a date, a time or both, as the value holds them.
std::string DateTimeText(TDateTime value) {
  const TDateTime date = lxDateOf(value);
  const TDateTime time = lxTimeOf(value);
  if (time == 0)
    return DateToStr(value);
  if (date == 0)
    return TimeToStr(value);
  return DateTimeToStr(value);
}

}  // namespace

// --- TlxCustomDataSummaryItem ----------------------------------------------------

TObject* TlxCustomDataSummaryItem::LinkedItem() const { return field_ ? field_->Item() : nullptr; }

void TlxCustomDataSummaryItem::SetLinkedItem(TObject* item) {
  if (LinkedItem() == item)
    return;
  TlxCustomDataField* field = item ? OwnerDataController()->Fields().FieldByItem(item) : nullptr;
  ChangeField(field);
}

void TlxCustomDataSummaryItem::ChangeField(TlxCustomDataField* field) {
  TUpdateScope<TCollection> update(*Collection());
  FieldChanging(field);
  field_ = field;
  Changed(true);
}

// --- TlxDataSummaryItem ----------------------------------------------------------

void TlxDataSummaryItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDataSummaryItem>();
  p.String("Format", &TlxDataSummaryItem::Format, &TlxDataSummaryItem::SetFormat);
  p.Enumeration("Kind", &TlxDataSummaryItem::Kind, &TlxDataSummaryItem::SetKind,
                {"skNone", "skSum", "skMin", "skMax", "skCount", "skAverage"}, std::optional<TlxSummaryKind>(skNone));
  p.Enumeration("Position", &TlxDataSummaryItem::Position, &TlxDataSummaryItem::SetPosition,
                {"spGroup", "spFooter"}, std::optional<TlxSummaryPosition>{})
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxDataSummaryItem&>(self).PositionNeedsStoring();
  };
}

TlxDataSummaryItem::TlxDataSummaryItem(TCollection* collection) : TlxCustomDataSummaryItem(collection) {}

TlxDataSummaryItem::~TlxDataSummaryItem() {
  // An item that ordered its level's groups stops doing so before it goes.
  if (sorted_ && Collection() != nullptr) {
    sorted_ = false;
    TlxCustomDataController* controller = OwnerDataController();
    if (!controller->Destroying())
      controller->SortingBySummaryChanged();
  }
}

TlxCustomDataController* TlxDataSummaryItem::OwnerDataController() const { return &Items().DataController(); }

TlxDataSummaryItems& TlxDataSummaryItem::Items() const { return *static_cast<TlxDataSummaryItems*>(Collection()); }

bool TlxDataSummaryItem::IsCurrencyType(TVarType type) const { return lxVarTypeIsCurrency(type); }

bool TlxDataSummaryItem::IsCalculable() const {
  return GetValueField() != nullptr || (kind_ == skCount && Position() == spGroup);
}

bool TlxDataSummaryItem::PositionNeedsStoring() const { return Items().ItemPositionNeedsStoring(*this); }

int32_t TlxDataSummaryItem::ValueFormatKind(TVarType type) const {
  if (IsCurrencyType(type))
    return 1;
  return type == varDate ? 2 : 0;
}

void TlxDataSummaryItem::FormatValue(const Variant& value, bool is_footer, std::string& text) {
  if (value.IsNull() || value.IsEmpty()) {
    text.clear();
  } else if (kind_ == skNone) {
    text = VarToStr(value);
  } else {
    std::string format = format_;
    if (format.empty())
      format = Items().GetDefaultFormat(ValueFormatKind(value.Type()), kind_, is_footer);
    if (value.Type() != varDate || kind_ == skCount)
      text = FormatFloat(format, value.AsDouble());
    else
      text = format + DateTimeText(value.AsDateTime());
  }
  DoGetText(value, is_footer, text);
}

void TlxDataSummaryItem::DoGetText(const Variant& value, bool is_footer, std::string& text) {
  if (OnGetText)
    OnGetText(this, value, is_footer, text);
}

void TlxDataSummaryItem::SetFormat(const std::string& value) {
  if (format_ == value)
    return;
  format_ = value;
  Changed(false);
}

void TlxDataSummaryItem::SetKind(TlxSummaryKind value) {
  if (kind_ == value)
    return;
  kind_ = value;
  Changed(true);
}

TlxSummaryPosition TlxDataSummaryItem::Position() const { return Items().PositionOfItem(*this); }

void TlxDataSummaryItem::SetPosition(TlxSummaryPosition value) {
  if (position_ == value)
    return;
  position_ = value;
  Changed(false);
}

void TlxDataSummaryItem::SetSorted(bool value) {
  TlxCustomDataController* controller = OwnerDataController();
  if (controller->GetSortingBySummaryItemIndex() != -1 || sorted_ == value)
    return;
  TUpdateScope<TCollection> update(*Collection());
  Items().BeforeSortedChange(this, value);
  sorted_ = value;
  controller->SortingBySummaryChanged();
  Changed(true);
}

void TlxDataSummaryItem::CopyFrom(const TlxDataSummaryItem& source) {
  TUpdateScope<TCollection> update(*Collection());
  SetLinkedItem(source.LinkedItem());
  SetFormat(source.format_);
  SetKind(source.kind_);
  SetPosition(source.position_);
  SetSorted(source.sorted_);
  OnGetText = source.OnGetText;
}

void TlxDataSummaryItem::Assign(const TPersistent* source) {
  if (const auto* item = dynamic_cast<const TlxDataSummaryItem*>(source)) {
    CopyFrom(*item);
    return;
  }
  TlxCustomDataSummaryItem::Assign(source);
}

// --- TlxDataSummaryItems ---------------------------------------------------------

TlxDataSummaryItems::TlxDataSummaryItems(TlxDataSummary* summary, const TClass& item_class)
    : TlxCollection(item_class, summary), summary_(*summary) {}

TlxCustomDataController& TlxDataSummaryItems::DataController() const { return summary_.DataController(); }

void TlxDataSummaryItems::Update(TCollectionItem* item) { summary_.NotifyChanged(item != nullptr); }

bool TlxDataSummaryItems::AreRequestedPropertiesBlank(uint8_t flags, const std::string& format, TlxSummaryKind kind,
                                                      bool sorted) const {
  if ((flags & kSortedFlag) && sorted)
    return false;
  if ((flags & kFormatFlag) && !format.empty())
    return false;
  return !((flags & kKindFlag) && kind != skNone);
}

std::string TlxDataSummaryItems::GetDefaultFormat(int32_t value_kind, TlxSummaryKind kind, bool is_footer) const {
  struct TKindTexts {
    const char* prefix;  // the group row's and, but for the sum, the footer's label
    bool footer_prefix;
  };
  static constexpr TKindTexts kTexts[] = {
      {"", false}, {"SUM=", false}, {"MIN=", true}, {"MAX=", true}, {"COUNT=", false}, {"AVG=", true},
  };
  if (kind == skNone)
    return {};
  const TKindTexts& texts = kTexts[kind];
  const std::string prefix = !is_footer || texts.footer_prefix ? texts.prefix : "";
  if (kind == skCount)
    return prefix + "0";
  switch (value_kind) {
    case 1:
      return WithCurrencyFormat(prefix + "%s;" + prefix + "-%s");
    case 2:
      return prefix;
    default:
      return prefix + "0.00;" + prefix + "-0.00";
  }
}

TlxDataSummaryItem* TlxDataSummaryItems::FindItemForDataItem(int32_t item_index, TlxSummaryPosition position,
                                                             bool use_kind, TlxSummaryKind kind) const {
  TlxCustomDataController& controller = DataController();
  controller.CheckItemRange(item_index);
  const TlxCustomDataField* field = controller.ItemField(item_index);
  for (int32_t i = 0; i < Count(); ++i) {
    TlxDataSummaryItem* item = ItemAt(i);
    if (item->Field() == field && item->Position() == position && (!use_kind || item->Kind() == kind))
      return item;
  }
  return nullptr;
}

TlxDataSummaryItem* TlxDataSummaryItems::AddItem(TObject* item_object, TlxSummaryPosition position,
                                                 TlxSummaryKind kind, const std::string& format) {
  TUpdateScope<TCollection> update(*this);
  TlxDataSummaryItem* item = AddSummaryItem();
  item->SetLinkedItem(item_object);
  item->SetPosition(position);
  item->SetKind(kind);
  item->SetFormat(format);
  return item;
}

TlxDataSummaryItem* TlxDataSummaryItems::AddDefaultItem(int32_t item_index, TlxSummaryPosition position) {
  return AddItem(DataController().GetItem(item_index), position, skNone, {});
}

std::string TlxDataSummaryItems::GetFormatForItem(int32_t item_index, TlxSummaryPosition position) const {
  const TlxDataSummaryItem* item = FindItemForDataItem(item_index, position, false, skNone);
  return item ? item->Format() : std::string();
}

TlxSummaryKind TlxDataSummaryItems::GetKindForItem(int32_t item_index, TlxSummaryPosition position) const {
  const TlxDataSummaryItem* item = FindItemForDataItem(item_index, position, false, skNone);
  return item ? item->Kind() : skNone;
}

bool TlxDataSummaryItems::GetSortedForItem(int32_t item_index, TlxSummaryPosition position) const {
  const TlxDataSummaryItem* item = FindItemForDataItem(item_index, position, false, skNone);
  return item != nullptr && item->Sorted();
}

void TlxDataSummaryItems::SetFormatForItem(int32_t item_index, TlxSummaryPosition position, const std::string& value) {
  SetPropertiesForItem(item_index, position, kFormatFlag, value, skNone, false);
}

void TlxDataSummaryItems::SetKindForItem(int32_t item_index, TlxSummaryPosition position, TlxSummaryKind value) {
  SetPropertiesForItem(item_index, position, kKindFlag, {}, value, false);
}

void TlxDataSummaryItems::SetSortedForItem(int32_t item_index, TlxSummaryPosition position, bool value) {
  SetPropertiesForItem(item_index, position, kSortedFlag, {}, skNone, value);
}

void TlxDataSummaryItems::SetPropertiesForItem(int32_t item_index, TlxSummaryPosition position, uint8_t flags,
                                               const std::string& format, TlxSummaryKind kind, bool sorted) {
  TlxDataSummaryItem* item = FindItemForDataItem(item_index, position, false, skNone);
  if (item != nullptr) {
    ApplyProperties(*item, flags, format, kind, sorted);
    FreeIfBlank(item);
    return;
  }
  if (AreRequestedPropertiesBlank(flags, format, kind, sorted))
    return;
  TUpdateScope<TCollection> update(*this);
  ApplyProperties(*AddDefaultItem(item_index, position), flags, format, kind, sorted);
}

void TlxDataSummaryItems::ApplyProperties(TlxDataSummaryItem& item, uint8_t flags, const std::string& format,
                                          TlxSummaryKind kind, bool sorted) {
  if (flags & kFormatFlag)
    item.SetFormat(format);
  if (flags & kKindFlag)
    item.SetKind(kind);
  if (flags & kSortedFlag)
    item.SetSorted(sorted);
}

void TlxDataSummaryItems::FreeIfBlank(TlxDataSummaryItem* item) {
  if (item->Format().empty() && item->Kind() == skNone && !item->Sorted())
    Delete(item->Index());
}

int32_t TlxDataSummaryItems::IndexOfItemLink(const TObject* item_object) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (ItemAt(i)->LinkedItem() == item_object)
      return i;
  return -1;
}

TlxDataSummaryItem* TlxDataSummaryItems::ItemOfItemLink(const TObject* item_object) const {
  const int32_t index = IndexOfItemLink(item_object);
  return index < 0 ? nullptr : ItemAt(index);
}

int32_t TlxDataSummaryItems::IndexOfField(const TlxCustomDataField* field) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (ItemAt(i)->Field() == field)
      return i;
  return -1;
}

TlxDataSummaryItem* TlxDataSummaryItems::ItemOfField(const TlxCustomDataField* field) const {
  const int32_t index = IndexOfField(field);
  return index < 0 ? nullptr : ItemAt(index);
}

void TlxDataSummaryItems::CopyFrom(const TPersistent* source) {
  TlxCollection::CopyFrom(source);
  if (const auto* items = dynamic_cast<const TlxDataSummaryItems*>(source))
    CopyEvents(*items);
}

// --- TlxDataGroupSummaryItems ----------------------------------------------------

void TlxDataGroupSummaryItems::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDataGroupSummaryItems>();
  p.String("BeginText", &TlxDataGroupSummaryItems::BeginText, &TlxDataGroupSummaryItems::SetBeginText, "(");
  p.String("EndText", &TlxDataGroupSummaryItems::EndText, &TlxDataGroupSummaryItems::SetEndText, ")");
  p.String("Separator", &TlxDataGroupSummaryItems::Separator, &TlxDataGroupSummaryItems::SetSeparator, ",");
}

TlxDataGroupSummaryItems::TlxDataGroupSummaryItems(TlxDataSummary* summary, const TClass& item_class,
                                                   TlxDataSummaryGroup* group)
    : TlxDataSummaryItems(summary, item_class), group_(group) {}

TlxDataSummaryItem* TlxDataGroupSummaryItems::SortingSummaryItem() const {
  const int32_t sorting_item = DataController().GetSortingBySummaryItemIndex();
  if (sorting_item != -1)
    return ItemOfField(DataController().ItemField(sorting_item));
  for (int32_t i = 0; i < Count(); ++i)
    if (ItemAt(i)->Sorted())
      return ItemAt(i);
  return nullptr;
}

void TlxDataGroupSummaryItems::BeforeSortedChange(TlxDataSummaryItem* item, bool value) {
  if (!value)
    return;
  TlxDataSummaryItem* current = SortingSummaryItem();
  if (current != nullptr && current != item)
    current->SetSorted(false);
}

void TlxDataGroupSummaryItems::BuildValuesText(const Variant& values, std::string& text) {
  text.clear();
  if (!values.IsArray())
    return;
  bool first = true;
  for (int32_t i = 0; i < Count() && i <= VarArrayHighBound(values); ++i) {
    TlxDataSummaryItem* item = ItemAt(i);
    if (item->Position() != spGroup)
      continue;
    std::string item_text;
    item->FormatValue(VarArrayGet(values, i), false, item_text);
    if (!first)
      text += separator_ + " ";
    text += item_text;
    first = false;
  }
  if (!text.empty())
    text = begin_text_ + text + end_text_;
}

void TlxDataGroupSummaryItems::SetText(std::string& target, const std::string& value) {
  if (target == value)
    return;
  target = value;
  Summary().NotifyChanged(true);
}

void TlxDataGroupSummaryItems::CopyFrom(const TPersistent* source) {
  TlxDataSummaryItems::CopyFrom(source);
  if (const auto* items = dynamic_cast<const TlxDataGroupSummaryItems*>(source)) {
    SetBeginText(items->begin_text_);
    SetEndText(items->end_text_);
    SetSeparator(items->separator_);
  }
}

// --- Summary groups and their links ----------------------------------------------

TlxCustomDataController* TlxDataSummaryGroupItemLink::OwnerDataController() const {
  return &static_cast<TlxDataSummaryGroupItemLinks*>(Collection())->SummaryGroup().Groups().Summary().DataController();
}

void TlxDataSummaryGroupItemLink::FieldChanging(TlxCustomDataField* field) {
  if (field == nullptr)
    return;
  TlxDataSummaryGroups& groups = static_cast<TlxDataSummaryGroupItemLinks*>(Collection())->SummaryGroup().Groups();
  for (int32_t g = 0; g < groups.Count(); ++g) {
    TlxDataSummaryGroup* group = groups.GroupAt(g);
    if (!group->HasLinks())
      continue;
    TlxDataSummaryGroupItemLinks& links = group->Links();
    for (int32_t i = links.Count() - 1; i >= 0; --i)
      if (links.LinkAt(i) != this && links.LinkAt(i)->Field() == field)
        links.Delete(i);
  }
}

void TlxDataSummaryGroupItemLink::Assign(const TPersistent* source) {
  if (const auto* link = dynamic_cast<const TlxDataSummaryGroupItemLink*>(source)) {
    SetLinkedItem(link->LinkedItem());
    return;
  }
  TlxCustomDataSummaryItem::Assign(source);
}

TlxDataSummaryGroupItemLinks::TlxDataSummaryGroupItemLinks(TlxDataSummaryGroup& group, const TClass& link_class)
    : TCollection(link_class, &group), group_(group) {}

int32_t TlxDataSummaryGroupItemLinks::IndexOfItem(const TObject* item_object) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (LinkAt(i)->LinkedItem() == item_object)
      return i;
  return -1;
}

int32_t TlxDataSummaryGroupItemLinks::IndexOfField(const TlxCustomDataField* field) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (LinkAt(i)->Field() == field)
      return i;
  return -1;
}

void TlxDataSummaryGroupItemLinks::Update(TCollectionItem*) { group_.Groups().Summary().NotifyChanged(false); }

void TlxDataSummaryGroup::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDataSummaryGroup>();
  p.Persistent("Links", TlxDataSummaryGroupItemLinks::kClass,
               [](const TlxDataSummaryGroup& self) -> TPersistent* {
                 return &const_cast<TlxDataSummaryGroup&>(self).Links();
               });
  p.Persistent("SummaryItems", TlxDataGroupSummaryItems::kClass,
               [](const TlxDataSummaryGroup& self) -> TPersistent* { return &self.SummaryItems(); });
}

TlxDataSummaryGroup::TlxDataSummaryGroup(TCollection* collection) : TCollectionItem(collection) {}

TlxDataGroupSummaryItems& TlxDataSummaryGroup::SummaryItems() const {
  if (!summary_items_) {
    TlxDataSummary& summary = Groups().Summary();
    summary_items_ = std::make_unique<TlxDataGroupSummaryItems>(&summary, *summary.SummaryItemClass(),
                                                                const_cast<TlxDataSummaryGroup*>(this));
  }
  return *summary_items_;
}

TlxDataSummaryGroup::~TlxDataSummaryGroup() = default;

TlxDataSummaryGroups& TlxDataSummaryGroup::Groups() const { return *static_cast<TlxDataSummaryGroups*>(Collection()); }

TlxDataSummaryGroupItemLinks& TlxDataSummaryGroup::Links() {
  if (!links_)
    links_ = std::make_unique<TlxDataSummaryGroupItemLinks>(*this, *Groups().Summary().GroupItemLinkClass());
  return *links_;
}

void TlxDataSummaryGroup::CopyFrom(const TlxDataSummaryGroup& source) {
  if (source.links_)
    Links().Assign(source.links_.get());
  else if (links_)
    links_->Clear();
  SummaryItems().CopyFrom(&source.SummaryItems());
}

void TlxDataSummaryGroup::Assign(const TPersistent* source) {
  if (const auto* group = dynamic_cast<const TlxDataSummaryGroup*>(source)) {
    CopyFrom(*group);
    return;
  }
  TCollectionItem::Assign(source);
}

TlxDataSummaryGroups::TlxDataSummaryGroups(TlxDataSummary* summary)
    : TlxCollection(TlxDataSummaryGroup::kClass, summary), summary_(*summary) {}

TlxDataSummaryGroup* TlxDataSummaryGroups::GroupForItemLink(const TObject* item_object) const {
  for (int32_t i = 0; i < Count(); ++i) {
    TlxDataSummaryGroup* group = GroupAt(i);
    if (group->HasLinks() && group->Links().IndexOfItem(item_object) >= 0)
      return group;
  }
  return nullptr;
}

void TlxDataSummaryGroups::Update(TCollectionItem*) { summary_.NotifyChanged(false); }
