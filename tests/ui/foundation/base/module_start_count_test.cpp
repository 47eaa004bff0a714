#include "ui/foundation/base/module_start_count.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(ModuleStartCountTest, OnlyTheFirstStartAndTheBalancingEndDoTheWork) {
  TlxModuleStartCount module;
  std::string log;
  const auto start = [&] { log += "S"; };
  const auto end = [&] { log += "E"; };
  module.End(end);  // an end before any start
  module.Start(start);
  module.Start(start);
  EXPECT_EQ(module.Count(), 2);
  module.End(end);
  EXPECT_TRUE(module.Started());
  module.End(end);
  module.End(end);
  EXPECT_EQ(log, "SE");
  EXPECT_FALSE(module.Started());
  module.Start(start);  // a module may start again after it ended
  EXPECT_EQ(log, "SES");
}

TEST(ModuleStartCountTest, AStartThatFailsLeavesTheModuleStopped) {
  TlxModuleStartCount module;
  EXPECT_THROW(module.Start([] { throw std::runtime_error("no resources"); }), std::runtime_error);
  EXPECT_FALSE(module.Started());
  int32_t ends = 0;
  module.End([&] { ++ends; });
  EXPECT_EQ(ends, 0);
  int32_t starts = 0;
  module.Start([&] { ++starts; });
  EXPECT_EQ(starts, 1);
}

}  // namespace
