#include "printers/printer_module.h"

#include <mutex>

#include "printers/font.h"
#include "printers/communicator.h"
#include "printers/display_format.h"
#include "printers/printer.h"
#include "printers/printer_setup_rtti.h"
#include "printers/rtti_registry.h"

namespace {

struct ModuleState {
  TprPrintSystem* system = nullptr;
  std::unique_ptr<TprPrinterList> list;
  std::shared_ptr<TprPrinter> printer;
  std::shared_ptr<TprPrinterInfo> no_printer;
};

ModuleState& State() {
  static ModuleState state;
  return state;
}

// Objects are moved out under the lock and freed after it: freeing a
// printer object takes its own locks and may ask for the list again.
void DiscardPrinterAndList(std::unique_ptr<TprPrinterList>& list, std::shared_ptr<TprPrinter>& printer) {
  std::lock_guard lock(prPrinterModuleLock());
  printer = std::move(State().printer);
  list = std::move(State().list);
}

}  // namespace

TCriticalSection& prPrinterModuleLock() {
  static TCriticalSection lock;
  return lock;
}

TprPrintSystem& prGetPrintSystem() {
  std::lock_guard lock(prPrinterModuleLock());
  return State().system != nullptr ? *State().system : prOperatingSystemPrintSystem();
}

void prUsePrintSystem(TprPrintSystem* system) {
  std::unique_ptr<TprPrinterList> list;
  std::shared_ptr<TprPrinter> printer;
  DiscardPrinterAndList(list, printer);
  std::lock_guard lock(prPrinterModuleLock());
  State().system = system;
}

TprPrinterList& prGetPrinterList() {
  std::lock_guard lock(prPrinterModuleLock());
  ModuleState& state = State();
  if (!state.list) {
    state.list = std::make_unique<TprPrinterList>(&prGetPrintSystem());
    // The printer object holds entries of this list; a refresh starts it
    // afresh. Only this list's refreshes do: other lists have no printer.
    state.list->OnEntriesDiscarded = [] {
      std::shared_ptr<TprPrinter> discarded;
      {
        std::lock_guard inner(prPrinterModuleLock());
        discarded = std::move(State().printer);
      }
    };
  }
  return *state.list;
}

std::shared_ptr<TprPrinter> prGetPrinter() {
  std::lock_guard lock(prPrinterModuleLock());
  if (!State().printer)
    State().printer = std::make_shared<TprPrinter>();
  return State().printer;
}

std::shared_ptr<TprPrinterInfo> prCreateNoPrinterInfo() {
  std::lock_guard lock(prPrinterModuleLock());
  State().no_printer = std::make_shared<TprPrinterInfo>("No Printer Installed", true, std::string(),
                                                        std::string("None"), std::string("None"),
                                                        &prGetPrintSystem());
  return State().no_printer;
}

std::shared_ptr<TprPrinterInfo> prNoPrinterInfo() {
  std::lock_guard lock(prPrinterModuleLock());
  return State().no_printer;
}

void prPrintrInitialize() {
  prGetPrintSystem();
  prRegisterFontClass();
  prRegisterRTTI(StatelessInstance<TrtTprPrinterSetupRTTI>());
}

void prPrintrFinalize() {
  std::unique_ptr<TprPrinterList> list;
  std::shared_ptr<TprPrinter> printer;
  std::shared_ptr<TprPrinterInfo> no_printer;
  DiscardPrinterAndList(list, printer);
  {
    std::lock_guard lock(prPrinterModuleLock());
    no_printer = std::move(State().no_printer);
  }
  prUnregisterRTTI(StatelessInstance<TrtTprPrinterSetupRTTI>());
  prUnregisterFontClass();
}

void prInitializePrinterLibrary() {
  prRttiInitialize();
  prRegisterRTTI(StatelessInstance<TrtTprCommunicatorRTTI>());
  prSetDisplayFormatClass(&StatelessInstance<TprDisplayFormat>());
  prPrintrInitialize();
}

void prFinalizePrinterLibrary() {
  prPrintrFinalize();
  prSetDisplayFormatClass(nullptr);
  prUnregisterRTTI(StatelessInstance<TrtTprCommunicatorRTTI>());
  prRttiFinalize();
}
