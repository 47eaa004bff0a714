// The logger's send operations: what each one sends, the enabled flags, the
// OnSendMsg event, cutting and escaping, switching off after a failed
// delivery, and the destination it refers to.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "logging/message_record.h"
#include "logging_fixture.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"

namespace {

using logging_test::LoggingModuleTest;

class LoggerTest : public LoggingModuleTest {
 protected:
  // The messages after the registration of the first send.
  std::vector<TLogWireMessage> Sent() {
    std::vector<TLogWireMessage> sent;
    for (const TLogWireMessage& message : Messages()) {
      if (message.MsgType < 90)
        sent.push_back(message);
    }
    return sent;
  }
};

TEST_F(LoggerTest, EachOperationSendsItsTypeTextAndTypeName) {
  TComponent named(nullptr);
  named.SetName("Button1");
  TComponent unnamed(nullptr);
  TObject plain;
  struct Case {
    const char* name;
    std::function<void(TLogWireLogger&)> send;
    uint32_t type;
    std::string text;
    std::string type_name;
  };
  const Case cases[] = {
      {"SendMsg", [](TLogWireLogger& l) { l.SendMsg("Datei.pdf"); }, 0, "Datei.pdf", ""},
      {"SendMsgOfType", [](TLogWireLogger& l) { l.SendMsgOfType(lwmtWarning, "w"); }, 1, "w", ""},
      {"SendError", [](TLogWireLogger& l) { l.SendError("e"); }, 2, "e", ""},
      {"SendFmtMsgOfType", [](TLogWireLogger& l) { l.SendFmtMsgOfType(lwmtNote, "%d/%s", {3, "x"}); }, 8,
       "3/x", ""},
      {"SendFmtError", [](TLogWireLogger& l) { l.SendFmtError("n=%d", {7}); }, 2, "n=7", ""},
      {"SendNamedString",
       [](TLogWireLogger& l) { l.SendNamedString("LogWire Einstellungen überschrieben", "Viewer"); }, 0,
       "LogWire Einstellungen überschrieben = 'Viewer'", ""},
      {"SendNamedStringOfType", [](TLogWireLogger& l) { l.SendNamedStringOfType(lwmtCheckPoint, "a", "%s"); },
       3, "a = '%s'", ""},
      {"EnterMethod", [](TLogWireLogger& l) { l.EnterMethod("Print"); }, 9, "Print", ""},
      {"EnterMethod named",
       [&](TLogWireLogger& l) { l.EnterMethod(&named, "Click"); }, 9, "TComponent( Button1 ).Click",
       "TComponent"},
      {"EnterMethod unnamed", [&](TLogWireLogger& l) { l.EnterMethod(&unnamed, "Click"); }, 9,
       "TComponent.Click", "TComponent"},
      {"EnterMethod object", [&](TLogWireLogger& l) { l.EnterMethod(&plain, "Run"); }, 9, "TObject.Run",
       "TObject"},
      {"EnterMethod null", [](TLogWireLogger& l) { l.EnterMethod(nullptr, "Run"); }, 9, "Run", ""},
      {"ExitMethod", [](TLogWireLogger& l) { l.ExitMethod("Print"); }, 10, "Print", ""},
      {"ExitMethod object", [&](TLogWireLogger& l) { l.ExitMethod(&named, "Click"); }, 10,
       "TComponent( Button1 ).Click", "TComponent"},
      {"ExitMethod result", [&](TLogWireLogger& l) { l.ExitMethod(&plain, "Count", "3"); }, 10,
       "TObject.Count = 3", "TObject"},
      {"ExitMethod null result", [](TLogWireLogger& l) { l.ExitMethod(nullptr, "Count", "3"); }, 10,
       "Count = 3", ""},
      {"ExitMethodCollapse", [](TLogWireLogger& l) { l.ExitMethodCollapse("Print"); }, 43, "Print", ""},
      {"ExitMethodCollapse object", [&](TLogWireLogger& l) { l.ExitMethodCollapse(&unnamed, "M"); }, 43,
       "TComponent.M", "TComponent"},
      {"ExitMethodCollapse result", [&](TLogWireLogger& l) { l.ExitMethodCollapse(&named, "M", "ok"); }, 43,
       "TComponent( Button1 ).M = ok", "TComponent"},
      {"SendTyped", [](TLogWireLogger& l) { l.SendTyped(lwmtXmlData, "<a/>", "TXml"); }, 35, "<a/>", "TXml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log().messages.clear();
    c.send(Logger());
    const std::vector<TLogWireMessage> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].MsgType, c.type);
    EXPECT_EQ(sent[0].Text, c.text);
    EXPECT_EQ(sent[0].TypeName, c.type_name);
    EXPECT_EQ(sent[0].Details, "");
  }
}

