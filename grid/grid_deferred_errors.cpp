#include "grid/grid_deferred_errors.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace {

// The text that tells two failures of one source apart. Callers capture
// only from a catch block of std::exception.
std::string MessageOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& exception) {
    return exception.what();
  }
}

}  // namespace

bool TlxGridDeferredErrors::Same(const Entry& entry, const void* owner, const void* source,
                                 const std::string& message) {
  return entry.Owner == owner && entry.Source == source && entry.Message == message;
}

void TlxGridDeferredErrors::CaptureCurrent(const void* owner, const void* source) {
  std::exception_ptr error = std::current_exception();
  if (error == nullptr)
    return;
  std::string message = MessageOf(error);
  const auto matches = [&](const Entry& entry) { return Same(entry, owner, source, message); };
  if (std::any_of(pending_.begin(), pending_.end(), matches) ||
      std::any_of(reported_.begin(), reported_.end(), matches))
    return;
  pending_.push_back(Entry{owner, source, std::move(message), std::move(error)});
}

void TlxGridDeferredErrors::SourceSucceeded(const void* owner, const void* source) {
  std::erase_if(reported_, [&](const Entry& entry) { return entry.Owner == owner && entry.Source == source; });
}

void TlxGridDeferredErrors::Flush(const void* owner, const std::function<void(const std::exception_ptr&)>& report) {
  while (true) {
    const auto found =
        std::find_if(pending_.begin(), pending_.end(), [owner](const Entry& entry) { return entry.Owner == owner; });
    if (found == pending_.end())
      return;
    Entry entry = std::move(*found);
    pending_.erase(found);
    std::exception_ptr error = entry.Error;
    entry.Error = nullptr;
    reported_.push_back(std::move(entry));
    report(error);
  }
}

void TlxGridDeferredErrors::Forget(const void* owner) {
  const auto of_owner = [owner](const Entry& entry) { return entry.Owner == owner; };
  std::erase_if(pending_, of_owner);
  std::erase_if(reported_, of_owner);
}

bool TlxGridDeferredErrors::HasPending(const void* owner) const {
  return std::any_of(pending_.begin(), pending_.end(), [owner](const Entry& entry) { return entry.Owner == owner; });
}

TlxGridDeferredErrors& lxGridDeferredErrors() {
  static TlxGridDeferredErrors errors;
  return errors;
}
