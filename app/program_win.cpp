#include "app/program_win.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/grid_modules_win.h"
#include "app/logging_setup.h"
#include "app/main_window_win.h"
#include "logging/logging_module.h"
#include "logging/system_info.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/message_dialog.h"
#include "printers/printer_module.h"
#include "ui/foundation/foundation_start_win.h"

void StartProgramModules(std::unique_ptr<IConfigDesktop> config_desktop) {
  // The component library first: everything that draws stands on it.
  lxStartFoundation();
  StartFileListGridModules();
  LogWireGlobalInitialize();
  LogWireLoggingInitialize();
  prInitializePrinterLibrary();
  uConfigInitialize(std::move(config_desktop));
}

void EndProgramModules() {
  uConfigFinalize();
  prFinalizePrinterLibrary();
  LogWireLoggingFinalize();
  LogWireGlobalFinalize();
  EndFileListGridModules();
  lxEndFoundation();
}

void ProgramMain() {
  Application->Initialize();
  Application->SetTitle("Lumar PDF Printer");
  TfmMain* fmMain = nullptr;
  Application->CreateForm(fmMain);
  Application->Run();
}

void EndApplication() { DoneApplication(); }