TEST_F(LoggerTest, MessageCarriesTheSendersIdentityAndTheLoggersCategory) {
  Logger().SetCategory("Druck");
  Logger().SetCategoryColor(0x00FF00);
  Logger().SendMsg("x");
  const TLogWireMessage message = Sent().at(0);
  EXPECT_EQ(message.ProcessId, Manager().GetProcessId());
  EXPECT_EQ(message.ThreadName, std::to_string(TThread::CurrentThreadId()));
  EXPECT_EQ(message.AppName, Manager().GetAppName());
  EXPECT_EQ(message.ComputerName, Manager().GetComputerName());
  EXPECT_EQ(message.TimeZoneBias, Manager().TimeZoneBias());
  EXPECT_EQ(message.Category, "Druck");
  EXPECT_EQ(message.CategoryColor, 0x00FF00u);
  EXPECT_EQ(message.CategoryFontColor, 0u);
  EXPECT_GT(message.Date, 738000u);
}

TEST_F(LoggerTest, NewLoggerHasTheDeclaredDefaults) {
  TLogWireLogger logger(nullptr);
  EXPECT_TRUE(logger.Enabled());
  EXPECT_EQ(logger.CategoryColor(), 16777215);
  EXPECT_EQ(logger.CategoryFontColor(), 0);
  EXPECT_EQ(logger.Category(), "");
  EXPECT_EQ(logger.Destination(), nullptr);
  Manager().SetEnabled(false);
  TLogWireLogger while_disabled(nullptr);
  EXPECT_FALSE(while_disabled.Enabled());
}

TEST_F(LoggerTest, NothingIsSentWhileTheManagerOrTheLoggerIsDisabled) {
  Manager().SetEnabled(false);
  Logger().SendMsg("a");
  Logger().SendFmtError("%d", {1});
  Logger().EnterMethod("M");
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Logger().Enabled());

  Manager().SetEnabled(true);
  Logger().SetEnabled(false);
  Logger().SendNamedString("n", "v");
  Logger().ExitMethodCollapse("M");
  EXPECT_TRUE(Messages().empty());

  // SendTyped does not ask.
  Logger().SendTyped(0, "typed", "");
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].Text, "typed");
}

TEST_F(LoggerTest, FailedDeliverySwitchesTheLoggerOffForGood) {
  Log().answer = [](const TLogWireMessage& message) { return message.MsgType == 0 ? 0 : 1; };
  Logger().SendMsg("lost");
  EXPECT_FALSE(Logger().Enabled());
  EXPECT_TRUE(Manager().Enabled());
  Log().answer = [](const TLogWireMessage&) { return 1; };
  Logger().SendMsg("after");
  Logger().SendError("after");
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0}));
}

TEST_F(LoggerTest, AnswerOtherThanZeroIsSuccess) {
  Log().answer = [](const TLogWireMessage&) { return 42; };
  EXPECT_EQ(Logger().DoSendMsg(0, "x", "", ""), 42);
  EXPECT_TRUE(Logger().Enabled());
}

TEST_F(LoggerTest, HandlerThatLeavesHandledSetKeepsTheMessage) {
  TLogWireMsgData seen;
  std::vector<std::string> detail_lines;
  Logger().SetCategory("Druck");
  Logger().OnSendMsg = [&](TObject* sender, TLogWireMsgData& data, bool& /*handled*/) {
    EXPECT_EQ(sender, &Logger());
    seen = data;
    for (int32_t i = 0; i < data.Details->Count(); ++i)
      detail_lines.push_back(data.Details->Get(i));
  };
  EXPECT_EQ(Logger().DoSendMsg(lwmtWarning, "careful", "line 1\r\nline 2", "TType"), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Logger().Enabled());
  EXPECT_EQ(seen.MsgType, 1);
  EXPECT_EQ(seen.MsgText, "careful");
  EXPECT_EQ(detail_lines, (std::vector<std::string>{"line 1", "line 2"}));
  EXPECT_EQ(seen.TypeName, "TType");
  EXPECT_EQ(seen.Category, "Druck");
  EXPECT_EQ(seen.CategoryColor, 16777215);
  EXPECT_EQ(seen.AppName, Manager().GetAppName());
  EXPECT_EQ(seen.ProcessId, Manager().GetProcessId());
  EXPECT_EQ(seen.ThreadName, std::to_string(TThread::CurrentThreadId()));
  EXPECT_GT(seen.TimeStamp.Date, 0);
}

