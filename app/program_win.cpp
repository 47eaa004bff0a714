#include "app/program_win.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/logging_setup.h"
#include "app/main_window_win.h"
#include "logging/logging_module.h"
#include "logging/system_info.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/message_dialog.h"
#include "printers/printer_module.h"

namespace {

std::string WindowsFolder() {
  std::u16string buffer(MAX_PATH + 1, u'\0');
  const UINT length = GetWindowsDirectoryW(reinterpret_cast<WCHAR*>(buffer.data()),
                                           static_cast<UINT>(buffer.size()));
  if (length == 0 || length >= buffer.size())
    return {};
  buffer.resize(length);
  return Utf16ToUtf8(buffer);
}

bool ApplicationBeingDestroyed() {
  const TApplication* application = CurrentApplication();
  return application != nullptr && application->IsDestroying();
}

}  // namespace

ConfigServices DesktopConfigServices() {
  ConfigServices services;
  services.program_file_name = [] { return Application->ExeName(); };
  services.current_directory = [] { return GetCurrentDir(); };
  services.application_destroying = ApplicationBeingDestroyed;
  services.show_warning = [](const std::string& text) { MessageDlg(text, mtWarning, {mbOK}, 0); };
  services.show_error = [](const std::string& text) { MessageDlg(text, mtError, {mbOK}, 0); };
  services.windows_folder = WindowsFolder;
  services.configure_logging = ApplyLogWireSettings;
  return services;
}

void StartProgramModules(ConfigServices services) {
  LogWireGlobalInitialize();
  LogWireLoggingInitialize();
  prInitializePrinterLibrary();
  uConfigInitialize(std::move(services));
}

void EndProgramModules() {
  ClearPdfReaderTitle();
  uConfigFinalize();
  prFinalizePrinterLibrary();
  LogWireLoggingFinalize();
  LogWireGlobalFinalize();
}

void ProgramMain() {
  Application->Initialize();
  Application->SetTitle("Lumar PDF Printer");
  TfmMain* fmMain = nullptr;
  Application->CreateForm(fmMain);
  Application->Run();
}

void EndApplication() { DoneApplication(); }
