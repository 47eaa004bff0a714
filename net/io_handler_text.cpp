// Text, lines, streams and files of TNsIOHandler, built on the byte
// operations and the input buffer of io_handler.cpp.
#include <algorithm>
#include <filesystem>

#include "net/anti_freeze.h"
#include "net/exceptions.h"
#include "net/io_handler.h"
#include "net/read_file_exclusive_stream.h"
#include "net/text_routines.h"
#include "net/ticks.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/strings.h"

namespace {

constexpr char kBackspace = 8;
constexpr char kTab = 9;
constexpr char kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr char kEscape = 27;

// Starts a work bracket; the scope returned reports its end on every path
// out of the caller's scope.
auto WorkScope(TNsComponent& component, TWorkMode mode, int64_t count_max) {
  component.StartWork(mode, count_max);
  return TScopeExit([&component, mode] { component.FinishWork(mode); });
}

// Drops the last character of UTF-8 text (a whole sequence).
void DropLastCharacter(std::string& text) {
  while (!text.empty()) {
    const auto last = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((last & 0xC0) != 0x80)
      return;
  }
}

}  // namespace

bool NsFileExists(const std::string& file_name) {
  std::error_code error;
  const std::filesystem::path path(std::u8string(reinterpret_cast<const char8_t*>(file_name.data()), file_name.size()));
  return std::filesystem::is_regular_file(path, error);
}

// ---- Writing text --------------------------------------------------------------------------

void TNsIOHandler::WriteText(std::string_view text, TNsTextEncoding encoding) {
  if (text.empty())
    return;
  const TNsBytes bytes = TextToBytes(text, Effective(encoding));
  WriteBytes(bytes.data(), bytes.size());
}

void TNsIOHandler::WriteCharacter(char character, TNsTextEncoding encoding) {
  const TNsBytes bytes = CharToBytes(character, Effective(encoding));
  WriteBytes(bytes.data(), bytes.size());
}

void TNsIOHandler::WriteLine(std::string_view text, TNsTextEncoding encoding) {
  std::string line(text);
  line += "\r\n";
  WriteText(line, encoding);
}

void TNsIOHandler::WriteLineDotStuffed(std::string_view text, TNsTextEncoding encoding) {
  if (!text.empty() && text.front() == '.')
    WriteLine("." + std::string(text), encoding);
  else
    WriteLine(text, encoding);
}

void TNsIOHandler::WriteStrings(const TStrings& lines, bool write_count, TNsTextEncoding encoding) {
  const TNsTextEncoding effective = Effective(encoding);
  OpenWriteBuffer();
  TScopeExit close_buffer([this] { CloseWriteBuffer(); });
  if (write_count)
    WriteInt32(lines.Count(), true);
  for (int32_t i = 0; i < lines.Count(); ++i)
    WriteLine(lines.Get(i), effective);
}

int64_t TNsIOHandler::WriteFileContents(const std::string& file_name, bool) {
  if (!NsFileExists(file_name))
    throw ENsFileNotFound::ForFile(file_name);
  TNsReadFileExclusiveStream stream(file_name);
  WriteStream(stream, 0, false);
  return stream.Size();
}

// ---- Reading text -----------------------------------------------------------------------------

std::string TNsIOHandler::ReadCharacter(TNsTextEncoding encoding) {
  const TNsTextEncoding effective = Effective(encoding);
  TNsBytes bytes;
  ReadIntoBytes(bytes, 1, false);
  if (effective != kNsEncodingUTF8)
    return std::string(1, static_cast<char>(bytes[0]));
  TNsUTF8DecoderStd decoder;
  TNsBytes sequence{bytes[0]};
  char32_t character = 0;
  while (!decoder.Decode(sequence.back(), character)) {
    ReadIntoBytes(bytes, 1, false);
    sequence.push_back(bytes[0]);
  }
  return BytesToText(sequence, kNsEncodingUTF8);
}

std::string TNsIOHandler::TakeSplitLine(int32_t max_length, TNsTextEncoding encoding) {
  if (max_line_action_ == maException)
    throw ENsReadLnMaxLineLengthExceeded();
  read_ln_split_ = true;
  return input_buffer_->MoveToText(max_length, encoding);
}

