#pragma once
// Whether the user has marked a file as not to be changed. Replacing a file
// by renaming another onto it does not ask the file itself (the native
// system only asks the folder, and the Windows emulation replaces files
// with the read-only attribute), so writers that replace check this first.

#include <string>

// True for an existing file with the read-only attribute (Windows) or
// without write permission (natively: no write bit at all, or none for this
// process). False for a missing file.
bool FileIsReadOnly(const std::string& file_name);

// Sets or clears the read-only attribute (Windows) or every write bit
// (natively: the owner's write bit comes back when cleared); false when the
// system refuses.
bool SetFileReadOnly(const std::string& file_name, bool read_only);
