#include "net/io_handler.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

#include "net/anti_freeze.h"
#include "net/exceptions.h"
#include "net/intercept.h"
#include "net/io_handler_stack.h"
#include "net/stack.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/scope.h"

namespace {

struct HandlerClasses {
  std::mutex lock;
  const TClass* default_class = nullptr;
  std::vector<const TClass*> registered;
};

HandlerClasses& Classes() {
  static HandlerClasses classes;
  return classes;
}

}  // namespace

// ---- Default handler class ----------------------------------------------------------

void TNsIOHandler::SetDefaultIOHandlerClass(const TClass* handler_class) {
  {
    std::lock_guard<std::mutex> guard(Classes().lock);
    Classes().default_class = handler_class;
  }
  RegisterIOHandlerClass(handler_class);
}

const TClass* TNsIOHandler::DefaultIOHandlerClass() {
  std::lock_guard<std::mutex> guard(Classes().lock);
  return Classes().default_class != nullptr ? Classes().default_class : &TNsIOHandlerStack::kClass;
}

void TNsIOHandler::RegisterIOHandlerClass(const TClass* handler_class) {
  std::lock_guard<std::mutex> guard(Classes().lock);
  auto& registered = Classes().registered;
  if (std::find(registered.begin(), registered.end(), handler_class) == registered.end())
    registered.push_back(handler_class);
}

TNsIOHandler* TNsIOHandler::CreateDefaultIOHandler(TComponent* owner) {
  TObject* instance = DefaultIOHandlerClass()->CreateInstance(owner);
  auto* handler = dynamic_cast<TNsIOHandler*>(instance);
  if (handler == nullptr) {
    delete instance;
    throw ENsException("The default I/O handler class is not an I/O handler");
  }
  return handler;
}

// ---- Life ------------------------------------------------------------------------------

TNsIOHandler::TNsIOHandler(TComponent* owner)
    : TNsComponent(owner),
      input_buffer_(std::make_unique<TNsBuffer>(
          [this](TNsBuffer&, int32_t count) { AddWork(wmRead, count); })) {}

TNsIOHandler::~TNsIOHandler() {
  try {
    TNsIOHandler::Close();
  } catch (...) {
    // An intercept's handler failing while the handler goes away changes
    // nothing about the going away.
  }
}

void TNsIOHandler::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == intercept_)
    intercept_ = nullptr;
  TNsComponent::Notification(component, operation);
}

void TNsIOHandler::SetIntercept(TNsConnectionIntercept* intercept) {
  if (intercept_ != nullptr && intercept_ != intercept)
    RemoveFreeNotification(intercept_);
  intercept_ = intercept;
  if (intercept_ != nullptr)
    FreeNotification(intercept_);
}

void TNsIOHandler::SetRecvBufferSize(int32_t size) {
  if (size < 1)
    throw ENsException("The receive buffer size must be positive");
  recv_buffer_size_ = size;
}

void TNsIOHandler::SetSendBufferSize(int32_t size) {
  if (size < 1)
    throw ENsException("The send buffer size must be positive");
  send_buffer_size_ = size;
}

void TNsIOHandler::SetDefaultEncoding(TNsTextEncoding encoding) {
  if (encoding == kNsEncodingDefault)
    throw ENsNoEncodingSpecified();
  default_encoding_ = encoding;
}

TNsTextEncoding TNsIOHandler::Effective(TNsTextEncoding encoding) const {
  return EffectiveEncoding(encoding, default_encoding_);
}

int32_t TNsIOHandler::DefaultWait() const {
  return read_timeout_ > 0 ? read_timeout_ : kNsInfiniteWait;
}

void TNsIOHandler::Open() {
  opened_ = false;
  closed_gracefully_ = false;
  DiscardWriteBuffer();
  input_buffer_->Clear();
  opened_ = true;
}

void TNsIOHandler::Close() {
  // The handler is closed also when the intercept fails to disconnect.
  TScopeExit mark_closed([this] {
    opened_ = false;
    DiscardWriteBuffer();
  });
  if (intercept_ != nullptr)
    intercept_->Disconnect();
}

bool TNsIOHandler::IsConnected() {
  VerifyConnection(false, false);
  if (closed_gracefully_ && input_buffer_->Empty())
    return false;
  return opened_;
}

