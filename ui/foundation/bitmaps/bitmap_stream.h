#pragma once
// The stored form of a bitmap's "Data": a 32-bit size and the bitmap file
// image, written as it is or, when compressed, behind a 10-byte header
//
//   offset 0  32-bit length N of the coded bytes that follow the header
//   offset 4  the mark "XDBM"
//   offset 8  16-bit version, 1
//   offset 10 N bytes: the plain form, run-length coded
//
// The run-length code is a sequence of packets: a control byte with bit 7
// set is followed by (control and 0x7F) bytes taken as they are; with bit 7
// clear it is followed by one byte that stands for (control and 0x7F)
// copies of itself.
//
// Stored bytes come from forms that may be cut off or damaged, so the reader
// checks every length against what is there and raises EReadError rather
// than handing back anything partial.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/stream.h"

// The longest run one packet holds when the coder writes it.
constexpr int32_t lxMaxBitmapRun = 125;
// The most bytes a bitmap's stored data may expand to.
constexpr int64_t lxMaxBitmapDataBytes = int64_t{512} * 1024 * 1024;

// Codes `data` into packets. At each position two equal bytes start a
// repeat run that lasts while the bytes stay equal; otherwise a literal run
// lasts while each byte differs from the one before it and ends one byte
// before a pair of equal bytes, which starts the next repeat run. Runs hold
// at most lxMaxBitmapRun bytes.
std::vector<uint8_t> lxEncodeBitmapRuns(std::span<const uint8_t> data);

// Expands packets; a packet cut off by the end of `coded` yields what is
// there. Raises EReadError when the result would pass `limit` bytes.
std::vector<uint8_t> lxDecodeBitmapRuns(std::span<const uint8_t> coded, int64_t limit = lxMaxBitmapDataBytes);

// Writes the stored form of a bitmap whose file image is `image` (empty for
// a bitmap without pixels): compressed when asked, else plain.
void lxWriteBitmapData(TStream& stream, std::span<const uint8_t> image, bool compress);

// Reads what lxWriteBitmapData wrote and returns the file image. The
// compressed form is recognised only when the 10 header bytes are there,
// so short plain data (an empty bitmap's 4 bytes) reads as plain data.
// Raises EReadError for a coded length below 0 or past the end, for data
// whose size field disagrees with what follows it, and for plain data
// shorter than its size field says.
std::vector<uint8_t> lxReadBitmapData(TStream& stream);
