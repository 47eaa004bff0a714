// Stand-in for the PDF reader: a visible window whose title is the first
// word of the command line (for example "Adobe Reader - x.pdf"); it ends on
// WM_CLOSE. With --log it appends "closed" to that file when asked to close,
// so that a test can tell the request arrived.
//
//   reader_standin.exe "Adobe Reader - x.pdf" [--log C:\x\reader.txt]
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/command_line.h"

namespace {

std::string g_log_path;

LRESULT CALLBACK ReaderWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      if (!g_log_path.empty()) {
        if (FILE* file = std::fopen(g_log_path.c_str(), "ab")) {
          std::fputs("closed\n", file);
          std::fclose(file);
        }
      }
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  const tools::CommandLine command_line = tools::ParseProcessCommandLine();
  const std::string title = command_line.words.empty() ? "Adobe Reader" : command_line.words.front();
  g_log_path = command_line.Option("log");

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ReaderWindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "ReaderStandIn";
  if (!RegisterClassA(&window_class))
    return 1;
  HWND window = CreateWindowExA(0, "ReaderStandIn", title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
  if (!window)
    return 1;
  ShowWindow(window, show_command);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
