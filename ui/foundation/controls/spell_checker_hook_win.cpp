#include "ui/foundation/controls/spell_checker_hook_win.h"

namespace {

IlxSpellCheckerHook* g_hook = nullptr;

}  // namespace

IlxSpellCheckerHook* lxSpellCheckerHook() {
  return g_hook;
}

void lxSetSpellCheckerHook(IlxSpellCheckerHook* hook) {
  g_hook = hook;
}

void lxNotifySpellCheckerPaint(TWinControl& edit) {
  if (g_hook != nullptr)
    g_hook->DrawMisspellings(edit);
}

void lxNotifySpellCheckerLayoutChanged(TWinControl& edit) {
  if (g_hook != nullptr)
    g_hook->LayoutChanged(edit);
}

void lxNotifySpellCheckerSelectionChanged(TWinControl& edit) {
  if (g_hook != nullptr)
    g_hook->SelectionChanged(edit);
}

void lxNotifySpellCheckerTextChanged(TWinControl& edit) {
  if (g_hook != nullptr)
    g_hook->TextChanged(edit);
}

bool lxSpellCheckerOwnsWindow(HWND window) {
  return g_hook != nullptr && window != nullptr && g_hook->OwnsWindow(window);
}

bool lxSpellCheckerContextPopup(TWinControl& edit, const TPoint& screen_point) {
  return g_hook != nullptr && g_hook->ContextPopup(edit, screen_point);
}
