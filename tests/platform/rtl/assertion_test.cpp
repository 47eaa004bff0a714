// The run-time's assertion entry: a false condition raises with the
// run-time's text unless a handler is installed, which then decides.
#include <gtest/gtest.h>

#include <source_location>
#include <string>

#include "platform/rtl/assertion.h"
#include "platform/rtl/exceptions.h"

namespace {

struct ReportedAssertion {
  int32_t calls = 0;
  std::string message;
  std::string file_name;
  int32_t line = 0;
  const void* address = nullptr;
};

ReportedAssertion g_reported;

void RecordingHandler(std::string_view message, std::string_view file_name, int32_t line, const void* address) {
  ++g_reported.calls;
  g_reported.message = message;
  g_reported.file_name = file_name;
  g_reported.line = line;
  g_reported.address = address;
}

// Installs the recording handler for one test and puts back what was there.
class AssertionHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_reported = {};
    previous_ = SetAssertHandler(&RecordingHandler);
  }
  void TearDown() override { SetAssertHandler(previous_); }

 private:
  TAssertHandler previous_ = nullptr;
};

TEST(Assertion, TextNamesMessageFileAndLine) {
  EXPECT_EQ(AssertionFailureText("Index < Count", "grid.cpp", 42), "Index < Count (grid.cpp, Zeile 42)");
  EXPECT_EQ(AssertionFailureText("", "grid.cpp", 7), "Assertion failed (grid.cpp, Zeile 7)");
}

TEST(Assertion, WithoutHandlerAFalseConditionRaises) {
  ASSERT_EQ(CurrentAssertHandler(), nullptr);
  EXPECT_NO_THROW(Assert(true, "holds"));
  const std::source_location here = std::source_location::current();
  try {
    Assert(false, "Zeiger gesetzt", here);
    ADD_FAILURE() << "a false condition went unnoticed";
  } catch (const EAssertionFailed& error) {
    EXPECT_EQ(error.Message(),
              AssertionFailureText("Zeiger gesetzt", here.file_name(), static_cast<int32_t>(here.line())));
  }
}

TEST_F(AssertionHandlerTest, TheHandlerDecidesAndHearsWhereItHappened) {
  Assert(true, "holds");
  EXPECT_EQ(g_reported.calls, 0);

  const auto line = static_cast<int32_t>(std::source_location::current().line()) + 1;
  EXPECT_NO_THROW(Assert(false, "Zeiger gesetzt"));
  EXPECT_EQ(g_reported.calls, 1);
  EXPECT_EQ(g_reported.message, "Zeiger gesetzt");
  EXPECT_EQ(g_reported.file_name, std::source_location::current().file_name());
  EXPECT_EQ(g_reported.line, line);
  EXPECT_NE(g_reported.address, nullptr);
}

TEST_F(AssertionHandlerTest, InstallingAnswersTheHandlerReplaced) {
  EXPECT_EQ(CurrentAssertHandler(), &RecordingHandler);
  EXPECT_EQ(SetAssertHandler(nullptr), &RecordingHandler);
  EXPECT_EQ(CurrentAssertHandler(), nullptr);
  EXPECT_THROW(Assert(false), EAssertionFailed);
  EXPECT_EQ(g_reported.calls, 0);
  SetAssertHandler(&RecordingHandler);
}

}  // namespace
