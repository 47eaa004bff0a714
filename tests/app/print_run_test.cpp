// The print run's rules against a desktop of the test's own: the order of
// the requests, the pause and the close requests after each, refusals that
// do not end the run, vanished files, and the one message for the refused.
#include "app/print_run.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"

namespace {

// Records what the run asks of the desktop, in one list, and answers as
// told: files in `missing` are gone, files in `refused` are refused with
// their reason.
class TScriptedDesktop final : public IPrintRunDesktop {
 public:
  std::set<std::string> missing;
  std::map<std::string, std::string> refused;
  std::vector<std::string> calls;
  int32_t reader_windows = 1;

  bool FileExists(const std::string& path) override { return !missing.contains(path); }
  void PrintTo(const std::string& path, const std::string& parameters) override {
    calls.push_back("printto " + path + " " + parameters);
    if (auto it = refused.find(path); it != refused.end())
      throw Exception(it->second);
  }
  void Pause(int32_t milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }
  void CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close) override {
    calls.push_back("close " + title_part);
    for (int32_t i = 0; i < reader_windows; ++i)
      before_close();
  }
};

class PrintRunTest : public ::testing::Test {
 protected:
  TPrintRunResult Run(const std::vector<std::string>& paths, int32_t pause = 250) {
    TPrintRunRequest request;
    request.paths = paths;
    request.parameters = PrintToParameters({"PDF", "", ""});
    request.pause_to_destroy = pause;
    request.reader_title = "Adobe Reader";
    request.on_progress = [this](int32_t done) { progress_.push_back(done); };
    request.log = [this](const std::string& text) { logged_.push_back(text); };
    return RunPrint(desktop_, request);
  }

  TScriptedDesktop desktop_;
  std::vector<int32_t> progress_;
  std::vector<std::string> logged_;
};

TEST(PrintToParameters, QuotesEachNameWithOneBlankBetween) {
  EXPECT_EQ(PrintToParameters({"PDF", "winspool", "CUPS:PDF"}), "\"PDF\" \"winspool\" \"CUPS:PDF\"");
  EXPECT_EQ(PrintToParameters({"", "", ""}), "\"\" \"\" \"\"");
}

