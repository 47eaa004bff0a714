#include "app/print_run.h"

#include "app/config.h"
#include "platform/rtl/exceptions.h"

std::string PrintToParameters(const TPrinterInfo& info) {
  return "\"" + info.device + "\" \"" + info.driver + "\" \"" + info.port + "\"";
}

int32_t ReadPauseToDestroy() {
  const int32_t pause = ConfigReadInt("PDFReader", "PauseToDestroy", kDefaultPauseToDestroy);
  if (pause >= 0)
    return pause;
  ConfigResetEntry("PDFReader", "PauseToDestroy", std::to_string(kDefaultPauseToDestroy));
  return kDefaultPauseToDestroy;
}

TPrintRunResult RunPrint(IPrintRunDesktop& desktop, const TPrintRunRequest& request) {
  const auto log = [&request](const std::string& text) {
    if (request.log)
      request.log(text);
  };
  TPrintRunResult result;
  for (size_t index = 0; index < request.paths.size(); ++index) {
    const std::string& path = request.paths[index];
    if (request.on_progress)
      request.on_progress(static_cast<int32_t>(index + 1));
    log(path);
    // A file that vanished since it was listed leaves the list unprinted,
    // without a word.
    if (!desktop.FileExists(path)) {
      result.finished.push_back(index);
      continue;
    }
    try {
      desktop.PrintTo(path, request.parameters);
    } catch (const Exception& refusal) {
      // Nothing was started for this file: no pause, nothing to close.
      result.failures.push_back({index, path, refusal.Message()});
      continue;
    }
    result.finished.push_back(index);
    desktop.Pause(request.pause_to_destroy);
    desktop.CloseReaderWindows(request.reader_title, [&log] { log("PostMessage"); });
  }
  return result;
}

std::string PrintFailureMessage(const std::vector<TPrintRunFailure>& failures) {
  if (failures.empty())
    return {};
  std::string text = failures.size() == 1 ? "Diese Datei konnte nicht gedruckt werden und bleibt in der Liste:"
                                          : "Diese Dateien konnten nicht gedruckt werden und bleiben in der Liste:";
  for (const TPrintRunFailure& failure : failures)
    text += "\n" + failure.path + ": " + failure.reason;
  return text;
}
