// Stand-in for the log dispatcher: a window of class "TFrmDispatcher" titled
// "LogWire Dispatcher" that records every WM_COPYDATA it receives as one line
// "<dwData> <size> <bytes in hex>" in the file named by --log, and answers
// with --answer (default 1).
//
// With --port N it also listens on 127.0.0.1:N for the logging client's TCP
// frames (0x7F000000, the message type, the record size, each 32 bits most
// significant byte first, then the record). Each frame is recorded like a
// WM_COPYDATA, with the message type as the first number, and answered with
// --tcp-answer (default 1), or never with --tcp-silent.
//
// With --hang-after N it stands for a dispatcher that stops answering: the
// first N WM_COPYDATA messages are answered, the next one is recorded and
// then never answered, its window thread asleep until the process ends.
//
//   log_dispatcher_standin.exe --log C:\x\received.txt [--answer 0]
//                              [--hang-after 0]
//                              [--port 3434 [--tcp-answer 0 | --tcp-silent]]
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/command_line.h"

namespace {

struct DispatcherState {
  std::string log_path;
  LRESULT answer = 1;
  int32_t tcp_answer = 1;
  bool tcp_silent = false;
  // WM_COPYDATA messages answered before the window stops answering; none
  // when negative (it never stops).
  int64_t answers_before_hang = -1;
  // The window thread and the TCP connections write the log.
  std::mutex log_lock;
};

DispatcherState g_state;

void AppendRecord(unsigned long long id, const unsigned char* bytes, uint32_t size) {
  std::string line = std::to_string(id) + " " + std::to_string(size) + " ";
  static constexpr char kHex[] = "0123456789abcdef";
  for (uint32_t i = 0; bytes && i < size; ++i) {
    line += kHex[bytes[i] >> 4];
    line += kHex[bytes[i] & 0xF];
  }
  line += "\n";
  std::lock_guard<std::mutex> guard(g_state.log_lock);
  // Opened per record so that a reader of the file sees each line at once.
  if (FILE* file = std::fopen(g_state.log_path.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  }
}

void AppendRecord(const COPYDATASTRUCT& data) {
  AppendRecord(static_cast<unsigned long long>(data.dwData), static_cast<const unsigned char*>(data.lpData),
               data.cbData);
}

// ---- TCP frames ----------------------------------------------------------------------------

constexpr uint32_t kFrameMark = 0x7F000000;
// Larger records are not the logging client's; the connection is dropped.
constexpr uint32_t kMaximumRecordSize = 64 * 1024 * 1024;

bool ReceiveAll(SOCKET socket, unsigned char* buffer, uint32_t size) {
  uint32_t received = 0;
  while (received < size) {
    const int n = recv(socket, reinterpret_cast<char*>(buffer + received), static_cast<int>(size - received), 0);
    if (n <= 0)
      return false;
    received += static_cast<uint32_t>(n);
  }
  return true;
}

bool ReceiveUInt32(SOCKET socket, uint32_t& value) {
  unsigned char bytes[4];
  if (!ReceiveAll(socket, bytes, 4))
    return false;
  value = static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
          static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
  return true;
}

bool SendUInt32(SOCKET socket, uint32_t value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  return send(socket, bytes, 4, 0) == 4;
}

// One client: frames until it closes or sends something that is no frame.
void ServeFrames(SOCKET client) {
  std::vector<unsigned char> record;
  while (true) {
    uint32_t mark = 0;
    uint32_t type = 0;
    uint32_t size = 0;
    if (!ReceiveUInt32(client, mark) || mark != kFrameMark || !ReceiveUInt32(client, type) ||
        !ReceiveUInt32(client, size) || size > kMaximumRecordSize)
      break;
    record.resize(size);
    if (!ReceiveAll(client, record.data(), size))
      break;
    if (!g_state.log_path.empty())
      AppendRecord(type, record.data(), size);
    if (!g_state.tcp_silent && !SendUInt32(client, static_cast<uint32_t>(g_state.tcp_answer)))
      break;
  }
  closesocket(client);
}

void AcceptClients(SOCKET listener) {
  while (true) {
    const SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET)
      return;
    std::thread(ServeFrames, client).detach();
  }
}

// Listens on 127.0.0.1:port in a thread of its own; false when it cannot.
bool StartTcpListener(int port) {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
    return false;
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET)
    return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener, SOMAXCONN) != 0) {
    closesocket(listener);
    return false;
  }
  std::thread(AcceptClients, listener).detach();
  return true;
}

LRESULT CALLBACK DispatcherWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COPYDATA:
      if (!g_state.log_path.empty())
        AppendRecord(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
      if (g_state.answers_before_hang == 0)
        Sleep(INFINITE);
      if (g_state.answers_before_hang > 0)
        --g_state.answers_before_hang;
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
  g_state.tcp_answer = static_cast<int32_t>(std::strtoll(command_line.Option("tcp-answer", "1").c_str(), nullptr, 10));
  g_state.tcp_silent = command_line.Switch("tcp-silent");
  const std::string hang_after = command_line.Option("hang-after");
  if (!hang_after.empty())
    g_state.answers_before_hang = std::strtoll(hang_after.c_str(), nullptr, 10);
  const std::string port = command_line.Option("port");
  if (!port.empty() && !StartTcpListener(std::atoi(port.c_str())))
    return 2;

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
