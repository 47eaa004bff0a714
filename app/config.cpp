#include "app/config.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/ini_helpers.h"
#include "app/update_registration.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_attributes.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

constexpr char kSettingIniName[] = "Setting.Ini";

// A settings file whose write-back failed, and why.
struct UnsavedFile {
  std::string file_name;
  std::string reason;
};

struct ConfigModule {
  std::unique_ptr<IConfigDesktop> desktop;
  std::string start_dir;
  std::string ini_file_name;
  std::unique_ptr<TMemIniFile> app_ini;
  std::unique_ptr<TMemIniFile> setting_ini;
  std::unique_ptr<TStringList> window_positions;
  std::unique_ptr<TStringList> grid_layouts;
  bool log_wire_configured = false;
  bool update_registered = false;
  // Told once, at the module's end.
  std::vector<UnsavedFile> unsaved_files;
};

ConfigModule& Module() {
  static ConfigModule module;
  return module;
}

std::string WithTrailingDelimiter(std::string folder) {
  if (folder.empty() || folder.back() != PathDelim)
    folder += PathDelim;
  return folder;
}

std::string ConfiguredProgramFileName() { return Module().desktop->ProgramFileName(); }
std::string ProgramFolder() { return WithTrailingDelimiter(ExtractFilePath(ConfiguredProgramFileName())); }
std::string ProgramIniName() { return ChangeFileExt(ExtractFileName(ConfiguredProgramFileName()), ".ini"); }

bool ApplicationDestroying() { return Module().desktop != nullptr && Module().desktop->ApplicationDestroying(); }

void ShowConfigError(const std::string& message) {
  if (Module().desktop != nullptr)
    Module().desktop->ShowError(message);
}

void ShowConfigWarning(const std::string& message) {
  if (Module().desktop != nullptr)
    Module().desktop->ShowWarning(message);
}

const TIniErrorCallback& ErrorCallback() {
  static const TIniErrorCallback callback = [](const std::string& message) { ShowConfigError(message); };
  return callback;
}

void NoteUnsavedFile(const std::string& file_name, const std::string& reason) {
  std::vector<UnsavedFile>& unsaved = Module().unsaved_files;
  const bool noted = std::any_of(unsaved.begin(), unsaved.end(),
                                 [&](const UnsavedFile& file) { return file.file_name == file_name; });
  if (!noted)
    unsaved.push_back(UnsavedFile{file_name, reason});
}

// Writes an INI object back and frees it. A file that cannot be written (a
// read-only one, say) stays as it is; the program goes on, and the user
// hears of it once, at the end, rather than at every close.
bool WriteBackAndFree(std::unique_ptr<TMemIniFile>& ini) {
  if (!ini)
    return true;
  bool written = true;
  try {
    ini->UpdateFile();
  } catch (const Exception& error) {
    NoteUnsavedFile(ini->FileName(), FileIsReadOnly(ini->FileName()) ? "schreibgeschützt" : error.Message());
    written = false;
  }
  ini.reset();
  return written;
}

void ReportUnsavedFilesOnce() {
  std::vector<UnsavedFile> unsaved = std::exchange(Module().unsaved_files, {});
  if (unsaved.empty())
    return;
  std::string message = "Die Einstellungen konnten nicht gespeichert werden:";
  for (const UnsavedFile& file : unsaved)
    message += "\r\n" + file.file_name + " (" + file.reason + ")";
  ShowConfigError(message);
}

void ConfigureLogWireOnce() {
  ConfigModule& module = Module();
  if (module.log_wire_configured)
    return;
  if (SettingReadBool("LogWire", "EinstellungenSetzen", false)) {
    LogWireSettings settings;
    settings.enabled = SettingReadBool("LogWire", "Aktiv", false);
    settings.live_viewer = SettingReadBool("LogWire", "LiveViewer", false);
    settings.log_file = SettingReadBool("LogWire", "LogFile", true);
    settings.log_file_name = ChangeFileExt(ExtractFileName(ConfiguredProgramFileName()), ".csl");
    settings.log_file_folder = ProgramFolder();
    settings.tcp_transport = SettingReadBool("LogWire", "VerbindeÜberTPC", false);
    module.desktop->ConfigureLogging(settings);
  }
  module.log_wire_configured = true;
}

}  // namespace

