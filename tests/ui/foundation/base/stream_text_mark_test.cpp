#include "ui/foundation/base/stream_text_mark.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "platform/rtl/memory_stream.h"

namespace {

void Fill(TMemoryStream& stream, std::string_view bytes, int64_t position) {
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(position);
}

struct MarkCase {
  const char* what;
  std::string bytes;
  int64_t start;
  bool wide;
  int64_t position_after;
};

TEST(StreamTextMarkTest, RecognisesTheMarksAtTheCurrentPosition) {
  const MarkCase cases[] = {
      {"wide mark", "LXUFMTx", 0, true, 6},
      {"8-bit mark", "LXAFMTxy", 0, false, 6},
      {"mark after a header", "headLXUFMT!", 4, true, 10},
      {"wide mark with nothing after it", "LXUFMT", 0, false, 0},
      {"mark six bytes before the end", "abLXUFMT", 2, false, 2},
      {"other bytes", "ABCDEFGH", 0, false, 0},
      {"mark in other letter case", "lxufmtxx", 0, false, 0},
      {"empty stream", "", 0, false, 0},
      {"position past the end", "LXUFMTxx", 20, false, 20},
  };
  for (const MarkCase& c : cases) {
    TMemoryStream stream;
    Fill(stream, c.bytes, c.start);
    EXPECT_EQ(lxReadStreamTextFormatMark(stream), c.wide) << c.what;
    EXPECT_EQ(stream.Position(), c.position_after) << c.what;
  }
}

TEST(StreamTextMarkTest, WrapperReadsTheMarkAndForwardsWithoutOwning) {
  TMemoryStream stream;
  Fill(stream, "LXUFMTpayload", 0);
  {
    TlxStream wrapper(stream);
    EXPECT_TRUE(wrapper.IsWideText());
    EXPECT_EQ(wrapper.Size(), 13);
    char bytes[7] = {};
    wrapper.ReadBuffer(bytes, 7);
    EXPECT_EQ(std::string_view(bytes, 7), "payload");
    wrapper.Seek(0, soBeginning);
    wrapper.WriteBuffer("LXA", 3);
    EXPECT_EQ(&wrapper.WrappedStream(), &stream);
  }
  stream.SetPosition(0);
  TlxStream again(stream);
  EXPECT_FALSE(again.IsWideText()) << "the write went through to the wrapped stream";
  EXPECT_EQ(stream.Position(), 6);
}

// A stream that claims more bytes than it can deliver.
class TShortStream : public TStream {
 public:
  int64_t Read(void* buffer, int64_t count) override {
    const int64_t delivered = count < 3 ? count : 3;
    std::memset(buffer, 'L', static_cast<size_t>(delivered));
    position_ += delivered;
    return delivered;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    position_ = origin == soBeginning ? offset : position_ + offset;
    return position_;
  }
  int64_t Size() override { return 100; }

 private:
  int64_t position_ = 0;
};

TEST(StreamTextMarkTest, ReadErrorsPassOn) {
  TShortStream stream;
  EXPECT_THROW(lxReadStreamTextFormatMark(stream), EReadError);
}

}  // namespace
