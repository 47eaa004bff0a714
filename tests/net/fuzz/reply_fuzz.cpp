// Numbered replies as a server may send them: any lines, parsed, checked
// and formatted again. Invalid codes must raise ENsException, nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/exceptions.h"
#include "net/reply.h"
#include "platform/rtl/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TStringList lines;
  lines.SetText(text);
  TNsReplyRFC reply;
  for (int32_t i = 0; i < lines.Count(); ++i)
    reply.IsLastLine(lines.Line(i));
  try {
    reply.ParseReplyLines(lines);
  } catch (const ENsException&) {
    return 0;
  }
  const int32_t code = reply.CodeNumber();
  if (!reply.Code().empty() && (code < 100 || code > 999))
    __builtin_trap();
  // A reply with a code reads back the same from its formatted lines.
  TStrings& formatted = reply.FormatReply();
  if (code >= 1) {
    TNsReplyRFC again;
    again.ParseReplyLines(formatted);
    if (again.Code() != reply.Code() || again.Text().Count() != reply.Text().Count())
      __builtin_trap();
  }
  try {
    reply.RaiseReplyError();
  } catch (const ENsReplyRFCError& error) {
    if (error.ErrorCode() != code)
      __builtin_trap();
  }
  return 0;
}
