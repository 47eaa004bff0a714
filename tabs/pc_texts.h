#pragma once
// The texts of the tab and page control, registered under the product key
// "LxPageControl" when the module starts (the first time one of them is
// asked for, or explicitly), and the one form of their errors.

#include <span>
#include <string>
#include <string_view>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString slxPCImageListIndexError{"slxPCImageListIndexError"};
inline constexpr TlxResourceString slxPCNoBaseImages{"slxPCNoBaseImages"};
inline constexpr TlxResourceString slxPCNoRegisteredStyles{"slxPCNoRegisteredStyles"};
inline constexpr TlxResourceString slxPCPageIndexError{"slxPCPageIndexError"};
inline constexpr TlxResourceString slxPCPainterClassError{"slxPCPainterClassError"};
inline constexpr TlxResourceString slxPCStandardStyleError{"slxPCStandardStyleError"};
inline constexpr TlxResourceString slxPCStyleNameError{"slxPCStyleNameError"};
inline constexpr TlxResourceString slxPCTabCountEqualsZero{"slxPCTabCountEqualsZero"};
inline constexpr TlxResourceString slxPCTabIndexError{"slxPCTabIndexError"};
inline constexpr TlxResourceString slxPCTabVisibleIndexOutsOfBounds{"slxPCTabVisibleIndexOutsOfBounds"};
inline constexpr TlxResourceString slxPCVisibleTabListEmpty{"slxPCVisibleTabListEmpty"};
inline constexpr TlxResourceString slxPCAllowRotateError{"slxPCAllowRotateError"};

inline constexpr const char kLxPageControlProductKey[] = "LxPageControl";

// The texts in registration order.
std::span<const TlxStringResource> lxPCStringTable();
// The module's start: registers the texts once; later calls do nothing.
void lxRegisterPCStrings();
// The module's end: takes the product out of the repository again.
void lxUnregisterPCStrings();
// A text of this module, its texts put into the string table first when needed.
std::string lxPCText(const TlxResourceString& record);

// Errors of the tab and page control: "<class>.<method>: <text>".
[[noreturn]] void lxPCRaise(std::string_view class_name, std::string_view method, const std::string& text);
