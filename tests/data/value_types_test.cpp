#include "data/value_types.h"

#include <array>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"
#include "ui/foundation/base/stream_text_mark.h"

namespace {

// One data area big enough for any type, released at the end.
class DataArea {
 public:
  explicit DataArea(TlxValueTypeClass type) : type_(type) {}
  ~DataArea() { type_->ReleaseBuffer(bytes_.data()); }
  uint8_t* Get() { return bytes_.data(); }

 private:
  TlxValueTypeClass type_;
  alignas(8) std::array<uint8_t, 40> bytes_{};
};

TEST(ValueTypeTest, CaptionsAndTheRegistry) {
  TlxValueTypeClassList& registry = lxGetValueTypeRegistry();
  ASSERT_EQ(registry.Count(), 14);
  const char* captions[] = {"String", "WideString", "Smallint", "Integer", "Word", "Boolean", "Float",
                            "Currency", "DateTime", "LargeInt", "FMTBcd", "SQLTimeStamp", "Variant", "Object"};
  for (int32_t i = 0; i < 14; ++i)
    EXPECT_EQ(registry.ItemAt(i)->Caption(), captions[i]);
  EXPECT_EQ(registry.FindByCaption("String"), lxValueTypeClass<TlxStringValueType>());
  EXPECT_EQ(registry.FindByCaption("string"), nullptr);
  EXPECT_EQ(registry.FindByClassName("TlxFloatValueType"), lxValueTypeClass<TlxFloatValueType>());
  EXPECT_TRUE(lxIsDateTimeValueTypeClass(lxValueTypeClass<TlxDateTimeValueType>()));
  EXPECT_TRUE(lxIsDateTimeValueTypeClass(lxValueTypeClass<TlxSQLTimeStampValueType>()));
  EXPECT_FALSE(lxIsDateTimeValueTypeClass(lxValueTypeClass<TlxFloatValueType>()));
  EXPECT_TRUE(lxValueTypeClass<TlxWideStringValueType>()->IsTextType());
  EXPECT_FALSE(lxValueTypeClass<TlxVariantValueType>()->IsTextType());
}

TEST(ValueTypeTest, PointerCellsArePointerSizedAndObjectsAre64Bit) {
  EXPECT_EQ(lxValueTypeClass<TlxStringValueType>()->BufferSize(), static_cast<int32_t>(sizeof(void*)));
  EXPECT_EQ(lxValueTypeClass<TlxVariantValueType>()->BufferSize(), static_cast<int32_t>(sizeof(void*)));
  EXPECT_EQ(lxValueTypeClass<TlxObjectValueType>()->BufferSize(), static_cast<int32_t>(sizeof(void*)));
  EXPECT_EQ(lxValueTypeClass<TlxObjectValueType>()->VariantType(), varInt64);
  EXPECT_EQ(lxValueTypeClass<TlxFMTBcdValueType>()->BufferSize(), 34);
  EXPECT_EQ(lxValueTypeClass<TlxSQLTimeStampValueType>()->BufferSize(), 16);
}

struct OrderCase {
  const char* name;
  TlxValueTypeClass type;
  Variant low;
  Variant high;
};

// Boundaries of each type: the stored values read back and order.
TEST(ValueTypeTest, BoundariesReadBackAndOrder) {
  TScopedLocale locale("en-US");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<OrderCase> cases = {
      {"Integer extremes", lxValueTypeClass<TlxIntegerValueType>(), Variant(INT32_MIN), Variant(INT32_MAX)},
      {"Smallint extremes", lxValueTypeClass<TlxSmallintValueType>(), Variant::FromSmallint(-32768),
       Variant::FromSmallint(32767)},
      {"Word extremes", lxValueTypeClass<TlxWordValueType>(), Variant::FromWord(0), Variant::FromWord(65535)},
      {"LargeInt extremes", lxValueTypeClass<TlxLargeIntValueType>(), Variant(INT64_MIN), Variant(INT64_MAX)},
      {"Currency", lxValueTypeClass<TlxCurrencyValueType>(), Variant(Currency::FromRaw(INT64_MIN)),
       Variant(Currency::FromRaw(INT64_MAX))},
      {"Boolean false before true", lxValueTypeClass<TlxBooleanValueType>(), Variant(false), Variant(true)},
      {"Float", lxValueTypeClass<TlxFloatValueType>(), Variant(-1e308), Variant(1e308)},
      {"Float NaN last", lxValueTypeClass<TlxFloatValueType>(), Variant(1e308), Variant(nan)},
      {"DateTime", lxValueTypeClass<TlxDateTimeValueType>(), Variant::FromDate(-1.5), Variant::FromDate(2.25)},
      {"String by bytes", lxValueTypeClass<TlxStringValueType>(), Variant("B"), Variant("a")},
      {"WideString by units", lxValueTypeClass<TlxWideStringValueType>(), Variant(u"Z"), Variant(u"\u00e4")},
      {"FMTBcd", lxValueTypeClass<TlxFMTBcdValueType>(), Variant::FromBcd(IntegerToBcd(-5)),
       Variant::FromBcd(IntegerToBcd(12))},
      {"SQLTimeStamp", lxValueTypeClass<TlxSQLTimeStampValueType>(), Variant::FromDate(EncodeDate(2020, 1, 1)),
       Variant::FromDate(EncodeDate(2020, 1, 2))},
      {"Variant", lxValueTypeClass<TlxVariantValueType>(), Variant(1), Variant("x")},
  };
  for (const OrderCase& row : cases) {
    SCOPED_TRACE(row.name);
    DataArea low(row.type);
    DataArea high(row.type);
    row.type->WriteBufferValue(low.Get(), row.low);
    row.type->WriteBufferValue(high.Get(), row.high);
    EXPECT_LT(row.type->CompareBuffers(low.Get(), high.Get()), 0);
    EXPECT_GT(row.type->CompareBuffers(high.Get(), low.Get()), 0);
    EXPECT_EQ(row.type->CompareBuffers(low.Get(), low.Get()), 0);
    const Variant back = row.type->ReadBufferValue(low.Get());
    if (row.type->VariantType() != varVariant) {
      EXPECT_EQ(back.Type(), row.type == lxValueTypeClass<TlxSQLTimeStampValueType>() ? varDate
                                                                                       : row.type->VariantType());
    }
    EXPECT_EQ(lxVariantCompare(back, row.low), 0);
    EXPECT_EQ(lxVariantCompare(row.type->DataToVariant(row.type->AdjustValuePointer(high.Get())), row.high), 0);
  }
}

TEST(ValueTypeTest, AcceptsVariantConvertsOrLeavesTheValue) {
  TScopedLocale locale("en-US");
  TlxValueTypeClass integer = lxValueTypeClass<TlxIntegerValueType>();
  Variant twelve("12");
  EXPECT_TRUE(integer->AcceptsVariant(twelve));
  EXPECT_EQ(twelve.Type(), varInteger);
  EXPECT_EQ(twelve.AsInteger(), 12);
  Variant x("x");
  EXPECT_FALSE(integer->AcceptsVariant(x));
  EXPECT_EQ(x.Type(), varString);
  Variant too_big(int64_t{1} << 40);
  EXPECT_FALSE(integer->AcceptsVariant(too_big));
  Variant null = Variant::Null();
  EXPECT_TRUE(integer->AcceptsVariant(null));
  Variant anything = VarArrayOf({1});
  EXPECT_TRUE(lxValueTypeClass<TlxVariantValueType>()->AcceptsVariant(anything));
}

TEST(ValueTypeTest, FailedStoreLeavesTheDataArea) {
  TScopedLocale locale("en-US");
  TlxValueTypeClass integer = lxValueTypeClass<TlxIntegerValueType>();
  DataArea area(integer);
  integer->WriteBufferValue(area.Get(), Variant(7));
  EXPECT_THROW(integer->WriteBufferValue(area.Get(), Variant("x")), EVariantTypeCastError);
  EXPECT_EQ(integer->ReadBufferValue(area.Get()).AsInteger(), 7);
}

TEST(ValueTypeTest, DisplayTexts) {
  TScopedLocale locale("en-US");
  TlxValueTypeClass boolean = lxValueTypeClass<TlxBooleanValueType>();
  DataArea flag(boolean);
  boolean->WriteBufferValue(flag.Get(), Variant(true));
  EXPECT_EQ(boolean->DefaultDisplayText(flag.Get()), "True");
  TlxValueTypeClass date = lxValueTypeClass<TlxDateTimeValueType>();
  DataArea day(date);
  date->WriteBufferValue(day.Get(), Variant::FromDate(EncodeDate(2024, 3, 5)));
  EXPECT_EQ(date->DefaultDisplayText(day.Get()), "3/5/2024");
  // A value outside the calendar still shows, as its number.
  const double far = 1e9;
  std::memcpy(day.Get(), &far, sizeof far);
  EXPECT_EQ(date->DefaultDisplayText(day.Get()), "1000000000");
  // The base type's text comes from the Variant; a Variant without text
  // gives the empty text instead of an error.
  TlxValueTypeClass variant = lxValueTypeClass<TlxVariantValueType>();
  DataArea cell(variant);
  variant->WriteBufferValue(cell.Get(), VarArrayOf({1}));
  EXPECT_EQ(variant->DefaultDisplayText(cell.Get()), "");
}

TEST(ValueTypeTest, StreamFormsRoundTrip) {
  TScopedLocale locale("en-US");
  struct StreamCase {
    TlxValueTypeClass type;
    Variant value;
    int64_t size;
  };
  const std::vector<StreamCase> cases = {
      {lxValueTypeClass<TlxStringValueType>(), Variant("abc"), 4 + 3},
      {lxValueTypeClass<TlxWideStringValueType>(), Variant(u"ab"), 4 + 4},
      {lxValueTypeClass<TlxSmallintValueType>(), Variant::FromSmallint(-3), 2},
      {lxValueTypeClass<TlxIntegerValueType>(), Variant(-3), 4},
      {lxValueTypeClass<TlxWordValueType>(), Variant::FromWord(3), 2},
      {lxValueTypeClass<TlxBooleanValueType>(), Variant(true), 1},
      {lxValueTypeClass<TlxFloatValueType>(), Variant(0.1), 10},
      {lxValueTypeClass<TlxCurrencyValueType>(), Variant(Currency::FromRaw(5)), 8},
      {lxValueTypeClass<TlxDateTimeValueType>(), Variant::FromDate(3.5), 8},
      {lxValueTypeClass<TlxLargeIntValueType>(), Variant(int64_t{1} << 50), 8},
      {lxValueTypeClass<TlxFMTBcdValueType>(), Variant::FromBcd(StrToBcd("1.5", EnglishFormatSettings())), 1 + 1 + 3},
      {lxValueTypeClass<TlxSQLTimeStampValueType>(), Variant::FromDate(EncodeDate(2021, 5, 6)), 9},
      {lxValueTypeClass<TlxVariantValueType>(), Variant(300), 3},
      {lxValueTypeClass<TlxObjectValueType>(), Variant(int64_t{0}), 0},
  };
  for (const StreamCase& row : cases) {
    SCOPED_TRACE(std::string(row.type->ClassName()));
    DataArea source(row.type);
    row.type->WriteBufferValue(source.Get(), row.value);
    TMemoryStream memory;
    {
      TlxStream stream(memory);
      row.type->SaveValue(source.Get(), stream);
    }
    EXPECT_EQ(memory.Size(), row.size);
    memory.SetPosition(0);
    DataArea target(row.type);
    TlxStream stream(memory);
    row.type->LoadValue(target.Get(), stream);
    EXPECT_EQ(row.type->CompareBuffers(source.Get(), target.Get()), 0);
  }
}

TEST(ValueTypeTest, StringCellsAndDisplayTextCellsAreSeparate) {
  TlxValueTypeClass text = lxValueTypeClass<TlxStringValueType>();
  alignas(8) uint8_t value_slot[sizeof(void*)] = {};
  alignas(8) uint8_t text_slot[sizeof(void*)] = {};
  EXPECT_TRUE(text->ReadBufferValue(value_slot).IsNull());
  text->WriteBufferValue(value_slot, Variant("value"));
  text->WriteDisplayText(text_slot, "shown");
  EXPECT_EQ(text->ReadBufferValue(value_slot).AsString(), "value");
  EXPECT_EQ(text->ReadDisplayText(text_slot), "shown");
  // No cell sorts before a cell.
  alignas(8) uint8_t empty_slot[sizeof(void*)] = {};
  EXPECT_LT(text->CompareBuffers(empty_slot, value_slot), 0);
  text->ReleaseBuffer(value_slot);
  text->ReleaseDisplayText(text_slot);
  EXPECT_TRUE(text->ReadBufferValue(value_slot).IsNull());
  EXPECT_EQ(text->ReadDisplayText(text_slot), "");
}

class CountedObject : public TObject {
 public:
  explicit CountedObject(int& count) : count_(count) { ++count_; }
  ~CountedObject() override { --count_; }

 private:
  int& count_;
};

TEST(ValueTypeTest, ObjectValuesOwnTheirObjects) {
  int alive = 0;
  TlxValueTypeClass object = lxValueTypeClass<TlxObjectValueType>();
  alignas(8) uint8_t slot[sizeof(void*)] = {};
  auto* first = new CountedObject(alive);
  object->WriteBufferValue(slot, Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(first))));
  EXPECT_EQ(object->ReadBufferValue(slot).AsInt64(), reinterpret_cast<intptr_t>(first));
  auto* second = new CountedObject(alive);
  object->WriteBufferValue(slot, Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(second))));
  EXPECT_EQ(alive, 1);
  object->ReleaseBuffer(slot);
  EXPECT_EQ(alive, 0);
}

}  // namespace
