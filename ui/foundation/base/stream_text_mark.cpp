#include "ui/foundation/base/stream_text_mark.h"

#include <array>
#include <cstring>

namespace {

constexpr int64_t kMarkSize = 6;
constexpr std::array<char, kMarkSize> kWideTextMark = {'L', 'X', 'U', 'F', 'M', 'T'};
constexpr std::array<char, kMarkSize> kAnsiTextMark = {'L', 'X', 'A', 'F', 'M', 'T'};

}  // namespace

bool lxReadStreamTextFormatMark(TStream& stream) {
  // Only a stream with data after a mark carries one.
  if (stream.Size() - stream.Position() <= kMarkSize)
    return false;
  std::array<char, kMarkSize> mark{};
  stream.ReadBuffer(mark.data(), kMarkSize);
  if (mark == kWideTextMark)
    return true;
  if (mark == kAnsiTextMark)
    return false;
  stream.Seek(-kMarkSize, soCurrent);
  return false;
}

TlxStream::TlxStream(TStream& stream) : stream_(stream), is_wide_text_(lxReadStreamTextFormatMark(stream)) {}
