#pragma once
// The framing of a grid data controller's binary property "Data": a signed
// 32-bit little-endian length, then that many bytes of the data
// controller's storage stream. Every length and count is checked against
// the bytes that are left before anything is allocated, so a damaged form
// description fails with the stream read error and loads nothing. Portable.

#include <cstdint>

class TMemoryStream;
class TStream;
class TlxCustomDataController;

// Reads the property into `buffer` (emptied first, rewound after). A
// negative length or one beyond the bytes left raises EReadError with
// `buffer` untouched.
void lxReadGridDataProperty(TStream& stream, TMemoryStream& buffer);
// Writes the length of `storage` and its bytes.
void lxWriteGridDataProperty(TStream& stream, TMemoryStream& storage);
// Walks the storage stream's header (mark, definition count, one class
// name per definition, record count) and raises EReadError when a length
// or count is negative or larger than the bytes left can hold. The stream's
// position is put back.
void lxCheckGridStorageStreamCounts(TStream& storage);
// Loads a pending "Data" buffer into the controller's storage at the end
// of loading: the counts are checked first (EReadError), then the data
// controller reads the records; a failure leaves the storage as it was.
void lxLoadGridDataBuffer(TlxCustomDataController& controller, TMemoryStream& buffer);
