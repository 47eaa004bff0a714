#include "platform/rtl/locale.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/rtl/listener_list.h"

TLocale::~TLocale() = default;

namespace {

// Every locale ever installed stays alive until the end of the run, so that
// a reference from UserLocale() never dangles while another thread swaps the
// locale; only a settings change or a test installs one, so the list stays
// short.
struct LocaleStore {
  std::mutex mutex;
  std::vector<std::unique_ptr<TLocale>> installed;
  std::atomic<const TLocale*> current{nullptr};
  TListenerList listeners;
};

LocaleStore& Store() {
  static LocaleStore store;
  return store;
}

void NotifyListeners() { Store().listeners.Notify(); }

void Install(std::unique_ptr<TLocale> locale) {
  LocaleStore& store = Store();
  {
    std::lock_guard lock(store.mutex);
    store.current.store(locale.get(), std::memory_order_release);
    store.installed.push_back(std::move(locale));
  }
  NotifyListeners();
}

}  // namespace

const TLocale& UserLocale() {
  LocaleStore& store = Store();
  if (const TLocale* current = store.current.load(std::memory_order_acquire))
    return *current;
  std::unique_ptr<TLocale> machine = CreateMachineLocale();
  std::lock_guard lock(store.mutex);
  // Another thread may have won the race to the first locale.
  if (const TLocale* current = store.current.load(std::memory_order_acquire))
    return *current;
  const TLocale* installed = machine.get();
  store.installed.push_back(std::move(machine));
  store.current.store(installed, std::memory_order_release);
  return *installed;
}

void SetUserLocale(std::unique_ptr<TLocale> locale) {
  if (locale)
    Install(std::move(locale));
}

void RestoreUserLocale(const TLocale& earlier) {
  LocaleStore& store = Store();
  {
    std::lock_guard lock(store.mutex);
    const bool known = std::any_of(store.installed.begin(), store.installed.end(),
                                   [&](const auto& locale) { return locale.get() == &earlier; });
    if (!known)
      return;
    store.current.store(&earlier, std::memory_order_release);
  }
  NotifyListeners();
}

void ReloadUserLocale() { Install(CreateMachineLocale()); }

int AddLocaleListener(TLocaleListener listener) { return Store().listeners.Add(std::move(listener)); }

void RemoveLocaleListener(int id) { Store().listeners.Remove(id); }

TScopedLocale::TScopedLocale(std::string_view name) : previous_(UserLocale()) {
  SetUserLocale(CreateLocale(name));
}

TScopedLocale::~TScopedLocale() { RestoreUserLocale(previous_); }
