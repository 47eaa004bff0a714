#include "printers/rtti.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/component.h"
#include "platform/rtl/locale.h"
#include "printers/rtti_classes.h"
#include "printers/rtti_registry.h"
#include "tests/printers/string_lines.h"

namespace {

using printers_test::Lines;
using printers_test::LinesOf;

enum TSampleKind : uint8_t { skFirst, skSecond, skThird };

class TSampleDetail : public TPersistent {
 public:
  static constexpr TClass kClass{"TSampleDetail", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

// A class with one published property of each kind.
class TSample : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TSample>();
    p.Integer("Count", &TSample::count, &TSample::SetCount, 0);
    p.Float("Price", &TSample::price, &TSample::SetPrice);
    p.String("Title", &TSample::title, &TSample::SetTitle);
    p.Boolean("Enabled", &TSample::enabled, &TSample::SetEnabled, false);
    p.Enumeration("Kind", &TSample::kind, &TSample::SetKind, {"skFirst", "skSecond", "skThird"},
                  std::optional<TSampleKind>(skFirst));
    p.SetOf("Options", &TSample::options, &TSample::SetOptions, {"soA", "soB"});
    p.Persistent("Detail", TSampleDetail::kClass, [](const TSample& self) -> TObject* {
      return const_cast<TSampleDetail*>(&self.detail_);
    });
    TPropInfo version;
    version.Name = "Version";
    version.Kind = TTypeKind::tkInteger;
    version.GetOrd = [](const TPersistent&) -> int64_t { return 3; };
    properties.Add(std::move(version));
  }
  static constexpr TClass kClass{"TSample", &TComponent::kClass, &ConstructInstance<TSample>, &TSample::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TSample(TComponent* owner) : TComponent(owner) {}

  int32_t count() const { return count_; }
  void SetCount(int32_t value) { count_ = value; }
  double price() const { return price_; }
  void SetPrice(double value) { price_ = value; }
  const std::string& title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  TSampleKind kind() const { return kind_; }
  void SetKind(TSampleKind value) { kind_ = value; }
  int64_t options() const { return options_; }
  void SetOptions(int64_t value) { options_ = value; }

 private:
  int32_t count_ = 0;
  double price_ = 0;
  std::string title_;
  bool enabled_ = false;
  TSampleKind kind_ = skFirst;
  int64_t options_ = 0;
  TSampleDetail detail_;
};

// Describes the sample's price as a currency amount.
class TrtTSampleRTTI : public TrtTComponentRTTI {
 public:
  static constexpr TClass kClass{"TrtTSampleRTTI", &TrtTComponentRTTI::kClass, &ConstructInstance<TrtTSampleRTTI>};
  const TClass* ClassType() const override { return &kClass; }
  const TClass* GetRefClass() const override { return &TSample::kClass; }
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override {
    if (!TrtTComponentRTTI::GetPropRec(cls, name, rec))
      return false;
    if (name == "Price")
      rec.DataType = rtdtCurrency;
    if (name == "Kind")
      rec.TypeName = "TSampleKind";
    return true;
  }
};

const TrtRTTI& Base() { return StatelessInstance<TrtRTTI>(); }
const TrtRTTI& Components() { return StatelessInstance<TrtTComponentRTTI>(); }

TEST(Rtti, ValuesAreStoredInTheSizeOfTheirType) {
  TrtValue source;
  source.ordinal = (int64_t{1} << 32) + 0x141;
  source.real = 0.1;
  source.text = "text";
  EXPECT_EQ(TrtValue::Stored(rtdtInteger, source).ordinal, 0x141);
  EXPECT_EQ(TrtValue::Stored(rtdtChar, source).ordinal, 0x41);
  EXPECT_EQ(TrtValue::Stored(rtdtEnum, source).ordinal, 0x41);
  EXPECT_EQ(TrtValue::Stored(rtdtBoolean, source).ordinal, 1);
  EXPECT_EQ(TrtValue::Stored(rtdtSingle, source).real, static_cast<double>(0.1f));
  EXPECT_EQ(TrtValue::Stored(rtdtDouble, source).real, 0.1);
  EXPECT_EQ(TrtValue::Stored(rtdtString, source).text, "text");
  EXPECT_EQ(TrtValue::Stored(rtdtString, source).ordinal, 0);
  EXPECT_EQ(TrtValue::Stored(rtdtInteger, source).text, "");
}

TEST(Rtti, PropertyListLeavesOutSets) {
  TStringList list;
  Base().GetPropList(&TSample::kClass, list);
  EXPECT_EQ(LinesOf(list), (Lines{"Tag", "Count", "Price", "Title", "Enabled", "Kind", "Detail", "Version"}));
  list.Clear();
  Components().GetPropList(&TSample::kClass, list);
  EXPECT_EQ(list.Count(), 8 + 5);
  EXPECT_GE(list.IndexOf("Create"), 0);
  EXPECT_GE(list.IndexOf("Assign"), 0);
  EXPECT_GE(list.IndexOf("Owner"), 0);
  list.Clear();
  Components().GetEventList(&TSample::kClass, list);
  EXPECT_EQ(list.Count(), 0);
}

TEST(Rtti, PublishedPropertyRecords) {
  struct Case {
    const char* name;
    TrtDataType type;
    bool read_only;
  };
  const Case cases[] = {
      {"Count", rtdtInteger, false}, {"Price", rtdtDouble, false},  {"Title", rtdtString, false},
      {"Enabled", rtdtBoolean, false}, {"Kind", rtdtEnum, false},   {"Detail", rtdtClass, true},
      {"Version", rtdtInteger, true},  {"Options", rtdtNotSupported, false},
  };
  for (const Case& c : cases) {
    TrtPropRec rec;
    ASSERT_TRUE(Base().GetPropRec(&TSample::kClass, c.name, rec)) << c.name;
    EXPECT_EQ(rec.Name, c.name);
    EXPECT_EQ(rec.DataType, c.type) << c.name;
    EXPECT_EQ(rec.ReadOnly, c.read_only) << c.name;
    EXPECT_TRUE(rec.IsPublished);
    EXPECT_FALSE(rec.IsConstructor);
    EXPECT_EQ(rec.Marker, -1);
    EXPECT_EQ(rec.Params, nullptr);
  }
  TrtPropRec rec;
  ASSERT_TRUE(Base().GetPropRec(&TSample::kClass, "detail", rec));
  EXPECT_EQ(rec.Class, &TSampleDetail::kClass);
  EXPECT_FALSE(Base().GetPropRec(&TSample::kClass, "Missing", rec));
  EXPECT_FALSE(Base().GetPropRec(nullptr, "Count", rec));
}

TEST(Rtti, ReadAndWritePublishedValues) {
  TSample sample(nullptr);
  const TrtRTTI& rtti = StatelessInstance<TrtTSampleRTTI>();
  TrtValue value;
  value.ordinal = 42;
  EXPECT_TRUE(rtti.SetPropValue(&sample, "Count", value));
  value.currency = Currency::FromDouble(12.5);
  EXPECT_TRUE(rtti.SetPropValue(&sample, "Price", value));
  value.text = "Report";
  EXPECT_TRUE(rtti.SetPropValue(&sample, "Title", value));
  value.ordinal = 2;
  EXPECT_TRUE(rtti.SetPropValue(&sample, "Kind", value));
  EXPECT_FALSE(rtti.SetPropValue(&sample, "Version", value));
  EXPECT_FALSE(rtti.SetPropValue(&sample, "Missing", value));
  EXPECT_EQ(sample.count(), 42);
  EXPECT_DOUBLE_EQ(sample.price(), 12.5);
  EXPECT_EQ(sample.title(), "Report");
  EXPECT_EQ(sample.kind(), skThird);

  TrtValue read;
  ASSERT_TRUE(rtti.GetPropValue(&sample, "Price", read));
  EXPECT_EQ(read.currency.Raw(), 125000);  // the value times 10000
  ASSERT_TRUE(rtti.GetPropValue(&sample, "Version", read));
  EXPECT_EQ(read.ordinal, 3);
  EXPECT_FALSE(rtti.GetPropValue(&sample, "Missing", read));
  TStringList not_described;
  EXPECT_FALSE(rtti.GetPropValue(&not_described, "Count", read));
}

TEST(Rtti, PropertyTexts) {
  TScopedLocale german("de-DE");
  TSample sample(nullptr);
  sample.SetCount(-7);
  sample.SetPrice(12.5);
  sample.SetTitle("Größe");
  sample.SetEnabled(true);
  sample.SetKind(skSecond);
  const TrtRTTI& rtti = StatelessInstance<TrtTSampleRTTI>();
  EXPECT_EQ(rtti.GetPropText(&sample, "Count"), "-7");
  EXPECT_EQ(rtti.GetPropText(&sample, "Price"), "12,50 €");
  EXPECT_EQ(Base().GetPropText(&sample, "Price"), "12,5");
  EXPECT_EQ(rtti.GetPropText(&sample, "Title"), "Größe");
  EXPECT_EQ(rtti.GetPropText(&sample, "Enabled"), "True");
  EXPECT_EQ(rtti.GetPropText(&sample, "Kind"), "skSecond");
  EXPECT_EQ(rtti.GetPropText(&sample, "Detail"), "");
  EXPECT_EQ(rtti.GetPropText(&sample, "Missing"), "");
  TrtPropRec rec;
  ASSERT_TRUE(rtti.GetPropRec(&TSample::kClass, "Kind", rec));
  EXPECT_EQ(rec.TypeName, "TSampleKind");
}

TEST(Rtti, MethodRecords) {
  const TrtRTTI& objects = StatelessInstance<TrtTObjectRTTI>();
  TrtPropRec rec;
  ASSERT_TRUE(objects.GetPropRec(&TStringList::kClass, "ClassName", rec));
  EXPECT_EQ(rec.DataType, rtdtMethod);
  EXPECT_TRUE(rec.ReadOnly);
  ASSERT_NE(rec.Params, nullptr);
  EXPECT_EQ(LinesOf(*rec.Params), (Lines{"Result"}));
  EXPECT_EQ(rec.Params->Param(0).DataType(), rtdtString);
  EXPECT_EQ(rec.Class, nullptr);

  ASSERT_TRUE(objects.GetPropRec(&TStringList::kClass, "Create", rec));
  EXPECT_TRUE(rec.IsConstructor);
  ASSERT_NE(rec.Params, nullptr);
  EXPECT_EQ(LinesOf(*rec.Params), (Lines{"Class", "Result"}));
  EXPECT_EQ(rec.Params->Param(0).ParamClass(), &TStringList::kClass);
  EXPECT_EQ(rec.Class, &TStringList::kClass);

  ASSERT_TRUE(objects.GetPropRec(&TStringList::kClass, "Free", rec));
  EXPECT_EQ(rec.Params, nullptr);
  EXPECT_FALSE(rec.IsConstructor);

  ASSERT_TRUE(Components().GetPropRec(&TSample::kClass, "Create", rec));
  ASSERT_NE(rec.Params, nullptr);
  EXPECT_EQ(LinesOf(*rec.Params), (Lines{"Owner", "Class", "Result"}));
  EXPECT_EQ(rec.Params->Param(0).ParamClass(), &TComponent::kClass);
  ASSERT_TRUE(Components().GetPropRec(&TSample::kClass, "Assign", rec));
  EXPECT_EQ(LinesOf(*rec.Params), (Lines{"Source"}));
  ASSERT_TRUE(Components().GetPropRec(&TSample::kClass, "Owner", rec));
  EXPECT_EQ(rec.DataType, rtdtClass);
  EXPECT_EQ(rec.Class, &TComponent::kClass);
}

TEST(Rtti, CallMethods) {
  const TrtRTTI& objects = StatelessInstance<TrtTObjectRTTI>();
  TrtPropRec rec;
  ASSERT_TRUE(objects.GetPropRec(&TStringList::kClass, "Create", rec));
  TrtValue class_value;
  class_value.class_ref = &TStringList::kClass;
  rec.Params->Param(0).SetValue(class_value);
  ASSERT_TRUE(objects.CallMethod(nullptr, "Create", false, rec.Params.get()));
  TObject* created = rec.Params->Param(1).Value().object;
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->ClassName(), "TStringList");

