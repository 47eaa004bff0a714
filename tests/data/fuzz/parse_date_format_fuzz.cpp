// Date and time formats from outside (a display format of a stored column,
// the regional settings): the parser answers items that hold its promises,
// whatever the format and the texts it refers to, without deep nesting.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data/date_time_format.h"
#include "data/format_controller.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Zero bytes split the input into the format and the texts it refers to.
std::vector<std::string_view> Parts(std::string_view input) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (parts.size() < 6) {
    const size_t end = input.find('\0', start);
    parts.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  parts.resize(7);
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = Parts(std::string_view(reinterpret_cast<const char*>(data), size));
  const TlxFormatTexts texts{std::string(parts[1]), std::string(parts[2]), std::string(parts[3]),
                             std::string(parts[4]), std::string(parts[5]), std::string(parts[6])};
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat(parts[0], info, texts);

  bool seen[kLxFormatItemKindCount] = {};
  bool has_hour = false;
  bool has_am_pm = false;
  for (const TlxDateTimeFormatItem& item : info.ItemList) {
    if (item.ItemKind >= kLxFormatItemKindCount)
      Fail("an item of no kind");
    if (!info.KindPresent[item.ItemKind])
      Fail("a kind in the list is not marked present");
    const bool repeatable = item.ItemKind == fikText || item.ItemKind == fikDateSeparator ||
                            item.ItemKind == fikTimeSeparator;
    if (!repeatable && seen[item.ItemKind])
      Fail("a kind occurs twice");
    seen[item.ItemKind] = true;
    if (item.ItemKind == fikText && item.ItemText.empty())
      Fail("an empty literal");
    if (item.ItemKind == fikHour) {
      has_hour = true;
      if (!item.ItemText.starts_with("12") && !item.ItemText.starts_with("24"))
        Fail("an hour without its clock");
    }
    has_am_pm = has_am_pm || item.ItemKind == fikAmPm;
  }
  if (has_am_pm && !has_hour)
    Fail("an AM/PM item without an hour");
  for (int kind = 0; kind < kLxFormatItemKindCount; ++kind) {
    if (info.KindPresent[kind] != seen[kind])
      Fail("a kind marked present is not in the list");
  }
  // The nested formats can at most triple each level: the items stay
  // within what three levels of the inputs can give.
  if (info.ItemList.size() > 4 * (size + 1) * (size + 1))
    Fail("nesting ran away");

  int32_t total = 0;
  for (const TlxDateTimeFormatItem& item : info.ItemList)
    total += lxFormatItemTextLength(item, texts);
  const TlxFormatController& controller = lxGetFormatController();
  TlxFormatItemAtPos found;
  if (total > 0 && !controller.FindFormatItemAtPos(info, 1, found) &&
      info.ItemList.front().ItemKind != fikMSec)
    Fail("the first position holds no item");
  if (controller.FindFormatItemAtPos(info, 0, found))
    Fail("position 0 holds an item");
  lxStandardMaskOf(info, texts);
  lxMaskedDisplayFormatOf(info);
  return 0;
}
