#include "app/logging_setup.h"

#include "app/config.h"
#include "platform/rtl/exceptions.h"
#include "logging/destination.h"
#include "logging/log_file_destination.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/tcp_transport.h"
#include "logging/manager.h"
#include "logging/viewer_destination.h"

void ApplyLogWireSettings(const LogWireSettings& settings) {
  TLogWireManager* manager = GlobalLogWireManager();
  if (!manager)
    return;
  manager->SetEnabled(settings.enabled);
  TLogWireDestination& destination = manager->DefaultDestination();
  destination.Viewer().SetActive(settings.live_viewer);
  destination.LogFile().SetActive(settings.log_file);
  destination.LogFile().SetFileName(settings.log_file_name);
  destination.LogFile().SetFilePath(settings.log_file_folder);
  if (settings.tcp_transport) {
    LogWireInstallTcpTransport();
    try {
      manager->UseLocalTcpTransport();
    } catch (const Exception&) {
      // The socket layer could not be started: messages keep going by
      // window message.
    }
  }
  if (TLogWireLogger* logger = GlobalLogWireLogger())
    logger->SendNamedString("LogWire Einstellungen überschrieben", destination.GetDestinationString());
}
