#include "net/stack.h"

#include <bit>
#include <cstring>
#include <mutex>

#include "net/exceptions.h"
#include "net/socket_list.h"
#include "net/text_routines.h"
#include "platform/rtl/text.h"

namespace {

struct StackState {
  std::mutex lock;
  const TClass* stack_class = PlatformStackClass();
  std::unique_ptr<TNsStack> instance;
  int32_t usage_count = 0;
};

// Built on first use, so that it exists before any static holder asks, and
// never destroyed, so that a holder freed while the program's statics are
// torn down still finds it.
StackState& State() {
  static StackState& state = *new StackState;
  return state;
}

struct SocketErrorText {
  int32_t number;
  const char* text;
};

constexpr SocketErrorText kSocketErrorTexts[] = {
    {10004, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Buffer fault."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block."},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {10048, "Address already in use."},
    {10049, "Cannot assign requested address."},
    {10050, "Network is down."},
    {10051, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {10053, "Software caused connection abort."},
    {10054, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {10057, "Socket is not connected."},
    {10058, "Cannot send or receive after socket is closed."},
    {10059, "Too many references, cannot splice."},
    {10060, "Connection timed out."},
    {10061, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {10065, "No route to host."},
    {10066, "Directory not empty"},
};

uint16_t ByteSwap(uint16_t value) { return __builtin_bswap16(value); }
uint32_t ByteSwap(uint32_t value) { return __builtin_bswap32(value); }
uint64_t ByteSwap(uint64_t value) { return __builtin_bswap64(value); }

template <class T>
T SwapIfLittleEndian(T value) {
  if constexpr (std::endian::native == std::endian::little)
    return ByteSwap(value);
  return value;
}

}  // namespace

// ---- Process-wide stack -----------------------------------------------------------

void AcquireStack() {
  StackState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.usage_count == 0) {
    if (state.stack_class == nullptr)
      throw ENsException("Stack Class is undefined.");
    if (state.instance)
      throw ENsException("Stack already created.");
    // Nothing is counted until the instance exists, so a failed creation
    // leaves the count as it was and the next holder tries again.
    state.instance = CreateUnowned<TNsStack>(state.stack_class);
  }
  ++state.usage_count;
}

void ReleaseStack() {
  StackState& state = State();
  std::unique_ptr<TNsStack> last;
  {
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.usage_count == 0)
      return;
    if (--state.usage_count == 0)
      last = std::move(state.instance);
  }
}

TNsStack* GStack() { return State().instance.get(); }

TNsStack& RequireStack() {
  TNsStack* stack = GStack();
  if (stack == nullptr)
    throw ENsException("Stack Class is undefined.");
  return *stack;
}

int32_t StackUsageCount() {
  StackState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.usage_count;
}

void SetStackClass(const TClass* stack_class) {
  StackState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.stack_class = stack_class;
}

const TClass* StackClass() { return State().stack_class; }

// ---- Errors -----------------------------------------------------------------------------

std::string TNsStack::TranslateSocketError(int32_t error) {
  const char* text = "";
  for (const SocketErrorText& entry : kSocketErrorTexts) {
    if (entry.number == error) {
      text = entry.text;
      break;
    }
  }
  return FormatEnglish("Socket Error # %d\r\n%s", {error, text});
}

void TNsStack::RaiseSocketError(int32_t error) {
  std::string message = TranslateSocketError(error);
  if (error == kWsaENotSock)
    throw ENsNotASocket(error, std::move(message));
  throw ENsSocketError(error, std::move(message));
}

int32_t TNsStack::CheckSocketResult(int32_t result) {
  if (result == kNsSocketError)
    RaiseLastSocketError();
  return result;
}

int32_t TNsStack::CheckSocketResultIgnoring(int32_t result, std::initializer_list<int32_t> ignored) {
  if (result != kNsSocketError)
    return result;
  const int32_t error = GetLastSocketError();
  for (int32_t number : ignored) {
    if (number == error)
      return error;
  }
  RaiseSocketError(error);
}

// ---- Byte order and checksums ----------------------------------------------------------

uint16_t TNsStack::HostToNetwork16(uint16_t value) { return SwapIfLittleEndian(value); }
uint32_t TNsStack::HostToNetwork32(uint32_t value) { return SwapIfLittleEndian(value); }
uint64_t TNsStack::HostToNetwork64(uint64_t value) { return SwapIfLittleEndian(value); }
uint16_t TNsStack::NetworkToHost16(uint16_t value) { return SwapIfLittleEndian(value); }
uint32_t TNsStack::NetworkToHost32(uint32_t value) { return SwapIfLittleEndian(value); }
uint64_t TNsStack::NetworkToHost64(uint64_t value) { return SwapIfLittleEndian(value); }

TNsIPv6Words TNsStack::HostToNetworkIPv6(const TNsIPv6Words& words) {
  TNsIPv6Words result{};
  for (size_t i = 0; i < words.size(); ++i)
    result[i] = HostToNetwork16(words[i]);
  return result;
}

TNsIPv6Words TNsStack::NetworkToHostIPv6(const TNsIPv6Words& words) {
  TNsIPv6Words result{};
  for (size_t i = 0; i < words.size(); ++i)
    result[i] = NetworkToHost16(words[i]);
  return result;
}

uint16_t TNsStack::InternetChecksum(const TNsBytes& bytes) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    uint16_t word;
    std::memcpy(&word, bytes.data() + i, 2);
    sum += word;
  }
  if (i < bytes.size())
    sum += bytes[i];
  sum = (sum >> 16) + (sum & 0xFFFF);
  sum += sum >> 16;
  return static_cast<uint16_t>(~sum & 0xFFFF);
}

std::optional<int64_t> TNsStack::TransmitWholeFile(TNsStackSocketHandle /*socket*/,
                                                   const std::string& /*file_name*/) {
  return std::nullopt;
}

void TNsStack::StoreChecksum(TNsStackSocketHandle, TNsBytes& bytes, int32_t offset) {
  if (offset < 0 || static_cast<size_t>(offset) + 2 > bytes.size())
    throw ENsException("Checksum offset outside the message");
  const uint16_t checksum = InternetChecksum(bytes);
  std::memcpy(bytes.data() + offset, &checksum, 2);
}

// ---- Address texts ------------------------------------------------------------------------

std::string ResolveAddressText(const std::string& host, TNsIPVersion version) {
  switch (version) {
    case Id_IPv6: {
      std::string canonical = CanonicalIPv6(host);
      return canonical.empty() ? RequireStack().LookupHostAddress(host, Id_IPv6) : canonical;
    }
    case Id_IPv4:
      if (SameText(host, "LOCALHOST"))
        return "127.0.0.1";
      if (IsIPv4Text(host))
        return host;
      return RequireStack().LookupHostAddress(host, Id_IPv4);
  }
  throw ENsIPVersionUnsupported();
}

bool TNsSocketList::SelectLists(TNsSocketList* read, TNsSocketList* write, TNsSocketList* error, int32_t timeout) {
  return RequireStack().SelectLists(read, write, error, timeout);
}
