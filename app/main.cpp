// Program entry: the modules start, the main window runs until it closes,
// the application frees its windows, and the modules end in reverse order.
#include <windows.h>

#include "app/program_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartProgramModules(CreateSystemConfigDesktop());
  ProgramMain();
  EndApplication();
  EndProgramModules();
  return 0;
}
