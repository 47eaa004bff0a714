// Keystrokes, clicks and pastes on a window-less mask edit of any kind.
// After every key the regular-expression modes' head and tail must be the
// edit's text split at the caret's side, and a compiled standard mask keeps
// its literals in place and the text as long as the mask.
//
// Input: a kind byte, the mask up to a zero byte, then one operation per
// byte: 1..6 the caret keys and Delete (7..12 the same with Shift), 13
// backspace, 14 a click at the next byte's position, 15 a paste of the
// next three bytes, 16 a selection of the next two positions, 17 a new
// edit value, everything else the character typed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editors/mask_edit_model.h"
#include "editors/mask_mode_regexpr.h"
#include "editors/mask_mode_standard.h"

namespace {

// The input under test, printed with a failure so that it can be replayed.
std::string_view current_input;

void Fail(const char* what) {
  std::fprintf(stderr, "%s; input:", what);
  for (char c : current_input)
    std::fprintf(stderr, " %02x", static_cast<unsigned>(static_cast<uint8_t>(c)));
  std::fprintf(stderr, "\n");
  std::abort();
}

constexpr uint16_t kKeys[] = {kLxMaskKeyLeft, kLxMaskKeyRight, kLxMaskKeyHome,
                              kLxMaskKeyEnd,  kLxMaskKeyDelete, kLxMaskKeyDelete};

void CheckInvariants(TlxMaskEditModel& edit) {
  const std::u16string& text = edit.Text();
  if (edit.SelStart() < 0 || edit.SelStart() + edit.SelLength() > static_cast<int32_t>(text.size()))
    Fail("selection outside the text");
  if (auto* regexpr = dynamic_cast<TlxMaskEditRegExprMode*>(edit.MaskMode())) {
    if (regexpr->IsCompiled() && edit.IsMasked() && regexpr->Head() + regexpr->Tail() != text)
      Fail("head and tail are not the text");
    return;
  }
  auto* standard = dynamic_cast<TlxMaskEditStandardMode*>(edit.MaskMode());
  if (standard == nullptr || !edit.IsMasked())
    return;
  const TlxStandardMask& mask = standard->Mask();
  if (static_cast<int32_t>(text.size()) != mask.GetCount())
    Fail("the text lost its positions");
  for (int32_t i = 0; i < mask.GetCount(); ++i) {
    const auto* literal = dynamic_cast<const TlxStandardMaskLiteralItem*>(&mask.GetItem(i));
    if (literal != nullptr && text[static_cast<size_t>(i)] != literal->Literal())
      Fail("a literal moved");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2)
    return 0;
  current_input = std::string_view(reinterpret_cast<const char*>(data), size);
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t split = input.find('\0');
  if (split == std::string_view::npos || split > 200)
    return 0;
  TlxMaskEditProperties properties(nullptr);
  properties.SetMaskKind(static_cast<TlxEditMaskKind>(data[0] % 3));
  try {
    properties.SetEditMask(std::string(input.substr(0, split)));
  } catch (const ElxMaskEditError&) {
    return 0;
  }
  TlxMaskEditModel edit(properties);
  edit.SetEditValue(Variant(""));
  const std::string_view keys = input.substr(split + 1);
  for (size_t i = 0; i < keys.size(); ++i) {
    const uint8_t op = static_cast<uint8_t>(keys[i]);
    auto next = [&]() -> uint8_t { return i + 1 < keys.size() ? static_cast<uint8_t>(keys[++i]) : 0; };
    if (op >= 1 && op <= 12) {
      edit.KeyDown(kKeys[(op - 1) % 6], op > 6);
    } else if (op == 13) {
      edit.KeyPress(kLxMaskBackspace);
    } else if (op == 14) {
      edit.Click(next() % 40);
      edit.KeyDown(kLxMaskKeyLeft);
      edit.KeyDown(kLxMaskKeyRight);
    } else if (op == 15) {
      std::u16string pasted;
      for (int k = 0; k < 3; ++k)
        pasted += static_cast<char16_t>(next());
      edit.Paste(pasted);
    } else if (op == 16) {
      const uint8_t anchor = next();
      edit.Select(anchor % 40, next() % 40);
      edit.KeyDown(kLxMaskKeyRight, true);
    } else if (op == 17) {
      edit.SetEditValue(Variant(std::string(keys.substr(i + 1, 4))));
    } else {
      edit.KeyPress(static_cast<char16_t>(op));
    }
    CheckInvariants(edit);
  }
  std::string error;
  edit.Validate(error);
  return 0;
}
