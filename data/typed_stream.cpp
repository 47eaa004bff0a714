#include "data/typed_stream.h"

#include <cstring>
#include <limits>

#include "data/data_controller_texts.h"
#include "platform/rtl/extended.h"
#include "ui/foundation/base/stream_text_mark.h"

namespace {

enum TypedValueCode : uint8_t {
  kCodeNull = 0,
  kCodeArray = 1,
  kCodeInt8 = 2,
  kCodeInt16 = 3,
  kCodeInt32 = 4,
  kCodeExtended = 5,
  kCodeShortString = 6,
  kCodeFalse = 8,
  kCodeTrue = 9,
  kCodeLongString = 12,
  kCodeEmpty = 13,
  kCodeSingle = 15,
  kCodeCurrency = 16,
  kCodeDate = 17,
  kCodeWideString = 18,
  kCodeInt64 = 19,
};

template <class T>
T ReadRaw(TStream& stream) {
  T value{};
  stream.ReadBuffer(&value, sizeof value);
  return value;
}

template <class T>
void WriteRaw(TStream& stream, T value) {
  stream.WriteBuffer(&value, sizeof value);
}

// A stored length: never negative and never more than what is left.
int32_t ReadLength(TStream& stream, int64_t unit_size) {
  const int32_t length = ReadRaw<int32_t>(stream);
  if (length < 0)
    lxRaiseDataReadError();
  lxCheckRemaining(stream, static_cast<int64_t>(length) * unit_size);
  return length;
}

int32_t CheckedLength(size_t length) {
  if (length > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    lxRaiseDataWriteError();
  return static_cast<int32_t>(length);
}

void WriteCompactInteger(TStream& stream, int64_t value) {
  if (value >= -128 && value <= 127) {
    WriteRaw<uint8_t>(stream, kCodeInt8);
    WriteRaw<int8_t>(stream, static_cast<int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    WriteRaw<uint8_t>(stream, kCodeInt16);
    WriteRaw<int16_t>(stream, static_cast<int16_t>(value));
  } else if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
    WriteRaw<uint8_t>(stream, kCodeInt32);
    WriteRaw<int32_t>(stream, static_cast<int32_t>(value));
  } else {
    WriteRaw<uint8_t>(stream, kCodeInt64);
    WriteRaw<int64_t>(stream, value);
  }
}

void WriteText(TStream& stream, std::string_view text) {
  if (text.size() <= 255) {
    WriteRaw<uint8_t>(stream, kCodeShortString);
    WriteRaw<uint8_t>(stream, static_cast<uint8_t>(text.size()));
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    return;
  }
  WriteRaw<uint8_t>(stream, kCodeLongString);
  lxWriteAnsiString(stream, text);
}

// Anything without a code of its own goes as text; a value without a text
// cannot be stored.
void WriteAsText(TStream& stream, const Variant& value) {
  std::string text;
  try {
    text = value.AsString();
  } catch (const EVariantError&) {
    lxRaiseDataWriteError();
  } catch (const EConvertError&) {
    lxRaiseDataWriteError();
  }
  WriteText(stream, text);
}

bool IsIntegerType(TVarType type) {
  switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: return true;
    default: return false;
  }
}

void WriteVariant(TStream& stream, const Variant& value) {
  if (value.IsArray()) {
    const TVariantArray& items = value.Array();
    WriteRaw<uint8_t>(stream, kCodeArray);
    WriteCompactInteger(stream, static_cast<int64_t>(items.Count()));
    for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i)
      WriteVariant(stream, items.Get(i));
    return;
  }
  const TVarType type = value.Type();
  if (IsIntegerType(type)) {
    WriteCompactInteger(stream, value.IntegerBits());
    return;
  }
  switch (type) {
    case varEmpty: WriteRaw<uint8_t>(stream, kCodeEmpty); return;
    case varNull: WriteRaw<uint8_t>(stream, kCodeNull); return;
    case varSingle:
      WriteRaw<uint8_t>(stream, kCodeSingle);
      WriteRaw<float>(stream, static_cast<float>(value.RealBits()));
      return;
    case varDouble:
      WriteRaw<uint8_t>(stream, kCodeExtended);
      lxWriteFloat(stream, value.RealBits());
      return;
    case varCurrency:
      WriteRaw<uint8_t>(stream, kCodeCurrency);
      WriteRaw<int64_t>(stream, value.IntegerBits());
      return;
    case varDate:
      WriteRaw<uint8_t>(stream, kCodeDate);
      WriteRaw<double>(stream, value.RealBits());
      return;
    case varOleStr:
      WriteRaw<uint8_t>(stream, kCodeWideString);
      lxWriteWideString(stream, value.WideView());
      return;
    case varBoolean: WriteRaw<uint8_t>(stream, value.IntegerBits() != 0 ? kCodeTrue : kCodeFalse); return;
    case varString: WriteText(stream, value.TextView()); return;
    default: break;
  }
  if (type == VarSQLTimeStamp()) {
    TDateTime date = 0;
    try {
      date = SQLTimeStampToDateTime(value.StampValue());
    } catch (const EConvertError&) {
      lxRaiseDataWriteError();
    }
    WriteRaw<uint8_t>(stream, kCodeDate);
    WriteRaw<double>(stream, date);
    return;
  }
  WriteAsText(stream, value);
}

Variant ReadVariant(TStream& stream, int depth);

