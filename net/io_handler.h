#pragma once
// TNsIOHandler: the buffered reader and writer between a connection and a
// byte source and target. The base owns the input buffer, the optional
// write buffer and all read and write logic; the source and target are the
// abstract operations that the socket handlers implement. Byte transfer
// and buffering are in io_handler.cpp, text, lines, streams and files in
// io_handler_text.cpp.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "net/buffer.h"
#include "net/component.h"
#include "net/text_encoding.h"

class TNsConnectionIntercept;
class TStream;
class TStrings;

enum TNsMaxLineAction : uint8_t { maException, maSplit };

class TNsIOHandler : public TNsComponent {
 public:
  static constexpr TClass kClass{"TNsIOHandler", &TNsComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr int32_t kDefaultMaxLineLength = 16384;
  static constexpr int32_t kDefaultBufferSize = 32768;

  explicit TNsIOHandler(TComponent* owner);
  ~TNsIOHandler() override;

  // ---- Settings ----
  virtual std::string GetDestination() const { return destination_; }
  virtual void SetDestination(const std::string& destination) { destination_ = destination; }
  const std::string& Host() const { return host_; }
  virtual void SetHost(const std::string& host) { host_ = host; }
  int32_t Port() const { return port_; }
  virtual void SetPort(int32_t port) { port_ = port; }
  TNsConnectionIntercept* Intercept() const { return intercept_; }
  virtual void SetIntercept(TNsConnectionIntercept* intercept);
  int32_t ConnectTimeout() const { return connect_timeout_; }
  void SetConnectTimeout(int32_t timeout) { connect_timeout_ = timeout; }
  // Milliseconds; -1 and 0 wait without limit.
  int32_t ReadTimeout() const { return read_timeout_; }
  void SetReadTimeout(int32_t timeout) { read_timeout_ = timeout; }
  int32_t MaxLineLength() const { return max_line_length_; }
  void SetMaxLineLength(int32_t length) { max_line_length_ = length; }
  TNsMaxLineAction MaxLineAction() const { return max_line_action_; }
  void SetMaxLineAction(TNsMaxLineAction action) { max_line_action_ = action; }
  int32_t MaxCapturedLines() const { return max_captured_lines_; }
  void SetMaxCapturedLines(int32_t lines) { max_captured_lines_ = lines; }
  int32_t RecvBufferSize() const { return recv_buffer_size_; }
  // Raises ENsException for a size below 1.
  void SetRecvBufferSize(int32_t size);
  int32_t SendBufferSize() const { return send_buffer_size_; }
  void SetSendBufferSize(int32_t size);
  bool LargeStream() const { return large_stream_; }
  void SetLargeStream(bool large) { large_stream_ = large; }
  TNsTextEncoding DefaultEncoding() const { return default_encoding_; }
  // Raises ENsNoEncodingSpecified for 0.
  void SetDefaultEncoding(TNsTextEncoding encoding);
  bool ReadLnSplit() const { return read_ln_split_; }
  bool ReadLnTimedOut() const { return read_ln_timed_out_; }
  bool ClosedGracefully() const { return closed_gracefully_; }
  bool Opened() const { return opened_; }
  TNsBuffer& InputBuffer() { return *input_buffer_; }
  bool IsInputBufferEmpty() const { return input_buffer_->Empty(); }

  // ---- State ----
  virtual void Open();
  virtual void Close();
  virtual bool IsConnected();
  // Raises ENsConnClosedGracefully when the connection is known lost and,
  // unless `ignore_buffer`, no unread bytes are left.
  virtual void VerifyConnection(bool raise_if_disconnected, bool ignore_buffer) = 0;
  virtual void MarkClosedGracefully() { closed_gracefully_ = true; }
  virtual void AfterAccepted() {}
  [[noreturn]] void RaiseConnectionClosed();
  // Whether bytes arrived within `timeout` ms.
  virtual bool PollSource(int32_t timeout);
  virtual bool WaitReadable(int32_t) { return false; }

  // ---- Writing bytes and numbers ----
  // `count` bytes of `bytes` from `offset` (-1 = all); buffered while write
  // buffering is on.
  virtual void WriteBytes(const TNsBytes& bytes, int64_t count = -1, int64_t offset = 0);
  void WriteBytes(const uint8_t* bytes, size_t count);
  // Sends at once, past any write buffer.
  void WriteDirect(const TNsBytes& bytes, int64_t count = -1, int64_t offset = 0);
  // With `convert` in network byte order (most significant byte first).
  void WriteInt32(int32_t value, bool convert = true);
  void WriteInt64(int64_t value, bool convert = true);
  // Sends `size` bytes of `stream`: a negative size from the position to
  // the end, 0 the whole stream from its start. With `write_size_prefix`
  // the size goes first (32 bits, or 64 with LargeStream).
  virtual void WriteStream(TStream& stream, int64_t size = 0, bool write_size_prefix = false);

  // ---- Write buffering ----
  // Buffers every write until the buffer is flushed or closed; a positive
  // threshold sends threshold-sized pieces early while it grows.
  virtual void OpenWriteBuffer(int32_t threshold = -1);
  // Sends everything buffered and ends buffering; the buffer is dropped even
  // when sending raised.
  virtual void CloseWriteBuffer();
  // Ends buffering without sending.
  virtual void CancelWriteBuffer();
  virtual void DiscardWriteBuffer();
  virtual void FlushWriteBuffer(int32_t count = -1);
  bool IsWriteBuffering() const { return write_buffer_ != nullptr; }
  int32_t WriteBufferThreshold() const { return write_buffer_threshold_; }

  // ---- Reading bytes and numbers ----
  // Receives once into the input buffer; the count received, 0 when the
  // peer closed, -1 when nothing came within `timeout` ms (-1: the read
  // time-out, or no limit when that is -1 or 0) and raising is not asked.
  int32_t FillInputBuffer(bool raise_if_disconnected = true, int32_t timeout = -1, bool raise_on_timeout = true);
  // Takes `count` bytes (waiting for them) into `bytes`; a negative count
  // takes whatever one receive brings.
  virtual void ReadIntoBytes(TNsBytes& bytes, int64_t count, bool append = true);
  int32_t ReadInt32(bool convert = true);
  int64_t ReadInt64(bool convert = true);

  // ---- Text, lines, streams and files (io_handler_text.cpp) ----
  void WriteText(std::string_view text, TNsTextEncoding encoding = kNsEncodingDefault);
  void WriteCharacter(char character, TNsTextEncoding encoding = kNsEncodingDefault);
  void WriteLine(std::string_view text = {}, TNsTextEncoding encoding = kNsEncodingDefault);
  void WriteLineDotStuffed(std::string_view text, TNsTextEncoding encoding = kNsEncodingDefault);
  // In one send; with `write_count` the number of lines goes first.
  void WriteStrings(const TStrings& lines, bool write_count = false, TNsTextEncoding encoding = kNsEncodingDefault);
  // The bytes sent. Raises ENsFileNotFound for a missing file.
  virtual int64_t WriteFileContents(const std::string& file_name, bool allow_system_transmission = false);
  // One character (its whole UTF-8 sequence with encoding UTF-8).
  std::string ReadCharacter(TNsTextEncoding encoding = kNsEncodingDefault);
  // The next line without its terminator (and without a CR before an LF
  // terminator). An empty terminator means LF, a negative maximum length
  // MaxLineLength, a time-out of -1 the read time-out. Sets ReadLnTimedOut
  // and returns empty text when nothing complete came in time.
  std::string ReadLine(std::string_view terminator = "\n", int32_t timeout = -1, int32_t max_length = -1,
                       TNsTextEncoding encoding = kNsEncodingDefault);
  std::string ReadNonEmptyLine(int32_t max_attempts = 0x7FFFFFFF, TNsTextEncoding encoding = kNsEncodingDefault);
  // Terminal-style input with echo, backspace and tab expansion.
  std::string ReadEchoedLine(std::string_view mask = {}, bool echo = true, int32_t tab_width = 8,
                             int32_t max_length = -1, TNsTextEncoding encoding = kNsEncodingDefault);
  // Lines up to the delimiter line (consumed, not captured), into a list or
  // a stream (each with CR LF); any other object raises
  // ENsObjectTypeNotSupported.
  void CaptureLines(TObject* destination, int32_t& line_count, std::string_view delimiter = ".",
                    bool undo_dot_stuffing = true, TNsTextEncoding encoding = kNsEncodingDefault);
  void CaptureLines(TStrings& destination, int32_t& line_count, std::string_view delimiter = ".",
                    bool undo_dot_stuffing = true, TNsTextEncoding encoding = kNsEncodingDefault);
  void CaptureLines(TStream& destination, int32_t& line_count, std::string_view delimiter = ".",
                    bool undo_dot_stuffing = true, TNsTextEncoding encoding = kNsEncodingDefault);
  // Everything the peer sends until it closes; never raises.
  std::string ReadAllUntilClosed(TNsTextEncoding encoding = kNsEncodingDefault);
  // `count` bytes into the stream; -1 without `read_until_closed` reads a
  // size prefix first; with `read_until_closed` everything until the peer
  // closes.
  void ReadIntoStream(TStream& stream, int64_t count = -1, bool read_until_closed = false);
  std::string InputBufferToText(TNsTextEncoding encoding = kNsEncodingDefault);

  // ---- Default handler class ----
  static void SetDefaultIOHandlerClass(const TClass* handler_class);
  static const TClass* DefaultIOHandlerClass();
  static void RegisterIOHandlerClass(const TClass* handler_class);
  // A new handler of the default class, belonging to `owner` when given.
  static TNsIOHandler* CreateDefaultIOHandler(TComponent* owner);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

  // The source and target.
  virtual int32_t ReceiveFromSource(TNsBytes& bytes) = 0;
  virtual int32_t SendToTarget(const TNsBytes& bytes, int32_t offset, int32_t count) = 0;
  virtual bool IsSourceAvailable() = 0;

  TNsTextEncoding Effective(TNsTextEncoding encoding) const;
  // The read time-out when it limits waits, else kNsInfiniteWait.
  int32_t DefaultWait() const;

 private:
  void CaptureLinesInto(TStrings* list, TStream* stream, int32_t& line_count, std::string_view delimiter,
                        bool undo_dot_stuffing, TNsTextEncoding encoding);
  std::string TakeSplitLine(int32_t max_length, TNsTextEncoding encoding);
  void AppendReceived(int32_t count);

  bool large_stream_ = false;
  bool closed_gracefully_ = false;
  int32_t connect_timeout_ = 0;
  std::string destination_;
  std::string host_;
  std::unique_ptr<TNsBuffer> input_buffer_;
  TNsConnectionIntercept* intercept_ = nullptr;
  int32_t max_captured_lines_ = -1;
  TNsMaxLineAction max_line_action_ = maException;
  int32_t max_line_length_ = kDefaultMaxLineLength;
  bool opened_ = false;
  int32_t port_ = 0;
  bool read_ln_split_ = false;
  bool read_ln_timed_out_ = false;
  int32_t read_timeout_ = -1;
  int32_t recv_buffer_size_ = kDefaultBufferSize;
  int32_t send_buffer_size_ = kDefaultBufferSize;
  std::unique_ptr<TNsBuffer> write_buffer_;
  int32_t write_buffer_threshold_ = 0;
  TNsTextEncoding default_encoding_ = kNsEncoding8Bit;
  // Reused for every receive, so that a receive costs no allocation.
  TNsBytes receive_block_;
};
