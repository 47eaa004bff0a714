#include "ui/foundation/base/unit_routines.h"

#include <limits>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"

std::string lxTextBeforeBar(std::string_view text) { return std::string(text.substr(0, text.find('|'))); }

int32_t lxCeilDiv(int32_t a, int32_t b) {
  if (b == 0)
    throw EZeroDivide("Division by zero");
  // Computed in 64 bits: INT32_MIN / -1 does not fit 32 bits.
  const int64_t quotient = int64_t{a} / b;
  const int64_t remainder = int64_t{a} % b;
  const int64_t result = remainder > 0 ? quotient + 1 : quotient;
  if (result > std::numeric_limits<int32_t>::max())
    throw EOverflow("Integer overflow");
  return static_cast<int32_t>(result);
}

int32_t lxRangeMiddle(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + int64_t{b};
  // Floor division: the sum's halving rounds toward minus infinity.
  return static_cast<int32_t>(sum >= 0 ? sum / 2 : (sum - 1) / 2);
}

bool lxMemoryStreamsEqual(const TMemoryStream& a, const TMemoryStream& b) { return a.Bytes() == b.Bytes(); }

int32_t lxSignOf(double x) { return x >= 0 ? 1 : -1; }

void lxInvokeNotifyEvent(const TNotifyEvent& handler, TObject* sender) {
  if (handler)
    handler(sender);
}

TPersistent* lxGetOwnerOf(const TPersistent* persistent) {
  return persistent == nullptr ? nullptr : persistent->GetOwner();
}

int32_t lxMBCharLength(std::string_view text, int32_t position) {
  if (position < 1 || static_cast<size_t>(position) > text.size())
    return 0;
  size_t cursor = static_cast<size_t>(position) - 1;
  const size_t start = cursor;
  DecodeUtf8(text, cursor);
  return static_cast<int32_t>(cursor - start);
}

void lxRenameSubComponents(TComponent* component, TComponent* owner, const std::string& new_name,
                           const std::string& old_name, int32_t count, const TlxGetSubComponent& get_sub_component) {
  if (component == nullptr || !get_sub_component)
    return;
  // An inherited component's sub-components keep the ancestor's names.
  if (component->ComponentState().Contains(csAncestor))
    return;
  for (int32_t index = 0; index < count; ++index) {
    TComponent* sub_component = get_sub_component(component, index);
    if (sub_component == nullptr || sub_component->Owner() != owner)
      continue;
    const std::string& name = sub_component->Name();
    if (name.size() <= old_name.size() || !SameText(std::string_view(name).substr(0, old_name.size()), old_name))
      continue;
    try {
      sub_component->SetName(new_name + name.substr(old_name.size()));
    } catch (const EComponentError&) {
      // A taken or invalid name leaves this one as it was; the rest go on.
    }
  }
}

namespace {

bool IsIdentifierCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Every byte of a multi-byte character is outside the identifier set, so
// dropping bytes one by one drops whole characters.
std::string IdentifierCharactersOf(std::string_view text) {
  std::string result;
  for (char c : text)
    if (IsIdentifierCharacter(c))
      result += c;
  return result;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool IsNameTaken(const TComponent* owner, const TComponent* item, std::string_view name) {
  if (owner == nullptr)
    return false;
  for (int32_t i = 0; i < owner->ComponentCount(); ++i) {
    const TComponent* other = owner->Components(i);
    if (other != item && SameText(other->Name(), name))
      return true;
  }
  return false;
}

}  // namespace

std::string lxMakeUniqueComponentName(TComponent* owner, const TComponent* view, const TComponent* item,
                                      std::string_view class_prefix, std::string_view base_text) {
  if (item == nullptr)
    throw EInvalidArgument("A unique component name needs the component it is for");
  std::string text = IdentifierCharactersOf(base_text);
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) {
    const std::string_view class_name = item->ClassName();
    if (!class_prefix.empty() && StartsWithText(class_name, class_prefix)) {
      text = std::string(class_name.substr(class_prefix.size())) + text;
    } else {
      text = std::string(class_name) + text;
      if (text[0] == 'T')
        text.erase(0, 1);
    }
  }
  const std::string stem = view != nullptr ? view->Name() + text : text;
  // A name made from a text (a field name) is tried without a number first.
  for (int32_t number = base_text.empty() ? 1 : 0;; ++number) {
    std::string candidate = number > 0 ? stem + std::to_string(number) : stem;
    if (!IsNameTaken(owner, item, candidate))
      return candidate;
  }
}