Variant ReadArray(TStream& stream, int depth) {
  if (depth >= kLxMaxVariantNesting)
    lxRaiseDataReadError();
  int64_t count = 0;
  switch (ReadRaw<uint8_t>(stream)) {
    case kCodeInt8: count = ReadRaw<int8_t>(stream); break;
    case kCodeInt16: count = ReadRaw<int16_t>(stream); break;
    case kCodeInt32: count = ReadRaw<int32_t>(stream); break;
    case kCodeInt64: count = ReadRaw<int64_t>(stream); break;
    default: lxRaiseDataReadError();
  }
  // Every element takes at least its code byte.
  if (count < 0 || count > kMaxArrayElements)
    lxRaiseDataReadError();
  lxCheckRemaining(stream, count);
  TVariantArray items(0, static_cast<int32_t>(count) - 1, varVariant);
  for (int32_t i = 0; i < static_cast<int32_t>(count); ++i)
    items.Put(i, ReadVariant(stream, depth + 1));
  return Variant::FromArray(std::move(items));
}

std::string ReadBytes(TStream& stream, int32_t length) {
  std::string text(static_cast<size_t>(length), '\0');
  stream.ReadBuffer(text.data(), length);
  return text;
}

Variant ReadVariant(TStream& stream, int depth) {
  switch (ReadRaw<uint8_t>(stream)) {
    case kCodeNull: return Variant::Null();
    case kCodeArray: return ReadArray(stream, depth);
    case kCodeInt8: return Variant::FromShortInt(ReadRaw<int8_t>(stream));
    case kCodeInt16: return Variant::FromSmallint(ReadRaw<int16_t>(stream));
    case kCodeInt32: return Variant(ReadRaw<int32_t>(stream));
    case kCodeExtended: return Variant(lxReadFloat(stream));
    case kCodeShortString: {
      const uint8_t length = ReadRaw<uint8_t>(stream);
      lxCheckRemaining(stream, length);
      return Variant(ReadBytes(stream, length));
    }
    case kCodeFalse: return Variant(false);
    case kCodeTrue: return Variant(true);
    case kCodeLongString: return Variant(lxReadAnsiString(stream));
    case kCodeEmpty: return Variant();
    case kCodeSingle: return Variant::FromSingle(ReadRaw<float>(stream));
    case kCodeCurrency: return Variant(Currency::FromRaw(ReadRaw<int64_t>(stream)));
    case kCodeDate: return Variant::FromDate(ReadRaw<double>(stream));
    case kCodeWideString: return Variant(lxReadWideString(stream));
    case kCodeInt64: return Variant(ReadRaw<int64_t>(stream));
    default: lxRaiseDataReadError();
  }
}

}  // namespace

void lxCheckRemaining(TStream& stream, int64_t bytes) {
  if (bytes > stream.Remaining())
    lxRaiseDataReadError();
}

std::string lxReadAnsiString(TStream& stream) { return ReadBytes(stream, ReadLength(stream, 1)); }

void lxWriteAnsiString(TStream& stream, std::string_view text) {
  WriteRaw<int32_t>(stream, CheckedLength(text.size()));
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

std::u16string lxReadWideString(TStream& stream) {
  const int32_t count = ReadLength(stream, 2);
  std::u16string text(static_cast<size_t>(count), u'\0');
  stream.ReadBuffer(text.data(), int64_t{2} * count);
  return text;
}

void lxWriteWideString(TStream& stream, std::u16string_view text) {
  WriteRaw<int32_t>(stream, CheckedLength(text.size()));
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()) * 2);
}

Variant lxReadVariant(TStream& stream) { return ReadVariant(stream, 0); }

void lxWriteVariant(TStream& stream, const Variant& value) { WriteVariant(stream, value); }

bool lxReadBoolean(TStream& stream) { return ReadRaw<uint8_t>(stream) != 0; }
void lxWriteBoolean(TStream& stream, bool value) { WriteRaw<uint8_t>(stream, value ? 1 : 0); }
uint8_t lxReadByte(TStream& stream) { return ReadRaw<uint8_t>(stream); }
void lxWriteByte(TStream& stream, uint8_t value) { WriteRaw(stream, value); }
int16_t lxReadSmallInt(TStream& stream) { return ReadRaw<int16_t>(stream); }
void lxWriteSmallInt(TStream& stream, int16_t value) { WriteRaw(stream, value); }
uint16_t lxReadWord(TStream& stream) { return ReadRaw<uint16_t>(stream); }
void lxWriteWord(TStream& stream, uint16_t value) { WriteRaw(stream, value); }
int32_t lxReadInteger(TStream& stream) { return ReadRaw<int32_t>(stream); }
void lxWriteInteger(TStream& stream, int32_t value) { WriteRaw(stream, value); }
int64_t lxReadLargeInt(TStream& stream) { return ReadRaw<int64_t>(stream); }
void lxWriteLargeInt(TStream& stream, int64_t value) { WriteRaw(stream, value); }
Currency lxReadCurrency(TStream& stream) { return Currency::FromRaw(ReadRaw<int64_t>(stream)); }
void lxWriteCurrency(TStream& stream, Currency value) { WriteRaw(stream, value.Raw()); }
TDateTime lxReadDateTime(TStream& stream) { return ReadRaw<double>(stream); }
void lxWriteDateTime(TStream& stream, TDateTime value) { WriteRaw(stream, value); }

double lxReadFloat(TStream& stream) {
  TExtended80 bytes{};
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return Extended80ToDouble(bytes);
}

void lxWriteFloat(TStream& stream, double value) {
  const TExtended80 bytes = DoubleToExtended80(value);
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

TlxFiler::TlxFiler(TStream& stream) : is_wide_text_(lxReadStreamTextFormatMark(stream)), stream_(stream) {}
