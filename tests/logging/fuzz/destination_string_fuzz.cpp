// Destination strings from outside (stored settings, older stored loggers):
// reading any text either succeeds or raises ELogWireInvalidDestination,
// and afterwards the hash matches the string the destination gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "logging/destination.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TLogWireDestination destination(nullptr);
  try {
    destination.SetDestinationString(text);
  } catch (const ELogWireInvalidDestination&) {
    // Parts read before the error stay; the checks below hold for them too.
  }
  std::string written;
  try {
    written = destination.GetDestinationString();
    destination.ValidateAll();
  } catch (const ELogWireInvalidDestination&) {
    return 0;
  }
  if (destination.Hash() != TLogWireDestination::HashText(written) && !written.empty())
    std::abort();
  // What a destination writes must read back without surprises too.
  TLogWireDestination again(nullptr);
  try {
    again.SetDestinationString(written);
    (void)again.GetDestinationString();
  } catch (const ELogWireInvalidDestination&) {
  }
  return 0;
}