TEST_F(LoggerTest, HandlerThatClearsHandledLetsTheUnchangedMessagePass) {
  Logger().OnSendMsg = [](TObject*, TLogWireMsgData& data, bool& handled) {
    data.MsgText = "changed";
    data.Category = "changed";
    handled = false;
  };
  Logger().SendMsg("original");
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].Text, "original");
  EXPECT_EQ(Sent()[0].Category, "");
}

TEST_F(LoggerTest, ControlTypesNeverReachTheHandler) {
  int calls = 0;
  Logger().OnSendMsg = [&](TObject*, TLogWireMsgData&, bool&) { ++calls; };
  Logger().SendTyped(95, "control", "");
  Logger().SendTyped(89, "kept", "");
  Logger().SendTyped(100, "kept", "");
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 95}));
}

TEST_F(LoggerTest, LongFieldsAreCutToTheirLimitWithoutSplittingCharacters) {
  Logger().SetCategory(std::string(50, 'c'));
  Logger().SendTyped(0, "x", "T" + std::string(30, 'y') + "äöüäöü");
  const TLogWireMessage message = Sent().at(0);
  EXPECT_EQ(message.Category, std::string(40, 'c'));
  // 31 ASCII bytes, then four two-byte umlauts fit into 40 bytes; the
  // fifth would end past the limit.
  EXPECT_EQ(message.TypeName, "T" + std::string(30, 'y') + "äöüä");
  // The 40th byte is the first half of an "ä".
  Logger().SetCategory("Änderungen der Größe für Druckaufträge über Netz");
  Logger().SendMsg("x");
  EXPECT_EQ(Sent().at(1).Category, "Änderungen der Größe für Druckauftr");
}

TEST_F(LoggerTest, FinalLineBreakIsNotCountedInTheRecord) {
  Logger().SendMsg("Datei.pdf\r\n");
  const TLogWireMessage message = Sent().at(0);
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  EXPECT_EQ(record.size(), 246u + 9);
  EXPECT_EQ(record[LogWireRecord::kTextLength], 9);
}

TEST_F(LoggerTest, FormatThatDoesNotFitItsArgumentsSendsAnError) {
  Logger().SendFmtMsgOfType(lwmtInfo, "%d items", {"many"});
  Logger().SendFmtError("%s and %s", {"one"});
  const std::vector<TLogWireMessage> sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].MsgType, 2u);
  EXPECT_EQ(sent[0].Text, "SendFmtMsg Error: Invalid Format Arguments - %d items");
  EXPECT_EQ(sent[1].Text, "SendFmtMsg Error: Invalid Format Arguments - %s and %s");
}

TEST_F(LoggerTest, ControlCharactersAreEscapedWhenTheManagerAsks) {
  EXPECT_EQ(TLogWireLogger::EscapeControlChars(std::string("a\tb\r\n\x01\x1F\0z ü", 12)),
            "a[TAB]b[CR][LF][#1][#31][#0]z ü");
  Logger().SendMsg("a\tb");
  Manager().SetEscapeControlChars(true);
  Logger().SendMsg("a\tb");
  EXPECT_EQ(Sent().at(0).Text, "a\tb");
  EXPECT_EQ(Sent().at(1).Text, "a[TAB]b");
}

TEST_F(LoggerTest, FreedDestinationIsForgotten) {
  auto destination = std::make_unique<TLogWireDestination>(nullptr);
  Logger().SetDestination(destination.get());
  EXPECT_EQ(Logger().Destination(), destination.get());
  destination.reset();
  EXPECT_EQ(Logger().Destination(), nullptr);
  Logger().SendMsg("x");
  EXPECT_EQ(Messages().at(0).Text, "Viewer");
}

TEST_F(LoggerTest, OwnConnectionIsUsedInsteadOfTheManagers) {
  auto own_log = std::make_shared<logging_test::DeliveryLog>();
  TLogWireLogger logger(nullptr);
  logger.SetConnection(std::make_unique<logging_test::RecordingConnection>(Manager(), own_log));
  logger.SendMsg("own");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(own_log->Types(), (std::vector<uint32_t>{91, 0}));
  logger.FreeConnection();
  EXPECT_EQ(own_log->Types(), (std::vector<uint32_t>{91, 0, 92}));
}

