#pragma once
// Image edit values and pictures: a value holds a picture's file bytes
// (optionally behind the 8-byte graphic header); these routines turn one
// into the other. Bytes that cannot be decoded give an empty picture.

#include <string>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TPicture;

// The file bytes of the picture's graphic; empty for no picture or an
// empty one.
void lxSavePictureToString(const TPicture* picture, std::string& bytes);

// Decodes a string or byte-array value into the picture with the graphic
// class (none: the picture's bitmap). Bytes that the class rejects are
// tried once more with the class their signature names (a PNG or JPEG
// stored under the default bitmap class still shows); the value itself is
// not changed. Anything else empties the picture; no error escapes.
void lxLoadPictureFromValue(TPicture& picture, const TClass* graphic_class, const Variant& value);

// The graphic class that bytes of this signature are read with, or null
// when no registered class reads them.
const TClass* lxGraphicClassOfSignature(std::string_view bytes);