void TNsIOHandler::RaiseConnectionClosed() { throw ENsConnClosedGracefully(); }

bool TNsIOHandler::PollSource(int32_t timeout) {
  return IsConnected() && FillInputBuffer(false, timeout, false) > 0;
}

// ---- Writing ---------------------------------------------------------------------------

void TNsIOHandler::WriteBytes(const TNsBytes& bytes, int64_t count, int64_t offset) {
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return;
  if (!write_buffer_) {
    WriteDirect(bytes, available, offset);
    return;
  }
  write_buffer_->Append(bytes.data() + offset, static_cast<size_t>(available));
  if (write_buffer_threshold_ > 0) {
    while (write_buffer_ && write_buffer_->Size() >= write_buffer_threshold_)
      FlushWriteBuffer(write_buffer_threshold_);
  }
}

void TNsIOHandler::WriteBytes(const uint8_t* bytes, size_t count) {
  if (count == 0)
    return;
  if (write_buffer_ && write_buffer_threshold_ <= 0) {
    // The common buffered case goes straight into the buffer, without a
    // temporary array.
    write_buffer_->Append(bytes, count);
    return;
  }
  WriteBytes(TNsBytes(bytes, bytes + count));
}

void TNsIOHandler::WriteDirect(const TNsBytes& bytes, int64_t count, int64_t offset) {
  VerifyConnection(true, true);
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return;
  TNsBytes block(bytes.begin() + offset, bytes.begin() + offset + available);
  if (intercept_ != nullptr)
    intercept_->Send(block);
  const auto length = static_cast<int64_t>(block.size());
  int64_t sent = 0;
  while (sent < length) {
    const int64_t chunk = std::min<int64_t>(length - sent, std::numeric_limits<int32_t>::max());
    const int32_t n = SendToTarget(block, static_cast<int32_t>(sent), static_cast<int32_t>(chunk));
    AntiFreezeTurn(false);
    if (n == 0)
      closed_gracefully_ = true;
    VerifyConnection(true, false);
    // A target that took nothing and did not report the loss must not keep
    // this loop spinning.
    if (n <= 0)
      throw ENsConnClosedGracefully();
    AddWork(wmWrite, n);
    sent += n;
  }
}

void TNsIOHandler::WriteInt32(int32_t value, bool convert) {
  auto raw = static_cast<uint32_t>(value);
  if (convert)
    raw = RequireStack().HostToNetwork32(raw);
  uint8_t bytes[4];
  std::memcpy(bytes, &raw, 4);
  WriteBytes(bytes, 4);
}

void TNsIOHandler::WriteInt64(int64_t value, bool convert) {
  auto raw = static_cast<uint64_t>(value);
  if (convert)
    raw = RequireStack().HostToNetwork64(raw);
  uint8_t bytes[8];
  std::memcpy(bytes, &raw, 8);
  WriteBytes(bytes, 8);
}

void TNsIOHandler::WriteStream(TStream& stream, int64_t size, bool write_size_prefix) {
  if (size < 0) {
    size = stream.Size() - stream.Position();
  } else if (size == 0) {
    size = stream.Size();
    stream.SetPosition(0);
  }
  if (size > std::numeric_limits<int32_t>::max() && !large_stream_)
    throw ENsIOHandlerRequiresLargeStream();
  if (write_size_prefix) {
    if (large_stream_)
      WriteInt64(size, true);
    else
      WriteInt32(static_cast<int32_t>(size), true);
  }
  StartWork(wmWrite, size);
  struct FinishAtEnd {
    TNsIOHandler* handler;
    ~FinishAtEnd() { handler->FinishWork(wmWrite); }
  } finish{this};
  TNsBytes chunk;
  while (size > 0) {
    chunk.clear();
    const int64_t read = StreamReadBytes(stream, chunk, std::min<int64_t>(send_buffer_size_, size));
    if (read <= 0)
      throw ENsNoDataToRead();
    WriteBytes(chunk, read);
    size -= read;
  }
}

// ---- Write buffering -------------------------------------------------------------------------

void TNsIOHandler::OpenWriteBuffer(int32_t threshold) {
  if (write_buffer_)
    write_buffer_->Clear();
  else
    write_buffer_ = std::make_unique<TNsBuffer>();
  write_buffer_threshold_ = threshold;
}

