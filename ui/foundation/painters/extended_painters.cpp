#include "ui/foundation/painters/extended_painters.h"

#include "platform/rtl/text.h"

void TlxExtendedStylePainters::AddObserver(IlxExtendedPainterObserver* listener) {
  if (listener == nullptr || HasObserver(listener)) return;
  observers_.Add(listener);
}

void TlxExtendedStylePainters::RemoveObserver(IlxExtendedPainterObserver* listener) {
  if (listener == nullptr) return;
  observers_.Remove(listener);
}

bool TlxExtendedStylePainters::HasObserver(IlxExtendedPainterObserver* listener) const {
  return observers_.IndexOf(listener) >= 0;
}

TlxExtendedStylePainter* TlxExtendedStylePainters::Painter(int32_t index) const {
  return static_cast<TlxExtendedStylePainter*>(Get(index));
}

int32_t TlxExtendedStylePainters::IndexOfName(std::string_view name, TlxExtendedStylePainter** entry) const {
  if (entry != nullptr) *entry = nullptr;
  for (int32_t i = 0; i < Count(); ++i) {
    TlxExtendedStylePainter* painter = Painter(i);
    if (!SameText(painter->Name(), name)) continue;
    if (entry != nullptr) *entry = painter;
    return i;
  }
  return -1;
}

bool TlxExtendedStylePainters::FindPainterByName(std::string_view name, const TClass*& painter_class) const {
  TlxExtendedStylePainter* entry = nullptr;
  IndexOfName(name, &entry);
  painter_class = entry != nullptr ? entry->PainterClass() : nullptr;
  return entry != nullptr;
}

TlxExtendedStylePainters& lxExtendedStylePainters() {
  static TlxExtendedStylePainters painters;
  return painters;
}
