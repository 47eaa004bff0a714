#pragma once
// What the application asks of the Windows shell and desktop: printing a
// document through the "printto" verb, closing reader windows by title, and
// reading the names of dropped files.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include <cstdint>

// Paths from this length on are opened by the system's calls only in a
// form of their own.
inline constexpr size_t kShortestLongPath = 256;

// The longest path the shell here hands on: beyond it the shell's own code
// fails (under Wine it faults between 1,024 and 1,050 characters, whatever
// form of the path it is given), so such a file is refused instead.
inline constexpr size_t kLongestShellPath = 1024;

// How long a print request waits at most for the handler it started.
inline constexpr uint32_t kHandlerStartBoundMs = 30000;

// A form of `path` that the shell and the programs it starts can open: the
// path itself below kShortestLongPath characters, else its short name where
// the volume has short names and that is short enough, else the
// extended-length form ("\\?\" before it).
std::u16string ShellOpenablePath(const std::u16string& path);

// Hands `path` to the program the shell registers for "printto" with the
// printer names in `parameters`, owned by `owner`, in the form
// ShellOpenablePath gives. When the shell started a process for it, waits
// (WaitForHandler, at most kHandlerStartBoundMs) so that the next file's
// handler cannot overtake this one. A refusal of the shell raises Exception
// with the system's text for it; a path beyond kLongestShellPath is refused
// the same way without asking the shell.
void ShellPrintTo(HWND owner, const std::string& path, const std::string& parameters);

// The request ShellPrintTo makes of the shell, once the path is in the form
// it hands on. A benchmark replaces it with a recorder, so that it measures
// the program rather than the handler programs the shell would start; an
// empty function restores the shell. Returns the one it replaced.
using TShellPrintToRequest =
    std::function<void(HWND owner, const std::u16string& openable_path, const std::u16string& parameters)>;
TShellPrintToRequest ReplaceShellPrintToRequest(TShellPrintToRequest request);

// Waits until `process` has ended or waits for input, at most `bound_ms`.
void WaitForHandler(HANDLE process, uint32_t bound_ms);

// Posts WM_CLOSE to every top-level window of another process whose title
// contains `title_part` (exact, letter case counts; an empty text matches
// nothing). `before_close` runs before each request. Returns how many
// windows were asked. The program's own windows are never asked: a reader
// title that also occurs in our own title must not end the program.
int CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close = {});

// The names of the files of a shell drop, in order, as UTF-8, of any length.
// Releases the drop handle.
std::vector<std::string> TakeDroppedFileNames(HDROP drop);
