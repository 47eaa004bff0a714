#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "net/exceptions.h"
#include "net/reply.h"
#include "net/tcp_client.h"
#include "tests/net/loopback_server.h"

namespace {

std::unique_ptr<TStringList> Lines(std::initializer_list<const char*> texts) {
  auto lines = std::make_unique<TStringList>();
  for (const char* text : texts)
    lines->Add(text);
  return lines;
}

TEST(ReplyTest, ParsesAndFormatsMultiLineReplies) {
  TNsReplyRFC reply;
  reply.ParseReplyLines(*Lines({"250-first", "250 last"}));
  EXPECT_EQ(reply.Code(), "250");
  EXPECT_EQ(reply.CodeNumber(), 250);
  EXPECT_EQ(reply.Text().Text(), "first\r\nlast\r\n");
  EXPECT_EQ(reply.FormatReply().Text(), "250-first\r\n250 last\r\n");
  EXPECT_EQ(reply.DisplayName(), "250 first");
  EXPECT_TRUE(reply.HasReply());

  reply.ParseReplyLines(*Lines({"220"}));
  EXPECT_EQ(reply.Code(), "220");
  // Every line gives a text line, an empty one here.
  EXPECT_EQ(reply.FormatReply().Text(), "220 \r\n");
  reply.ParseReplyLines(*Lines({}));
  EXPECT_FALSE(reply.HasReply());
}

TEST(ReplyTest, LastLinesAndValidCodes) {
  TNsReplyRFC reply;
  EXPECT_FALSE(reply.IsLastLine("250-x"));
  EXPECT_TRUE(reply.IsLastLine("250 x"));
  EXPECT_TRUE(reply.IsLastLine("250"));
  try {
    reply.SetCode("42");
    FAIL() << "a two-digit code was taken";
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "Reply Code is not valid: 42");
  }
  EXPECT_NO_THROW(reply.SetCode(""));
  EXPECT_THROW(reply.SetCode("abc"), ENsException);
  EXPECT_THROW(reply.ParseReplyLines(*Lines({"xyz junk"})), ENsException);
}

TEST(ReplyTest, CodesAreUniqueWithinACollection) {
  TCollection replies(TNsReplyRFC::kClass);
  auto* first = static_cast<TNsReply*>(replies.Add());
  auto* second = static_cast<TNsReply*>(replies.Add());
  first->SetCode("200");
  try {
    second->SetCode("200");
    FAIL() << "a code was taken twice";
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "Reply Code already exists: 200");
  }
}

TEST(ReplyTest, AssignCopiesCodeAndText) {
  TNsReplyRFC source;
  source.AssignReply(550, "no such\r\nthing");
  TNsReplyRFC copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.Code(), "550");
  EXPECT_EQ(copy.Text().Count(), 2);
  TNsReplyRFC empty;
  copy.Assign(&empty);
  EXPECT_EQ(copy.Code(), "");
}

TEST(CommandReplyTest, SendCommandChecksTheCode) {
  net_test::TLoopbackServer server([](net_test::TServerConnection& connection) {
    EXPECT_EQ(connection.ReadLine(), "HELO x\r");
    connection.Send(std::string("250-hello\r\n250 there\r\n"));
    EXPECT_EQ(connection.ReadLine(), "QUIT\r");
    connection.Send(std::string("\r\n500 no\r\n"));
    connection.ClientClosedWithin(5000);
  });
  TNsTCPClient client(nullptr);
  client.SetHost("127.0.0.1");
  client.SetPort(server.Port());
  client.Connect();
  EXPECT_EQ(client.SendCommand("HELO x", {250}), 250);
  EXPECT_EQ(client.LastCmdResult().Text().Text(), "hello\r\nthere\r\n");
  try {
    client.SendCommand("QUIT", {250});
    FAIL() << "an unexpected code was accepted";
  } catch (const ENsReplyRFCError& error) {
    EXPECT_EQ(error.ErrorCode(), 500);
    EXPECT_EQ(error.Message(), "no\r\n");
  }
  client.CloseConnection();
  EXPECT_TRUE(server.Failure().empty()) << server.Failure();
}

TEST(CommandReplyTest, AnEndlessReplyIsCutOff) {
  net_test::TLoopbackServer server([](net_test::TServerConnection& connection) {
    std::string lines;
    for (int i = 0; i < 1000; ++i)
      lines += "250-more\r\n";
    try {
      for (int i = 0; i < 20; ++i)
        connection.Send(lines);
    } catch (const std::exception&) {
      // The client stopped listening.
    }
  });
  TNsTCPClient client(nullptr);
  client.SetHost("127.0.0.1");
  client.SetPort(server.Port());
  client.Connect();
  EXPECT_THROW(client.ReadReply(), ENsMaxCaptureLineExceeded);
  client.CloseConnection();
}

TEST(CommandReplyTest, NoHandlerIsNotConnected) {
  TNsTCPClient client(nullptr);
  try {
    client.ReadReply();
    FAIL();
  } catch (const ENsNotConnected& error) {
    EXPECT_EQ(error.Message(), "Not Connected");
  }
  try {
    client.CheckDisconnected(true);
    FAIL();
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "Not Connected");
  }
}

}  // namespace
