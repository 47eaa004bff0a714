#pragma once
// The check states of a list of items kept in one edit value, so that a
// check list box can store its whole list in a single data field, and the
// small value tests such editors use. Portable.
//
// Values come from data fields and are read defensively: a malformed value
// gives all items unchecked and a failed result, never an error.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"
#include "ui/foundation/painters/painter_types.h"

struct TFormatSettings;

using TlxCheckStates = std::vector<TlxCheckBoxState>;

enum TlxCheckStatesValueFormat : uint8_t { cvfCaptions, cvfIndices, cvfInteger, cvfStatesString };

// The items whose states are converted: their number and their captions
// (UTF-8). The check list box's item collection offers it.
class IlxCheckStateItemSource : public virtual IInterface {
 public:
  virtual int32_t GetCheckItemCount() const = 0;
  virtual std::string GetCheckItemCaption(int32_t index) const = 0;
};

// The edit value of `states` (one per item of `items`, in item order).
// Captions count their length in UTF-16 code units.
Variant lxCheckStatesToValue(const TlxCheckStates& states, const IlxCheckStateItemSource& items,
                             TlxCheckStatesValueFormat format);
// Sizes `states` to the item count and fills it from `value`. On failure
// every entry is cbsUnchecked and the result is false.
bool lxValueToCheckStates(const Variant& value, const IlxCheckStateItemSource& items,
                          TlxCheckStatesValueFormat format, TlxCheckStates& states);

// Null or an unassigned value.
bool lxIsValueNullOrEmpty(const Variant& value);
// The trimmed text is not empty and converts completely to an integer.
bool lxIsValidIntegerText(std::string_view text);
// The trimmed text holds digits, at most one decimal separator of the
// settings (the user locale's by default) and a leading "-" only, at least
// one digit, and its magnitude is at most 1.7E308.
bool lxIsValidFloatText(std::string_view text);
bool lxIsValidFloatText(std::string_view text, const TFormatSettings& settings);

// The module's scratch list the check list box converts through; emptied
// when the check box module ends.
TlxCheckStates& lxCheckStatesBuffer();
void lxClearCheckStatesBuffer();
