#pragma once
// The failures of the socket transport. Every one is an ENsException; the
// groups (ENsSocketHandleError, ENsStackError, ENsSocksError, ...) let a
// caller catch a family at once. Classes with one fixed text construct with
// it by default, so that the texts live here and nowhere else.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/rtl/exceptions.h"

class ENsException : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ENsException"; }
};

// ---- Silent failures ---------------------------------------------------------

class ENsSilentException : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsSilentException"; }
};

class ENsConnClosedGracefully : public ENsSilentException {
 public:
  ENsConnClosedGracefully() : ENsSilentException("Connection Closed Gracefully.") {}
  using ENsSilentException::ENsSilentException;
  const char* ClassName() const override { return "ENsConnClosedGracefully"; }
};

// ---- Socket handle -------------------------------------------------------------

class ENsSocketHandleError : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsSocketHandleError"; }
};

class ENsPackageSizeTooBig : public ENsSocketHandleError {
 public:
  ENsPackageSizeTooBig() : ENsSocketHandleError("Package Size Too Big.") {}
  const char* ClassName() const override { return "ENsPackageSizeTooBig"; }
};

class ENsNotAllBytesSent : public ENsSocketHandleError {
 public:
  ENsNotAllBytesSent() : ENsSocketHandleError("Not all bytes sent.") {}
  const char* ClassName() const override { return "ENsNotAllBytesSent"; }
};

class ENsCouldNotBindSocket : public ENsSocketHandleError {
 public:
  ENsCouldNotBindSocket() : ENsSocketHandleError("Could not bind socket. Address and port are already in use.") {}
  const char* ClassName() const override { return "ENsCouldNotBindSocket"; }
};

class ENsCannotBindPortInRange : public ENsSocketHandleError {
 public:
  // "Can not bind in port range (min - max)"
  ENsCannotBindPortInRange(int32_t minimum, int32_t maximum);
  const char* ClassName() const override { return "ENsCannotBindPortInRange"; }
};

class ENsInvalidPortRange : public ENsSocketHandleError {
 public:
  // "Invalid Port Range (min - max)"
  ENsInvalidPortRange(int32_t minimum, int32_t maximum);
  const char* ClassName() const override { return "ENsInvalidPortRange"; }
};

class ENsCannotSetIPVersionWhenConnected : public ENsSocketHandleError {
 public:
  ENsCannotSetIPVersionWhenConnected() : ENsSocketHandleError("Cannot change IPVersion when connected") {}
  const char* ClassName() const override { return "ENsCannotSetIPVersionWhenConnected"; }
};

// ---- Texts, encodings, the socket library ----------------------------------------

class ENsInvalNsIPv6Address : public ENsException {
 public:
  // "<text> is not a valid IPv6 address"
  static ENsInvalNsIPv6Address ForText(const std::string& text);
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsInvalNsIPv6Address"; }
};

class ENsNoEncodingSpecified : public ENsException {
 public:
  ENsNoEncodingSpecified() : ENsException("No encoding specified.") {}
  const char* ClassName() const override { return "ENsNoEncodingSpecified"; }
};

// A failure to load the socket library or to find one of its functions. The
// message is the title, followed by ": " and the system's text for the
// error when the error number is not 0.
class ENsWinsockStubError : public ENsException {
 public:
  ENsWinsockStubError(int32_t error_number, std::string title, std::string system_error_text);
  const char* ClassName() const override { return "ENsWinsockStubError"; }

  int32_t ErrorNumber() const { return error_number_; }
  const std::string& SystemErrorText() const { return system_error_text_; }
  const std::string& Title() const { return title_; }

 private:
  int32_t error_number_;
  std::string system_error_text_;
  std::string title_;
};

class ENsInvalidServiceName : public ENsException {
 public:
  // "<name> is not a valid service."
  static ENsInvalidServiceName ForName(const std::string& name);
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsInvalidServiceName"; }
};

class ENsStackError : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsStackError"; }
};

class ENsStackInitializationFailed : public ENsStackError {
 public:
  using ENsStackError::ENsStackError;
  const char* ClassName() const override { return "ENsStackInitializationFailed"; }
};