TEST_F(LoggerTest, StoredDestinationDetailsBecomeANamedDestinationOfTheOwner) {
  TComponent form(nullptr);
  auto* taken = new TLogWireDestination(&form);
  taken->SetName("LWDestination1");
  auto* logger = new TLogWireLogger(&form);
  logger->ReadDestinationDetails("Viewer,Alias[Name=z]");
  TLogWireDestination* destination = logger->Destination();
  ASSERT_NE(destination, nullptr);
  EXPECT_EQ(destination->Owner(), &form);
  EXPECT_EQ(destination->Name(), "LWDestination2");
  EXPECT_EQ(destination->GetDestinationString(), "Viewer,Alias[Name=z]");

  EXPECT_THROW(logger->ReadDestinationDetails("Printer"), ELogWireInvalidDestination);
  EXPECT_EQ(logger->Destination(), destination);
  EXPECT_EQ(form.ComponentCount(), 3);
}

TEST_F(LoggerTest, StoredDestinationDetailsOfALoggerWithoutOwnerBelongToTheLogger) {
  TLogWireLogger logger(nullptr);
  logger.ReadDestinationDetails("Viewer");
  ASSERT_NE(logger.Destination(), nullptr);
  EXPECT_EQ(logger.Destination()->Owner(), &logger);
  EXPECT_EQ(logger.Destination()->Name(), "LWDestination1");
}

TEST(LoggerWithoutModule, SendsNothingAndStaysEnabled) {
  ASSERT_EQ(GlobalLogWireManager(), nullptr);
  TLogWireLogger logger(nullptr);
  logger.SendMsg("x");
  EXPECT_EQ(logger.DoSendMsg(0, "x", "", ""), 0);
  EXPECT_TRUE(logger.Enabled());
}

TEST(UniqueComponentName, TakesTheFirstFreeNumber) {
  TComponent owner(nullptr);
  EXPECT_EQ(LogWireUniqueComponentName(owner, "LWDestination"), "LWDestination1");
  (new TComponent(&owner))->SetName("LWDestination1");
  (new TComponent(&owner))->SetName("lwdestination3");
  EXPECT_EQ(LogWireUniqueComponentName(owner, "LWDestination"), "LWDestination2");
  (new TComponent(&owner))->SetName("LWDestination2");
  EXPECT_EQ(LogWireUniqueComponentName(owner, "LWDestination"), "LWDestination4");
}

}  // namespace

namespace {

// A form as an older version stored it: a logger whose destination is kept
// as text, with three settings that no longer exist.
std::string OlderStoredForm() {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteSignature();
  writer.WriteStr("TComponent");
  writer.WriteStr("Form1");
  writer.WriteListEnd();
  writer.WriteStr("TLogWireLogger");
  writer.WriteStr("Logger1");
  writer.WritePropName("Category");
  writer.WriteString("Druck");
  writer.WritePropName("DestinationDetails");
  writer.WriteString("Viewer,File[Path=C:\\Prog\\Prog.csl]");
  writer.WritePropName("HexNumPrefix");
  writer.WriteString("$");
  writer.WritePropName("HexViewWidth");
  writer.WriteInteger(16);
  writer.WritePropName("QuoteChar");
  writer.WriteString("'");
  writer.WriteListEnd();
  writer.WriteListEnd();
  writer.WriteListEnd();
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(LoggerStreaming, OlderStoredPropertiesAreReadAndNeverWritten) {
  RegisterStreamableClasses({&TComponent::kClass, &TLogWireLogger::kClass, &TLogWireDestination::kClass});
  const std::string stored = OlderStoredForm();
  TMemoryStream input;
  input.WriteBuffer(stored.data(), static_cast<int64_t>(stored.size()));
  input.SetPosition(0);
  TComponent form(nullptr);
  TReader reader(input);
  reader.ReadRootComponent(&form);

  auto* logger = dynamic_cast<TLogWireLogger*>(form.FindComponent("Logger1"));
  ASSERT_NE(logger, nullptr);
  EXPECT_EQ(logger->Category(), "Druck");
  ASSERT_NE(logger->Destination(), nullptr);
  EXPECT_EQ(logger->Destination()->Name(), "LWDestination1");
  EXPECT_EQ(logger->Destination()->Owner(), &form);
  EXPECT_EQ(logger->Destination()->GetDestinationString(), "Viewer,File[Path=C:\\Prog\\Prog.csl]");

  // Written again, the destination is a component of its own and the
  // logger refers to it by name; none of the older values comes back.
  TMemoryStream output;
  TWriter writer(output);
  writer.WriteRootComponent(form);
  const std::string written(reinterpret_cast<const char*>(output.Memory()), static_cast<size_t>(output.Size()));
  for (const char* older : {"DestinationDetails", "HexNumPrefix", "HexViewWidth", "QuoteChar"})
    EXPECT_EQ(written.find(older), std::string::npos) << older;
  EXPECT_NE(written.find("LWDestination1"), std::string::npos);
}

}  // namespace
