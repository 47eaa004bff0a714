#include <gtest/gtest.h>

#include <vector>

#include "net/buffer.h"
#include "net/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

TNsBytes Sequence(size_t count) {
  TNsBytes bytes(count);
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<uint8_t>(i);
  return bytes;
}

TEST(BufferTest, AnEmptyBufferTakesABlockExactlyAndGrowsByTheStep) {
  TNsBuffer buffer;
  buffer.Append(Sequence(10));
  EXPECT_EQ(buffer.StorageLength(), 10);
  buffer.Append(TNsBytes{0xAA});
  EXPECT_EQ(buffer.StorageLength(), 1 + 10 + 2048);
  EXPECT_EQ(buffer.Size(), 11);
  // The room left over takes the next bytes without another growth.
  buffer.Append(Sequence(100));
  EXPECT_EQ(buffer.StorageLength(), 2059);
  EXPECT_EQ(buffer.Size(), 111);
}

TEST(BufferTest, RemovingPastTheStepCompactsAndShrinks) {
  TNsBuffer buffer;
  buffer.Append(Sequence(5000));
  TNsBytes taken;
  buffer.MoveToBytes(taken, 3000);
  EXPECT_EQ(buffer.HeadIndex(), 0);
  EXPECT_EQ(buffer.StorageLength(), 2000 + 2048);
  EXPECT_EQ(buffer.Size(), 2000);
  // The unread bytes moved with the compaction.
  EXPECT_EQ(buffer.Data()[0], static_cast<uint8_t>(3000));
  ASSERT_EQ(taken.size(), 3000u);
  EXPECT_EQ(taken[2999], static_cast<uint8_t>(2999));
}

TEST(BufferTest, SmallRemovalsOnlyMoveTheHead) {
  TNsBuffer buffer;
  buffer.Append(Sequence(4000));
  buffer.DropHead(100);
  EXPECT_EQ(buffer.HeadIndex(), 100);
  EXPECT_EQ(buffer.StorageLength(), 4000);
  // Appending squeezes the consumed prefix out before copying behind.
  buffer.Append(TNsBytes{1, 2, 3});
  EXPECT_EQ(buffer.HeadIndex(), 0);
  EXPECT_EQ(buffer.Size(), 3903);
  EXPECT_EQ(buffer.Data()[0], 100);
  EXPECT_EQ(buffer.Data()[3902], 3);
}

TEST(BufferTest, RemovingEverythingReleasesTheStorage) {
  TNsBuffer buffer;
  buffer.Append(Sequence(300));
  TNsBytes taken;
  buffer.MoveToBytes(taken);
  EXPECT_EQ(buffer.StorageLength(), 0);
  EXPECT_EQ(buffer.HeadIndex(), 0);
  EXPECT_TRUE(buffer.Empty());
}

TEST(BufferTest, IndexOfFindsPatternsAndChecksItsArguments) {
  TNsBuffer empty;
  EXPECT_EQ(empty.IndexOf(TNsBytes{}), -1);
  EXPECT_EQ(empty.IndexOf("\n"), -1);

  TNsBuffer buffer;
  buffer.AppendText("ab\r\ncd\r\n");
  EXPECT_EQ(buffer.IndexOf("\r\n"), 2);
  EXPECT_EQ(buffer.IndexOf("\r\n", 3), 6);
  EXPECT_EQ(buffer.IndexOf("x"), -1);
  // A pattern running past the end is no match.
  EXPECT_EQ(buffer.IndexOf("\r\nX", 6), -1);

  try {
    buffer.IndexOf(TNsBytes{});
    FAIL() << "an empty pattern was accepted";
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "Buffer terminator must be specified.");
  }
  TNsBuffer five;
  five.AppendText("12345");
  try {
    five.IndexOf("\n", 5);
    FAIL() << "a start past the bytes was accepted";
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "Buffer start position is invalid.");
  }
  EXPECT_THROW(five.IndexOf("\n", -1), ENsException);
}

TEST(BufferTest, TakingMoreThanBufferedFailsAndRemovesNothing) {
  TNsBuffer buffer;
  buffer.Append(Sequence(4));
  TNsBytes taken;
  try {
    buffer.MoveToBytes(taken, 10);
    FAIL() << "took more than buffered";
  } catch (const ENsNotEnoughDataInBuffer& error) {
    EXPECT_EQ(error.Message(), "Not enough data in buffer. (10/4)");
  }
  EXPECT_EQ(buffer.Size(), 4);
  EXPECT_TRUE(taken.empty());
  TMemoryStream stream;
  EXPECT_THROW(buffer.MoveToStream(stream, 5), ENsNotEnoughDataInBuffer);
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_THROW(buffer.MoveToText(5), ENsNotEnoughDataInBuffer);
  EXPECT_EQ(buffer.Size(), 4);
}

TEST(BufferTest, MoveToBytesAppendsOrOverwritesTheFront) {
  TNsBuffer buffer;
  buffer.AppendText("abcdef");
  TNsBytes appended{'x'};
  buffer.MoveToBytes(appended, 2);
  EXPECT_EQ(appended, (TNsBytes{'x', 'a', 'b'}));

  TNsBytes longer{'1', '2', '3', '4', '5'};
  buffer.MoveToBytes(longer, 2, false);
  EXPECT_EQ(longer, (TNsBytes{'c', 'd', '3', '4', '5'}));

  TNsBytes shorter{'1'};
  buffer.MoveToBytes(shorter, 2, false);
  EXPECT_EQ(shorter, (TNsBytes{'e', 'f'}));
}

TEST(BufferTest, TheRemovalCallbackHearsOfEveryRemoval) {
  std::vector<int32_t> removals;
  TNsBuffer buffer([&](TNsBuffer&, int32_t count) { removals.push_back(count); });
  buffer.AppendText("0123456789");
  TNsBytes taken;
  buffer.MoveToBytes(taken, 3);
  EXPECT_EQ(buffer.MoveToText(2), "34");
  TMemoryStream stream;
  buffer.MoveToStream(stream);
  EXPECT_EQ(removals, (std::vector<int32_t>{3, 2, 5}));
  EXPECT_EQ(stream.Size(), 5);
}

TEST(BufferTest, TextsUseTheDefaultEncodingAndUtf8IsChecked) {
  TNsBuffer buffer;
  buffer.AppendText("Größe");
  EXPECT_EQ(buffer.Size(), 7);
  EXPECT_EQ(buffer.MoveToText(-1, kNsEncodingUTF8), "Größe");
  EXPECT_THROW(buffer.SetDefaultEncoding(kNsEncodingDefault), ENsNoEncodingSpecified);

  buffer.Append(TNsBytes{0xC3, 0x41});
  EXPECT_THROW(buffer.MoveToText(-1, kNsEncodingUTF8), ENsException);
  // Broken text removes nothing; as 8-bit text it comes out unchanged.
  EXPECT_EQ(buffer.Size(), 2);
  EXPECT_EQ(buffer.MoveToText(), "\xC3\x41");
}

TEST(BufferTest, AppendCopiesOnlyTheSelectedPart) {
  TNsBuffer buffer;
  buffer.Append(Sequence(10), 3, 4);
  EXPECT_EQ(buffer.Size(), 3);
  EXPECT_EQ(buffer.Data()[0], 4);
  buffer.Append(Sequence(10), -1, 8);
  EXPECT_EQ(buffer.Size(), 5);
  // Offsets past the end and empty counts add nothing.
  buffer.Append(Sequence(10), 5, 12);
  buffer.Append(Sequence(10), 0, 0);
  EXPECT_EQ(buffer.Size(), 5);
}

}  // namespace
