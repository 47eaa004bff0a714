#pragma once
// TMemoryStream: a stream over a growable block of memory that it owns.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/stream.h"

class TMemoryStream : public TStream {
 public:
  static constexpr TClass kClass{"TMemoryStream", &TStream::kClass, &ConstructInstance<TMemoryStream>};
  const TClass* ClassType() const override { return &kClass; }

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  // Raises EStreamError ("Out of memory while expanding memory stream")
  // when the block cannot grow.
  void SetSize(int64_t size) override;

  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  void Clear();

  // Replaces the content by the whole of `source` (from its start) and
  // rewinds.
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& file_name);
  void SaveToStream(TStream& destination) const;
  void SaveToFile(const std::string& file_name) const;

 private:
  std::vector<uint8_t> data_;
  int64_t position_ = 0;
};
