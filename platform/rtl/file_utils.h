#pragma once
// File and path helpers. Paths are UTF-8; the path delimiter is "\" in the
// Windows build (where ":" ends a drive) and "/" in the native build.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/date_time.h"

#ifdef _WIN32
constexpr char PathDelim = '\\';
constexpr std::string_view kPathDelimiters = "\\:";
#else
constexpr char PathDelim = '/';
constexpr std::string_view kPathDelimiters = "/";
#endif

// An existing regular file (a folder does not count).
bool FileExists(const std::string& file_name);
bool DirectoryExists(const std::string& directory);
// The file's last write time in local time; false when there is no file.
bool FileAge(const std::string& file_name, TDateTime& age);
// Size in bytes; -1 when there is no file.
int64_t FileSize(const std::string& file_name);

// The extension with its dot ("" when the name has none).
std::string ExtractFileExt(std::string_view file_name);
// The name after the last delimiter.
std::string ExtractFileName(std::string_view file_name);
// Everything up to and including the last delimiter.
std::string ExtractFilePath(std::string_view file_name);
// ExtractFilePath without the trailing delimiter (kept for a root).
std::string ExtractFileDir(std::string_view file_name);
// Replaces the extension, or appends `extension` when there is none.
std::string ChangeFileExt(std::string_view file_name, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// The absolute, normalised form of a path relative to the current folder.
std::string ExpandFileName(std::string_view file_name);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& directory);
// The full path of the running program.
std::string ProgramFileName();

// False when the file could not be removed or renamed.
bool RemoveFile(const std::string& file_name);
bool RenameFile(const std::string& old_name, const std::string& new_name);
bool CreateDir(const std::string& directory);
// Creates the folder and any missing parents.
bool ForceDirectories(const std::string& directory);

// Puts the file `temporary` in the place of `target` in one step (the
// target may exist), taking over the target's access rights where the
// system has them; false with the system's reason otherwise.
bool ReplaceFileWith(const std::string& temporary, const std::string& target, std::string& reason);

// Writes `content` to a new file beside `file_name` and then puts it in
// the place of `file_name` in one step, so that a failure or a crash while
// writing never leaves a cut-off file: readers see the old content or the
// new. Raises EFCreateError or EWriteError; the old file is then untouched.
void WriteFileAtomically(const std::string& file_name, std::string_view content);
