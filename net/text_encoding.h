#pragma once
// Text encodings of the socket transport. Text is 8-bit, and this program's
// 8-bit character set is UTF-8, so both encodings write a text's bytes as
// they are; decoding UTF-8 checks every sequence and fails on a broken one
// instead of passing it on.

#include <cstdint>
#include <string>
#include <string_view>

#include "net/bytes.h"

// 0 = the caller's default (a buffer's or an I/O handler's), 1 = 8-bit,
// 2 = UTF-8; any other value behaves as 8-bit.
using TNsTextEncoding = uint8_t;
inline constexpr TNsTextEncoding kNsEncodingDefault = 0;
inline constexpr TNsTextEncoding kNsEncoding8Bit = 1;
inline constexpr TNsTextEncoding kNsEncodingUTF8 = 2;

// `encoding` itself, or `fallback` when it is 0; raises
// ENsNoEncodingSpecified when both are 0.
TNsTextEncoding EffectiveEncoding(TNsTextEncoding encoding, TNsTextEncoding fallback);

// `count` characters (bytes) of `text` from `start` (-1 = to the end).
// Raises ENsNoEncodingSpecified for encoding 0.
TNsBytes TextToBytes(std::string_view text, TNsTextEncoding encoding, int64_t count = -1, int64_t start = 0);
// `count` bytes from `start` (-1 = to the end) as text. UTF-8 is checked and
// raises ENsException "Byte is invalid for this UTF-8 sequence" when broken.
std::string BytesToText(const TNsBytes& bytes, TNsTextEncoding encoding, int64_t start = 0, int64_t count = -1);
std::string BytesToText(const uint8_t* bytes, size_t size, TNsTextEncoding encoding);
TNsBytes CharToBytes(char character, TNsTextEncoding encoding);
// Appends the text's bytes to the stream.
void WriteTextToStream(TStream& stream, std::string_view text, TNsTextEncoding encoding);

// A UTF-8 decoder fed one byte at a time.
class TNsUTF8Decoder {
 public:
  virtual ~TNsUTF8Decoder() = default;
  // True when `byte` completed a character, which is then in `character`.
  virtual bool Decode(uint8_t byte, char32_t& character) = 0;
};

class TNsUTF8DecoderStd final : public TNsUTF8Decoder {
 public:
  // Raises ENsException "Byte is invalid for this UTF-8 sequence" for a
  // byte that cannot stand where it is.
  bool Decode(uint8_t byte, char32_t& character) override;
  // True between the first and the last byte of a sequence.
  bool InSequence() const { return continuations_left_ != 0; }

 private:
  char32_t accumulator_ = 0;
  uint8_t continuations_left_ = 0;
};