void uConfigInitialize(std::unique_ptr<IConfigDesktop> desktop) {
  ConfigModule& module = Module();
  module = ConfigModule{};
  module.desktop = std::move(desktop);
  module.ini_file_name = ProgramIniName();
  module.start_dir = WithTrailingDelimiter(module.desktop->CurrentDirectory());
}

void uConfigFinalize() {
  ConfigModule& module = Module();
  CloseConfig();
  ReportUnsavedFilesOnce();
  module.window_positions.reset();
  module.grid_layouts.reset();
  if (!module.update_registered) {
    RegisterInstallFolder(ConfiguredProgramFileName(), module.desktop->WindowsFolder(), ShowConfigError);
    module.update_registered = true;
  }
  module.start_dir.clear();
  module.ini_file_name.clear();
}

std::string FindSettingIni() {
  const std::string in_start_dir = Module().start_dir + kSettingIniName;
  if (FileExists(in_start_dir))
    return in_start_dir;
  const std::string in_program_folder = ProgramFolder() + kSettingIniName;
  if (FileExists(in_program_folder))
    return in_program_folder;
  return {};
}

bool OpenConfig() {
  ConfigModule& module = Module();
  if (module.ini_file_name.empty())
    module.ini_file_name = ProgramIniName();
  CloseConfig();

  const std::string setting_path = FindSettingIni();
  if (setting_path.empty()) {
    if (!ApplicationDestroying())
      ShowConfigWarning("Die Setting.Ini konnte nicht gefunden werden.");
    return false;
  }
  module.setting_ini = std::make_unique<TMemIniFile>(setting_path);

  std::string folder = SettingReadStr("INI-DATEI", "Global", ProgramFolder());
  if (folder == ".")
    folder = module.start_dir;
  folder = WithTrailingDelimiter(folder);

  if (!FileExists(folder + module.ini_file_name))
    module.ini_file_name = ProgramIniName();
  const std::string app_path = folder + module.ini_file_name;
  if (!FileExists(app_path)) {
    CloseConfig();
    if (!ApplicationDestroying())
      ShowConfigWarning("Die " + module.ini_file_name + " konnte nicht gefunden werden.");
    return false;
  }
  module.app_ini = std::make_unique<TMemIniFile>(app_path);
  ConfigureLogWireOnce();
  return true;
}

bool CloseConfig() {
  ConfigModule& module = Module();
  const bool app_written = WriteBackAndFree(module.app_ini);
  const bool setting_written = WriteBackAndFree(module.setting_ini);
  return app_written && setting_written;
}

std::string SettingReadStr(const std::string& section, const std::string& key, const std::string& fallback) {
  return IniReadStr(Module().setting_ini.get(), ErrorCallback(), section, key, fallback);
}

bool SettingReadBool(const std::string& section, const std::string& key, bool fallback) {
  return IniReadBool(Module().setting_ini.get(), ErrorCallback(), section, key, fallback);
}

void SettingWriteStr(const std::string& section, const std::string& key, const std::string& value) {
  IniWriteStr(Module().setting_ini.get(), ErrorCallback(), section, key, value);
}

void SettingEraseSection(const std::string& section) {
  IniEraseSection(Module().setting_ini.get(), ErrorCallback(), section);
}

std::string ConfigReadStr(const std::string& section, const std::string& key, const std::string& fallback) {
  return IniReadStr(Module().app_ini.get(), ErrorCallback(), section, key, fallback);
}

int32_t ConfigReadInt(const std::string& section, const std::string& key, int32_t fallback) {
  return IniReadInt(Module().app_ini.get(), ErrorCallback(), section, key, fallback);
}

