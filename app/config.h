#pragma once
// The settings module: the shared "Setting.Ini" and the program INI, opened
// as in-memory INI objects around every access and written back at every
// close; the logging switches read once per process; the raw window
// position and grid layout sections kept between start-up and exit; and the
// program's folder recorded for the update tool at the end.
//
// The module reaches the desktop only through IConfigDesktop, so its rules
// are the same on Windows and in the native tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/rtl/object.h"

class TMemIniFile;
class TStrings;
class TStringList;

// The logging switches of section "LogWire", handed to whoever configures
// the logging client.
struct LogWireSettings {
  bool enabled = false;           // "Aktiv"
  bool live_viewer = false;       // "LiveViewer"
  bool log_file = true;           // "LogFile"
  bool tcp_transport = false;     // "VerbindeÜberTPC"
  std::string log_file_name;      // the program file name with ".csl"
  std::string log_file_folder;    // the program's folder, trailing delimiter
};

// What the settings module needs of the desktop.
class IConfigDesktop : public virtual IInterface {
 public:
  // The program's full file name.
  virtual std::string ProgramFileName() = 0;
  // The current directory (without or with trailing delimiter).
  virtual std::string CurrentDirectory() = 0;
  // True while the application object destroys its windows at exit.
  virtual bool ApplicationDestroying() = 0;
  // Message boxes with an OK button.
  virtual void ShowWarning(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;
  // The Windows folder, or empty when it cannot be obtained.
  virtual std::string WindowsFolder() = 0;
  // Applies the "LogWire" switches; called at most once per process, only
  // when "EinstellungenSetzen" is true.
  virtual void ConfigureLogging(const LogWireSettings& settings) = 0;
};

// The program's desktop: its application object, message boxes and
// logging client (config_desktop_win.cpp; the program exists on Windows
// only, native tests bring their own desktop).
std::unique_ptr<IConfigDesktop> CreateSystemConfigDesktop();

// Module start and end.
void uConfigInitialize(std::unique_ptr<IConfigDesktop> desktop);
void uConfigFinalize();

bool OpenConfig();
// Writes both files back and frees them; true when every open one was
// written. A file that cannot be written is left as it is and named in one
// message at the module's end.
bool CloseConfig();
std::string FindSettingIni();

// "Setting.Ini".
std::string SettingReadStr(const std::string& section, const std::string& key, const std::string& fallback);
bool SettingReadBool(const std::string& section, const std::string& key, bool fallback);
void SettingWriteStr(const std::string& section, const std::string& key, const std::string& value);
void SettingEraseSection(const std::string& section);

// The program INI.
std::string ConfigReadStr(const std::string& section, const std::string& key, const std::string& fallback);
int32_t ConfigReadInt(const std::string& section, const std::string& key, int32_t fallback);
void ConfigWriteStr(const std::string& section, const std::string& key, const std::string& value);
void ConfigEraseSection(const std::string& section);
void ConfigDeleteKey(const std::string& section, const std::string& key);
bool ConfigValueExists(const std::string& section, const std::string& key);
void ConfigReadSectionValues(const std::string& section, TStrings& list);
void ConfigWriteSectionList(const std::string& section, const TStrings& texts);
// Writes the default over a value that cannot be used and tells the user so,
// as a malformed value is reset.
void ConfigResetEntry(const std::string& section, const std::string& key, const std::string& fallback);

// Raw sections of "Setting.Ini": read at start-up, written back at exit.
void LoadLayouts();
void SaveLayouts();
// The stored "Left,Top,Width,Height" text of a window, or empty.
std::string StoredWindowPosition(const std::string& component_name);
void StoreWindowPosition(const std::string& component_name, int32_t left, int32_t top, int32_t width,
                         int32_t height);
// Whether the layout lists exist (between LoadLayouts and SaveLayouts).
bool LayoutsLoaded();

// The section lines of `lines` under "[section]" (letter case ignored), up
// to the next header, trimmed, empty lines left out.
void ExtractRawSection(const std::string& section, TStrings& target, const TStrings& lines);

// The module's state, for tests and the main window.
const std::string& ConfigStartDir();
const std::string& ConfigIniFileName();
TMemIniFile* ConfigSettingIni();
TMemIniFile* ConfigAppIni();
