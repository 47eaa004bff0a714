#include "tests/support/helper_process.h"

#include <utility>

#include "tests/support/message_pump.h"
#include "tests/support/window_finder.h"

namespace test_support {
namespace {

struct ProcessWindowSearch {
  DWORD process_id;
  const std::string* title_part;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<ProcessWindowSearch*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id)
    return TRUE;
  if (WindowTitle(window).find(*search->title_part) == std::string::npos)
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HelperProcess::HelperProcess(HelperProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

HelperProcess& HelperProcess::operator=(HelperProcess&& other) noexcept {
  if (this != &other) {
    Terminate();
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

HelperProcess::~HelperProcess() { Terminate(); }

bool HelperProcess::Start(const std::string& executable, const std::string& arguments,
                          const std::string& working_directory) {
  Terminate();
  std::string command_line = "\"" + executable + "\"";
  if (!arguments.empty())
    command_line += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const char* directory = working_directory.empty() ? nullptr : working_directory.c_str();
  if (!CreateProcessA(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                      &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool HelperProcess::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> HelperProcess::WaitForExit(uint32_t max_milliseconds) {
  if (!process_)
    return std::nullopt;
  const bool ended = PumpUntil([&] { return !running(); }, max_milliseconds);
  if (!ended)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

HWND HelperProcess::WaitForWindow(const std::string& title_part, uint32_t max_milliseconds) const {
  ProcessWindowSearch search{id_, &title_part, nullptr};
  PumpUntil(
      [&] {
        EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      max_milliseconds);
  return search.found;
}

void HelperProcess::Terminate() {
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  Close();
}

void HelperProcess::Close() {
  if (process_)
    CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

}  // namespace test_support
