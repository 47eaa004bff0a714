#include "editors/kinds/inner_memo_text.h"

#include <gtest/gtest.h>

#include "platform/rtl/text.h"

namespace inner_memo_text_test {

TEST(MemoLineBreaksTest, ReversedPairsBecomeTwoBreaksAndTheRestStays) {
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"", u""},
      {u"a\n\rb", u"a\r\n\r\nb"},
      {u"a\r\nb", u"a\r\nb"},
      {u"\r\n\r", u"\r\n\r"},            // the CR LF pair is taken first
      {u"\n\r\n", u"\r\n\r\n\n"},        // LF CR, then a lone LF
      {u"\r\n\n\r", u"\r\n\r\n\r\n"},    // CR LF, then LF CR
      {u"a\nb\rc", u"a\nb\rc"},
      {u"\n\r\n\r", u"\r\n\r\n\r\n\r\n"},
      {u"\n", u"\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxNormalizeMemoLineBreaks(c.text), c.expected) << Utf16ToUtf8(c.text);
}

}  // namespace inner_memo_text_test
