#pragma once
// The kinds of log message. The number travels as the record's first field
// and tells the dispatcher how to show the text. Types 90 to 99 belong to the
// connection's own control messages and never reach a logger's event.

#include <cstdint>
#include <string_view>

enum TLogWireMsgType : uint32_t {
  lwmtInfo = 0,
  lwmtWarning = 1,
  lwmtError = 2,
  lwmtCheckPoint = 3,
  lwmtObject = 4,
  lwmtCompAsText = 5,
  lwmtStringList = 6,
  lwmtProperty = 7,
  lwmtNote = 8,
  lwmtEnter = 9,
  lwmtExit = 10,
  lwmtSeparator = 11,
  lwmtInactSep = 12,
  lwmtClear = 13,
  lwmtScratchPad = 14,
  lwmtSaveLog = 15,
  lwmtBitmap = 16,
  lwmtTextFile = 17,
  lwmtWindow = 18,
  lwmtMemory = 19,
  lwmtMemStatus = 20,
  lwmtText = 21,
  lwmtProperties = 22,
  lwmtReminder = 23,
  lwmtLevel1 = 24,
  lwmtLevel2 = 25,
  lwmtLevel3 = 26,
  lwmtLevel4 = 27,
  lwmtLevel5 = 28,
  lwmtLevel6 = 29,
  lwmtLevel7 = 30,
  lwmtColor = 31,
  lwmtRegistry = 32,
  lwmtSysInfo = 33,
  lwmtVerInfo = 34,
  lwmtXmlData = 35,
  lwmtStackTrace = 36,
  lwmtException = 37,
  lwmtTable = 38,
  lwmtResetSep = 39,
  lwmtAppStrtSep = 40,
  lwmtCollection = 41,
  lwmtCollapsedMethod = 42,
  lwmtExitMethodCollapse = 43,
  lwmtHierarchy = 44,

  // Control messages of the connection.
  lwmtFirstControl = 90,
  lwmtRegisterDestination = 91,
  lwmtReleaseDispatchId = 92,
  lwmtLastControl = 99,
};

// The name of a message type ("Info", "Warning", ...); empty for a number
// without one.
std::string_view LogWireMsgTypeName(uint32_t type);

constexpr bool IsLogWireControlType(uint32_t type) {
  return type >= lwmtFirstControl && type <= lwmtLastControl;
}
