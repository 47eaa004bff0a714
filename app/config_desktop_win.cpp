#include <windows.h>

#include "app/config.h"
#include "app/logging_setup.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/message_dialog.h"

namespace {

class TProgramDesktop final : public IConfigDesktop {
 public:
  std::string ProgramFileName() override { return Application->ExeName(); }
  std::string CurrentDirectory() override { return GetCurrentDir(); }
  bool ApplicationDestroying() override {
    const TApplication* application = CurrentApplication();
    return application != nullptr && application->IsDestroying();
  }
  void ShowWarning(const std::string& text) override { MessageDlg(text, mtWarning, {mbOK}, 0); }
  void ShowError(const std::string& text) override { MessageDlg(text, mtError, {mbOK}, 0); }
  std::string WindowsFolder() override {
    std::u16string buffer(MAX_PATH + 1, u'\0');
    const UINT length =
        GetWindowsDirectoryW(reinterpret_cast<WCHAR*>(buffer.data()), static_cast<UINT>(buffer.size()));
    if (length == 0 || length >= buffer.size())
      return {};
    buffer.resize(length);
    return Utf16ToUtf8(buffer);
  }
  void ConfigureLogging(const LogWireSettings& settings) override { ApplyLogWireSettings(settings); }
};

}  // namespace

std::unique_ptr<IConfigDesktop> CreateSystemConfigDesktop() { return std::make_unique<TProgramDesktop>(); }
