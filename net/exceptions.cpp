#include "net/exceptions.h"

#include "net/text_routines.h"

ENsCannotBindPortInRange::ENsCannotBindPortInRange(int32_t minimum, int32_t maximum)
    : ENsSocketHandleError(FormatEnglish("Can not bind in port range (%d - %d)", {minimum, maximum})) {}

ENsInvalidPortRange::ENsInvalidPortRange(int32_t minimum, int32_t maximum)
    : ENsSocketHandleError(FormatEnglish("Invalid Port Range (%d - %d)", {minimum, maximum})) {}

ENsInvalNsIPv6Address ENsInvalNsIPv6Address::ForText(const std::string& text) {
  return ENsInvalNsIPv6Address(FormatEnglish("%s is not a valid IPv6 address", {text}));
}

ENsWinsockStubError::ENsWinsockStubError(int32_t error_number, std::string title, std::string system_error_text)
    : ENsException(error_number == 0 ? title : title + ": " + system_error_text),
      error_number_(error_number),
      system_error_text_(std::move(system_error_text)),
      title_(std::move(title)) {}

ENsInvalidServiceName ENsInvalidServiceName::ForName(const std::string& name) {
  return ENsInvalidServiceName(FormatEnglish("%s is not a valid service.", {name}));
}

ENsFileNotFound ENsFileNotFound::ForFile(const std::string& file_name) {
  return ENsFileNotFound(FormatEnglish("File \"%s\" not found", {file_name}));
}

ENsNotEnoughDataInBuffer::ENsNotEnoughDataInBuffer(int64_t requested, int64_t size)
    : ENsException(FormatEnglish("Not enough data in buffer. (%d/%d)", {requested, size})) {}

ENsInterceptCircularLink ENsInterceptCircularLink::ForClass(std::string_view class_name) {
  return ENsInterceptCircularLink(std::string(class_name) + ": Circular links are not allowed");
}

ENsTransparentProxyCircularLink ENsTransparentProxyCircularLink::ForClass(std::string_view class_name) {
  return ENsTransparentProxyCircularLink(std::string(class_name) + ": Circular links are not allowed");
}
