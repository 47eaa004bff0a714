#include "tools/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace tools {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1)
    return {};
  std::string out(static_cast<size_t>(length - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
  return out;
}

}  // namespace

std::string CommandLine::Option(const std::string& name, const std::string& fallback) const {
  const auto found = options.find(name);
  return found == options.end() ? fallback : found->second;
}

bool CommandLine::Switch(const std::string& name) const {
  const auto found = options.find(name);
  return found != options.end() && found->second != "0";
}

CommandLine ParseProcessCommandLine() {
  CommandLine parsed;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments)
    return parsed;
  for (int i = 1; i < count; ++i) {
    const std::string argument = ToUtf8(arguments[i]);
    if (argument.rfind("--", 0) != 0) {
      parsed.words.push_back(argument);
      continue;
    }
    // A switch given bare has no value of its own: the next argument, if
    // any, is another option.
    const bool has_value = i + 1 < count && std::wcsncmp(arguments[i + 1], L"--", 2) != 0;
    parsed.options[argument.substr(2)] = has_value ? ToUtf8(arguments[++i]) : std::string();
  }
  LocalFree(arguments);
  return parsed;
}

}  // namespace tools
