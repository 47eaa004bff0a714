#include "platform/rtl/locale.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

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
  std::vector<std::pair<int, TLocaleListener>> listeners;
  int next_listener_id = 1;
};

LocaleStore& Store() {
  static LocaleStore store;
  return store;
}

void NotifyListeners() {
  std::vector<TLocaleListener> listeners;
  {
    std::lock_guard lock(Store().mutex);
    for (const auto& entry : Store().listeners)
      listeners.push_back(entry.second);
  }
  // Called outside the lock: a listener may well ask for the locale.
  for (const auto& listener : listeners)
    listener();
}

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

int AddLocaleListener(TLocaleListener listener) {
  std::lock_guard lock(Store().mutex);
  const int id = Store().next_listener_id++;
  Store().listeners.emplace_back(id, std::move(listener));
  return id;
}

void RemoveLocaleListener(int id) {
  std::lock_guard lock(Store().mutex);
  auto& listeners = Store().listeners;
  listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                 [id](const auto& entry) { return entry.first == id; }),
                  listeners.end());
}

TScopedLocale::TScopedLocale(std::string_view name) : previous_(UserLocale()) {
  SetUserLocale(CreateLocale(name));
}

TScopedLocale::~TScopedLocale() { RestoreUserLocale(previous_); }