  ASSERT_TRUE(objects.GetPropRec(&TStringList::kClass, "ClassName", rec));
  ASSERT_TRUE(objects.CallMethod(created, "ClassName", true, rec.Params.get()));
  EXPECT_EQ(rec.Params->Param(0).Value().text, "TStringList");

  TStringList source;
  source.Add("line");
  ASSERT_TRUE(Components().GetPropRec(&TStringList::kClass, "Assign", rec));
  TrtValue source_value;
  source_value.object = &source;
  rec.Params->Param(0).SetValue(source_value);
  ASSERT_TRUE(Components().CallMethod(created, "Assign", false, rec.Params.get()));
  EXPECT_EQ(LinesOf(*static_cast<TStringList*>(created)), (Lines{"line"}));

  EXPECT_TRUE(objects.CallMethod(created, "Free", false, nullptr));
  EXPECT_FALSE(objects.CallMethod(nullptr, "Unknown", false, nullptr));
  // Too few parameters: refused, not read past the list.
  TrtParamList short_list;
  EXPECT_FALSE(objects.CallMethod(nullptr, "Create", false, &short_list));
}

TEST(Rtti, ComponentsAreCreatedWithTheirOwner) {
  TComponent owner(nullptr);
  TrtPropRec rec;
  ASSERT_TRUE(Components().GetPropRec(&TSample::kClass, "Create", rec));
  TrtValue value;
  value.object = &owner;
  rec.Params->Param(0).SetValue(value);
  value.class_ref = &TSample::kClass;
  rec.Params->Param(1).SetValue(value);
  ASSERT_TRUE(Components().CallMethod(nullptr, "Create", false, rec.Params.get()));
  auto* created = dynamic_cast<TSample*>(rec.Params->Param(2).Value().object);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Owner(), &owner);  // freed by the owner

