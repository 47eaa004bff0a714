#include "editors/kinds/memo_rules.h"

#include "platform/rtl/text.h"

namespace {

constexpr uint16_t kTabKey = 9;
constexpr uint16_t kEnterKey = 13;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

TlxTextOutFlags lxMemoDrawTextFlags(TAlignment horz_alignment, bool word_wrap, TScrollStyle scroll_bars) {
  TlxTextOutFlags flags = lxtoEditControlRows | lxtoExpandTabs | lxtoNotLeftOfRect;
  if (word_wrap && scroll_bars != ssHorizontal && scroll_bars != ssBoth)
    flags |= lxtoWordBreak | lxtoCharBreak;
  switch (horz_alignment) {
    case taCenter:
      flags |= lxtoAlignCenter;
      break;
    case taRightJustify:
      flags |= lxtoAlignRight;
      break;
    case taLeftJustify:
      break;
  }
  return flags;
}

bool lxIsMemoEditKey(uint16_t key, bool ctrl_down, bool allow_tab, bool want_returns, bool want_tabs) {
  if (key == kEnterKey)
    return want_returns || ctrl_down;
  if (key == kTabKey)
    return allow_tab || want_tabs;
  return false;
}

bool lxMemoTypesEnterInPlace(bool ctrl_down, bool want_returns) { return ctrl_down != want_returns; }

std::optional<std::string> lxFitMemoInsertion(int32_t before_selection, std::string_view text, int32_t max_length) {
  if (max_length <= 0)
    return std::string(text);
  std::u16string wide = Utf8ToUtf16(text);
  const int64_t room = static_cast<int64_t>(max_length) - before_selection;
  if (static_cast<int64_t>(wide.size()) <= room)
    return std::string(text);
  if (room <= 0)
    return std::nullopt;
  auto kept = static_cast<size_t>(room);
  // Half a surrogate pair is no character: it stays out with its partner.
  if (IsHighSurrogate(wide[kept - 1]))
    --kept;
  if (kept == 0)
    return std::nullopt;
  wide.resize(kept);
  return Utf16ToUtf8(wide);
}

TRect lxMemoScrollBarCorner(const TRect& horizontal_bar, const TRect& vertical_bar) {
  if (horizontal_bar.IsEmpty() || vertical_bar.IsEmpty())
    return TRect();
  return TRect(vertical_bar.Left, horizontal_bar.Top, vertical_bar.Right, horizontal_bar.Bottom);
}
