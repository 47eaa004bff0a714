#pragma once
// TGraphicsObject: the base of the canvas's font, pen and brush. Each owns
// the GDI handle it creates from its settings, recreates it lazily after a
// change, and tells its user (OnChange) that it changed.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/rtl/persistent.h"

// Handles that control canvases left selected in a context handed to them
// by a painter, so that the next control painted on the same context finds
// an equal font, pen or brush already there. A selected object cannot be
// deleted: before its handle goes, it leaves every context it was left in.
class LeftSelections {
 public:
  // `handle`, an object of `kind` (OBJ_FONT, OBJ_PEN or OBJ_BRUSH), stays
  // selected in `dc` after its canvas let go of the context; it takes the
  // place of the object of its kind noted there before.
  static void Note(HDC dc, HGDIOBJ handle, UINT kind) {
    std::lock_guard guard(Mutex());
    auto& entries = Entries();
    auto same_place = std::find_if(entries.begin(), entries.end(),
                                   [&](const Entry& entry) { return entry.dc == dc && entry.kind == kind; });
    if (same_place != entries.end()) {
      same_place->handle = handle;
      return;
    }
    // Contexts that were deleted or reset meanwhile hold none of these any
    // more; drop them now and then so that the list stays short.
    if (entries.size() >= kPruneThreshold)
      std::erase_if(entries, [](const Entry& entry) { return !entry.StillSelected(); });
    entries.push_back({dc, handle, kind});
  }

  // Puts a stock object in the place of `handle` wherever it was left and
  // still is selected; called just before the handle is deleted.
  static void Withdraw(HGDIOBJ handle) {
    std::lock_guard guard(Mutex());
    std::erase_if(Entries(), [&](const Entry& entry) {
      if (entry.handle != handle)
        return false;
      if (entry.StillSelected())
        SelectObject(entry.dc, StockObjectOfKind(entry.kind));
      return true;
    });
  }

  // The stock object a canvas selects in place of its own of that kind.
  static HGDIOBJ StockObjectOfKind(UINT kind) {
    switch (kind) {
      case OBJ_FONT: return GetStockObject(SYSTEM_FONT);
      case OBJ_PEN: return GetStockObject(BLACK_PEN);
      default: return GetStockObject(HOLLOW_BRUSH);
    }
  }

 private:
  static constexpr size_t kPruneThreshold = 32;
  struct Entry {
    HDC dc;
    HGDIOBJ handle;
    UINT kind;
    bool StillSelected() const { return GetCurrentObject(dc, kind) == handle; }
  };
  // Never destroyed: objects that live until the process ends still give
  // their handles back at exit, after function statics are gone.
  static std::vector<Entry>& Entries() {
    static auto* entries = new std::vector<Entry>();
    return *entries;
  }
  static std::mutex& Mutex() {
    static auto* mutex = new std::mutex();
    return *mutex;
  }
};

// Equal settings share one handle: the system keeps some state per handle
// (a font's realization, a pen's prepared pattern), and a canvas per control
// would otherwise build and select it once per control. The key is the
// settings' bytes; a handle is deleted when its last user lets go. A cache
// is never destroyed: objects that live until the process ends still give
// their handles back at exit, after function statics are gone.
class SharedHandles {
 public:
  // The handle for `key`, made by `create` when there is none yet; null if
  // `create` fails. Every handle returned is released once.
  template <class Create>
  HGDIOBJ Acquire(const std::string& key, Create create) {
    std::lock_guard guard(mutex_);
    Entry& entry = by_key_[key];
    if (entry.handle == nullptr) {
      entry.handle = create();
      if (entry.handle == nullptr) {
        by_key_.erase(key);
        return nullptr;
      }
      key_of_.emplace(entry.handle, key);
    }
    ++entry.users;
    return entry.handle;
  }

  // Returns false for a handle that did not come from this cache.
  bool Release(HGDIOBJ handle) {
    std::lock_guard guard(mutex_);
    const auto key = key_of_.find(handle);
    if (key == key_of_.end())
      return false;
    const auto entry = by_key_.find(key->second);
    if (--entry->second.users <= 0) {
      LeftSelections::Withdraw(handle);
      DeleteObject(handle);
      by_key_.erase(entry);
      key_of_.erase(key);
    }
    return true;
  }

  // The settings as the key's bytes.
  template <class Settings>
  static std::string KeyOf(const Settings& settings) {
    return std::string(reinterpret_cast<const char*>(&settings), sizeof(settings));
  }

 private:
  struct Entry {
    HGDIOBJ handle = nullptr;
    int32_t users = 0;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> by_key_;
  std::map<HGDIOBJ, std::string> key_of_;
};

class TGraphicsObject : public TPersistent {
 public:
  static constexpr TClass kClass{"TGraphicsObject", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TGraphicsObject() = default;
  // Derived classes that dispose of handles their own way free them in
  // their own destructor (virtual calls do not reach them from here).
  ~TGraphicsObject() override { FreeHandle(); }

  TNotifyEvent OnChange;

  // True while a handle exists; a canvas asks before it selects one.
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  // Drops the handle (it is rebuilt on next use) and fires OnChange. The
  // user hears of the change before the old handle is deleted, so that a
  // canvas can deselect it first: a selected object cannot be deleted.
  void Changed() { ReplaceHandle(nullptr); }
  void ReplaceHandle(HGDIOBJ handle) {
    HGDIOBJ old = handle_;
    const bool owned = owns_handle_;
    handle_ = handle;
    owns_handle_ = true;
    if (OnChange)
      OnChange(this);
    if (old != nullptr && owned && old != handle)
      DisposeHandle(old);
  }
  void FreeHandle() {
    if (handle_ != nullptr && owns_handle_)
      DisposeHandle(handle_);
    handle_ = nullptr;
    owns_handle_ = true;
  }
  virtual void DisposeHandle(HGDIOBJ handle) {
    LeftSelections::Withdraw(handle);
    DeleteObject(handle);
  }
  HGDIOBJ handle_ = nullptr;
  bool owns_handle_ = true;
};
