#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/string_stream.h"

namespace variant_property_stream_test {

// A component with one variant property that is stored unless Null.
class TValueHolder : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TValueHolder>();
    p.VariantValue("Value", &TValueHolder::Value, &TValueHolder::SetValue).Stored = [](const TPersistent& self) {
      return !static_cast<const TValueHolder&>(self).Value().IsNull();
    };
    p.VariantValue("Other", &TValueHolder::Other, &TValueHolder::SetOther);
  }
  static constexpr TClass kClass{"TValueHolder", &TComponent::kClass, &ConstructInstance<TValueHolder>,
                                 &TValueHolder::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TComponent::TComponent;

  const Variant& Value() const { return value_; }
  void SetValue(const Variant& value) {
    value_ = value;
    ++value_sets;
  }
  const Variant& Other() const { return other_; }
  void SetOther(const Variant& value) { other_ = value; }

  int32_t value_sets = 0;

 private:
  Variant value_ = Variant::Null();
  Variant other_;
};

Variant RoundTrip(const Variant& value) {
  TValueHolder source(nullptr);
  source.SetValue(value);
  TMemoryStream stream;
  stream.WriteComponent(source);
  stream.SetPosition(0);
  TValueHolder loaded(nullptr);
  loaded.SetValue(Variant("unchanged"));
  stream.ReadComponent(&loaded);
  return loaded.Value();
}

TEST(VariantPropertyStream, EachStoredTypeReadsBackWithItsTypeAndValue) {
  const Variant cases[] = {
      Variant(true),
      Variant(false),
      Variant(int32_t{-7}),
      Variant(int32_t{70000}),
      Variant(int64_t{5}),
      Variant(int64_t{INT64_MIN}),
      Variant(2.5),
      Variant(Currency::FromRaw(123456)),
      Variant::FromDate(45000.25),
      Variant("Größe"),
      Variant(std::string(300, 'x')),
      Variant(""),
      Variant(),
  };
  for (const Variant& value : cases) {
    const Variant loaded = RoundTrip(value);
    const TVarType expected_type = value.IsText() ? varString : value.Type();
    EXPECT_EQ(loaded.Type(), expected_type) << VarToStr(value);
    EXPECT_EQ(VarCompare(loaded, value), 0) << VarToStr(value);
  }
  // The narrow integer kinds come back as integers of the same value.
  const Variant small = RoundTrip(Variant::FromByte(200));
  EXPECT_EQ(small.Type(), varInteger);
  EXPECT_EQ(small.AsInt64(), 200);
}

TEST(VariantPropertyStream, TheStoredTestDecidesAndAnAncestorsEqualValueIsLeftOut) {
  TValueHolder source(nullptr);
  TMemoryStream stream;
  stream.WriteComponent(source);
  stream.SetPosition(0);
  TValueHolder loaded(nullptr);
  loaded.SetValue(Variant(int32_t{3}));
  loaded.value_sets = 0;
  stream.ReadComponent(&loaded);
  // Null is not stored: the value stays as it was, no setter ran.
  EXPECT_EQ(loaded.value_sets, 0);
  EXPECT_EQ(loaded.Value().AsInt64(), 3);
  // "Other" has no Stored test: its empty value is written and read.
  EXPECT_TRUE(loaded.Other().IsEmpty());

  TValueHolder ancestor(nullptr);
  ancestor.SetOther(Variant(int32_t{1}));
  TValueHolder descendant(nullptr);
  descendant.SetOther(Variant(int32_t{1}));
  const auto written = [&ancestor, &descendant] {
    TStringStream text;
    TWriter writer(text);
    writer.WriteDescendent(descendant, &ancestor);
    return text.DataString();
  };
  EXPECT_EQ(written().find("Other"), std::string::npos);
  descendant.SetOther(Variant(int64_t{1}));  // the same value as another type
  EXPECT_NE(written().find("Other"), std::string::npos);
}

TEST(VariantPropertyStream, AValueOfAnotherKindFailsToReadAndAnArrayFailsToWrite) {
  // A list where a variant is expected.
  TValueHolder source(nullptr);
  source.SetValue(Variant(int32_t{1}));
  TMemoryStream stream;
  stream.WriteComponent(source);
  std::string bytes(static_cast<size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), stream.Size());
  // The value byte of "Value" (vaInt8, then 1) becomes vaList.
  // The property name is written with its length in front.
  const size_t name = bytes.find("\x05Value");
  ASSERT_NE(name, std::string::npos);
  ASSERT_EQ(bytes[name + 6], static_cast<char>(vaInt8));
  bytes[name + 6] = static_cast<char>(vaList);
  TMemoryStream broken;
  broken.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  broken.SetPosition(0);
  TValueHolder loaded(nullptr);
  EXPECT_THROW(broken.ReadComponent(&loaded), EReadError);

  TValueHolder holder(nullptr);
  holder.SetValue(VarArrayOf({Variant(int32_t{1})}));
  TMemoryStream out;
  EXPECT_THROW(out.WriteComponent(holder), EWriteError);
}

}  // namespace variant_property_stream_test