  TrtValue read;
  ASSERT_TRUE(Components().GetPropValue(created, "Owner", read));
  EXPECT_EQ(read.object, &owner);
  TrtValue tag;
  tag.ordinal = 77;
  ASSERT_TRUE(Components().SetPropValue(created, "Tag", tag));
  EXPECT_EQ(created->Tag(), 77);
  EXPECT_EQ(Components().GetPropText(created, "Tag"), "77");
}

TEST(Rtti, RegistryKeepsOneTypeInformationPerClass) {
  const TrtRTTI& sample = StatelessInstance<TrtTSampleRTTI>();
  // Another type information for the same class.
  struct TrtOtherSampleRTTI : TrtTComponentRTTI {
    const TClass* GetRefClass() const override { return &TSample::kClass; }
  };
  static const TrtOtherSampleRTTI other;

  prRegisterRTTI(sample);
  prRegisterRTTI(other);
  EXPECT_EQ(prFindRTTI("TSample"), &sample);
  EXPECT_EQ(prFindRTTI("tsample"), &sample);
  EXPECT_EQ(GetClass("TrtTSampleRTTI"), &TrtTSampleRTTI::kClass);

  prUnregisterRTTI(other);  // not the registered one: nothing happens
  EXPECT_EQ(prFindRTTI("TSample"), &sample);
  prUnregisterRTTI(sample);
  EXPECT_EQ(prFindRTTI("TSample"), nullptr);
  EXPECT_EQ(GetClass("TrtTSampleRTTI"), nullptr);
}

TEST(Rtti, ModuleRegistersTheBaseClasses) {
  prRttiInitialize();
  EXPECT_EQ(prFindRTTI("TObject"), &StatelessInstance<TrtTObjectRTTI>());
  EXPECT_EQ(prFindRTTI("TComponent"), &StatelessInstance<TrtTComponentRTTI>());
  EXPECT_EQ(prFindRTTI("TPersistent"), nullptr);
  EXPECT_EQ(prFindRTTIForClass(&TSample::kClass), &StatelessInstance<TrtTComponentRTTI>());
  EXPECT_EQ(prFindRTTIForClass(&TStringList::kClass), &StatelessInstance<TrtTObjectRTTI>());
  prRttiFinalize();
  EXPECT_EQ(prFindRTTI("TObject"), nullptr);
  EXPECT_EQ(GetClass("TrtTObjectRTTI"), nullptr);
}

}  // namespace
