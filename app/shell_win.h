#pragma once
// What the application asks of the Windows shell and desktop: printing a
// document through the "printto" verb, closing reader windows by title, and
// reading the names of dropped files.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

// Hands `path` to the program the shell registers for "printto" with the
// printer names in `parameters`, owned by `owner`. A refusal of the shell
// (its result 32 or less) raises Exception with the system's text for it.
void ShellPrintTo(HWND owner, const std::string& path, const std::string& parameters);

// Posts WM_CLOSE to every top-level window of another process whose title
// contains `title_part` (exact, letter case counts; an empty text matches
// nothing). `before_close` runs before each request. Returns how many
// windows were asked. The program's own windows are never asked: a reader
// title that also occurs in our own title must not end the program.
int CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close = {});

// The names of the files of a shell drop, in order, as UTF-8, of any length.
// Releases the drop handle.
std::vector<std::string> TakeDroppedFileNames(HDROP drop);
