#include "editors/kinds/gdi_plus_units_loader.h"

#include <algorithm>

namespace {

bool g_units_started = false;

}  // namespace

bool lxUnitsStarted() { return g_units_started; }

TlxUnitsLoader::~TlxUnitsLoader() { Finalize(); }

void TlxUnitsLoader::AddUnit(TlxUnitProc start, TlxUnitProc end) {
  if (start != nullptr) {
    if (in_library_module_) {
      start_list_.push_back(start);
    } else {
      g_units_started = true;
      start();
    }
  }
  if (end != nullptr)
    end_list_.push_back(end);
}

void TlxUnitsLoader::RemoveUnit(TlxUnitProc end) {
  const auto found = std::find(end_list_.begin(), end_list_.end(), end);
  if (found == end_list_.end())
    return;
  end_list_.erase(found);
  end();
}

void TlxUnitsLoader::Finalize() {
  if (g_units_started) {
    // An end procedure may remove others; take the list first.
    std::vector<TlxUnitProc> ends;
    ends.swap(end_list_);
    for (auto end = ends.rbegin(); end != ends.rend(); ++end)
      (*end)();
  }
  g_units_started = false;
  end_list_.clear();
}
