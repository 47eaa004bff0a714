#include "platform/rtl/variant.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

// Counts allocations so that the inline storage of numbers and short
// strings can be checked; everything else goes on to malloc as usual.
namespace {
std::atomic<int64_t> g_allocations{0};
}  // namespace

void* operator new(size_t size) {
  ++g_allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size))
    return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

namespace {

class VariantTest : public testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{EncodeDate(2024, 6, 1)};
};

TEST_F(VariantTest, NumbersAndShortStringsDoNotAllocate) {
  static_assert(sizeof(Variant) == 32);
  const int64_t before = g_allocations;
  {
    Variant values[] = {Variant(42), Variant(int64_t{1} << 40), Variant(2.5), Variant(true),
                        Variant(Currency::FromRaw(15)), Variant::FromDate(45366.5),
                        Variant("short text here 22 b.."), Variant(u"wide 11 ch."), Variant::Null()};
    Variant copy = values[6];
    Variant moved = std::move(copy);
    EXPECT_EQ(moved.TextView(), "short text here 22 b..");
    EXPECT_EQ(values[7].WideView(), u"wide 11 ch.");
    EXPECT_LT(values[0], values[1]);
  }
  EXPECT_EQ(g_allocations - before, 0);
  Variant long_text("a string that is longer than the inline buffer");
  EXPECT_GT(g_allocations - before, 0);
  EXPECT_EQ(long_text.TextView(), "a string that is longer than the inline buffer");
}

TEST_F(VariantTest, CopiesAreDeepAndMovesLeaveEmpty) {
  Variant original(std::string(100, 'x'));
  Variant copy = original;
  Variant moved = std::move(original);
  EXPECT_TRUE(original.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_EQ(copy.TextView(), std::string(100, 'x'));
  EXPECT_EQ(moved.TextView(), std::string(100, 'x'));
  copy = Variant(u"another long wide string, past the inline size");
  copy = copy;  // self-assignment keeps the value
  EXPECT_EQ(copy.AsString(), "another long wide string, past the inline size");
  Variant array = VarArrayOf({1, "x", std::string(50, 'y')});
  Variant array_copy = array;
  VarArrayPut(array_copy, 7, 0);
  EXPECT_EQ(VarArrayGet(array, 0).AsInteger(), 1);
  EXPECT_EQ(VarArrayGet(array_copy, 0).AsInteger(), 7);
}

TEST_F(VariantTest, ConvertsBetweenTypes) {
  EXPECT_EQ(Variant("12").AsInteger(), 12);
  EXPECT_EQ(Variant("2,5").AsInteger(), 2);        // half to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(Currency::FromRaw(25000)).AsInt64(), 2);
  EXPECT_EQ(Variant("1,5").AsDouble(), 1.5);
  EXPECT_EQ(Variant(u"1,25").AsCurrency().Raw(), 12500);
  EXPECT_EQ(Variant(0.00015).AsCurrency().Raw(), 2);
  EXPECT_EQ(Variant("05.03.2024 14:00").AsDateTime(), EncodeDate(2024, 3, 5) + EncodeTime(14, 0, 0, 0));
  EXPECT_EQ(Variant("5. März 2024").AsDateTime(), EncodeDate(2024, 3, 5));
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant(0.0).AsBoolean());
  EXPECT_EQ(Variant(1234.5).AsString(), "1234,5");
  EXPECT_EQ(Variant::FromSingle(0.1f).AsString(), "0,1");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant::FromDate(EncodeDate(2024, 3, 5)).AsString(), "05.03.2024");
  EXPECT_EQ(Variant(Currency::FromRaw(12345)).AsString(), "1,2345");
  EXPECT_EQ(Variant("Größe").AsWideString(), u"Größe");
  EXPECT_EQ(Variant(u"Größe").AsString(), "Größe");
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  EXPECT_EQ(VarToStrDef(Variant(), "-"), "-");
}

