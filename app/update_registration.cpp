#include "app/update_registration.h"

#include <chrono>
#include <memory>
#include <thread>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"

namespace {

constexpr int kOpenAttempts = 100;
// Another process holds the file for a short write; a small pause between
// attempts gives it time to finish instead of burning all attempts at once.
constexpr auto kPauseBetweenAttempts = std::chrono::milliseconds(5);

std::unique_ptr<TFileStream> OpenExclusiveWithRetry(const std::string& path) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    try {
      const uint16_t mode = FileExists(path) ? (fmOpenReadWrite | fmShareExclusive) : fmCreate;
      return std::make_unique<TFileStream>(path, mode);
    } catch (const Exception&) {
      std::this_thread::sleep_for(kPauseBetweenAttempts);
    }
  }
  return nullptr;
}

bool RegistrationNeeded(const std::string& path, const std::string& name, const std::string& folder) {
  if (!FileExists(path))
    return true;
  try {
    TStringList lines;
    lines.LoadFromFile(path);
    return lines.Values(name) != folder;
  } catch (const Exception&) {
    return true;
  }
}

}  // namespace

std::string UpdateToolIniPath(const std::string& windows_folder) {
  if (windows_folder.empty())
    return "C:\\CorvaneUpdates.ini";
  return windows_folder + PathDelim + "CorvaneUpdates.ini";
}

void RegisterInstallFolder(const std::string& program_file_name, const std::string& windows_folder,
                           const std::function<void(const std::string&)>& on_error) {
  const std::string path = UpdateToolIniPath(windows_folder);
  const std::string name = ExtractFileName(program_file_name);
  const std::string folder = ExtractFilePath(program_file_name);
  if (!RegistrationNeeded(path, name, folder))
    return;

  std::unique_ptr<TFileStream> file = OpenExclusiveWithRetry(path);
  if (!file) {
    if (on_error)
      on_error("Auf die CVU-Konfigurationsdatei konnte nicht zugegriffen werden.");
    return;
  }
  TStringList lines;
  lines.SetLineBreak("\r\n");
  lines.LoadFromStream(*file);
  lines.SetValues(name, folder);
  file->SetSize(0);
  file->SetPosition(0);
  lines.SaveToStream(*file);
}
