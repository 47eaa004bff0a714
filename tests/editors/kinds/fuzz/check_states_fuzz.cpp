// Check-state values read from a data field: any bytes in any format read
// without a fault, and states that were read write a value that reads back
// to the same states. (Items with one and the same caption cannot be told
// apart by captions: there only each caption's states must come back.)
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "editors/kinds/check_states.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

class Items : public IlxCheckStateItemSource {
 public:
  explicit Items(std::vector<std::string> captions) : captions_(std::move(captions)) {}
  int32_t GetCheckItemCount() const override { return static_cast<int32_t>(captions_.size()); }
  std::string GetCheckItemCaption(int32_t index) const override { return captions_[static_cast<size_t>(index)]; }

 private:
  std::vector<std::string> captions_;
};

// The item count and captions come from the input too: captions are the
// lines before the first NUL, so that stored captions can name them.
Items ItemsFrom(std::string_view spec, uint8_t count_byte) {
  std::vector<std::string> captions;
  size_t start = 0;
  while (start <= spec.size() && captions.size() < 80) {
    const size_t end = spec.find('\n', start);
    captions.emplace_back(spec.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  // A few plain items beyond the captions, up to past 64 for the integer.
  for (uint8_t i = 0; i < count_byte % 72; ++i)
    captions.push_back("#" + std::to_string(i));
  return Items(std::move(captions));
}

// The states by caption, for comparing where equal captions may swap.
std::vector<std::pair<std::string, TlxCheckBoxState>> StatesByCaption(const Items& items,
                                                                      const TlxCheckStates& states) {
  std::vector<std::pair<std::string, TlxCheckBoxState>> pairs;
  for (size_t i = 0; i < states.size(); ++i)
    pairs.emplace_back(items.GetCheckItemCaption(static_cast<int32_t>(i)), states[i]);
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2)
    return 0;
  const auto format = static_cast<TlxCheckStatesValueFormat>(data[0] % 4);
  const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);
  const size_t split = input.find('\0');
  const Items items = ItemsFrom(input.substr(0, split), data[1]);
  const std::string_view stored = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

  Variant value(stored);
  if (format == cvfInteger && stored.size() >= 8) {
    int64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
      bits = static_cast<int64_t>((static_cast<uint64_t>(bits) << 8) | static_cast<uint8_t>(stored[i]));
    value = Variant(bits);
  }
  TlxCheckStates states;
  const bool ok = lxValueToCheckStates(value, items, format, states);
  if (states.size() != static_cast<size_t>(items.GetCheckItemCount()))
    Fail("the states do not match the item count");
  if (!ok) {
    for (TlxCheckBoxState state : states) {
      if (state != cbsUnchecked)
        Fail("a failed read left a state set");
    }
    return 0;
  }
  const Variant written = lxCheckStatesToValue(states, items, format);
  TlxCheckStates again;
  if (!lxValueToCheckStates(written, items, format, again))
    Fail("a written value does not read");
  const bool same = format == cvfCaptions ? StatesByCaption(items, again) == StatesByCaption(items, states)
                                           : again == states;
  if (!same)
    Fail("a written value reads other states");
  return 0;
}
