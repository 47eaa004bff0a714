#include "app/print_run.h"

#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/thread.h"

namespace {

// No shell and no reader windows in the native build: the files are there,
// but no program is registered to print them.
class TNoShellDesktop final : public IPrintRunDesktop {
 public:
  bool FileExists(const std::string& path) override { return ::FileExists(path); }
  void PrintTo(const std::string& /*path*/, const std::string& /*parameters*/) override {
    throw Exception("Für diese Datei ist kein Programm zum Drucken eingetragen.");
  }
  void Pause(int32_t milliseconds) override { TThread::Sleep(static_cast<uint32_t>(milliseconds)); }
  void CloseReaderWindows(const std::string& /*title_part*/, const std::function<void()>& /*before_close*/) override {}
};

}  // namespace

std::unique_ptr<IPrintRunDesktop> CreateSystemPrintRunDesktop(TPrintRunOwner /*owner*/) {
  return std::make_unique<TNoShellDesktop>();
}
