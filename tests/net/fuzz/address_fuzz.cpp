// Address texts from anywhere: the canonical IPv6 form must parse again to
// the same groups (it is not a fixed point: a dotted tail keeps leading
// zeros), and every parser either answers or raises its exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/address_text.h"
#include "net/exceptions.h"
#include "net/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string canonical = CanonicalIPv6(text);
  if (!canonical.empty()) {
    const TNsIPv6Groups groups = IPv6TextToGroups(text);
    if (IPv6TextToGroups(canonical) != groups)
      __builtin_trap();
    const TNsBytes bytes = TextToAddress(text, Id_IPv6);
    if (TextToAddress(AddressToText(bytes, Id_IPv6), Id_IPv6) != bytes)
      __builtin_trap();
  }
  bool error = false;
  IPv4TextToUInt32(text, error);
  if (IsIPv4Text(text)) {
    const TNsBytes bytes = TextToAddress(text, Id_IPv4);
    if (TextToAddress(AddressToText(bytes, Id_IPv4), Id_IPv4) != bytes)
      __builtin_trap();
  }
  TNsIPAddress::ParseAddressObject(text);
  try {
    BytesToText(TNsBytes(data, data + size), kNsEncodingUTF8);
  } catch (const ENsException&) {
  }
  return 0;
}
