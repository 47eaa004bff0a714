#include "editors/kinds/check_states.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/format_settings.h"

namespace check_states_test {

class Items : public IlxCheckStateItemSource {
 public:
  explicit Items(std::vector<std::string> captions) : captions_(std::move(captions)) {}
  int32_t GetCheckItemCount() const override { return static_cast<int32_t>(captions_.size()); }
  std::string GetCheckItemCaption(int32_t index) const override { return captions_.at(static_cast<size_t>(index)); }

 private:
  std::vector<std::string> captions_;
};

constexpr TlxCheckBoxState U = cbsUnchecked;
constexpr TlxCheckBoxState C = cbsChecked;
constexpr TlxCheckBoxState G = cbsGrayed;

const Items& Abc() {
  static const Items items({"A", "B", "C"});
  return items;
}

TEST(CheckStatesTest, WritesEachFormat) {
  struct Case {
    TlxCheckStatesValueFormat format;
    TlxCheckStates states;
    Variant expected;
  };
  const Case cases[] = {
      {cvfCaptions, {C, U, G}, Variant("1:C;1:A")},
      {cvfCaptions, {C, C, U}, Variant(";1:A1:B")},
      {cvfCaptions, {G, U, U}, Variant("1:A")},
      {cvfCaptions, {U, U, U}, Variant("")},
      {cvfIndices, {C, G, C}, Variant("1;0,2")},
      {cvfIndices, {U, U, U}, Variant("")},
      {cvfIndices, {U, U, C}, Variant(";2")},
      {cvfInteger, {C, U, C}, Variant(int64_t{5})},
      {cvfInteger, {G, C, U}, Variant(int64_t{2})},
      {cvfStatesString, {C, G, U}, Variant("120")},
  };
  for (const Case& c : cases) {
    const Variant value = lxCheckStatesToValue(c.states, Abc(), c.format);
    EXPECT_EQ(VarType(value), VarType(c.expected)) << c.format;
    EXPECT_EQ(value, c.expected) << c.format << " " << VarToStr(c.expected);
  }
}

TEST(CheckStatesTest, ReadsEachFormat) {
  struct Case {
    TlxCheckStatesValueFormat format;
    Variant value;
    bool ok;
    TlxCheckStates expected;
  };
  const Case cases[] = {
      {cvfCaptions, Variant("1:C;1:A"), true, {C, U, G}},
      {cvfCaptions, Variant("1:a"), true, {G, U, U}},  // case ignored
      {cvfCaptions, Variant(""), true, {U, U, U}},
      {cvfCaptions, Variant::Null(), true, {U, U, U}},
      {cvfCaptions, Variant("1:Z"), false, {U, U, U}},        // an entry no item takes
      {cvfCaptions, Variant("1:A1:A"), false, {U, U, U}},     // two entries, one item
      {cvfCaptions, Variant(";1:A;1:B"), false, {U, U, U}},   // a second ";"
      {cvfCaptions, Variant("5:A"), false, {U, U, U}},        // past the end
      {cvfCaptions, Variant("1A"), false, {U, U, U}},         // no ":"
      {cvfCaptions, Variant(":A"), false, {U, U, U}},         // no length
      {cvfCaptions, Variant("2147483648:A"), false, {U, U, U}},
      {cvfCaptions, Variant("99999999999999999999:A"), false, {U, U, U}},
      {cvfCaptions, Variant(int32_t{3}), false, {U, U, U}},   // not a text
      {cvfIndices, Variant("1;0,2"), true, {C, G, C}},
      {cvfIndices, Variant("0,"), true, {G, U, U}},           // trailing comma
      {cvfIndices, Variant("0,5"), false, {U, U, U}},         // beyond the count
      {cvfIndices, Variant("0;1;2"), false, {U, U, U}},
      {cvfIndices, Variant("0 1"), false, {U, U, U}},
      {cvfIndices, Variant("-1"), false, {U, U, U}},
      {cvfIndices, Variant("4294967296"), false, {U, U, U}},
      {cvfIndices, Variant(true), false, {U, U, U}},
      {cvfInteger, Variant(int64_t{5}), true, {C, U, C}},
      {cvfInteger, Variant("6"), true, {U, C, C}},
      {cvfInteger, Variant::Null(), true, {U, U, U}},
      {cvfInteger, Variant(2.0), true, {U, C, U}},
      {cvfInteger, Variant("5x"), false, {U, U, U}},
      {cvfInteger, Variant(1e300), false, {U, U, U}},         // no 64-bit integer
      {cvfInteger, Variant(true), false, {U, U, U}},
      {cvfStatesString, Variant("12"), true, {C, G, U}},
      {cvfStatesString, Variant("1201"), true, {C, G, U}},    // text beyond the items
      {cvfStatesString, Variant("13"), false, {U, U, U}},
      {cvfStatesString, Variant(int32_t{1}), false, {U, U, U}},
  };
  for (const Case& c : cases) {
    TlxCheckStates states = {G, G};  // resized and overwritten
    EXPECT_EQ(lxValueToCheckStates(c.value, Abc(), c.format, states), c.ok)
        << c.format << " " << VarToStrDef(c.value, "null");
    EXPECT_EQ(states, c.expected) << c.format << " " << VarToStrDef(c.value, "null");
  }
}

TEST(CheckStatesTest, CaptionsDifferingOnlyInCaseKeepTheirOwnStates) {
  const Items items({"a", "A", "b"});
  for (const TlxCheckStates& states : {TlxCheckStates{C, G, U}, TlxCheckStates{G, C, C}, TlxCheckStates{U, C, G}}) {
    const Variant value = lxCheckStatesToValue(states, items, cvfCaptions);
    TlxCheckStates read;
    EXPECT_TRUE(lxValueToCheckStates(value, items, cvfCaptions, read)) << VarToStr(value);
    EXPECT_EQ(read, states) << VarToStr(value);
  }
}

TEST(CheckStatesTest, CaptionLengthsCountUtf16Units) {
  const Items items({"Größe", "x\xF0\x9F\x98\x80"});  // an umlaut and a character outside the BMP
  const Variant value = lxCheckStatesToValue({C, G}, items, cvfCaptions);
  EXPECT_EQ(VarToStr(value), "3:x\xF0\x9F\x98\x80;5:Größe");
  TlxCheckStates read;
  EXPECT_TRUE(lxValueToCheckStates(value, items, cvfCaptions, read));
  EXPECT_EQ(read, (TlxCheckStates{C, G}));
  // A wide string value reads the same.
  EXPECT_TRUE(lxValueToCheckStates(Variant(u";5:Größe"), Items({"Größe"}), cvfCaptions, read));
  EXPECT_EQ(read, TlxCheckStates{C});
}

TEST(CheckStatesTest, IntegerFormatKeepsSixtyFourItemsAndBitSixtyThree) {
  std::vector<std::string> captions;
  for (int i = 0; i < 70; ++i)
    captions.push_back("i" + std::to_string(i));
  const Items items(captions);
  TlxCheckStates states(70, U);
  states[0] = C;
  states[63] = C;
  states[64] = C;  // not represented
  states[65] = G;
  const Variant value = lxCheckStatesToValue(states, items, cvfInteger);
  EXPECT_EQ(VarType(value), varInt64);
  EXPECT_EQ(static_cast<uint64_t>(value.AsInt64()), (uint64_t{1} << 63) | 1u);
  TlxCheckStates read;
  EXPECT_TRUE(lxValueToCheckStates(value, items, cvfInteger, read));
  TlxCheckStates expected(70, U);
  expected[0] = C;
  expected[63] = C;
  EXPECT_EQ(read, expected);
}

TEST(CheckStatesTest, EveryFormatReadsBackWhatItWrote) {
  const Items items({"eins", "zwei", "drei", "vier", "Eins"});
  const TlxCheckStates states = {C, G, U, C, G};
  for (TlxCheckStatesValueFormat format : {cvfCaptions, cvfIndices, cvfStatesString}) {
    TlxCheckStates read;
    EXPECT_TRUE(lxValueToCheckStates(lxCheckStatesToValue(states, items, format), items, format, read)) << format;
    EXPECT_EQ(read, states) << format;
  }
}

TEST(CheckStatesTest, ValueTests) {
  EXPECT_TRUE(lxIsValueNullOrEmpty(Variant()));
  EXPECT_TRUE(lxIsValueNullOrEmpty(Variant::Null()));
  EXPECT_FALSE(lxIsValueNullOrEmpty(Variant("")));
  EXPECT_FALSE(lxIsValueNullOrEmpty(Variant(int32_t{0})));

  struct IntegerCase {
    const char* text;
    bool valid;
  };
  for (const IntegerCase& c : {IntegerCase{" 12 ", true}, IntegerCase{"-3", true}, IntegerCase{"", false},
                               IntegerCase{"   ", false}, IntegerCase{"1.5", false}, IntegerCase{"12a", false}}) {
    EXPECT_EQ(lxIsValidIntegerText(c.text), c.valid) << c.text;
  }

  struct FloatCase {
    const char* text;
    bool valid;
  };
  const FloatCase english[] = {{"12.5", true}, {" -0.25 ", true}, {"7", true},     {"1.2.3", false},
                               {"-", false},   {".", false},      {"1-2", false},  {"", false},
                               {"1e5", false}, {"12,5", false},   {"+1", false},   {"1.5E3", false}};
  for (const FloatCase& c : english)
    EXPECT_EQ(lxIsValidFloatText(c.text, EnglishFormatSettings()), c.valid) << c.text;
  EXPECT_TRUE(lxIsValidFloatText("12,5", GermanFormatSettings()));
  EXPECT_FALSE(lxIsValidFloatText("12.5", GermanFormatSettings()));
  // Magnitudes above 1.7E308 are not valid.
  const std::string huge = "2" + std::string(308, '0');
  EXPECT_FALSE(lxIsValidFloatText(huge, EnglishFormatSettings()));
  EXPECT_TRUE(lxIsValidFloatText("1" + std::string(308, '0'), EnglishFormatSettings()));
}

TEST(CheckStatesTest, BufferIsEmptiedAtTheEnd) {
  lxCheckStatesBuffer().assign(3, C);
  lxClearCheckStatesBuffer();
  EXPECT_TRUE(lxCheckStatesBuffer().empty());
}

}  // namespace check_states_test
