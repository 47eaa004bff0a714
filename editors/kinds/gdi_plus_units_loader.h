#pragma once
// TlxUnitsLoader: runs the start and end procedures of the image modules
// that need GDI+. In an executable a start procedure runs as it is added;
// inside a loadable library GDI+ must not start while the system's module
// loader is busy, so start procedures are held back there. End procedures
// run last to first when the loader finishes.

#include <vector>

#include "platform/rtl/object.h"

using TlxUnitProc = void (*)();

class TlxUnitsLoader : public TObject {
 public:
  static constexpr TClass kClass{"TlxUnitsLoader", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxUnitsLoader(bool in_library_module) : in_library_module_(in_library_module) {}
  ~TlxUnitsLoader() override;

  void AddUnit(TlxUnitProc start, TlxUnitProc end);
  // Takes the procedure off the end list and, when it was listed, runs it.
  void RemoveUnit(TlxUnitProc end);
  // Runs the end procedures (when starts have run) and forgets them.
  void Finalize();

  const std::vector<TlxUnitProc>& EndList() const { return end_list_; }
  const std::vector<TlxUnitProc>& StartList() const { return start_list_; }

 private:
  bool in_library_module_;
  std::vector<TlxUnitProc> end_list_;
  std::vector<TlxUnitProc> start_list_;
};

// The start flag is process-wide: whether start procedures have run directly.
bool lxUnitsStarted();