void ConfigWriteStr(const std::string& section, const std::string& key, const std::string& value) {
  IniWriteStr(Module().app_ini.get(), ErrorCallback(), section, key, value);
}

void ConfigEraseSection(const std::string& section) {
  IniEraseSection(Module().app_ini.get(), ErrorCallback(), section);
}

void ConfigDeleteKey(const std::string& section, const std::string& key) {
  IniDeleteKey(Module().app_ini.get(), ErrorCallback(), section, key);
}

bool ConfigValueExists(const std::string& section, const std::string& key) {
  return IniValueExists(Module().app_ini.get(), ErrorCallback(), section, key);
}

void ConfigReadSectionValues(const std::string& section, TStrings& list) {
  IniReadSectionValues(Module().app_ini.get(), ErrorCallback(), section, list);
}

void ConfigWriteSectionList(const std::string& section, const TStrings& texts) {
  IniWriteSectionList(Module().app_ini.get(), ErrorCallback(), section, texts);
}

void ConfigResetEntry(const std::string& section, const std::string& key, const std::string& fallback) {
  ResetIniEntry(Module().app_ini.get(), ErrorCallback(), section, key, fallback);
}

void ExtractRawSection(const std::string& section, TStrings& target, const TStrings& lines) {
  target.Clear();
  const std::string header = "[" + section + "]";
  int32_t index = 0;
  while (index < lines.Count() && !AnsiSameText(lines.Get(index), header))
    ++index;
  for (++index; index < lines.Count(); ++index) {
    const std::string line(TrimBlanks(lines.Get(index)));
    if (!line.empty() && line.front() == '[')
      break;
    if (!line.empty())
      target.Add(line);
  }
}

void LoadLayouts() {
  ConfigModule& module = Module();
  if (!module.setting_ini)
    return;
  if (!module.window_positions)
    module.window_positions = std::make_unique<TStringList>();
  if (!module.grid_layouts)
    module.grid_layouts = std::make_unique<TStringList>();
  try {
    TStringList lines;
    lines.LoadFromFile(FindSettingIni());
    ExtractRawSection("Fensterpositionen", *module.window_positions, lines);
    ExtractRawSection("GridLayouts", *module.grid_layouts, lines);
  } catch (const Exception&) {
    // The raw sections are a convenience: whatever could be read is kept.
  }
}

void SaveLayouts() {
  ConfigModule& module = Module();
  if (module.setting_ini) {
    if (module.window_positions) {
      for (int32_t i = 0; i < module.window_positions->Count(); ++i)
        SettingWriteStr("Fensterpositionen", module.window_positions->Names(i),
                        module.window_positions->ValueFromIndex(i));
    }
    if (module.grid_layouts) {
      SettingEraseSection("GridLayouts");
      for (int32_t i = 0; i < module.grid_layouts->Count(); ++i) {
        const std::string value = module.grid_layouts->ValueFromIndex(i);
        if (!value.empty())
          SettingWriteStr("GridLayouts", module.grid_layouts->Names(i), value);
      }
    }
  }
  module.window_positions.reset();
  module.grid_layouts.reset();
}

bool LayoutsLoaded() { return Module().window_positions != nullptr; }

std::string StoredWindowPosition(const std::string& component_name) {
  const auto& positions = Module().window_positions;
  return positions ? positions->Values(component_name) : std::string();
}

void StoreWindowPosition(const std::string& component_name, int32_t left, int32_t top, int32_t width,
                         int32_t height) {
  auto& positions = Module().window_positions;
  if (!positions)
    return;
  positions->SetValues(component_name, std::to_string(left) + "," + std::to_string(top) + "," +
                                           std::to_string(width) + "," + std::to_string(height));
}

const std::string& ConfigStartDir() { return Module().start_dir; }
const std::string& ConfigIniFileName() { return Module().ini_file_name; }
TMemIniFile* ConfigSettingIni() { return Module().setting_ini.get(); }
TMemIniFile* ConfigAppIni() { return Module().app_ini.get(); }
