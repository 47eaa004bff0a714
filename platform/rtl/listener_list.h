#pragma once
// A thread-safe list of parameterless listeners with ids, for process-wide
// notifications (locale changed, time changed).

#include <algorithm>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

class TListenerList {
 public:
  using Listener = std::function<void()>;

  int Add(Listener listener) {
    std::lock_guard lock(mutex_);
    const int id = next_id_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
  }

  void Remove(int id) {
    std::lock_guard lock(mutex_);
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [id](const auto& entry) { return entry.first == id; }),
                     listeners_.end());
  }

  // Calls every listener outside the lock: a listener may add or remove
  // listeners, or ask for whatever changed.
  void Notify() const {
    std::vector<Listener> copy;
    {
      std::lock_guard lock(mutex_);
      for (const auto& entry : listeners_)
        copy.push_back(entry.second);
    }
    for (const auto& listener : copy)
      listener();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<int, Listener>> listeners_;
  int next_id_ = 1;
};
