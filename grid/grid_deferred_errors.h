#pragma once
// Errors raised while a grid lays out or paints (a summary whose format
// fails, a text handler that throws) must not open a message box inside
// WM_PAINT: the box's own message loop asks for the same paint again and
// the box comes back on every repaint. Such an error is kept here and
// reported once, after the paint has ended; while its source keeps failing
// in the same way it is not reported again.

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TlxGridDeferredErrors {
 public:
  // Called from a catch block of std::exception: keeps the current exception of `source`
  // for `owner` (the view that paints it) unless the same error of that
  // source was kept or reported before.
  void CaptureCurrent(const void* owner, const void* source);
  // The source produced its value without an error: a later failure of it
  // is news again.
  void SourceSucceeded(const void* owner, const void* source);
  // Hands every kept error of `owner` to `report`, oldest first, and
  // remembers them as reported. A report that raises keeps the rest for
  // the next flush.
  void Flush(const void* owner, const std::function<void(const std::exception_ptr&)>& report);
  // The owner goes away: nothing of it is kept or remembered.
  void Forget(const void* owner);
  bool HasPending(const void* owner) const;

 private:
  struct Entry {
    const void* Owner;
    const void* Source;
    std::string Message;
    std::exception_ptr Error;
  };
  static bool Same(const Entry& entry, const void* owner, const void* source, const std::string& message);

  std::vector<Entry> pending_;
  std::vector<Entry> reported_;
};

// The grid module's single store; grids live on the GUI thread only.
TlxGridDeferredErrors& lxGridDeferredErrors();
