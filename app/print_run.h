#pragma once
// The print run's rules: every listed file that still exists goes to the
// shell's "printto" in the list's order, with a pause and the reader windows
// asked to close after each; a file the shell refuses does not end the run.
// The run reaches the shell, the pause and the desktop's windows through
// IPrintRunDesktop, so that its rules are checked in the native build too.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/object.h"

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

// What a print run needs of the system.
class IPrintRunDesktop : public virtual IInterface {
 public:
  // Whether the file is still there to be printed.
  virtual bool FileExists(const std::string& path) = 0;
  // Hands `path` to the program registered for "printto" with the printer
  // names in `parameters`, and returns once that program has got so far that
  // the next file cannot overtake it (bounded, so a hung handler costs one
  // bound). A refusal of the shell raises Exception with the system's reason.
  virtual void PrintTo(const std::string& path, const std::string& parameters) = 0;
  // Waits `milliseconds`; 0 waits not at all.
  virtual void Pause(int32_t milliseconds) = 0;
  // Asks every window of another program whose title contains
  // `title_part` to close; `before_close` runs before each request.
  virtual void CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close) = 0;
};

// A window handle (an HWND), opaque so that portable code needs no
// windows.h: the window that owns the shell's requests.
using TPrintRunOwner = void*;

// The system's desktop: the shell and the windows of this computer, the
// shell's requests owned by `owner`. The native build has no shell; there
// every file is refused.
std::unique_ptr<IPrintRunDesktop> CreateSystemPrintRunDesktop(TPrintRunOwner owner);

struct TPrintRunRequest {
  // The files in the list's order.
  std::vector<std::string> paths;
  // The printer names as PrintToParameters gives them.
  std::string parameters;
  int32_t pause_to_destroy = 0;
  std::string reader_title;
  // Runs before each file with the number of files begun so far (1 for the
  // first).
  std::function<void(int32_t)> on_progress;
  // Gets each path before it is tried, and "PostMessage" before each close
  // request: what the run tells the logging client.
  std::function<void(const std::string&)> log;
};

// One file the shell refused, and the system's reason.
struct TPrintRunFailure {
  size_t index = 0;
  std::string path;
  std::string reason;
};

struct TPrintRunResult {
  // Indexes into the request's paths of the files that leave the list: those
  // handed to the shell and those that no longer exist.
  std::vector<size_t> finished;
  // The refused files, in the list's order; their rows stay.
  std::vector<TPrintRunFailure> failures;

  bool AllFinished() const { return failures.empty(); }
};

// Runs the print run over `request.paths`. A refusal of the shell is noted
// and the run goes on with the next file; any other error passes on.
TPrintRunResult RunPrint(IPrintRunDesktop& desktop, const TPrintRunRequest& request);

// The one message that names each refused file with its reason; empty when
// none was refused.
std::string PrintFailureMessage(const std::vector<TPrintRunFailure>& failures);
