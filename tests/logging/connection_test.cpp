// The dispatch-id table: when a logger is registered with the dispatcher,
// when its id is renewed or released, and what the control messages carry.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>

#include "logging_fixture.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/file_utils.h"

namespace {

using logging_test::LoggingModuleTest;

bool IsGuidText(const std::string& text) {
  static const std::regex kGuid("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
  return std::regex_match(text, kGuid);
}

class DispatchIds : public LoggingModuleTest {
 protected:
  void ActivateLogFile(std::string_view file_name) {
    TLogWireDestination& destination = Manager().DefaultDestination();
    destination.LogFile().SetActive(true);
    destination.LogFile().SetFilePath("C:\\Prog\\");
    destination.LogFile().SetFileName(file_name);
  }
};

TEST_F(DispatchIds, FirstMessageRegistersTheDestinationUnderANewId) {
  Logger().SendMsg("hello");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0}));
  const TLogWireMessage& registration = Messages()[0];
  const TLogWireMessage& message = Messages()[1];
  EXPECT_TRUE(IsGuidText(registration.DispatchId)) << registration.DispatchId;
  EXPECT_EQ(registration.DispatchId, message.DispatchId);
  EXPECT_EQ(registration.DispatchId, Logger().DispatchId());
  EXPECT_EQ(registration.Text, "Viewer");
  EXPECT_EQ(message.Text, "hello");
  EXPECT_EQ(Manager().Connection().DispatchIds(), std::vector<std::string>{Logger().DispatchId()});
}

TEST_F(DispatchIds, ControlMessagesCarryOnlyTheSendersIdentity) {
  Logger().SetCategory("Druck");
  Logger().SendMsg("hello");
  ASSERT_FALSE(Messages().empty());
  const TLogWireMessage& registration = Messages()[0];
  EXPECT_EQ(registration.AppName, Manager().GetAppName());
  EXPECT_EQ(registration.ComputerName, Manager().GetComputerName());
  EXPECT_EQ(registration.Category, "Druck");
  EXPECT_EQ(registration.ProcessId, Manager().GetProcessId());
  EXPECT_EQ(registration.Time, 0u);
  EXPECT_EQ(registration.Date, 0u);
  EXPECT_EQ(registration.TimeZoneBias, 0);
  EXPECT_EQ(registration.ThreadName, "");
  EXPECT_EQ(registration.TypeName, "");
  EXPECT_EQ(registration.CategoryColor, 0u);
  EXPECT_EQ(registration.CategoryFontColor, 0u);
  EXPECT_EQ(registration.Details, "");
}

TEST_F(DispatchIds, LaterMessagesOfTheSameDayOnlySendTheMessage) {
  Logger().SendMsg("one");
  Logger().SendMsg("two");
  Logger().SendError("three");
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 0, 2}));
  EXPECT_EQ(Messages()[3].DispatchId, Messages()[0].DispatchId);
}

TEST_F(DispatchIds, ChangedDestinationReleasesTheOldIdAndRegistersANewOne) {
  Logger().SendMsg("before");
  const std::string old_id = Logger().DispatchId();
  ActivateLogFile("Prog.csl");
  Logger().SendMsg("after");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 92, 91, 0}));
  EXPECT_EQ(Messages()[2].DispatchId, old_id);
  const std::string new_id = Logger().DispatchId();
  EXPECT_NE(new_id, old_id);
  EXPECT_EQ(Messages()[3].DispatchId, new_id);
  EXPECT_EQ(Messages()[3].Text, "Viewer,File[Path=C:\\Prog\\Prog.csl]");
  EXPECT_EQ(Messages()[4].DispatchId, new_id);
  // Both ids stay in the table until the connection goes.
  EXPECT_EQ(Manager().Connection().DispatchIds(), (std::vector<std::string>{old_id, new_id}));
}

TEST_F(DispatchIds, AChangeTheSampledHashMissesIsStillNoticed) {
  ActivateLogFile("Prog.csl");
  Logger().SendMsg("before");
  const std::string before = Manager().DefaultDestination().GetDestinationString();
  ActivateLogFile("Pxog.csl");
  const std::string after = Manager().DefaultDestination().GetDestinationString();
  ASSERT_NE(before, after);
  ASSERT_EQ(TLogWireDestination::HashText(before), TLogWireDestination::HashText(after));

  Logger().SendMsg("after");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 92, 91, 0}));
  EXPECT_EQ(Messages()[3].Text, after);
}

