#include "net/address_text.h"

#include <vector>

#include "net/exceptions.h"
#include "net/text_routines.h"
#include "platform/rtl/format.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

// One part of a liberal IPv4 text; false when it is no number or exceeds
// `limit`.
bool ParseIPv4Part(std::string_view part, uint64_t limit, uint64_t& value) {
  unsigned base = 10;
  if (part.size() > 2 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X')) {
    base = 16;
    part.remove_prefix(2);
  } else if (part.size() > 1 && part[0] == '0' && IsOctalText(part)) {
    base = 8;
  }
  if (part.empty())
    return false;
  value = 0;
  for (char c : part) {
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return false;
    if (digit >= base)
      return false;
    value = value * base + digit;
    if (value > limit)
      return false;
  }
  return true;
}

bool ParseDecimalByte(std::string_view field, uint8_t& value) {
  int32_t number = 0;
  if (!TryStrToInt(TrimBlanks(field), number) || number < 0 || number > 255)
    return false;
  value = static_cast<uint8_t>(number);
  return true;
}

// The four bytes of a strict dotted text, or false.
bool ParseDottedQuad(std::string_view text, std::array<uint8_t, 4>& bytes) {
  const auto fields = Split(text, '.');
  if (fields.size() != 4)
    return false;
  for (size_t i = 0; i < 4; ++i) {
    if (!ParseDecimalByte(fields[i], bytes[i]))
      return false;
  }
  return true;
}

bool ParseHexGroup(std::string_view field, uint16_t& group) {
  if (field.empty() || field.size() > 4 || !IsHexText(field))
    return false;
  uint32_t value = 0;
  for (char c : field) {
    value <<= 4;
    if (c >= '0' && c <= '9')
      value |= static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      value |= static_cast<uint32_t>(c - 'a' + 10);
    else
      value |= static_cast<uint32_t>(c - 'A' + 10);
  }
  group = static_cast<uint16_t>(value);
  return true;
}

// The dotted tail of an IPv6 text as two groups; the numbers are decimal
// 0..255 with at most three digits each.
bool ParseDottedTail(std::string_view tail, uint16_t& high, uint16_t& low) {
  const auto fields = Split(tail, '.');
  if (fields.size() != 4)
    return false;
  std::array<uint8_t, 4> bytes{};
  for (size_t i = 0; i < 4; ++i) {
    if (fields[i].empty() || fields[i].size() > 3 || !IsDecimalText(fields[i]))
      return false;
    const int value = std::stoi(std::string(fields[i]));
    if (value > 255)
      return false;
    bytes[i] = static_cast<uint8_t>(value);
  }
  high = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
  low = static_cast<uint16_t>(bytes[2] << 8 | bytes[3]);
  return true;
}

struct ParsedIPv6 {
  TNsIPv6Groups groups{};
  bool dotted_tail = false;
};

bool ParseIPv6(std::string_view input, ParsedIPv6& parsed) {
  if (input.empty())
    return false;
  std::string text(input);
  if (text.front() == ':')
    text.insert(text.begin(), '0');
  if (text.back() == ':')
    text.push_back('0');

  int dots = 0;
  int colons = 0;
  size_t last_colon = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      if (++dots > 3)
        return false;
    } else if (c == ':') {
      if (++colons > 7)
        return false;
      last_colon = i;
    } else if (c >= '0' && c <= '9') {
      continue;
    } else if (((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) && dots == 0) {
      continue;
    } else {
      return false;
    }
  }
  const bool plain = dots == 0 && colons >= 2 && colons <= 7;
  const bool dotted = dots == 3 && colons >= 2 && colons <= 6 && text.find('.') > last_colon;
  if (!plain && !dotted)
    return false;

  auto fields = Split(text, ':');
  uint16_t tail_high = 0;
  uint16_t tail_low = 0;
  if (dotted) {
    if (!ParseDottedTail(fields.back(), tail_high, tail_low))
      return false;
    fields.pop_back();
  }
  std::vector<uint16_t> before;
  std::vector<uint16_t> after;
  bool seen_gap = false;
  for (std::string_view field : fields) {
    if (field.empty()) {
      if (seen_gap)
        return false;
      seen_gap = true;
      continue;
    }
    uint16_t group = 0;
    if (!ParseHexGroup(field, group))
      return false;
    (seen_gap ? after : before).push_back(group);
  }
  const size_t tail_groups = dotted ? 2 : 0;
  const size_t explicit_groups = before.size() + after.size() + tail_groups;
  if (explicit_groups > 8 || (!seen_gap && explicit_groups != 8))
    return false;
  size_t index = 0;
  for (uint16_t group : before)
    parsed.groups[index++] = group;
  index += 8 - explicit_groups;
  for (uint16_t group : after)
    parsed.groups[index++] = group;
  if (dotted) {
    parsed.groups[6] = tail_high;
    parsed.groups[7] = tail_low;
  }
  parsed.dotted_tail = dotted;
  return true;
}

}  // namespace