class ENsStackSetSizeExceeded : public ENsStackError {
 public:
  ENsStackSetSizeExceeded() : ENsStackError("Set Size Exceeded.") {}
  const char* ClassName() const override { return "ENsStackSetSizeExceeded"; }
};

class ENsIPVersionUnsupported : public ENsStackError {
 public:
  ENsIPVersionUnsupported() : ENsStackError("The requested IPVersion / Address family is not supported.") {}
  const char* ClassName() const override { return "ENsIPVersionUnsupported"; }
};

class ENsIPv6Unavailable : public ENsException {
 public:
  ENsIPv6Unavailable() : ENsException("IPv6 unavailable") {}
  const char* ClassName() const override { return "ENsIPv6Unavailable"; }
};

// A failed socket call, with the socket library's error number (the Winsock
// numbering on every platform).
class ENsSocketError : public ENsException {
 public:
  ENsSocketError(int32_t error_number, std::string message)
      : ENsException(std::move(message)), error_number_(error_number) {}
  const char* ClassName() const override { return "ENsSocketError"; }
  int32_t LastError() const { return error_number_; }

 private:
  int32_t error_number_;
};

class ENsNotASocket : public ENsSocketError {
 public:
  using ENsSocketError::ENsSocketError;
  const char* ClassName() const override { return "ENsNotASocket"; }
};

// ---- Connections and I/O handlers ---------------------------------------------------

class ENsAlreadyConnected : public ENsException {
 public:
  ENsAlreadyConnected() : ENsException("Already connected.") {}
  const char* ClassName() const override { return "ENsAlreadyConnected"; }
};

class ENsClosedSocket : public ENsException {
 public:
  ENsClosedSocket() : ENsException("Disconnected.") {}
  const char* ClassName() const override { return "ENsClosedSocket"; }
};

class ENsReadTimeout : public ENsException {
 public:
  ENsReadTimeout() : ENsException("Read timed out.") {}
  const char* ClassName() const override { return "ENsReadTimeout"; }
};

class ENsReadLnMaxLineLengthExceeded : public ENsException {
 public:
  ENsReadLnMaxLineLengthExceeded() : ENsException("Max line length exceeded.") {}
  const char* ClassName() const override { return "ENsReadLnMaxLineLengthExceeded"; }
};

class ENsReadLnWaitMaxAttemptsExceeded : public ENsException {
 public:
  ENsReadLnWaitMaxAttemptsExceeded() : ENsException("Max line read attempts exceeded.") {}
  const char* ClassName() const override { return "ENsReadLnWaitMaxAttemptsExceeded"; }
};

class ENsPortRequired : public ENsException {
 public:
  ENsPortRequired() : ENsException("") {}
  const char* ClassName() const override { return "ENsPortRequired"; }
};

class ENsHostRequired : public ENsException {
 public:
  ENsHostRequired() : ENsException("") {}
  const char* ClassName() const override { return "ENsHostRequired"; }
};

class ENsTCPConnectionError : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsTCPConnectionError"; }
};

class ENsObjectTypeNotSupported : public ENsTCPConnectionError {
 public:
  ENsObjectTypeNotSupported() : ENsTCPConnectionError("Object type not supported.") {}
  const char* ClassName() const override { return "ENsObjectTypeNotSupported"; }
};

class ENsNoDataToRead : public ENsTCPConnectionError {
 public:
  ENsNoDataToRead() : ENsTCPConnectionError("No data to read.") {}
  const char* ClassName() const override { return "ENsNoDataToRead"; }
};

class ENsFileNotFound : public ENsTCPConnectionError {
 public:
  // "File "<name>" not found"
  static ENsFileNotFound ForFile(const std::string& file_name);
  using ENsTCPConnectionError::ENsTCPConnectionError;
  const char* ClassName() const override { return "ENsFileNotFound"; }
};

class ENsNotConnected : public ENsException {
 public:
  ENsNotConnected() : ENsException("Not Connected") {}
  const char* ClassName() const override { return "ENsNotConnected"; }
};

