#include "platform/db/controls_disabled_scope.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;
using db_test::TRecordingLink;
using Log = std::vector<std::string>;

struct ControlsDisabledScope : ::testing::Test {
  ControlsDisabledScope() {
    list.AddRows(3);
    link.SetDataSource(list.source);
    link.Take();
  }
  TFileList list;
  TRecordingLink link;
};

TEST_F(ControlsDisabledScope, HoldsNotificationsBackUntilItEnds) {
  {
    TControlsDisabledScope quiet(*list.cds);
    EXPECT_TRUE(list.cds->ControlsDisabled());
    list.cds->First();
    list.cds->Delete();
    list.Add("C:\\x.pdf", 1, 0, 9);
    EXPECT_TRUE(link.Take().empty());
  }
  EXPECT_FALSE(list.cds->ControlsDisabled());
  EXPECT_EQ(link.Take(), Log{"changed"});
}

TEST_F(ControlsDisabledScope, EnablesTheControlsWhenAnExceptionLeaves) {
  EXPECT_THROW(
      {
        TControlsDisabledScope quiet(*list.cds);
        list.cds->EmptyDataSet();
        throw std::runtime_error("reading a file failed");
      },
      std::runtime_error);
  EXPECT_FALSE(list.cds->ControlsDisabled());
  EXPECT_EQ(link.Take(), Log{"changed"}) << "the controls still hear of the change made before the failure";
}

TEST_F(ControlsDisabledScope, AFailingHandlerAtTheEndPassesOn) {
  list.source->OnDataChange = [](TObject*, TField*) { throw std::logic_error("handler failed"); };
  EXPECT_THROW({ TControlsDisabledScope quiet(*list.cds); }, std::logic_error);
  EXPECT_FALSE(list.cds->ControlsDisabled());
}

TEST_F(ControlsDisabledScope, AFailingHandlerDoesNotReplaceTheWorksException) {
  list.source->OnDataChange = [](TObject*, TField*) { throw std::logic_error("handler failed"); };
  EXPECT_THROW(
      {
        TControlsDisabledScope quiet(*list.cds);
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_FALSE(list.cds->ControlsDisabled());
}

}  // namespace
