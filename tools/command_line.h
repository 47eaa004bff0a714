#pragma once
// The stand-ins' command lines: "--name value" pairs, bare switches
// ("--name" last or before another "--name") and bare words.

#include <map>
#include <string>
#include <vector>

namespace tools {

struct CommandLine {
  std::map<std::string, std::string> options;  // "--log x" gives options["log"] = "x"
  std::vector<std::string> words;

  std::string Option(const std::string& name, const std::string& fallback = {}) const;
  // A switch is on when it is given bare or with any value but "0".
  bool Switch(const std::string& name) const;
};

// Parses this process's command line (UTF-8, quotes as the system splits them).
CommandLine ParseProcessCommandLine();

}  // namespace tools
