#include "grid/grid_data_property.h"

#include <cstdint>

#include "data/data_controller.h"
#include "data/typed_stream.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"

void lxReadGridDataProperty(TStream& stream, TMemoryStream& buffer) {
  const int32_t length = lxReadInteger(stream);
  if (length < 0 || length > stream.Remaining())
    throw EReadError();
  buffer.Clear();
  // A length of 0 never comes from the writer; it reads nothing.
  if (length > 0)
    buffer.CopyFrom(stream, length);
  buffer.SetPosition(0);
}

void lxWriteGridDataProperty(TStream& stream, TMemoryStream& storage) {
  const int64_t size = storage.Size();
  if (size > INT32_MAX)
    throw EWriteError();
  lxWriteInteger(stream, static_cast<int32_t>(size));
  storage.SetPosition(0);
  if (size > 0)
    stream.CopyFrom(storage, size);
}

void lxCheckGridStorageStreamCounts(TStream& storage) {
  const int64_t start = storage.Position();
  TScopeExit rewind([&] { storage.SetPosition(start); });
  lxReadAnsiString(storage);
  const int32_t definition_count = lxReadInteger(storage);
  // Each class name takes at least its 4-byte length.
  if (definition_count < 0 || definition_count > storage.Remaining() / 4)
    throw EReadError();
  for (int32_t i = 0; i < definition_count; ++i)
    lxReadAnsiString(storage);
  const int32_t record_count = lxReadInteger(storage);
  // Every stored record takes at least one byte.
  if (record_count < 0 || record_count > storage.Remaining())
    throw EReadError();
}

void lxLoadGridDataBuffer(TlxCustomDataController& controller, TMemoryStream& buffer) {
  buffer.SetPosition(0);
  lxCheckGridStorageStreamCounts(buffer);
  controller.LoadStorageFromStream(buffer);
}
