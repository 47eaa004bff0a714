#pragma once
// The program's entry and the order in which its modules start and end.

#include "app/config.h"

// Starts the modules the program stands on, in their order: the component
// library's foundation, the logging client's system layer and its manager,
// the printer library, then the application's own settings module last.
void StartProgramModules(std::unique_ptr<IConfigDesktop> config_desktop);

// Ends them in the reverse order of their start.
void EndProgramModules();

// Initialises the application object, creates the main window and runs the
// message loop until the main window closes. Reads no command line.
void ProgramMain();

// Lets the application object free its forms (the main window's OnDestroy
// runs here, while the application is being destroyed).
void EndApplication();