TEST_F(VariantTest, VarAsTypeChecksRanges) {
  struct Case {
    Variant value;
    TVarType type;
    Variant expected;
  };
  const Case cases[] = {
      {Variant(300), varSmallint, Variant::FromSmallint(300)},
      {Variant("-128"), varShortInt, Variant::FromShortInt(-128)},
      {Variant(255.4), varByte, Variant::FromByte(255)},
      {Variant(int64_t{4294967295}), varLongWord, Variant::FromLongWord(4294967295u)},
      {Variant(7), varString, Variant("7")},
      {Variant(7), varOleStr, Variant(u"7")},
      {Variant("1,5"), varDouble, Variant(1.5)},
      {Variant(2), varCurrency, Variant(Currency::FromInt64(2))},
      {Variant(45366.0), varDate, Variant::FromDate(45366)},
      {Variant(1), varBoolean, Variant(true)},
  };
  for (const auto& c : cases) {
    const Variant converted = VarAsType(c.value, c.type);
    EXPECT_EQ(converted.Type(), c.type) << VarTypeAsText(c.type);
    EXPECT_EQ(converted, c.expected) << VarTypeAsText(c.type);
  }
  try {
    VarAsType(Variant(40000), varSmallint);
    ADD_FAILURE();
  } catch (const EVariantOverflowError& error) {
    EXPECT_EQ(error.Message(), "Arithmetic overflow converting variant of type (Integer) into type (Smallint)");
  }
  try {
    VarAsType(Variant("abc"), varDouble);
    ADD_FAILURE();
  } catch (const EVariantTypeCastError& error) {
    EXPECT_EQ(error.Message(), "Could not convert variant of type (String) into type (Double)");
  }
  try {
    Variant::Null().AsInteger();
    ADD_FAILURE();
  } catch (const EVariantTypeCastError& error) {
    EXPECT_EQ(error.Message(), "Could not convert variant of type (Null) into type (Integer)");
  }
  EXPECT_THROW(VarAsType(Variant(-1), varByte), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(1e300), varCurrency), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(1e300), varSingle), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(1e300), varInt64), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(1e10), varDate), EVariantOverflowError);
  EXPECT_THROW(VarAsType(VarArrayOf({1}), varInteger), EVariantTypeCastError);
}

TEST_F(VariantTest, FMTBcdAndSQLTimeStampAreCustomTypes) {
  const Variant bcd = Variant::FromBcd(StrToBcd("12345678901234567890,125"));
  EXPECT_TRUE(VarIsFMTBcd(bcd));
  EXPECT_EQ(bcd.AsString(), "12345678901234567890,125");
  EXPECT_EQ(VarTypeAsText(bcd.Type()), "FMTBcdVariantType");
  EXPECT_EQ(VarAsType(Variant("0,5"), VarFMTBcd()).AsString(), "0,5");
  EXPECT_EQ(VarAsType(Variant(Currency::FromRaw(-12345)), VarFMTBcd()).AsString(), "-1,2345");
  EXPECT_EQ(Variant::FromBcd(StrToBcd("2,5")).AsInteger(), 2);
  EXPECT_EQ(Variant::FromBcd(StrToBcd("-0,00005")).AsCurrency().Raw(), 0);

  TSQLTimeStamp stamp;
  stamp.Year = 2024;
  stamp.Month = 3;
  stamp.Day = 5;
  stamp.Hour = 14;
  stamp.Fractions = 500;
  const Variant time_stamp = Variant::FromSQLTimeStamp(stamp);
  EXPECT_TRUE(VarIsSQLTimeStamp(time_stamp));
  EXPECT_EQ(time_stamp.AsDateTime(), EncodeDate(2024, 3, 5) + EncodeTime(14, 0, 0, 500));
  EXPECT_EQ(VarAsType(Variant::FromDate(time_stamp.AsDateTime()), VarSQLTimeStamp()).AsSQLTimeStamp(), stamp);
  stamp.Month = 13;
  EXPECT_THROW(Variant::FromSQLTimeStamp(stamp).AsDateTime(), EConvertError);
}

TEST_F(VariantTest, ArraysHaveBoundsAndTypedElements) {
  Variant array = VarArrayCreate(-1, 2, varInteger);
  EXPECT_EQ(array.Type(), varArray | varInteger);
  EXPECT_EQ(VarArrayLowBound(array), -1);
  EXPECT_EQ(VarArrayHighBound(array), 2);
  EXPECT_EQ(VarArrayDimCount(array), 1);
  EXPECT_EQ(VarArrayGet(array, -1).Type(), varInteger);
  VarArrayPut(array, Variant("17"), 2);  // converted to the element type
  EXPECT_EQ(VarArrayGet(array, 2).Type(), varInteger);
  EXPECT_EQ(VarArrayGet(array, 2).AsInteger(), 17);
  EXPECT_THROW(VarArrayPut(array, Variant("x"), 0), EVariantTypeCastError);
  try {
    VarArrayGet(array, 3);
    ADD_FAILURE();
  } catch (const EVariantBadIndexError& error) {
    EXPECT_EQ(error.Message(), "Variant or safe array index out of bounds");
  }
  EXPECT_THROW(VarArrayGet(array, -2), EVariantBadIndexError);
  EXPECT_THROW(VarArrayHighBound(Variant(1)), EVariantNotAnArrayError);
  EXPECT_THROW(VarArrayCreate(5, 3, varVariant), EVariantArrayCreateError);
  EXPECT_THROW(VarArrayCreate(0, INT32_MAX, varVariant), EVariantArrayCreateError);
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate(0, -1, varVariant)), -1);  // empty array
  array.Array().Redim(5);
  EXPECT_EQ(VarArrayHighBound(array), 5);
  EXPECT_EQ(VarArrayGet(array, 2).AsInteger(), 17);
}

}  // namespace
