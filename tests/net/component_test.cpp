#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/anti_freeze.h"
#include "net/component.h"
#include "net/exceptions.h"
#include "net/intercept.h"

namespace {

TEST(WorkEventsTest, NestedPairsReportTheOutermostOnly) {
  TNsComponent component(nullptr);
  std::vector<std::string> events;
  component.OnWorkBegin = [&](TObject*, TWorkMode, int64_t max) { events.push_back("begin " + std::to_string(max)); };
  component.OnWork = [&](TObject*, TWorkMode, int64_t count) { events.push_back("work " + std::to_string(count)); };
  component.OnWorkEnd = [&](TObject*, TWorkMode) { events.push_back("end"); };
  component.AddWork(wmRead, 5);
  EXPECT_TRUE(events.empty());
  component.StartWork(wmRead, 100);
  component.StartWork(wmRead, 7);
  component.AddWork(wmRead, 10);
  component.FinishWork(wmRead);
  component.FinishWork(wmRead);
  component.FinishWork(wmRead);
  EXPECT_EQ(events, (std::vector<std::string>{"begin 100", "work 10", "end"}));
}

TEST(WorkEventsTest, ATargetTakesTheReports) {
  TNsComponent target(nullptr);
  int begins = 0;
  target.OnWorkBegin = [&](TObject* sender, TWorkMode, int64_t) {
    EXPECT_EQ(sender, &target);
    ++begins;
  };
  {
    TNsComponent source(nullptr);
    source.SetWorkTarget(&target);
    source.StartWork(wmWrite, 1);
    source.FinishWork(wmWrite);
  }
  EXPECT_EQ(begins, 1);
}

TEST(StatusTest, TextsAreFormattedInEnglish) {
  TNsComponent component(nullptr);
  std::vector<std::string> texts;
  component.ReportStatus(hsConnected);
  component.OnStatus = [&](TObject*, TNsStatus, const std::string& text) { texts.push_back(text); };
  component.ReportStatus(hsConnecting, {"10.0.0.1"});
  component.ReportStatus(hsDisconnected);
  component.ReportStatus(hsResolving, {"host"});
  component.ReportStatus(hsStatusText, {"free text"});
  EXPECT_EQ(texts, (std::vector<std::string>{"Connecting to 10.0.0.1.", "Disconnected.", "Resolving hostname host.",
                                             "free text"}));
}

class CountingAntiFreeze : public TNsAntiFreezeBase {
 public:
  using TNsAntiFreezeBase::TNsAntiFreezeBase;
  void HandlePendingMessages() override { ++turns; }
  int turns = 0;
};

TEST(AntiFreezeTest, OneAtATimeAndTurnsOnlyWhileActive) {
  EXPECT_FALSE(AntiFreezeInUse());
  AntiFreezeTurn(true);
  {
    CountingAntiFreeze anti_freeze(nullptr);
    EXPECT_EQ(anti_freeze.IdleTimeOut, 250);
    try {
      CountingAntiFreeze second(nullptr);
      FAIL() << "two anti-freezes";
    } catch (const ENsException& error) {
      EXPECT_EQ(error.Message(), "Only one TNsAntiFreeze can exist per application.");
    }
    EXPECT_TRUE(AntiFreezeInUse());
    AntiFreezeTurn(true);
    AntiFreezeTurn(false);
    EXPECT_EQ(anti_freeze.turns, 1);
    AntiFreezeTurn(false, true);
    EXPECT_EQ(anti_freeze.turns, 2);
    anti_freeze.Active = false;
    AntiFreezeTurn(true);
    EXPECT_EQ(anti_freeze.turns, 2);
  }
  EXPECT_FALSE(AntiFreezeInUse());
}

TEST(InterceptTest, ChainsFilterInLayerOrder) {
  TNsConnectionIntercept a(nullptr);
  TNsConnectionIntercept b(nullptr);
  a.SetIntercept(&b);
  std::vector<std::string> calls;
  a.OnSend = [&](TNsConnectionIntercept*, TNsBytes& bytes) {
    calls.push_back("A send");
    bytes.push_back('a');
  };
  b.OnSend = [&](TNsConnectionIntercept*, TNsBytes& bytes) {
    calls.push_back("B send");
    bytes.push_back('b');
  };
  a.OnReceive = [&](TNsConnectionIntercept*, TNsBytes&) { calls.push_back("A receive"); };
  b.OnReceive = [&](TNsConnectionIntercept*, TNsBytes&) { calls.push_back("B receive"); };
  a.OnConnect = [&](TNsConnectionIntercept*) { calls.push_back("A connect"); };
  b.OnConnect = [&](TNsConnectionIntercept*) { calls.push_back("B connect"); };
  a.OnDisconnect = [&](TNsConnectionIntercept*) { calls.push_back("A disconnect"); };
  b.OnDisconnect = [&](TNsConnectionIntercept*) { calls.push_back("B disconnect"); };
  TNsBytes bytes{'x'};
  a.Send(bytes);
  EXPECT_EQ(bytes, (TNsBytes{'x', 'a', 'b'}));
  a.Receive(bytes);
  a.Connect(nullptr);
  a.Disconnect();
  EXPECT_EQ(calls, (std::vector<std::string>{"A send", "B send", "B receive", "A receive", "A connect", "B connect",
                                             "B disconnect", "A disconnect"}));
}

TEST(InterceptTest, LoopsAreRefusedAndFreedLinksForgotten) {
  TNsConnectionIntercept a(nullptr);
  {
    TNsConnectionIntercept b(nullptr);
    a.SetIntercept(&b);
    try {
      b.SetIntercept(&a);
      FAIL() << "a loop was accepted";
    } catch (const ENsInterceptCircularLink& error) {
      EXPECT_EQ(error.Message(), "TNsConnectionIntercept: Circular links are not allowed");
    }
  }
  EXPECT_EQ(a.Intercept(), nullptr);
}

}  // namespace
