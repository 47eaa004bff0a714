#include "ui/foundation/system/control_unit.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/locale.h"

namespace {

TEST(ControlUnitTest, CharacterClassesAroundTheControlCodes) {
  struct Case {
    char ch;
    bool printable, printable_or_backspace, text_input;
  };
  const Case cases[] = {
      {'\0', false, false, false}, {'\b', false, true, true},   {'\t', false, false, false},
      {'\x16', false, false, true}, {'\x18', false, false, true}, {'\x03', false, false, false},
      {'\x1F', false, false, false}, {' ', true, true, true},     {'A', true, true, true},
      {'\x7F', true, true, true},   {'\xC3', true, true, true},   {'\xFF', true, true, true},
  };
  for (const Case& c : cases) {
    const int code = static_cast<uint8_t>(c.ch);
    EXPECT_EQ(lxIsPrintableChar(c.ch), c.printable) << code;
    EXPECT_EQ(lxIsPrintableOrBackspace(c.ch), c.printable_or_backspace) << code;
    EXPECT_EQ(lxIsTextInputChar(c.ch), c.text_input) << code;
  }
}

TEST(ControlUnitTest, NumericCharactersByKind) {
  struct Case {
    char ch;
    bool integer, floating, scientific;
  };
  const Case cases[] = {
      {'0', true, true, true},   {'9', true, true, true},    {'+', true, true, true},
      {'-', true, true, true},   {',', false, true, true},   {'e', false, false, true},
      {'E', false, false, true}, {'.', false, false, false}, {'x', false, false, false},
      {' ', false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxIsNumericChar(c.ch, lxnckInteger, ','), c.integer) << c.ch;
    EXPECT_EQ(lxIsNumericChar(c.ch, lxnckFloat, ','), c.floating) << c.ch;
    EXPECT_EQ(lxIsNumericChar(c.ch, lxnckScientific, ','), c.scientific) << c.ch;
    // Unknown kinds check as integers.
    EXPECT_EQ(lxIsNumericChar(c.ch, 3, ','), c.integer) << c.ch;
    EXPECT_EQ(lxIsNumericChar(c.ch, -1, ','), c.integer) << c.ch;
  }
}

TEST(ControlUnitTest, NumericCharactersTakeTheLocaleDecimalSeparator) {
  const char separator = UserLocale().Settings().DecimalSeparator;
  EXPECT_TRUE(lxIsNumericChar(separator, lxnckFloat));
  EXPECT_TRUE(lxIsNumericChar(separator, lxnckScientific));
  EXPECT_FALSE(lxIsNumericChar(separator, lxnckInteger));
}

TEST(ControlUnitTest, StripAccelChars) {
  struct Case {
    const char* text;
    bool replace_trailing;
    const char* expected;
  };
  const Case cases[] = {
      {"&Save", false, "Save"},   {"A&&B", false, "A&B"},  {"Stop&", true, "Stop_"},
      {"Stop&", false, "Stop"},   {"&", true, "_"},        {"&", false, ""},
      {"", true, ""},             {"&&&", true, "&_"},     {"&&&&", false, "&&"},
      {"Plain", true, "Plain"},   {"S&ave &As", false, "Save As"},
      {"Gr&\xC3\xB6\xC3\x9F" "e", false, "Gr\xC3\xB6\xC3\x9F" "e"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxStripAccelChars(c.text, c.replace_trailing), c.expected) << c.text;
}

TEST(ControlUnitTest, StripAccelCharsWide) {
  EXPECT_EQ(lxStripAccelCharsWide(u"&Gr\u00F6\u00DFe", false), u"Gr\u00F6\u00DFe");
  EXPECT_EQ(lxStripAccelCharsWide(u"A&&B", false), u"A&B");
  EXPECT_EQ(lxStripAccelCharsWide(u"Stop&", true), u"Stop_");
  EXPECT_EQ(lxStripAccelCharsWide(u"Stop&", false), u"Stop");
}

TEST(ControlUnitTest, WithinDragThresholdIsStrictOnBothAxes) {
  const TPoint start{100, 50};
  EXPECT_TRUE(lxWithinDragThreshold(start, 100, 50, 4));
  EXPECT_TRUE(lxWithinDragThreshold(start, 103, 47, 4));
  EXPECT_FALSE(lxWithinDragThreshold(start, 104, 50, 4));
  EXPECT_FALSE(lxWithinDragThreshold(start, 100, 46, 4));
  EXPECT_FALSE(lxWithinDragThreshold(start, 97, 54, 4));
  EXPECT_FALSE(lxWithinDragThreshold({INT32_MIN, 0}, INT32_MAX, 0, 4));
  EXPECT_EQ(lxMapKeyCode(0x41), 0x41);
}

TEST(ControlUnitTest, FitRectIntoAreaMovesWithoutResizing) {
  const TRect area{0, 0, 800, 600};
  struct Case {
    TRect rect, expected;
  };
  const Case cases[] = {
      {{10, 10, 110, 60}, {10, 10, 110, 60}},       // already inside
      {{750, 10, 850, 60}, {700, 10, 800, 60}},     // past the right edge
      {{10, 580, 110, 630}, {10, 550, 110, 600}},   // past the bottom
      {{-20, -5, 80, 45}, {0, 0, 100, 50}},         // before the left and top edges
      {{500, 100, 1500, 200}, {0, 100, 1000, 200}},  // wider than the area: at its left edge
      {{100, 300, 200, 1000}, {100, 0, 200, 700}},   // taller than the area: at its top edge
  };
  for (const Case& c : cases) {
    TRect rect = c.rect;
    lxFitRectIntoArea(rect, area);
    EXPECT_EQ(rect, c.expected) << c.rect.Left << "," << c.rect.Top;
  }
  TRect offset_area_rect{0, 0, 50, 50};
  lxFitRectIntoArea(offset_area_rect, TRect{-1920, 100, -1000, 900});
  EXPECT_EQ(offset_area_rect, (TRect{-1050, 100, -1000, 150}));
}

}  // namespace
