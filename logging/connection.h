#pragma once
// TLogWireConnection: the base of the transports that carry message records
// to the dispatcher. It keeps the dispatch-id table: before a logger's first
// message, and whenever its destination changes, the logger is registered
// with the dispatcher under a new dispatch id (a GUID text) that tells the
// dispatcher where the messages sent under it go.
//
// A transport's destructor calls ReleaseDispatchIds first: by the time this
// base's destructor runs, the transport that would carry the releases is
// gone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/message.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/object.h"
#include "platform/rtl/thread.h"

// windows.h maps SendMessage to SendMessageA or SendMessageW by a macro,
// which would rename the member below in files that include it first.
#ifdef SendMessage
#undef SendMessage
#endif

class TLogWireDestination;
class TLogWireLogger;
class TLogWireManager;

class TLogWireConnection : public TObject {
 public:
  static constexpr TClass kClass{"TLogWireConnection", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `manager` supplies the default destination and the sender's identity;
  // it outlives the connection (it owns it).
  explicit TLogWireConnection(TLogWireManager& manager);
  ~TLogWireConnection() override;

  // Whether the transport can deliver now.
  virtual bool CanSend();
  // Delivers one message; the dispatcher's answer, 0 meaning failure.
  virtual int32_t Send(const TLogWireMessage& message);
  // Asks the peer to close.
  virtual void Close();

  // The loggers' entry point: registers the logger's destination when
  // needed (renewing `dispatch_id` and `dispatch_date`) and sends `message`
  // under its dispatch id. 0 on any failure; an invalid destination raises
  // ELogWireInvalidDestination before anything is sent.
  int32_t SendMessage(const TLogWireLogger& logger, std::string& dispatch_id, TDateTime& dispatch_date,
                      TLogWireMessage& message);

  // A new id dated today, appended to the table; `index` is its position.
  void NewDispatchId(std::string& dispatch_id, TDateTime& date, int32_t& index);
  static std::string NewGuidText();
  // The logger's Destination, else the manager's default destination.
  TLogWireDestination& GetLoggerDestination(const TLogWireLogger& logger) const;

  // Validates the destination (its exception passes), then sends a
  // register message with the destination string under `dispatch_id`.
  // True when the dispatcher accepted it; `registered_text` receives the
  // string sent.
  bool RegisterDestination(const std::string& dispatch_id, TLogWireDestination& destination,
                           std::string_view category, std::string* registered_text = nullptr);
  // Sends a release message for `dispatch_id`; true when accepted.
  bool ReleaseDispatchId(const std::string& dispatch_id, std::string_view category);
  // Releases every id of the table, in table order, with an empty category,
  // whatever the answers; the table is empty afterwards.
  void ReleaseDispatchIds();

  // Starts the dispatcher program (dispatcher_process.h); true when it was
  // started.
  bool StartDispatcher();

  // The table's ids, in the order they were made.
  std::vector<std::string> DispatchIds() const;

 protected:
  TLogWireManager& Manager() const { return manager_; }

 private:
  struct TDispatchIdEntry {
    std::string id;
    // The destination string registered under the id; none until then. The
    // whole string is kept, not only its hash: the hash samples a long
    // string, so two different strings can share it.
    std::optional<std::string> registered_destination;
  };

  int32_t IndexOfDispatchId(std::string_view dispatch_id) const;
  std::optional<std::string> RegisteredDestination(int32_t index) const;
  void SetRegisteredDestination(int32_t index, std::string text);
  int32_t SendControlMessage(uint32_t type, const std::string& dispatch_id, std::string text,
                             std::string_view category);

  TLogWireManager& manager_;
  std::vector<TDispatchIdEntry> table_;
  mutable TCriticalSection lock_;
};
