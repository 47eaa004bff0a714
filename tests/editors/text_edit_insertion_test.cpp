#include "editors/text_edit_insertion.h"

#include <gtest/gtest.h>

#include <string>

namespace text_edit_insertion_test {

struct InsertionCase {
  const char* name;
  const char16_t* text;
  int32_t sel_start;
  int32_t sel_length;
  const char16_t* inserted;
  TlxTextEditingStyle style;
  int32_t max_length;
  bool user_input;
  bool accepted;
  const char16_t* expected;
  int32_t caret;
};

TEST(TextEditInsertionTest, InsertsWhatFitsBesideTheKeptText) {
  const InsertionCase cases[] = {
      {"fits before the kept text", u"ab", 0, 0, u"xyz", tesFreeText, 4, true, true, u"xyab", 2},
      {"paste at the end", u"abc", 3, 0, u"12345", tesFreeText, 5, true, true, u"abc12", 5},
      {"a text over a lowered limit", u"abcdefg", 7, 0, u"x", tesFreeText, 5, true, false, u"", 0},
      {"deleting over a lowered limit", u"abcdefg", 2, 3, u"", tesFreeText, 5, true, true, u"abfg", 2},
      {"the selection makes room", u"abcde", 1, 3, u"XYZW", tesFreeText, 5, true, true, u"aXYZe", 4},
      {"a full text refuses", u"abcde", 5, 0, u"f", tesFreeText, 5, true, false, u"", 0},
      {"a pair is not split", u"abc", 3, 0, u"d\U0001F600", tesFreeText, 5, true, true, u"abcd", 4},
      {"a pair counts two units", u"ab", 2, 0, u"\U0001F600x", tesFreeText, 4, true, true, u"ab\U0001F600", 4},
      {"no limit without user input", u"abc", 3, 0, u"12345", tesFreeText, 5, false, true, u"abc12345", 8},
      {"text up to its #0", u"", 0, 0, u"ab\0cd", tesFreeText, 0, true, true, u"ab", 2},
      {"a fixed list takes the inserted text", u"Alpha", 2, 0, u"Beta", tesFixedList, 3, true, true, u"Beta", 4},
      {"no editing refuses typing", u"abc", 1, 0, u"x", tesNoEditing, 0, true, false, u"", 0},
      {"no editing takes a programmatic text", u"abc", 1, 0, u"x", tesNoEditing, 0, false, true, u"x", 1},
      {"a selection past the end is clamped", u"abc", 9, 9, u"d", tesFreeText, 0, true, true, u"abcd", 4},
  };
  for (const InsertionCase& c : cases) {
    const std::u16string inserted = c.name == std::string("text up to its #0") ? std::u16string(u"ab\0cd", 5)
                                                                                : std::u16string(c.inserted);
    TlxTextInsertionRequest request{c.text, c.sel_start, c.sel_length, inserted, c.style, c.max_length,
                                    c.user_input};
    std::u16string new_text;
    int32_t caret = -1;
    EXPECT_EQ(lxPrepareTextInsertion(request, new_text, caret), c.accepted) << c.name;
    if (!c.accepted)
      continue;
    EXPECT_EQ(new_text, c.expected) << c.name;
    EXPECT_EQ(caret, c.caret) << c.name;
  }
}

TEST(TextEditInsertionTest, AMegabyteIsCutToTheLimit) {
  const std::u16string megabyte(1 << 20, u'x');
  TlxTextInsertionRequest request{u"ab", 1, 0, megabyte, tesFreeText, 10, true};
  std::u16string new_text;
  int32_t caret = 0;
  ASSERT_TRUE(lxPrepareTextInsertion(request, new_text, caret));
  EXPECT_EQ(new_text, u"axxxxxxxxb");
  EXPECT_EQ(caret, 9);
}

}  // namespace text_edit_insertion_test
