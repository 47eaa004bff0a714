#include "logging/message_types.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 45> kTypeNames = {
    "Info",       "Warning",     "Error",      "CheckPoint",  "Object",         "CompAsText",
    "StringList", "Property",    "Note",       "Enter",       "Exit",           "Separator",
    "InactSep",   "Clear",       "ScratchPad", "SaveLog",     "Bitmap",         "TextFile",
    "Window",     "Memory",      "MemStatus",  "Text",        "Properties",     "Reminder",
    "Level1",     "Level2",      "Level3",     "Level4",      "Level5",         "Level6",
    "Level7",     "Color",       "Registry",   "SysInfo",     "VerInfo",        "XmlData",
    "StackTrace", "Exception",   "Table",      "ResetSep",    "AppStrtSep",     "Collection",
    "CollapsedMethod", "ExitMethodCollapse", "Hierarchy"};

}  // namespace

std::string_view LogWireMsgTypeName(uint32_t type) {
  return type < kTypeNames.size() ? kTypeNames[type] : std::string_view();
}