class ENsConnectTimeout : public ENsException {
 public:
  ENsConnectTimeout() : ENsException("Connect timed out.") {}
  const char* ClassName() const override { return "ENsConnectTimeout"; }
};

class ENsConnectException : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsConnectException"; }
};

class ENsTransparentProxyCantBind : public ENsException {
 public:
  ENsTransparentProxyCantBind() : ENsException("Transparent proxy cannot bind.") {}
  const char* ClassName() const override { return "ENsTransparentProxyCantBind"; }
};

// ---- SOCKS -------------------------------------------------------------------------

class ENsSocksError : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsSocksError"; }
};

class ENsSocksRequestFailed : public ENsSocksError {
 public:
  ENsSocksRequestFailed() : ENsSocksError("Request rejected or failed.") {}
  const char* ClassName() const override { return "ENsSocksRequestFailed"; }
};

class ENsSocksRequestServerFailed : public ENsSocksError {
 public:
  ENsSocksRequestServerFailed() : ENsSocksError("Request rejected because SOCKS server cannot connect.") {}
  const char* ClassName() const override { return "ENsSocksRequestServerFailed"; }
};

class ENsSocksRequestIdentFailed : public ENsSocksError {
 public:
  ENsSocksRequestIdentFailed()
      : ENsSocksError("Request rejected because the client program and identd report different user-ids.") {}
  const char* ClassName() const override { return "ENsSocksRequestIdentFailed"; }
};

class ENsSocksUnknownError : public ENsSocksError {
 public:
  ENsSocksUnknownError() : ENsSocksError("Unknown socks error.") {}
  const char* ClassName() const override { return "ENsSocksUnknownError"; }
};

class ENsSocksServerRespondError : public ENsSocksError {
 public:
  ENsSocksServerRespondError() : ENsSocksError("Socks server did not respond.") {}
  const char* ClassName() const override { return "ENsSocksServerRespondError"; }
};

class ENsSocksAuthMethodError : public ENsSocksError {
 public:
  ENsSocksAuthMethodError() : ENsSocksError("Invalid socks authentication method.") {}
  const char* ClassName() const override { return "ENsSocksAuthMethodError"; }
};

class ENsSocksAuthError : public ENsSocksError {
 public:
  ENsSocksAuthError() : ENsSocksError("Authentication error to socks server.") {}
  using ENsSocksError::ENsSocksError;
  const char* ClassName() const override { return "ENsSocksAuthError"; }
};

class ENsSocksServerGeneralError : public ENsSocksError {
 public:
  ENsSocksServerGeneralError() : ENsSocksError("General SOCKS server failure.") {}
  const char* ClassName() const override { return "ENsSocksServerGeneralError"; }
};

class ENsSocksServerPermissionError : public ENsSocksError {
 public:
  ENsSocksServerPermissionError() : ENsSocksError("Connection not allowed by ruleset.") {}
  const char* ClassName() const override { return "ENsSocksServerPermissionError"; }
};

class ENsSocksServerNetUnreachableError : public ENsSocksError {
 public:
  ENsSocksServerNetUnreachableError() : ENsSocksError("Network unreachable.") {}
  const char* ClassName() const override { return "ENsSocksServerNetUnreachableError"; }
};

class ENsSocksServerHostUnreachableError : public ENsSocksError {
 public:
  ENsSocksServerHostUnreachableError() : ENsSocksError("Host unreachable.") {}
  const char* ClassName() const override { return "ENsSocksServerHostUnreachableError"; }
};

class ENsSocksServerConnectionRefusedError : public ENsSocksError {
 public:
  ENsSocksServerConnectionRefusedError() : ENsSocksError("Connection refused.") {}
  const char* ClassName() const override { return "ENsSocksServerConnectionRefusedError"; }
};

class ENsSocksServerTTLExpiredError : public ENsSocksError {
 public:
  ENsSocksServerTTLExpiredError() : ENsSocksError("TTL expired.") {}
  const char* ClassName() const override { return "ENsSocksServerTTLExpiredError"; }
};

class ENsSocksServerCommandError : public ENsSocksError {
 public:
  ENsSocksServerCommandError() : ENsSocksError("Command not supported.") {}
  const char* ClassName() const override { return "ENsSocksServerCommandError"; }
};

