#include "ui/foundation/base/text_conversion.h"

#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

std::u16string lxMultiByteToWideString(const char* text, uint32_t code_page, int32_t length) {
  if (text == nullptr)
    return {};
  const std::string_view bytes =
      length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length));
  if (bytes.empty())
    return {};
  if (code_page == lxCP_UTF8 || code_page == lxCP_ACP)
    return Utf8ToUtf16(bytes);
  return lxDecodeCodePage(bytes, code_page);
}

namespace {

uint8_t ByteOf(const Variant& element) {
  const int64_t value = element.AsInt64();
  if (value < 0 || value > 255)
    throw EConvertError("Array element " + std::to_string(value) + " is not a byte");
  return static_cast<uint8_t>(value);
}

}  // namespace

std::string lxVariantToAnsiStr(const Variant& value) {
  if (value.IsArray()) {
    const TVariantArray& array = value.Array();
    std::string bytes;
    bytes.reserve(array.Count());
    for (int32_t index = array.LowBound(); index <= array.HighBound(); ++index)
      bytes += static_cast<char>(ByteOf(array.Get(index)));
    return bytes;
  }
  if (value.IsText())
    return lxStrToAnsiString(value.AsString());
  return {};
}
