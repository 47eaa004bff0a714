#pragma once
// Finding top-level windows of this or other processes.

#include <windows.h>

#include <cstdint>
#include <string>

namespace test_support {

// The first visible or hidden top-level window whose title equals `title`
// (or, with `substring`, contains it); nullptr when there is none.
HWND FindTopLevelWindowByTitle(const std::string& title, bool substring = false);

// The first top-level window of the given window class.
HWND FindTopLevelWindowByClass(const std::string& class_name);

// Waits (pumping this thread's messages) until a top-level window with the
// title appears; nullptr after `max_milliseconds`.
HWND WaitForTopLevelWindow(const std::string& title, bool substring = false,
                           uint32_t max_milliseconds = 15000);

std::string WindowTitle(HWND window);
std::string WindowClassName(HWND window);

}  // namespace test_support
