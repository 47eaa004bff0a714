// Stored image values from outside: the graphic header is skipped only when
// it is consistent, what remains is a tail of the input, and the signature
// of the remaining bytes is one of the known answers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "editors/kinds/image_value_codec.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view body = lxSkipGraphicHeader(input);
  if (body.size() != input.size() && body.size() + 8 != input.size())
    Fail("the header skip took something other than 8 bytes");
  if (body.data() + body.size() != input.data() + input.size())
    Fail("the body is not a tail of the input");
  if (body.size() != input.size() && lxSkipGraphicHeader(input.substr(0, 7)).size() != 7)
    Fail("a short value lost bytes");
  const TlxPictureSignature signature = lxSniffPictureSignature(body);
  if (signature > TlxPictureSignature::EnhancedMetafile)
    Fail("an unknown signature answer");
  if (signature == TlxPictureSignature::Png && body.size() < 8)
    Fail("a PNG signature in fewer than 8 bytes");
  return 0;
}