void TNsIOHandler::CloseWriteBuffer() {
  struct DropAtEnd {
    std::unique_ptr<TNsBuffer>& buffer;
    ~DropAtEnd() { buffer.reset(); }
  } drop{write_buffer_};
  FlushWriteBuffer(-1);
}

void TNsIOHandler::CancelWriteBuffer() {
  DiscardWriteBuffer();
  CloseWriteBuffer();
}

void TNsIOHandler::DiscardWriteBuffer() {
  if (write_buffer_)
    write_buffer_->Clear();
}

void TNsIOHandler::FlushWriteBuffer(int32_t count) {
  if (!write_buffer_ || write_buffer_->Empty())
    return;
  TNsBytes bytes;
  write_buffer_->MoveToBytes(bytes, count < 0 ? -1 : std::min(count, write_buffer_->Size()));
  WriteDirect(bytes);
}

// ---- Reading ----------------------------------------------------------------------------------

void TNsIOHandler::AppendReceived(int32_t count) {
  if (intercept_ == nullptr) {
    input_buffer_->Append(receive_block_.data(), static_cast<size_t>(count));
    return;
  }
  TNsBytes block(receive_block_.begin(), receive_block_.begin() + count);
  intercept_->Receive(block);
  input_buffer_->Append(block);
}

int32_t TNsIOHandler::FillInputBuffer(bool raise_if_disconnected, int32_t timeout, bool raise_on_timeout) {
  if (timeout < 0)
    timeout = DefaultWait();
  VerifyConnection(raise_if_disconnected, false);
  if (!IsSourceAvailable()) {
    if (raise_if_disconnected)
      throw ENsException("Not Connected");
    return 0;
  }
  while (true) {
    if (!WaitReadable(timeout)) {
      if (raise_on_timeout)
        throw ENsReadTimeout();
      return -1;
    }
    int32_t n = 0;
    if (opened_) {
      if (!IsSourceAvailable())
        throw ENsClosedSocket();
      if (receive_block_.size() != static_cast<size_t>(recv_buffer_size_))
        receive_block_.resize(static_cast<size_t>(recv_buffer_size_));
      n = ReceiveFromSource(receive_block_);
      if (n > 0) {
        const int32_t before = input_buffer_->Size();
        AppendReceived(n);
        // A receive filter may change the block; what it left counts.
        n = input_buffer_->Size() - before;
      }
    } else if (raise_if_disconnected) {
      throw ENsNotConnected();
    }
    if (n == 0)
      closed_gracefully_ = true;
    VerifyConnection(raise_if_disconnected, false);
    if (n != 0)
      return n;
    if (!IsSourceAvailable())
      return 0;
  }
}

void TNsIOHandler::ReadIntoBytes(TNsBytes& bytes, int64_t count, bool append) {
  if (count > 0) {
    if (count > std::numeric_limits<int32_t>::max())
      throw ENsTooMuchDataInBuffer();
    while (input_buffer_->Size() < count) {
      const int32_t n = FillInputBuffer(false, -1, true);
      if (!(n > 0 && input_buffer_->Size() >= count))
        VerifyConnection(true, true);
      // A source that gives nothing without reporting a loss ends the wait
      // instead of spinning.
      if (n == 0 && input_buffer_->Size() < count)
        throw ENsConnClosedGracefully();
    }
    input_buffer_->MoveToBytes(bytes, count, append);
    return;
  }
  if (count < 0) {
    FillInputBuffer(false, read_timeout_, false);
    VerifyConnection(true, true);
    input_buffer_->MoveToBytes(bytes, -1, append);
  }
}

int32_t TNsIOHandler::ReadInt32(bool convert) {
  TNsBytes bytes;
  ReadIntoBytes(bytes, 4, false);
  uint32_t raw;
  std::memcpy(&raw, bytes.data(), 4);
  if (convert)
    raw = RequireStack().NetworkToHost32(raw);
  return static_cast<int32_t>(raw);
}

int64_t TNsIOHandler::ReadInt64(bool convert) {
  TNsBytes bytes;
  ReadIntoBytes(bytes, 8, false);
  uint64_t raw;
  std::memcpy(&raw, bytes.data(), 8);
  if (convert)
    raw = RequireStack().NetworkToHost64(raw);
  return static_cast<int64_t>(raw);
}
