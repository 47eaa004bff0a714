#pragma once
// Failures of the toolkit's own: system resources that ran out, and image
// data or graphic operations that cannot be honoured.

#include "platform/rtl/exceptions.h"

// The system refused a handle, timer or context ("Not enough timers
// available", "Out of system resources").
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EOutOfResources"; }
};

// Stored image data that cannot be read ("Bitmap image is not valid"...).
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidGraphic"; }
};

// An operation the graphic's state does not allow ("Scan line index out of
// range", "Invalid bitmap size"...).
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidGraphicOperation"; }
};
