#include "net/text_encoding.h"

#include "net/exceptions.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/text.h"

namespace {

[[noreturn]] void RaiseInvalidUtf8Byte() { throw ENsException("Byte is invalid for this UTF-8 sequence"); }

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

TNsTextEncoding EffectiveEncoding(TNsTextEncoding encoding, TNsTextEncoding fallback) {
  const TNsTextEncoding effective = encoding != kNsEncodingDefault ? encoding : fallback;
  if (effective == kNsEncodingDefault)
    throw ENsNoEncodingSpecified();
  return effective;
}

TNsBytes TextToBytes(std::string_view text, TNsTextEncoding encoding, int64_t count, int64_t start) {
  EffectiveEncoding(encoding, kNsEncodingDefault);
  const int64_t available = AvailableCount(text, count, start);
  if (available <= 0)
    return {};
  const auto* first = reinterpret_cast<const uint8_t*>(text.data()) + start;
  return TNsBytes(first, first + available);
}

std::string BytesToText(const uint8_t* bytes, size_t size, TNsTextEncoding encoding) {
  if (EffectiveEncoding(encoding, kNsEncodingDefault) != kNsEncodingUTF8)
    return std::string(reinterpret_cast<const char*>(bytes), size);
  std::string text;
  text.reserve(size);
  TNsUTF8DecoderStd decoder;
  for (size_t i = 0; i < size; ++i) {
    char32_t character = 0;
    if (decoder.Decode(bytes[i], character))
      AppendUtf8(text, character);
  }
  // A sequence cut off by the end is as broken as one cut by a wrong byte.
  if (decoder.InSequence())
    RaiseInvalidUtf8Byte();
  return text;
}

std::string BytesToText(const TNsBytes& bytes, TNsTextEncoding encoding, int64_t start, int64_t count) {
  EffectiveEncoding(encoding, kNsEncodingDefault);
  const int64_t available = AvailableCount(bytes, count, start);
  if (available <= 0)
    return {};
  return BytesToText(bytes.data() + start, static_cast<size_t>(available), encoding);
}

TNsBytes CharToBytes(char character, TNsTextEncoding encoding) {
  EffectiveEncoding(encoding, kNsEncodingDefault);
  return TNsBytes{static_cast<uint8_t>(character)};
}

void WriteTextToStream(TStream& stream, std::string_view text, TNsTextEncoding encoding) {
  const TNsBytes bytes = TextToBytes(text, encoding);
  if (!bytes.empty())
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

bool TNsUTF8DecoderStd::Decode(uint8_t byte, char32_t& character) {
  if (continuations_left_ == 0) {
    if (byte < 0x80) {
      character = byte;
      return true;
    }
    if (IsContinuation(byte) || byte >= 0xF8)
      RaiseInvalidUtf8Byte();
    if (byte >= 0xF0) {
      accumulator_ = byte & 0x07;
      continuations_left_ = 3;
    } else if (byte >= 0xE0) {
      accumulator_ = byte & 0x0F;
      continuations_left_ = 2;
    } else {
      accumulator_ = byte & 0x1F;
      continuations_left_ = 1;
    }
    return false;
  }
  if (!IsContinuation(byte)) {
    continuations_left_ = 0;
    RaiseInvalidUtf8Byte();
  }
  accumulator_ = (accumulator_ << 6) | (byte & 0x3F);
  if (--continuations_left_ != 0)
    return false;
  character = accumulator_;
  return true;
}
