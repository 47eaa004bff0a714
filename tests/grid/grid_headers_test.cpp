// The portable headers of the grid compile in the native build too.
#include <gtest/gtest.h>

#include "grid/grid_change.h"
#include "grid/grid_data_property.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_record_slots.h"
#include "grid/grid_summary_sorting.h"

namespace {

TEST(GridPortableHeaders, ChangeBaseAnswersItsDefaults) {
  struct Probe : TlxCustomGridChange {
    void Execute() override {}
  };
  Probe probe;
  Probe other;
  EXPECT_TRUE(probe.RunsLocked());
  EXPECT_TRUE(probe.IsMergeable());
  EXPECT_TRUE(probe.CanQueue());
  EXPECT_FALSE(probe.IsCoveredBy(other));
  EXPECT_TRUE(probe.IsEqual(other));
}

}  // namespace
