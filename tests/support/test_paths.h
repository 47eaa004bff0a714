#pragma once
// Where tests find things: the program and stand-ins are built into the same
// folder as the tests; the print server's folders come from scripts/test.

#include <string>

namespace test_support {

// The folder of the running test executable, with a trailing backslash.
std::string ExecutableFolder();

// The Windows form of a Linux path (Wine maps the Linux root to Z:).
std::string WindowsPathOfUnixPath(const std::string& unix_path);

// An environment variable, or an empty text when unset.
std::string EnvironmentValue(const std::string& name);

// A fresh, empty temporary folder for one test (with a trailing backslash).
std::string MakeTemporaryFolder(const std::string& tag);

}  // namespace test_support
