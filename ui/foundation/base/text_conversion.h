#pragma once
// Conversions between the stored 8-bit and wide forms of text, for the
// stream readers and the text layout.

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/variant.h"

constexpr uint32_t lxCP_ACP = 0;
constexpr uint32_t lxCP_UTF8 = 65001;

// 8-bit text in `code_page` to UTF-16. A null text gives the empty string; a
// negative length means up to the terminating zero. UTF-8 and the program's
// own code page (UTF-8) are decoded here; other code pages go to the system
// on Windows, and natively raise EConvertError except Windows-1252 and
// ISO-8859-1.
std::u16string lxMultiByteToWideString(const char* text, uint32_t code_page, int32_t length);

// The stored 8-bit form and the program's strings are the same (UTF-8): both
// return the text unchanged whatever the code page.
inline std::string lxAnsiStringToStr(std::string_view text, uint32_t /*code_page*/ = lxCP_ACP) {
  return std::string(text);
}
inline std::string lxStrToAnsiString(std::string_view text, uint32_t /*code_page*/ = lxCP_ACP) {
  return std::string(text);
}

// A variant to a byte string: a one-dimensional array gives one byte per
// element (an element that is not a number from 0 to 255 raises
// EConvertError), a string its 8-bit text, anything else the empty string.
std::string lxVariantToAnsiStr(const Variant& value);

// A set of byte values (bit i = character i).
using TlxSysCharSet = std::bitset<256>;
inline bool lxCharInSysCharSet(char c, const TlxSysCharSet& set) { return set.test(static_cast<uint8_t>(c)); }

// Code pages that are not UTF-8: the system's conversion on Windows, a small
// table natively.
std::u16string lxDecodeCodePage(std::string_view text, uint32_t code_page);