TEST_F(DispatchIds, AnIdMadeBeforeYesterdayIsRenewedWithoutRelease) {
  const TDateTime today = EncodeDate(2024, 5, 1);
  auto clock = std::make_unique<TScopedClock>(today + 0.5);
  Logger().SendMsg("day 1");
  const std::string first_id = Logger().DispatchId();
  EXPECT_EQ(Logger().DispatchIdDate(), today);

  clock.reset();  // a scoped clock restores the one before it
  clock = std::make_unique<TScopedClock>(today + 1.9);
  Logger().SendMsg("day 2");
  EXPECT_EQ(Logger().DispatchId(), first_id);

  clock.reset();
  clock = std::make_unique<TScopedClock>(today + 2.1);
  Logger().SendMsg("day 3");
  EXPECT_NE(Logger().DispatchId(), first_id);
  EXPECT_EQ(Logger().DispatchIdDate(), today + 2);
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 0, 91, 0}));
  EXPECT_EQ(Manager().Connection().DispatchIds().size(), 2u);
}

TEST_F(DispatchIds, LoggersWithTheirOwnDestinationRegisterIt) {
  TLogWireDestination own(nullptr);
  own.Alias().SetActive(true);
  own.Alias().SetName("Zentral");
  TLogWireLogger second(nullptr);
  second.SetDestination(&own);
  Logger().SendMsg("global");
  second.SendMsg("own");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 91, 0}));
  EXPECT_EQ(Messages()[0].Text, "Viewer");
  EXPECT_EQ(Messages()[2].Text, "Alias[Name=Zentral]");
  EXPECT_NE(Messages()[2].DispatchId, Messages()[0].DispatchId);
}

TEST_F(DispatchIds, RefusedRegistrationFailsTheDeliveryAndSendsNothingMore) {
  Log().answer = [](const TLogWireMessage& message) { return message.MsgType == 91 ? 0 : 1; };
  EXPECT_EQ(Logger().DoSendMsg(0, "x", "", ""), 0);
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91}));
  EXPECT_FALSE(Logger().Enabled());
}

TEST_F(DispatchIds, ASendThatRaisesCountsAsFailed) {
  Log().answer = [](const TLogWireMessage& message) -> int32_t {
    if (message.MsgType == 0)
      throw std::runtime_error("pipe broken");
    return 1;
  };
  EXPECT_EQ(Logger().DoSendMsg(0, "x", "", ""), 0);
  EXPECT_FALSE(Logger().Enabled());
  // A registration that raises is refused as well.
  Log().answer = [](const TLogWireMessage&) -> int32_t { throw std::runtime_error("gone"); };
  TLogWireLogger second(nullptr);
  EXPECT_EQ(second.DoSendMsg(0, "y", "", ""), 0);
}

TEST_F(DispatchIds, TransportThatCannotSendFailsBeforeAnyId) {
  Log().can_send = false;
  EXPECT_EQ(Logger().DoSendMsg(0, "x", "", ""), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Logger().DispatchId(), "");
}

TEST_F(DispatchIds, InvalidDestinationRaisesBeforeAnythingIsSent) {
  Manager().DefaultDestination().LogFile().SetActive(true);  // without a file name
  EXPECT_THROW(Logger().SendMsg("x"), ELogWireInvalidDestination);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Logger().Enabled());
}

TEST_F(DispatchIds, FreeingTheConnectionReleasesEveryIdInTableOrder) {
  Logger().SetCategory("Druck");
  Logger().SendMsg("one");
  const std::string first_id = Logger().DispatchId();
  ActivateLogFile("Prog.csl");
  Logger().SendMsg("two");
  const std::string second_id = Logger().DispatchId();
  Log().messages.clear();
  Log().answer = [](const TLogWireMessage&) { return 0; };  // failures are ignored

  LogWireLoggingFinalize();
  // The first id was released once already when the destination changed;
  // the table keeps every id, so it is released again at the end.
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{92, 92}));
  EXPECT_EQ(Messages()[0].DispatchId, first_id);
  EXPECT_EQ(Messages()[1].DispatchId, second_id);
  for (const TLogWireMessage& release : Messages()) {
    EXPECT_EQ(release.Category, "");
    EXPECT_EQ(release.Text, "");
    EXPECT_EQ(release.AppName, LogWireApplicationName(ProgramFileName()));
  }
}

TEST(DispatchIdText, IsABracedUpperCaseGuid) {
  std::set<std::string> seen;
  for (int i = 0; i < 50; ++i) {
    const std::string id = TLogWireConnection::NewGuidText();
    EXPECT_TRUE(IsGuidText(id)) << id;
    seen.insert(id);
  }
  EXPECT_EQ(seen.size(), 50u);
}

}  // namespace
