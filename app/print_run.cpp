#include "app/print_run.h"

#include "app/config.h"

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
