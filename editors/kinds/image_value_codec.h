#pragma once
// The byte form of image edit values, without the graphics: the optional
// 8-byte graphic header in front of a picture's file bytes, and which file
// format the bytes themselves say they are (by their leading signature).

#include <cstdint>
#include <string_view>

// The header: 16-bit count 1, 16-bit type 0x0100, 32-bit size of the rest
// (little-endian). The bytes after it when it is present and consistent,
// else all the bytes.
std::string_view lxSkipGraphicHeader(std::string_view bytes);

enum class TlxPictureSignature : uint8_t { Unknown, Bitmap, Icon, Png, Jpeg, EnhancedMetafile };

// The format the bytes begin like; Unknown when none fits.
TlxPictureSignature lxSniffPictureSignature(std::string_view bytes);
