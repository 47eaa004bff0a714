#include <windows.h>

#include "app/print_run.h"
#include "app/shell_win.h"
#include "platform/rtl/file_utils.h"

namespace {

class TShellDesktop final : public IPrintRunDesktop {
 public:
  explicit TShellDesktop(HWND owner) : owner_(owner) {}

  bool FileExists(const std::string& path) override { return ::FileExists(path); }
  void PrintTo(const std::string& path, const std::string& parameters) override {
    ShellPrintTo(owner_, path, parameters);
  }
  void Pause(int32_t milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  void CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close) override {
    ::CloseReaderWindows(title_part, before_close);
  }

 private:
  HWND owner_;
};

}  // namespace

std::unique_ptr<IPrintRunDesktop> CreateSystemPrintRunDesktop(TPrintRunOwner owner) {
  return std::make_unique<TShellDesktop>(static_cast<HWND>(owner));
}
