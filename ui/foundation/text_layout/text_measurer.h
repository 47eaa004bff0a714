#pragma once
// How the text layout measures: one small interface, so that rows can be
// broken and arranged without a device context. The system's measurer
// works on a device context (text_layout_win.h); tests give their own.

#include <cstdint>
#include <string_view>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

class IlxTextMeasurer : public virtual IInterface {
 public:
  // The extent of `text` in the current font; with `expand_tabs` tabs go to
  // the default tab stops. (0, 0) when it cannot be measured.
  virtual TSize MeasureText(std::u16string_view text, bool expand_tabs) = 0;
  // How many leading characters of `text` fit into `max_width`.
  virtual int32_t FitCharacters(std::u16string_view text, int32_t max_width) = 0;
  // Whether the system's 8-bit code page writes `c` with more than one byte
  // (a double-byte code page of East Asia; never the UTF-8 one).
  virtual bool IsMultiByteInAnsiCodePage(char16_t c) = 0;
};
