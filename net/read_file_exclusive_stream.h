#pragma once
// A file opened for reading while other writers are kept out, so that a
// file is sent as it was when sending started.

#include <string>

#include "platform/rtl/file_stream.h"

class TNsReadFileExclusiveStream : public TFileStream {
 public:
  explicit TNsReadFileExclusiveStream(const std::string& file_name)
      : TFileStream(file_name, fmOpenRead | fmShareDenyWrite) {}
};

// Whether a file of that name exists (a folder does not count).
bool NsFileExists(const std::string& file_name);
