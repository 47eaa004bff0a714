#include "ui/foundation/look_and_feel/system_palette_win.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/scope.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace {

struct ListenerState {
  std::unique_ptr<TlxSystemPaletteChangedListener> listener;
  int32_t notifier_count = 0;
};

// Never destroyed: notifiers held by other function-local statics (the
// editors' brush cache) leave during exit in an order no file controls, and
// must still find the state alive. The listener itself goes with the last
// notifier.
ListenerState& State() {
  static ListenerState& state = *new ListenerState;
  return state;
}

void Erase(std::vector<TlxSystemPaletteChangedNotifier*>& list, TlxSystemPaletteChangedNotifier* notifier) {
  list.erase(std::remove(list.begin(), list.end(), notifier), list.end());
}

}  // namespace

TlxSystemPaletteChangedListener* lxSystemPaletteChangedListener() { return State().listener.get(); }

TlxSystemPaletteChangedNotifier::TlxSystemPaletteChangedNotifier(bool is_primary) : is_primary_(is_primary) {
  ListenerState& state = State();
  if (!state.listener) state.listener = std::make_unique<TlxSystemPaletteChangedListener>();
  ++state.notifier_count;
  state.listener->AddNotifier(this);
}

TlxSystemPaletteChangedNotifier::~TlxSystemPaletteChangedNotifier() {
  ListenerState& state = State();
  if (!state.listener) return;
  state.listener->RemoveNotifier(this);
  if (--state.notifier_count == 0) state.listener.reset();
}

void TlxSystemPaletteChangedNotifier::NotifyPaletteChanged() {
  if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

TlxSystemPaletteChangedListener::TlxSystemPaletteChangedListener() { lxAcquireOffice11Palette(); }

TlxSystemPaletteChangedListener::~TlxSystemPaletteChangedListener() { lxReleaseOffice11Palette(); }

void TlxSystemPaletteChangedListener::AddNotifier(TlxSystemPaletteChangedNotifier* notifier) {
  (notifier->IsPrimary() ? primary_notifiers_ : notifiers_).push_back(notifier);
}

void TlxSystemPaletteChangedListener::RemoveNotifier(TlxSystemPaletteChangedNotifier* notifier) {
  Erase(primary_notifiers_, notifier);
  Erase(notifiers_, notifier);
}

void TlxSystemPaletteChangedListener::NotifyBackwards(std::vector<TlxSystemPaletteChangedNotifier*>& notifiers) {
  // A notifier may leave while it is told; the walk goes on from below it.
  for (size_t i = notifiers.size(); i > 0; --i) {
    if (i > notifiers.size()) continue;
    notifiers[i - 1]->NotifyPaletteChanged();
  }
}

void TlxSystemPaletteChangedListener::HandlePaletteChange() {
  lxReloadOffice11Palette();
  NotifyBackwards(primary_notifiers_);
  NotifyBackwards(notifiers_);
}

void TlxSystemPaletteChangedListener::WindowProcedure(TMessage& message) {
  // The default handling runs whatever the own handling does.
  TScopeExit default_handling([&] { TlxMessageWindow::WindowProcedure(message); });
  if (message.Msg == WM_SYSCOLORCHANGE) HandlePaletteChange();
}
