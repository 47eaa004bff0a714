#include "editors/editors_module_win.h"

#include <windows.h>

#include <array>
#include <cstdint>

#include "data/filter_texts.h"
#include "editors/edit_repository.h"
#include "editors/edit_style_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr int kSize = 32;

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

// The wheel cursor: a round knob with an arrowhead above and below, in
// black on a white outline, hot spot in the middle.
HCURSOR DrawMouseWheelCursor() {
  // 0 see-through, 1 black, 2 white.
  std::array<std::array<uint8_t, kSize>, kSize> pixels{};
  const auto set = [&pixels](int x, int y, uint8_t value) {
    if (x >= 0 && x < kSize && y >= 0 && y < kSize)
      pixels[static_cast<size_t>(y)][static_cast<size_t>(x)] = value;
  };
  constexpr int kCentre = 15;
  for (int y = -4; y <= 4; ++y)
    for (int x = -4; x <= 4; ++x) {
      const int distance = x * x + y * y;
      if (distance <= 20)
        set(kCentre + x, kCentre + y, distance >= 10 ? 1 : 2);
    }
  for (int depth = 0; depth < 5; ++depth)
    for (int spread = -depth; spread <= depth; ++spread) {
      set(kCentre + spread, kCentre - 11 + depth, 1);
      set(kCentre + spread, kCentre + 11 - depth, 1);
    }
  std::array<uint8_t, kSize * kSize / 8> and_mask{};
  std::array<uint8_t, kSize * kSize / 8> xor_mask{};
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const size_t byte = static_cast<size_t>(y * kSize + x) / 8;
      const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
      const uint8_t value = pixels[static_cast<size_t>(y)][static_cast<size_t>(x)];
      if (value == 0)
        and_mask[byte] |= bit;
      else if (value == 2)
        xor_mask[byte] |= bit;
    }
  return CreateCursor(GetModuleHandleW(nullptr), kCentre, kCentre, kSize, kSize, and_mask.data(), xor_mask.data());
}

}  // namespace

void lxEditorsInitialize() {
  ModuleStart().Start([] {
    lxContainerInitialize();
    Screen->SetCursors(crLxEditMouseWheel, DrawMouseWheelCursor());
    lxGetDefaultEditStyleController();
    lxSetFilterResStringHook([](const TlxResourceString& record) { return lxLookupResString(record); });
  });
}

void lxEditorsFinalize() {
  ModuleStart().End([] {
    lxFreeRegisteredEditProperties();
    lxFreeDefaultEditRepository();
    lxSetDefaultContainerStyleController(nullptr);
    lxFreeDefaultEditStyleController();
    lxSetFilterResStringHook(nullptr);
    Screen->SetCursors(crLxEditMouseWheel, nullptr);
    lxContainerFinalize();
  });
}
