#include "editors/kinds/db_repository_items.h"

#include <gtest/gtest.h>

#include "data/value_types.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "platform/db/boolean_field.h"
#include "platform/db/client_data_set.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"

namespace db_repository_items_test {

// The file list's table, with a few more fields, filled by the module start.
class DBRepositoryItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    cds_ = new TClientDataSet(&owner_);
  }
  void TearDown() override {
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeDefaultEditRepository();  // the items listen to the format controller
  }

  template <class FieldClass>
  FieldClass* Add(const char* name) {
    auto* field = new FieldClass(&owner_);
    field->SetFieldName(name);
    field->SetDataSet(cds_);
    return field;
  }

  const TClass* ItemClassFor(const TField* field) {
    TlxEditRepositoryItem* item = lxGetEditDBRegisteredRepositoryItems().FindItemForField(field);
    return item != nullptr ? item->ClassType() : nullptr;
  }

  TComponent owner_{nullptr};
  TClientDataSet* cds_ = nullptr;
};

TEST_F(DBRepositoryItemsTest, EachFieldGetsTheItemOfItsKind) {
  auto* currency_size = Add<TFloatField>("Preis");
  currency_size->SetCurrency(true);
  auto* lookup = Add<TStringField>("Art");
  lookup->SetFieldKind(fkLookup);
  const struct {
    const TField* field;
    const TClass* item_class;
  } cases[] = {
      {Add<TIntegerField>("Nr."), &TlxEditRepositoryMaskItem::kClass},
      {Add<TStringField>("Datei"), &TlxEditRepositoryMaskItem::kClass},
      {Add<TFloatField>("Größe"), &TlxEditRepositoryMaskItem::kClass},
      {currency_size, &TlxEditRepositoryCurrencyItem::kClass},
      {Add<TCurrencyField>("Betrag"), &TlxEditRepositoryCurrencyItem::kClass},
      {Add<TDateTimeField>("Datum"), &TlxEditRepositoryDateItem::kClass},
      {Add<TDateField>("Tag"), &TlxEditRepositoryDateItem::kClass},
      {Add<TSQLTimeStampField>("Stempel"), &TlxEditRepositoryDateItem::kClass},
      {Add<TBooleanField>("Fertig"), &TlxEditRepositoryCheckBoxItem::kClass},
      {lookup, &TlxEditRepositoryMaskItem::kClass},  // no lookup entry registered yet
      {nullptr, &TlxEditRepositoryMaskItem::kClass},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ItemClassFor(c.field), c.item_class) << (c.field ? c.field->FieldName() : "no field");
}

TEST_F(DBRepositoryItemsTest, AnsweringStaysTheSameOnAnOpenDataSet) {
  TField* number = Add<TIntegerField>("Nr.");
  TField* date = Add<TDateTimeField>("Datum");
  cds_->CreateDataSet();
  ASSERT_TRUE(cds_->Active());
  EXPECT_EQ(ItemClassFor(number), &TlxEditRepositoryMaskItem::kClass);
  EXPECT_EQ(ItemClassFor(cds_->FieldByName("Datum")), &TlxEditRepositoryDateItem::kClass);
  EXPECT_EQ(cds_->FieldByName("Datum"), date);
}

TEST_F(DBRepositoryItemsTest, ARemovedCurrencyItemLeavesTheDefaultItem) {
  auto* field = Add<TFloatField>("Preis");
  field->SetCurrency(true);
  TlxEditDBRegisteredRepositoryItems& registry = lxGetEditDBRegisteredRepositoryItems();
  ASSERT_EQ(registry.CurrencyEntries().size(), 1u);
  delete registry.CurrencyEntries().front().Item;
  EXPECT_TRUE(registry.CurrencyEntries().empty());
  EXPECT_EQ(ItemClassFor(field), &TlxEditRepositoryMaskItem::kClass);
}

TEST_F(DBRepositoryItemsTest, AHigherVersionTakesPrecedenceAndLookupEntriesServeLookupFields) {
  TlxEditDBRegisteredRepositoryItems& registry = lxGetEditDBRegisteredRepositoryItems();
  TlxEditRepository repository(nullptr);
  TlxEditRepositoryItem* text = repository.CreateItemOfClass(TlxEditRepositoryTextItem::kClass);
  registry.RegisterFieldTypeItem(ftString, 1, text);
  auto* name = Add<TStringField>("Datei");
  EXPECT_EQ(registry.FindItemForField(name), text);
  auto* lookup = Add<TStringField>("Art");
  lookup->SetFieldKind(fkLookup);
  TlxEditRepositoryItem* list = repository.CreateItemOfClass(TlxEditRepositoryMaskItem::kClass);
  registry.RegisterLookupItem(0, list);
  EXPECT_EQ(registry.FindItemForField(lookup), list);
  // An item in two arrays stays observed until its last entry goes.
  registry.RegisterCurrencyItem(5, list);
  registry.RemoveRepositoryItem(text);
  EXPECT_EQ(registry.FindItemForField(name)->ClassType(), &TlxEditRepositoryMaskItem::kClass);
  delete list;
  EXPECT_TRUE(registry.LookupEntries().empty());
  EXPECT_EQ(registry.CurrencyEntries().size(), 1u);
}

TEST_F(DBRepositoryItemsTest, OnlyAPublishedCurrencyFlagCounts) {
  auto* number = Add<TIntegerField>("Nr.");
  auto* size = Add<TFloatField>("Größe");
  EXPECT_FALSE(lxFieldShowsCurrency(*number));
  EXPECT_FALSE(lxFieldShowsCurrency(*size));
  size->SetCurrency(true);
  EXPECT_TRUE(lxFieldShowsCurrency(*size));
}

TEST(DataRegisteredKindItemsTest, ValueTypesOfTheKindsGetTheirEditors) {
  lxEditDataRegisteredKindItemsModuleStart();
  TlxEditDataRegisteredRepositoryItems& registry = lxGetEditDataRegisteredRepositoryItems();
  TlxEditRepositoryItem* integer = registry.GetItemForValueType(lxValueTypeClass<TlxIntegerValueType>());
  EXPECT_EQ(integer, registry.GetItemForValueType(lxValueTypeClass<TlxStringValueType>()));
  EXPECT_EQ(integer->ClassType(), &TlxEditRepositoryTextItem::kClass);
  TlxEditRepositoryItem* currency = registry.GetItemForValueType(lxValueTypeClass<TlxCurrencyValueType>());
  TlxEditRepositoryItem* bcd = registry.GetItemForValueType(lxValueTypeClass<TlxFMTBcdValueType>());
  EXPECT_EQ(currency->ClassType(), &TlxEditRepositoryCurrencyItem::kClass);
  EXPECT_EQ(bcd->ClassType(), &TlxEditRepositoryCurrencyItem::kClass);
  EXPECT_NE(currency, bcd);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxDateTimeValueType>())->ClassType(),
            &TlxEditRepositoryDateItem::kClass);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxSQLTimeStampValueType>())->ClassType(),
            &TlxEditRepositoryDateItem::kClass);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxBooleanValueType>())->ClassType(),
            &TlxEditRepositoryCheckBoxItem::kClass);
  lxEditDataRegisteredKindItemsModuleEnd();
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxCurrencyValueType>()), integer);
  lxFreeDefaultEditRepository();
}

}  // namespace db_repository_items_test
