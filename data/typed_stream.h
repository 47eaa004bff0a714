#pragma once
// Binary stream primitives of the data controller's stored formats (record
// storage, filter streams, the storage stream), little-endian throughout,
// and the typed stream value: a Variant written as a one-byte code and its
// payload.
//
//   0 null              1 array: compact count, then the elements
//   2/3/4/19 integers of 1, 2, 4 and 8 bytes (the smallest that holds it)
//   5 double as a 10-byte x87 extended        6 string, 1-byte length
//   8/9 false/true      12 string, int32 length      13 empty
//   15 single           16 currency            17 date (double)
//   18 wide string, int32 count of UTF-16 units
//
// Readers check every length and count against the bytes that are left and
// bound the nesting of arrays, so that stored input fails with EReadError
// ("Stream read error") or the stream's own read error before anything
// large is allocated.

#include <cstdint>
#include <string>

#include "platform/rtl/currency.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/variant.h"

// Arrays nested deeper than this are refused on reading.
constexpr int kLxMaxVariantNesting = 32;

std::string lxReadAnsiString(TStream& stream);
void lxWriteAnsiString(TStream& stream, std::string_view text);
std::u16string lxReadWideString(TStream& stream);
void lxWriteWideString(TStream& stream, std::u16string_view text);

Variant lxReadVariant(TStream& stream);
// EWriteError ("Stream write error") for an array of more than one
// dimension or a value that has no text.
void lxWriteVariant(TStream& stream, const Variant& value);

bool lxReadBoolean(TStream& stream);
void lxWriteBoolean(TStream& stream, bool value);
uint8_t lxReadByte(TStream& stream);
void lxWriteByte(TStream& stream, uint8_t value);
int16_t lxReadSmallInt(TStream& stream);
void lxWriteSmallInt(TStream& stream, int16_t value);
uint16_t lxReadWord(TStream& stream);
void lxWriteWord(TStream& stream, uint16_t value);
int32_t lxReadInteger(TStream& stream);
void lxWriteInteger(TStream& stream, int32_t value);
int64_t lxReadLargeInt(TStream& stream);
void lxWriteLargeInt(TStream& stream, int64_t value);
Currency lxReadCurrency(TStream& stream);
void lxWriteCurrency(TStream& stream, Currency value);
TDateTime lxReadDateTime(TStream& stream);
void lxWriteDateTime(TStream& stream, TDateTime value);
// 10 bytes of x87 extended; the double is widened exactly and narrowed to
// the nearest double.
double lxReadFloat(TStream& stream);
void lxWriteFloat(TStream& stream, double value);

// Raises EReadError when fewer than `bytes` bytes are left: a stored length
// or count is checked with it before anything is allocated for it.
void lxCheckRemaining(TStream& stream, int64_t bytes);

// The stream a filer wraps and whether its strings are wide: true only when
// the stream, at its position, holds the wide-text mark (which is then
// consumed).
class TlxFiler {
 public:
  explicit TlxFiler(TStream& stream);
  virtual ~TlxFiler() = default;
  TlxFiler(const TlxFiler&) = delete;
  TlxFiler& operator=(const TlxFiler&) = delete;

  bool IsWideText() const { return is_wide_text_; }
  TStream& Stream() const { return stream_; }

 private:
  bool is_wide_text_;
  TStream& stream_;
};

class TlxReader : public TlxFiler {
 public:
  using TlxFiler::TlxFiler;
  std::string ReadAnsiString() { return lxReadAnsiString(Stream()); }
  int32_t ReadInteger() { return lxReadInteger(Stream()); }
};

class TlxWriter : public TlxFiler {
 public:
  using TlxFiler::TlxFiler;
  void WriteAnsiString(std::string_view text) { lxWriteAnsiString(Stream(), text); }
  void WriteInteger(int32_t value) { lxWriteInteger(Stream(), value); }
};
