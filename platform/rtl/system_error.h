#pragma once
// The system's description of an error number (errno natively, the
// GetLastError code on Windows), without a trailing full stop, for messages
// that go on after it.

#include <cstdint>
#include <string>

std::string SystemErrorText(int32_t code);
// The code of the last failed system call of this thread.
int32_t LastSystemError();
