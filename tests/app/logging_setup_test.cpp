// The settings' "LogWire" switches reach the logging client.
#include <gtest/gtest.h>

#include "app/config.h"
#include "app/logging_setup.h"
#include "logging/destination.h"
#include "logging/log_file_destination.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/viewer_destination.h"

namespace {

TEST(ApplyLogWireSettings, SetsTheManagerAndItsDefaultDestination) {
  LogWireLoggingInitialize();
  LogWireSettings settings;
  settings.enabled = true;
  settings.live_viewer = true;
  settings.log_file = false;
  settings.log_file_name = "LumarPdfPrinter.csl";
  settings.log_file_folder = "C:\\Programme\\Lumar\\";
  ApplyLogWireSettings(settings);

  TLogWireManager* manager = GlobalLogWireManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(manager->Enabled());
  TLogWireDestination& destination = manager->DefaultDestination();
  EXPECT_TRUE(destination.Viewer().Active());
  EXPECT_FALSE(destination.LogFile().Active());
  EXPECT_EQ(destination.LogFile().FileName(), "LumarPdfPrinter.csl");
  EXPECT_EQ(destination.LogFile().FilePath(), "C:\\Programme\\Lumar\\");
  LogWireLoggingFinalize();
}

}  // namespace
