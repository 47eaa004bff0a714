#include "ui/foundation/base/object_links.h"

#include <algorithm>
#include <memory>

namespace {

struct TLinkState {
  std::unique_ptr<TlxObjectLinkController> controller;
  int32_t link_count = 0;
};

TLinkState& LinkState() {
  static TLinkState state;
  return state;
}

}  // namespace

TlxObjectLink* TlxObjectLinkController::AddLink(TComponent* component) {
  auto link = std::make_unique<TlxObjectLink>(component);
  links_.push_back(link.get());
  return link.release();
}

void TlxObjectLinkController::RemoveLink(TlxObjectLink* link) {
  if (link == nullptr)
    return;
  if (link->Target != nullptr)
    std::erase(links_, link);
  delete link;
}

void TlxObjectLinkController::ClearLinksTo(const TComponent* component) {
  for (size_t i = links_.size(); i-- > 0;) {
    TlxObjectLink* link = links_[i];
    if (link->Target != component)
      continue;
    link->Target = nullptr;
    links_.erase(links_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

TlxObjectLink* lxCreateObjectLink(TComponent* component) {
  if (component == nullptr)
    return nullptr;
  TLinkState& state = LinkState();
  if (state.controller == nullptr)
    state.controller = std::make_unique<TlxObjectLinkController>();
  TlxObjectLink* link = state.controller->AddLink(component);
  ++state.link_count;
  return link;
}

void lxFreeObjectLink(TlxObjectLink* link) {
  if (link == nullptr)
    return;
  TLinkState& state = LinkState();
  if (state.controller == nullptr) {
    // Not made by lxCreateObjectLink; still the caller's to free.
    delete link;
    return;
  }
  state.controller->RemoveLink(link);
  if (--state.link_count == 0)
    state.controller.reset();
}

void lxResetObjectLinks(const TComponent* component) {
  TLinkState& state = LinkState();
  if (state.controller != nullptr && component != nullptr)
    state.controller->ClearLinksTo(component);
}

TlxObjectLinkController* lxObjectLinkController() { return LinkState().controller.get(); }
