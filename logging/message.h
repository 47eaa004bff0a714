#pragma once
// One log message on its way to the dispatcher: what the logger filled in,
// before it is laid out as a record (message_record.h).

#include <cstdint>
#include <string>

struct TLogWireMessage {
  uint32_t MsgType = 0;
  std::string DispatchId;
  std::string Text;
  std::string Details;
  // Milliseconds since midnight and day number (time_stamp.h).
  uint32_t Time = 0;
  uint32_t Date = 0;
  // Minutes to add to local time to get UTC.
  int32_t TimeZoneBias = 0;
  uint32_t ProcessId = 0;
  std::string ThreadName;
  std::string AppName;
  std::string ComputerName;
  std::string TypeName;
  std::string Category;
  uint32_t CategoryColor = 0;
  uint32_t CategoryFontColor = 0;
};
