#pragma once
// IPv4 and IPv6 address texts: parsing, the canonical IPv6 form, and the
// conversions to and from the address bytes of socket addresses.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "net/bytes.h"

enum TNsIPVersion : uint8_t { Id_IPv4 = 0, Id_IPv6 = 1 };

using TNsIPv6Groups = std::array<uint16_t, 8>;

// Dotted IPv4 text in the liberal form: each part decimal, hexadecimal after
// "0x" or octal after a leading "0"; each part but the last is one byte and
// the last fills the remaining bytes (10.1 is 10.0.0.1); an empty part ends
// the text. `error` is set for a part that is no number or does not fit.
uint32_t IPv4TextToUInt32(std::string_view text, bool& error);

// Exactly four "."-separated fields, each a number 0..255 once trimmed.
bool IsIPv4Text(std::string_view text);
// IsIPv4Text with a first field of 224..239.
bool IsMulticastIPv4(std::string_view text);

// The canonical form of an IPv6 text (eight upper-case groups without
// leading zeros, a dotted tail as two four-digit groups), or empty when the
// text is not an IPv6 address.
std::string CanonicalIPv6(std::string_view text);
bool IsMulticastIPv6(std::string_view text);
// Raises ENsInvalNsIPv6Address for a text that is not an IPv6 address.
TNsIPv6Groups IPv6TextToGroups(std::string_view text);
// Eight four-digit groups joined by ":".
std::string IPv6GroupsToText(const TNsIPv6Groups& groups);

// Address bytes as in socket addresses (4 for IPv4, 16 for IPv6, network
// order) and back. Raise EConvertError for an IPv4 field that is no number
// 0..255, ENsInvalNsIPv6Address for a bad IPv6 text and
// ENsIPVersionUnsupported for another version.
std::string AddressToText(const TNsBytes& bytes, TNsIPVersion version);
TNsBytes TextToAddress(std::string_view text, TNsIPVersion version);

class TNsIPAddress {
 public:
  // IPv6 when the text is one, else IPv4 when it parses as one, else null.
  static std::unique_ptr<TNsIPAddress> ParseAddressObject(std::string_view text);

  TNsIPVersion AddressType() const { return address_type_; }
  uint32_t IPv4() const { return ipv4_; }
  const TNsIPv6Groups& IPv6() const { return ipv6_; }
  // 4 bytes (IPv4) or 16 bytes (IPv6), in network order.
  TNsBytes ToNetworkBytes() const;

 private:
  uint32_t ipv4_ = 0;
  TNsIPVersion address_type_ = Id_IPv4;
  TNsIPv6Groups ipv6_{};
};
