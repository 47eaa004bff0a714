// Stand-in for the log dispatcher: a window of class "TFrmDispatcher" titled
// "LogWire Dispatcher" that records every WM_COPYDATA it receives as one line
// "<dwData> <size> <bytes in hex>" in the file named by --log, and answers
// with --answer (default 1).
//
//   log_dispatcher_standin.exe --log C:\x\received.txt [--answer 0]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/command_line.h"

namespace {

struct DispatcherState {
  std::string log_path;
  LRESULT answer = 1;
};

DispatcherState g_state;

void AppendRecord(const COPYDATASTRUCT& data) {
  std::string line = std::to_string(static_cast<unsigned long long>(data.dwData)) + " " +
                     std::to_string(data.cbData) + " ";
  static constexpr char kHex[] = "0123456789abcdef";
  const auto* bytes = static_cast<const unsigned char*>(data.lpData);
  for (DWORD i = 0; bytes && i < data.cbData; ++i) {
    line += kHex[bytes[i] >> 4];
    line += kHex[bytes[i] & 0xF];
  }
  line += "\n";
  // Opened per record so that a reader of the file sees each line at once.
  if (FILE* file = std::fopen(g_state.log_path.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  }
}

LRESULT CALLBACK DispatcherWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COPYDATA:
      if (!g_state.log_path.empty())
        AppendRecord(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      return g_state.answer;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const tools::CommandLine command_line = tools::ParseProcessCommandLine();
  g_state.log_path = command_line.Option("log");
  g_state.answer = std::strtol(command_line.Option("answer", "1").c_str(), nullptr, 10);

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DispatcherWindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "TFrmDispatcher";
  if (!RegisterClassA(&window_class))
    return 1;
  HWND window = CreateWindowExA(0, "TFrmDispatcher", "LogWire Dispatcher", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance,
                                nullptr);
  if (!window)
    return 1;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
