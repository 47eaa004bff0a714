#include "editors/kinds/gdi_plus_units_loader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_calls;

void StartA() { g_calls += "sA "; }
void StartB() { g_calls += "sB "; }
void EndA() { g_calls += "eA "; }
void EndB() { g_calls += "eB "; }
void EndC() { g_calls += "eC "; }

class UnitsLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { g_calls.clear(); }
};

TEST_F(UnitsLoaderTest, InAnExecutableStartsRunAtOnceAndEndsRunLastToFirst) {
  {
    TlxUnitsLoader loader(false);
    loader.AddUnit(&StartA, &EndA);
    loader.AddUnit(&StartB, &EndB);
    loader.AddUnit(nullptr, &EndC);
    EXPECT_EQ(g_calls, "sA sB ");
    EXPECT_TRUE(lxUnitsStarted());
    EXPECT_TRUE(loader.StartList().empty());
  }
  EXPECT_EQ(g_calls, "sA sB eC eB eA ");
  EXPECT_FALSE(lxUnitsStarted());
}

TEST_F(UnitsLoaderTest, RemoveUnitRunsAListedEndOnceAndIgnoresOthers) {
  TlxUnitsLoader loader(false);
  loader.AddUnit(&StartA, &EndA);
  loader.AddUnit(&StartB, &EndB);
  loader.RemoveUnit(&EndA);
  loader.RemoveUnit(&EndA);
  loader.RemoveUnit(&EndC);
  EXPECT_EQ(g_calls, "sA sB eA ");
  loader.Finalize();
  EXPECT_EQ(g_calls, "sA sB eA eB ");
  loader.Finalize();
  EXPECT_EQ(g_calls, "sA sB eA eB ");
  EXPECT_TRUE(loader.EndList().empty());
}

TEST_F(UnitsLoaderTest, InALoadableLibraryStartsAreHeldBackAndNoEndRuns) {
  {
    TlxUnitsLoader loader(true);
    loader.AddUnit(&StartA, &EndA);
    EXPECT_EQ(g_calls, "");
    ASSERT_EQ(loader.StartList().size(), 1u);
    EXPECT_EQ(loader.StartList()[0], &StartA);
    EXPECT_EQ(loader.EndList().size(), 1u);
    EXPECT_FALSE(lxUnitsStarted());
  }
  // Nothing had started, so nothing is ended.
  EXPECT_EQ(g_calls, "");
}

}  // namespace