class ENsSocksServerAddressError : public ENsSocksError {
 public:
  ENsSocksServerAddressError() : ENsSocksError("Address type not supported.") {}
  const char* ClassName() const override { return "ENsSocksServerAddressError"; }
};

// ---- Lines, buffers, chains ------------------------------------------------------------

class ENsMaxCaptureLineExceeded : public ENsException {
 public:
  ENsMaxCaptureLineExceeded() : ENsException("Maximum number of line allowed exceeded") {}
  const char* ClassName() const override { return "ENsMaxCaptureLineExceeded"; }
};

class ENsNotEnoughDataInBuffer : public ENsException {
 public:
  // "Not enough data in buffer. (requested/size)"
  ENsNotEnoughDataInBuffer(int64_t requested, int64_t size);
  const char* ClassName() const override { return "ENsNotEnoughDataInBuffer"; }
};

class ENsTooMuchDataInBuffer : public ENsException {
 public:
  ENsTooMuchDataInBuffer() : ENsException("Too much data in buffer.") {}
  const char* ClassName() const override { return "ENsTooMuchDataInBuffer"; }
};

class ENsInterceptCircularLink : public ENsException {
 public:
  // "<class name>: Circular links are not allowed"
  static ENsInterceptCircularLink ForClass(std::string_view class_name);
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsInterceptCircularLink"; }
};

class ENsIOHandler : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsIOHandler"; }
};

class ENsIOHandlerRequiresLargeStream : public ENsIOHandler {
 public:
  ENsIOHandlerRequiresLargeStream() : ENsIOHandler("") {}
  const char* ClassName() const override { return "ENsIOHandlerRequiresLargeStream"; }
};

class ENsTransparentProxyCircularLink : public ENsException {
 public:
  // "<class name>: Circular links are not allowed"
  static ENsTransparentProxyCircularLink ForClass(std::string_view class_name);
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsTransparentProxyCircularLink"; }
};

class ENsTransparentProxyUDPNotSupported : public ENsException {
 public:
  ENsTransparentProxyUDPNotSupported() : ENsException("UDP Not supported by this proxy.") {}
  const char* ClassName() const override { return "ENsTransparentProxyUDPNotSupported"; }
};

class ENsReplyError : public ENsException {
 public:
  using ENsException::ENsException;
  const char* ClassName() const override { return "ENsReplyError"; }
};

// A numbered reply that was not among the expected ones, with its code.
class ENsReplyRFCError : public ENsReplyError {
 public:
  ENsReplyRFCError(int32_t error_code, std::string message)
      : ENsReplyError(std::move(message)), error_code_(error_code) {}
  const char* ClassName() const override { return "ENsReplyRFCError"; }
  int32_t ErrorCode() const { return error_code_; }

 private:
  int32_t error_code_;
};

class ENsSocksUDPNotSupportedBySOCKSVersion : public ENsException {
 public:
  ENsSocksUDPNotSupportedBySOCKSVersion() : ENsException("UDP is not support in this SOCKS version.") {}
  const char* ClassName() const override { return "ENsSocksUDPNotSupportedBySOCKSVersion"; }
};

// ---- Raising routines -------------------------------------------------------------------
// Each raises a new E constructed from the message when its condition holds.

template <class E>
[[noreturn]] void RaiseNew(std::string message) {
  throw E(std::move(message));
}

template <class E>
void RaiseIfTrue(bool condition, std::string message) {
  if (condition)
    throw E(std::move(message));
}

template <class E>
void RaiseIfFalse(bool condition, std::string message) {
  if (!condition)
    throw E(std::move(message));
}

template <class E, class T>
void RaiseIfAssigned(const T* reference, std::string message) {
  if (reference != nullptr)
    throw E(std::move(message));
}

template <class E, class T>
void RaiseIfUnassigned(const T* reference, std::string message) {
  if (reference == nullptr)
    throw E(std::move(message));
}

template <class E>
void RaiseIfOutOfRange(int64_t value, int64_t minimum, int64_t maximum, std::string message) {
  if (value < minimum || value > maximum)
    throw E(std::move(message));
}