TEST_F(PrintRunTest, EachFileGoesToTheShellInOrderFollowedByThePauseAndTheCloseRequests) {
  const TPrintRunResult result = Run({"C:\\c.pdf", "C:\\a.pdf", "C:\\b.pdf"});
  EXPECT_EQ(desktop_.calls, (std::vector<std::string>{
                                "printto C:\\c.pdf \"PDF\" \"\" \"\"", "pause 250", "close Adobe Reader",
                                "printto C:\\a.pdf \"PDF\" \"\" \"\"", "pause 250", "close Adobe Reader",
                                "printto C:\\b.pdf \"PDF\" \"\" \"\"", "pause 250", "close Adobe Reader"}));
  EXPECT_EQ(logged_, (std::vector<std::string>{"C:\\c.pdf", "PostMessage", "C:\\a.pdf", "PostMessage",
                                               "C:\\b.pdf", "PostMessage"}));
  EXPECT_EQ(progress_, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(result.finished, (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(result.AllFinished());
}

TEST_F(PrintRunTest, AVanishedFileIsLoggedAndLeavesWithoutARequest) {
  desktop_.missing = {"C:\\weg.pdf"};
  desktop_.reader_windows = 0;
  const TPrintRunResult result = Run({"C:\\eins.pdf", "C:\\weg.pdf", "C:\\drei.pdf"}, 0);
  EXPECT_EQ(desktop_.calls, (std::vector<std::string>{"printto C:\\eins.pdf \"PDF\" \"\" \"\"", "pause 0",
                                                      "close Adobe Reader", "printto C:\\drei.pdf \"PDF\" \"\" \"\"",
                                                      "pause 0", "close Adobe Reader"}));
  EXPECT_EQ(logged_, (std::vector<std::string>{"C:\\eins.pdf", "C:\\weg.pdf", "C:\\drei.pdf"}));
  EXPECT_EQ(result.finished, (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(result.AllFinished());
}

TEST_F(PrintRunTest, ARefusalDoesNotEndTheRunAndTheRefusedFilesStayInOrder) {
  desktop_.refused = {{"C:\\zwei.pdf", "Zugriff verweigert"}, {"C:\\vier.pdf", "Datei nicht gefunden"}};
  const TPrintRunResult result = Run({"C:\\eins.pdf", "C:\\zwei.pdf", "C:\\drei.pdf", "C:\\vier.pdf"});
  // A refused file starts nothing: no pause, no reader to close.
  EXPECT_EQ(desktop_.calls, (std::vector<std::string>{
                                "printto C:\\eins.pdf \"PDF\" \"\" \"\"", "pause 250", "close Adobe Reader",
                                "printto C:\\zwei.pdf \"PDF\" \"\" \"\"",
                                "printto C:\\drei.pdf \"PDF\" \"\" \"\"", "pause 250", "close Adobe Reader",
                                "printto C:\\vier.pdf \"PDF\" \"\" \"\""}));
  EXPECT_EQ(progress_, (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(result.finished, (std::vector<size_t>{0, 2}));
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].index, 1u);
  EXPECT_EQ(result.failures[0].path, "C:\\zwei.pdf");
  EXPECT_EQ(result.failures[0].reason, "Zugriff verweigert");
  EXPECT_EQ(result.failures[1].index, 3u);
  EXPECT_FALSE(result.AllFinished());

  EXPECT_EQ(PrintFailureMessage(result.failures),
            "Diese Dateien konnten nicht gedruckt werden und bleiben in der Liste:\n"
            "C:\\zwei.pdf: Zugriff verweigert\n"
            "C:\\vier.pdf: Datei nicht gefunden");
}

TEST_F(PrintRunTest, OneRefusedFileIsNamedInTheSingular) {
  desktop_.refused = {{"C:\\100%  & #1 \"x\".pdf", "Zugriff verweigert"}};
  const TPrintRunResult result = Run({"C:\\100%  & #1 \"x\".pdf"});
  EXPECT_TRUE(result.finished.empty());
  EXPECT_EQ(PrintFailureMessage(result.failures),
            "Diese Datei konnte nicht gedruckt werden und bleibt in der Liste:\n"
            "C:\\100%  & #1 \"x\".pdf: Zugriff verweigert");
  EXPECT_EQ(PrintFailureMessage({}), "");
}

TEST_F(PrintRunTest, AnEmptyListAsksNothing) {
  const TPrintRunResult result = Run({});
  EXPECT_TRUE(desktop_.calls.empty());
  EXPECT_TRUE(logged_.empty());
  EXPECT_TRUE(result.finished.empty());
  EXPECT_TRUE(result.AllFinished());
}

// An error of the desktop other than a refusal (here one while asking the
// readers to close) is not the file's: it ends the run and passes on.
class TFailingCloseDesktop final : public IPrintRunDesktop {
 public:
  int32_t requests = 0;
  bool FileExists(const std::string&) override { return true; }
  void PrintTo(const std::string&, const std::string&) override { ++requests; }
  void Pause(int32_t) override {}
  void CloseReaderWindows(const std::string&, const std::function<void()>&) override {
    throw std::runtime_error("desktop gone");
  }
};

TEST(PrintRun, AnErrorBesideARefusalEndsTheRunAndPassesOn) {
  TFailingCloseDesktop desktop;
  TPrintRunRequest request;
  request.paths = {"C:\\a.pdf", "C:\\b.pdf"};
  EXPECT_THROW(RunPrint(desktop, request), std::runtime_error);
  EXPECT_EQ(desktop.requests, 1);
}

TEST(PrintRun, TheSystemDesktopRefusesAFileThatIsNotThereWithAReason) {
  const std::unique_ptr<IPrintRunDesktop> desktop = CreateSystemPrintRunDesktop(nullptr);
  EXPECT_FALSE(desktop->FileExists("/nirgends-lx/x.pdf"));
  try {
    desktop->PrintTo("/nirgends-lx/x.pdf", "\"PDF\" \"\" \"\"");
    ADD_FAILURE() << "accepted";
  } catch (const Exception& refusal) {
    EXPECT_FALSE(refusal.Message().empty());
  }
}

}  // namespace
