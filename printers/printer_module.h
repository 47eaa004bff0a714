#pragma once
// The printer module's process-wide objects: the printer list that printer
// objects and printer setups use, the printer object, and the info object
// that stands for "no printer installed". Each is made on first request
// under the module's lock and freed by prPrintrFinalize.
//
// The module works over the operating system's print system unless another
// one is installed (prUsePrintSystem), which rebuilds the list over it.

#include <memory>

#include "platform/rtl/thread.h"
#include "printers/print_system.h"
#include "printers/printer_list.h"

class TprPrinter;

TCriticalSection& prPrinterModuleLock();

TprPrintSystem& prGetPrintSystem();
// Installs `system` (null: the operating system's) and discards the list
// and the printer object made over the previous one.
void prUsePrintSystem(TprPrintSystem* system);

TprPrinterList& prGetPrinterList();
// The process-wide printer object; a refresh of the list discards it, so
// hold the pointer rather than the object.
std::shared_ptr<TprPrinter> prGetPrinter();

// An info object named "No Printer Installed" (driver and device "None",
// empty port), kept as the module's and returned.
std::shared_ptr<TprPrinterInfo> prCreateNoPrinterInfo();
std::shared_ptr<TprPrinterInfo> prNoPrinterInfo();

// Module start and end; the end frees the process-wide objects and
// unregisters the printer setup's type information. Repeating either does
// no harm.
void prPrintrInitialize();
void prPrintrFinalize();

// The whole library in its order: the report library's type registry,
// communicator type information and display formatter, then the printer
// module; finalised in reverse.
void prInitializePrinterLibrary();
void prFinalizePrinterLibrary();
