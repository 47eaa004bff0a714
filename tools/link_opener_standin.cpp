// Stand-in for the program a URL scheme opens: it appends the link it was
// given (its first bare word) as one line to the --log file and ends, so
// that a test can tell which link the shell handed on.
//
//   link_opener_standin.exe --log C:\x\links.txt "scheme://link"
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const tools::CommandLine command_line = tools::ParseProcessCommandLine();
  const std::string log_path = command_line.Option("log");
  if (log_path.empty())
    return 2;
  const std::string link = command_line.words.empty() ? std::string() : command_line.words.front();
  FILE* file = std::fopen(log_path.c_str(), "ab");
  if (file == nullptr)
    return 1;
  std::fputs((link + "\n").c_str(), file);
  std::fclose(file);
  return 0;
}