std::string TNsIOHandler::ReadLine(std::string_view terminator, int32_t timeout, int32_t max_length,
                                   TNsTextEncoding encoding) {
  const TNsTextEncoding effective = Effective(encoding);
  if (max_length < 0)
    max_length = max_line_length_;
  if (terminator.empty())
    terminator = "\n";
  read_ln_split_ = false;
  read_ln_timed_out_ = false;
  const TNsBytes terminator_bytes = TextToBytes(terminator, effective);
  const auto terminator_length = static_cast<int32_t>(terminator_bytes.size());
  const uint32_t start_tick = TickCountMs();
  int32_t search_start = 0;
  while (true) {
    int32_t position = -1;
    if (!input_buffer_->Empty()) {
      if (search_start < input_buffer_->Size())
        position = input_buffer_->IndexOf(terminator_bytes, search_start);
      search_start = std::max(input_buffer_->Size() - terminator_length + 1, 0);
    }
    if (max_length > 0 && position > max_length)
      return TakeSplitLine(max_length, effective);
    if (position >= 0) {
      std::string line = input_buffer_->MoveToText(position + terminator_length, effective);
      line.resize(line.size() - static_cast<size_t>(terminator_length));
      if (terminator == "\n" && !line.empty() && line.back() == kCarriageReturn)
        line.pop_back();
      return line;
    }
    if (max_length > 0 && search_start > max_length)
      return TakeSplitLine(max_length, effective);
    VerifyConnection(true, true);
    const int32_t n = FillInputBuffer(true, timeout, false);
    read_ln_timed_out_ = n == -1;
    if (!read_ln_timed_out_ && timeout >= 0 && TickSpan(start_tick, TickCountMs()) >= static_cast<uint32_t>(timeout))
      read_ln_timed_out_ = true;
    if (read_ln_timed_out_)
      return {};
  }
}

std::string TNsIOHandler::ReadNonEmptyLine(int32_t max_attempts, TNsTextEncoding encoding) {
  for (int32_t attempt = 0; attempt < max_attempts; ++attempt) {
    std::string line(TrimBlanks(ReadLine("\n", -1, -1, encoding)));
    if (!line.empty())
      return line;
    if (read_ln_timed_out_)
      throw ENsReadTimeout();
  }
  throw ENsReadLnWaitMaxAttemptsExceeded();
}

std::string TNsIOHandler::ReadEchoedLine(std::string_view mask, bool echo, int32_t tab_width, int32_t max_length,
                                         TNsTextEncoding encoding) {
  if (max_length < 0)
    max_length = max_line_length_;
  std::string text;
  while (true) {
    const std::string character = ReadCharacter(encoding);
    const char first = character.front();
    if (first == kLineFeed)
      break;
    if (first == kBackspace) {
      if (!text.empty()) {
        DropLastCharacter(text);
        if (echo)
          WriteText("\b \b", encoding);
      }
      continue;
    }
    if (first == kCarriageReturn || first == kEscape)
      continue;
    if (static_cast<int64_t>(text.size()) > max_length)
      continue;
    if (first == kTab && tab_width > 0) {
      const std::string blanks(static_cast<size_t>(tab_width - static_cast<int32_t>(text.size()) % tab_width), ' ');
      text += blanks;
      if (echo)
        WriteText(blanks, encoding);
      continue;
    }
    text += character;
    if (echo)
      WriteText(first == kTab || mask.empty() ? std::string_view(character) : mask, encoding);
  }
  while (!text.empty() && (text.back() == kCarriageReturn || text.back() == kLineFeed))
    text.pop_back();
  if (echo)
    WriteText("\r\n", encoding);
  return text;
}

void TNsIOHandler::CaptureLines(TObject* destination, int32_t& line_count, std::string_view delimiter,
                                bool undo_dot_stuffing, TNsTextEncoding encoding) {
  line_count = 0;
  if (auto* list = dynamic_cast<TStrings*>(destination)) {
    CaptureLinesInto(list, nullptr, line_count, delimiter, undo_dot_stuffing, encoding);
    return;
  }
  if (auto* stream = dynamic_cast<TStream*>(destination)) {
    CaptureLinesInto(nullptr, stream, line_count, delimiter, undo_dot_stuffing, encoding);
    return;
  }
  throw ENsObjectTypeNotSupported();
}

