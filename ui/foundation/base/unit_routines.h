#pragma once
// Small arithmetic, text and naming routines that the component library's
// layout and design-time code share.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/component.h"
#include "ui/foundation/geometry/geometry.h"

class TMemoryStream;

// The text before the first "|"; the whole text when it has none.
std::string lxTextBeforeBar(std::string_view text);

// a div b (truncating), plus 1 when the remainder is positive: the ceiling
// for positive a and b. A negative remainder adds nothing, so (-3, 2) gives
// -1. Raises EZeroDivide for b = 0.
int32_t lxCeilDiv(int32_t a, int32_t b);

constexpr TSize lxMakeSize(int32_t width, int32_t height) { return TSize{width, height}; }

// (a + b) / 2 rounded toward minus infinity, without overflow.
int32_t lxRangeMiddle(int32_t a, int32_t b);

// Same size and the same bytes.
bool lxMemoryStreamsEqual(const TMemoryStream& a, const TMemoryStream& b);

// 1 for x >= 0, otherwise -1 (also for NaN).
int32_t lxSignOf(double x);

// Calls the handler with the sender when one is assigned.
void lxInvokeNotifyEvent(const TNotifyEvent& handler, TObject* sender);

// The persistent's owner; null for a null persistent.
TPersistent* lxGetOwnerOf(const TPersistent* persistent);

// Byte length of the character at the 1-based byte `position` of `text`. The
// program's 8-bit code page is UTF-8, so this is the length of the UTF-8
// sequence there (1 for a stray byte); 0 past the end of the text.
int32_t lxMBCharLength(std::string_view text, int32_t position);

// The sub-component at an index of a renamed component (columns of a view,
// items of a bar).
using TlxGetSubComponent = std::function<TComponent*(TComponent* component, int32_t index)>;

// After `component` was renamed from `old_name` to `new_name`, renames its
// sub-components that belong to `owner` and whose names extend the old name
// (letter case ignored): the old prefix becomes the new name. A name that is
// taken (EComponentError) leaves that sub-component as it is. Nothing for a
// component inherited from an ancestor form.
void lxRenameSubComponents(TComponent* component, TComponent* owner, const std::string& new_name,
                           const std::string& old_name, int32_t count, const TlxGetSubComponent& get_sub_component);

// The name for a new sub-component `item` of `owner`: the view's name (when
// a view is given) and `base_text` reduced to identifier characters; when
// that text is empty or starts with a digit, the item's class name goes
// before it (without `class_prefix` when it starts with it, else without a
// leading "T"). A running number follows when needed (from 1 when there is no
// base text) until no other component of the owner has the name.
std::string lxMakeUniqueComponentName(TComponent* owner, const TComponent* view, const TComponent* item,
                                      std::string_view class_prefix, std::string_view base_text);
