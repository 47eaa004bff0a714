#pragma once
// The pieces of the print run that do not need the main window: the
// printer's names as the reader gets them, and the reader's pause.

#include <cstdint>
#include <string>

// The selected printer's names, in the order the reader takes them.
struct TPrinterInfo {
  std::string device;
  std::string driver;
  std::string port;
};

// "device" "driver" "port": each name in double quotes, one blank between.
std::string PrintToParameters(const TPrinterInfo& info);

inline constexpr int32_t kDefaultPauseToDestroy = 3000;

// Reads "PauseToDestroy" from the open program INI. A negative pause would
// make the run wait forever, so it is reset to the default with the same
// message as a malformed value.
int32_t ReadPauseToDestroy();