uint32_t IPv4TextToUInt32(std::string_view text, bool& error) {
  error = false;
  // An empty part ends the text; what follows it does not count, and the
  // parts before it are single bytes from the left ("1..2" is 1.0.0.0).
  // Only a text that runs to its end lets its last part fill the rest.
  std::vector<std::string_view> parts;
  bool ended_early = false;
  for (std::string_view part : Split(text, '.')) {
    if (part.empty()) {
      ended_early = true;
      break;
    }
    parts.push_back(part);
  }
  if (parts.size() > 4) {
    error = true;
    return 0;
  }
  uint32_t result = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const bool last = !ended_early && i + 1 == parts.size();
    const int remaining_bytes = last ? static_cast<int>(4 - i) : 1;
    const uint64_t limit = (uint64_t{1} << (8 * remaining_bytes)) - 1;
    uint64_t value = 0;
    if (!ParseIPv4Part(parts[i], limit, value)) {
      error = true;
      return 0;
    }
    if (last)
      result |= static_cast<uint32_t>(value);
    else
      result |= static_cast<uint32_t>(value) << (8 * (3 - i));
  }
  return result;
}

bool IsIPv4Text(std::string_view text) {
  std::array<uint8_t, 4> bytes{};
  return ParseDottedQuad(text, bytes);
}

bool IsMulticastIPv4(std::string_view text) {
  std::array<uint8_t, 4> bytes{};
  return ParseDottedQuad(text, bytes) && bytes[0] >= 224 && bytes[0] <= 239;
}

std::string CanonicalIPv6(std::string_view text) {
  ParsedIPv6 parsed;
  if (!ParseIPv6(text, parsed))
    return {};
  std::string result;
  for (size_t i = 0; i < 8; ++i) {
    if (i > 0)
      result += ':';
    const bool tail_group = parsed.dotted_tail && i >= 6;
    result += tail_group ? IntToHex(parsed.groups[i], 4) : IntToHex(parsed.groups[i], 1);
  }
  return result;
}

bool IsMulticastIPv6(std::string_view text) { return CanonicalIPv6(text).rfind("FF", 0) == 0; }

TNsIPv6Groups IPv6TextToGroups(std::string_view text) {
  ParsedIPv6 parsed;
  if (!ParseIPv6(text, parsed))
    throw ENsInvalNsIPv6Address::ForText(std::string(text));
  return parsed.groups;
}

std::string IPv6GroupsToText(const TNsIPv6Groups& groups) {
  std::string result;
  for (size_t i = 0; i < groups.size(); ++i) {
    if (i > 0)
      result += ':';
    result += IntToHex(groups[i], 4);
  }
  return result;
}

std::string AddressToText(const TNsBytes& bytes, TNsIPVersion version) {
  if (version == Id_IPv4) {
    if (bytes.size() < 4)
      throw ENsException("Address too short");
    return FormatEnglish("%d.%d.%d.%d", {bytes[0], bytes[1], bytes[2], bytes[3]});
  }
  if (version == Id_IPv6) {
    if (bytes.size() < 16)
      throw ENsException("Address too short");
    std::string result;
    for (size_t i = 0; i < 8; ++i) {
      if (i > 0)
        result += ':';
      result += IntToHex(static_cast<uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]), 1);
    }
    return result;
  }
  throw ENsIPVersionUnsupported();
}

TNsBytes TextToAddress(std::string_view text, TNsIPVersion version) {
  if (version == Id_IPv4) {
    const auto fields = Split(text, '.');
    if (fields.size() != 4)
      throw EConvertError::InvalidInteger(text);
    TNsBytes bytes(4);
    for (size_t i = 0; i < 4; ++i) {
      const int32_t value = StrToIntTrimmed(fields[i]);
      if (value < 0 || value > 255)
        throw EConvertError::InvalidInteger(fields[i]);
      bytes[i] = static_cast<uint8_t>(value);
    }
    return bytes;
  }
  if (version == Id_IPv6) {
    const TNsIPv6Groups groups = IPv6TextToGroups(text);
    TNsBytes bytes(16);
    for (size_t i = 0; i < 8; ++i) {
      bytes[2 * i] = static_cast<uint8_t>(groups[i] >> 8);
      bytes[2 * i + 1] = static_cast<uint8_t>(groups[i]);
    }
    return bytes;
  }
  throw ENsIPVersionUnsupported();
}

std::unique_ptr<TNsIPAddress> TNsIPAddress::ParseAddressObject(std::string_view text) {
  auto address = std::make_unique<TNsIPAddress>();
  ParsedIPv6 parsed;
  if (ParseIPv6(text, parsed)) {
    address->address_type_ = Id_IPv6;
    address->ipv6_ = parsed.groups;
    return address;
  }
  bool error = false;
  const uint32_t value = IPv4TextToUInt32(text, error);
  if (error)
    return nullptr;
  address->address_type_ = Id_IPv4;
  address->ipv4_ = value;
  return address;
}

TNsBytes TNsIPAddress::ToNetworkBytes() const {
  if (address_type_ == Id_IPv4)
    return TNsBytes{static_cast<uint8_t>(ipv4_ >> 24), static_cast<uint8_t>(ipv4_ >> 16),
                    static_cast<uint8_t>(ipv4_ >> 8), static_cast<uint8_t>(ipv4_)};
  TNsBytes bytes(16);
  for (size_t i = 0; i < 8; ++i) {
    bytes[2 * i] = static_cast<uint8_t>(ipv6_[i] >> 8);
    bytes[2 * i + 1] = static_cast<uint8_t>(ipv6_[i]);
  }
  return bytes;
}
