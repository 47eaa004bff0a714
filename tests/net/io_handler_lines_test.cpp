#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>

#include "net/exceptions.h"
#include "net/io_handler_stack.h"
#include "net/tcp_client.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "tests/net/loopback_server.h"

namespace {

using net_test::Bytes;
using net_test::TLoopbackServer;
using net_test::TServerConnection;

// A client connected to a server that sends `text` and then waits for the
// client to close (or closes at once with `close_after`).
class LinesTest : public ::testing::Test {
 protected:
  void Serve(std::string text, bool close_after = false) {
    server_ = std::make_unique<TLoopbackServer>([this, text, close_after](TServerConnection& connection) {
      connection.Send(text);
      if (close_after) {
        connection.Close();
        return;
      }
      received_.set_value(connection.ReadUntilClosed());
    });
    client_ = std::make_unique<TNsTCPClient>(nullptr);
    client_->SetHost("127.0.0.1");
    client_->SetPort(server_->Port());
    client_->Connect();
  }
  TNsIOHandler& Handler() { return *client_->IOHandler(); }
  std::string Received() {
    client_->CloseConnection();
    const TNsBytes bytes = received_.get_future().get();
    return std::string(bytes.begin(), bytes.end());
  }

  std::promise<TNsBytes> received_;
  std::unique_ptr<TLoopbackServer> server_;
  std::unique_ptr<TNsTCPClient> client_;
};

TEST_F(LinesTest, LinesEndAtLineFeedsWithOrWithoutCarriageReturn) {
  Serve("abc\r\nabc\na\rb\n\nlast");
  EXPECT_EQ(Handler().ReadLine(), "abc");
  EXPECT_EQ(Handler().ReadLine(), "abc");
  EXPECT_EQ(Handler().ReadLine(), "a\rb");
  EXPECT_EQ(Handler().ReadLine(), "");
  EXPECT_FALSE(Handler().ReadLnTimedOut());
  // An unfinished line is not a line.
  EXPECT_EQ(Handler().ReadLine("\n", 200), "");
  EXPECT_TRUE(Handler().ReadLnTimedOut());
  EXPECT_EQ(Handler().InputBuffer().Size(), 4);
}

TEST_F(LinesTest, AnyTerminatorEndsALine) {
  Serve("line one\r\nline two\r\n.\r\nrest\n");
  EXPECT_EQ(Handler().ReadLine("\r\n.\r\n"), "line one\r\nline two");
  EXPECT_EQ(Handler().ReadLine(), "rest");
}

TEST_F(LinesTest, OverLongLinesRaiseOrSplit) {
  const std::string line(20000, 'x');
  Serve(line + "\n" + line + "\nshort\n");
  try {
    Handler().ReadLine();
    FAIL() << "took a line over the maximum";
  } catch (const ENsReadLnMaxLineLengthExceeded& error) {
    EXPECT_EQ(error.Message(), "Max line length exceeded.");
  }
  // Nothing was taken; splitting gives the line in two parts.
  Handler().SetMaxLineAction(maSplit);
  EXPECT_EQ(Handler().ReadLine().size(), 16384u);
  EXPECT_TRUE(Handler().ReadLnSplit());
  EXPECT_EQ(Handler().ReadLine().size(), 20000u - 16384u);
  EXPECT_FALSE(Handler().ReadLnSplit());
  EXPECT_EQ(Handler().ReadLine(), std::string(16384, 'x'));
  EXPECT_EQ(Handler().ReadLine(), std::string(20000 - 16384, 'x'));
  EXPECT_EQ(Handler().ReadLine(), "short");
}

TEST_F(LinesTest, ALineThatNeverEndsIsBoundedByTheMaximum) {
  // The peer sends far more than the maximum without a line feed: the read
  // stops at the maximum instead of buffering everything.
  Serve(std::string(200000, 'y'));
  Handler().SetMaxLineLength(1000);
  EXPECT_THROW(Handler().ReadLine(), ENsReadLnMaxLineLengthExceeded);
  EXPECT_LT(Handler().InputBuffer().Size(), 200000);
}

TEST_F(LinesTest, NonEmptyLinesSkipBlanksAndGiveUpAfterTheAttempts) {
  Serve("\r\n  \r\n  word  \r\n\r\n\r\n\r\n");
  EXPECT_EQ(Handler().ReadNonEmptyLine(), "word");
  try {
    Handler().ReadNonEmptyLine(3);
    FAIL() << "an empty line was taken";
  } catch (const ENsReadLnWaitMaxAttemptsExceeded& error) {
    EXPECT_EQ(error.Message(), "Max line read attempts exceeded.");
  }
}

TEST_F(LinesTest, CaptureLinesUndoesDotStuffingUpToTheDelimiter) {
  Serve("a\r\n..b\r\n.\r\nafter\r\n");
  TStringList lines;
  int32_t count = 0;
  Handler().CaptureLines(lines, count, ".", true);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(lines.Text(), "a\r\n.b\r\n");
  EXPECT_EQ(Handler().ReadLine(), "after");
  TObject neither_list_nor_stream;
  EXPECT_THROW(Handler().CaptureLines(&neither_list_nor_stream, count), ENsObjectTypeNotSupported);
}

TEST_F(LinesTest, CapturedLinesGoToStreamsWithLineBreaks) {
  Serve("x\r\ny\r\nEND\r\n");
  TMemoryStream stream;
  int32_t count = 0;
  Handler().CaptureLines(static_cast<TObject*>(&stream), count, "END", false);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "x\r\ny\r\n");
}

