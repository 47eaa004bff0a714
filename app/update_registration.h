#pragma once
// The update tool's file "CorvaneUpdates.ini" in the Windows folder maps
// program file names to the folders that hold them. The program records its
// own folder there at the end of every run where it changed.

#include <functional>
#include <string>

// The file's path: the Windows folder + "\CorvaneUpdates.ini", or
// "C:\CorvaneUpdates.ini" when the Windows folder is unknown.
std::string UpdateToolIniPath(const std::string& windows_folder);

// Records the folder of `program_file_name` under its name (name and
// extension) in the update tool's file. The file is opened with all sharing
// denied, up to 100 attempts a few milliseconds apart; when none succeeds,
// `on_error` gets the German message.
void RegisterInstallFolder(const std::string& program_file_name, const std::string& windows_folder,
                           const std::function<void(const std::string&)>& on_error);