void TNsIOHandler::CaptureLines(TStrings& destination, int32_t& line_count, std::string_view delimiter,
                                bool undo_dot_stuffing, TNsTextEncoding encoding) {
  CaptureLinesInto(&destination, nullptr, line_count, delimiter, undo_dot_stuffing, encoding);
}

void TNsIOHandler::CaptureLines(TStream& destination, int32_t& line_count, std::string_view delimiter,
                                bool undo_dot_stuffing, TNsTextEncoding encoding) {
  CaptureLinesInto(nullptr, &destination, line_count, delimiter, undo_dot_stuffing, encoding);
}

void TNsIOHandler::CaptureLinesInto(TStrings* list, TStream* stream, int32_t& line_count, std::string_view delimiter,
                                    bool undo_dot_stuffing, TNsTextEncoding encoding) {
  const TNsTextEncoding effective = Effective(encoding);
  line_count = 0;
  const auto work = WorkScope(*this, wmRead, 0);
  while (true) {
    std::string line = ReadLine("\n", -1, -1, effective);
    if (line == delimiter)
      return;
    if (max_captured_lines_ > 0 && line_count > max_captured_lines_)
      throw ENsMaxCaptureLineExceeded();
    if (undo_dot_stuffing && line.rfind("..", 0) == 0)
      line.erase(0, 1);
    ++line_count;
    if (list != nullptr)
      list->Add(line);
    else
      WriteTextToStream(*stream, line + "\r\n", effective);
  }
}

std::string TNsIOHandler::ReadAllUntilClosed(TNsTextEncoding encoding) {
  std::string result;
  const auto work = WorkScope(*this, wmRead, 0);
  try {
    if (IsConnected()) {
      try {
        while (FillInputBuffer(false, 250, false) != 0) {
        }
      } catch (const Exception&) {
        // The peer's way of ending does not matter: what came is the result.
      }
    }
    if (!input_buffer_->Empty())
      result = InputBufferToText(encoding);
  } catch (const Exception&) {
    // Never raises; the text so far is the answer.
  }
  return result;
}

void TNsIOHandler::ReadIntoStream(TStream& stream, int64_t count, bool read_until_closed) {
  if (count == -1 && !read_until_closed)
    count = large_stream_ ? ReadInt64(true) : ReadInt32(true);
  // The stream is not sized up front from the count: a count that a peer
  // sent must not allocate memory before the bytes actually arrive.
  int64_t remaining = read_until_closed ? std::numeric_limits<int64_t>::max() : std::max<int64_t>(count, 0);
  const auto work = WorkScope(*this, wmRead, read_until_closed ? 0 : remaining);
  const TScopeExit cut_at_end([&stream] {
    try {
      if (stream.Position() < stream.Size())
        stream.SetSize(stream.Position());
    } catch (const Exception&) {
      // A stream that cannot be cut keeps its tail.
    }
  });

  const int64_t buffered = std::min<int64_t>(input_buffer_->Size(), remaining);
  if (buffered > 0) {
    input_buffer_->MoveToStream(stream, buffered);
    remaining -= buffered;
  }
  TNsBytes chunk;
  while (remaining > 0) {
    const int64_t chunk_size = std::min<int64_t>(recv_buffer_size_, remaining);
    chunk.clear();
    try {
      ReadIntoBytes(chunk, chunk_size, false);
    } catch (const ENsConnClosedGracefully&) {
      input_buffer_->MoveToBytes(chunk, std::min<int64_t>(input_buffer_->Size(), chunk_size), false);
      StreamWriteBytes(stream, chunk);
      if (read_until_closed)
        return;
      throw;
    } catch (const Exception&) {
      chunk.clear();
      input_buffer_->MoveToBytes(chunk, std::min<int64_t>(input_buffer_->Size(), chunk_size), false);
      StreamWriteBytes(stream, chunk);
      throw;
    }
    AntiFreezeTurn(true);
    stream.WriteBuffer(chunk.data(), chunk_size);
    remaining -= chunk_size;
  }
}

std::string TNsIOHandler::InputBufferToText(TNsTextEncoding encoding) {
  return input_buffer_->MoveToText(-1, Effective(encoding));
}
