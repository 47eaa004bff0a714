#pragma once
// Starting and stopping other Windows programs (the program under test, the
// dispatcher and reader stand-ins) by process id, with bounded waits.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace test_support {

class HelperProcess {
 public:
  HelperProcess() = default;
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;
  HelperProcess(HelperProcess&& other) noexcept;
  HelperProcess& operator=(HelperProcess&& other) noexcept;
  // A process still running when its owner goes is terminated, so that a
  // failing test leaves nothing behind.
  ~HelperProcess();

  // Starts `executable` with the command-line tail `arguments` in
  // `working_directory` (this process's when empty); false when the process
  // could not be created.
  bool Start(const std::string& executable, const std::string& arguments = {},
             const std::string& working_directory = {});

  bool running() const;
  DWORD id() const { return id_; }

  // The exit code once the process ended within `max_milliseconds`.
  std::optional<DWORD> WaitForExit(uint32_t max_milliseconds = 15000);

  // The first top-level window of this process with a title containing
  // `title_part`, waited for up to `max_milliseconds`.
  HWND WaitForWindow(const std::string& title_part, uint32_t max_milliseconds = 15000) const;

  void Terminate();

 private:
  void Close();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace test_support
