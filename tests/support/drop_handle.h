#pragma once
// File drops as the shell delivers them.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace test_support {

// A drop handle built the way the shell builds one: DROPFILES followed by
// the zero-terminated wide names (UTF-8 in) and one more zero. The receiver
// releases it with DragFinish.
HDROP MakeDropHandle(const std::vector<std::string>& names);

}  // namespace test_support
