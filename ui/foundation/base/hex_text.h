#pragma once
// Stream-valued properties stored as text: "Hex:" and two upper-case
// hexadecimal digits per byte. The grid keeps such properties in its stored
// layouts this way; the Boolean reader serves the same stored texts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/exceptions.h"

class TMemoryStream;
class TStream;

// A character that is not a hexadecimal digit. Carries no message text.
class ElxHexStringConvertError : public Exception {
 public:
  ElxHexStringConvertError() : Exception(std::string()) {}
  const char* ClassName() const override { return "ElxHexStringConvertError"; }
};

// The value 0..15 of '0'..'9', 'A'..'F' or 'a'..'f'; any other character
// raises ElxHexStringConvertError.
uint8_t lxHexDigitValue(char digit);

// Two upper-case digits per byte.
std::string lxBytesToHexText(const std::vector<uint8_t>& bytes);

// One byte per pair of digits from the start; a last single digit is
// ignored. A character that is not a digit raises ElxHexStringConvertError.
std::vector<uint8_t> lxHexTextToBytes(std::string_view text);

// The whole stream (from its start, whatever its position) as "Hex:" and
// its bytes; empty for a null or empty stream. The position is kept.
std::string lxStreamToHexText(const TMemoryStream* stream);

// Writes the bytes of `text` after its first four characters (which are not
// checked) at the stream's position. Nothing for a null stream or a text of
// at most five characters, so that "Hex:" with one lone digit writes nothing.
void lxHexTextToStream(std::string_view text, TStream* stream);

// "TRUE" or "FALSE" in any letter case; any other text raises
// EPropertyConvertError.
bool lxTextToBoolean(std::string_view text);