TEST_F(LinesTest, WrittenLinesAreDotStuffedAndListsLeaveTogether) {
  Serve("");
  Handler().WriteLineDotStuffed(".x");
  Handler().WriteLineDotStuffed("y.");
  Handler().WriteLine();
  TStringList lines;
  lines.Add("one");
  lines.Add("two");
  Handler().WriteStrings(lines, true);
  Handler().WriteText("Größe", kNsEncodingUTF8);
  const std::string count("\0\0\0\2", 4);
  EXPECT_EQ(Received(), "..x\r\ny.\r\n\r\n" + count + "one\r\ntwo\r\nGr\xC3\xB6\xC3\x9F" "e");
}

TEST_F(LinesTest, SizePrefixedStreamsAndStreamsUpToTheClose) {
  Serve(std::string("\0\0\0\3abcREST", 11), true);
  TMemoryStream stream;
  Handler().ReadIntoStream(stream);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "abc");
  TMemoryStream rest;
  Handler().ReadIntoStream(rest, -1, true);
  EXPECT_EQ(std::string(rest.Bytes().begin(), rest.Bytes().end()), "REST");
}

TEST_F(LinesTest, AHugeSizePrefixAllocatesNothingUpFront) {
  // A peer that announces 2 GB and closes after 3 bytes.
  Serve(std::string("\x7F\xFF\xFF\xFF" "abc", 7), true);
  TMemoryStream stream;
  EXPECT_THROW(Handler().ReadIntoStream(stream), ENsConnClosedGracefully);
  EXPECT_EQ(stream.Size(), 3);
}

TEST_F(LinesTest, ReadAllUntilClosedTakesEverything) {
  Serve("first\r\nsecond", true);
  EXPECT_EQ(Handler().ReadAllUntilClosed(), "first\r\nsecond");
}

TEST_F(LinesTest, EchoedLinesHandleBackspaceTabsAndMasks) {
  Serve("ab\bc\td\r\nsecret\n");
  EXPECT_EQ(Handler().ReadEchoedLine("", true, 4), "ac  d");
  EXPECT_EQ(Handler().ReadEchoedLine("*", true), "secret");
  EXPECT_EQ(Received(), "ab\b \bc  d\r\n******\r\n");
}

TEST_F(LinesTest, FilesAreSentWholeOrReportedMissing) {
  Serve("");
  TNsIOHandlerStack& handler = dynamic_cast<TNsIOHandlerStack&>(Handler());
  EXPECT_EQ(handler.WriteFileContents("no-such-file.bin"), 0);
  try {
    handler.TNsIOHandler::WriteFileContents("no-such-file.bin");
    FAIL() << "sent a missing file";
  } catch (const ENsFileNotFound& error) {
    EXPECT_EQ(error.Message(), "File \"no-such-file.bin\" not found");
  }
  EXPECT_EQ(Received(), "");
}

}  // namespace
