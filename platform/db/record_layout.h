#pragma once
// The in-memory form of a record: one heap block per record that holds a
// small header for the record store, a null flag per field and one slot per
// field. Fixed-size values (integers, floats, currency, Boolean, dates) sit
// in their slot; texts and byte runs are std::string objects built in place.
//
//   [uint32 id][int32 position hint][null bits ...][slot 0][slot 1]...
//
// TRecordLayout knows where each slot is; TRecordBuffer owns one block.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/rtl/currency.h"
#include "platform/rtl/fmt_bcd.h"
#include "platform/rtl/sql_time_stamp.h"

enum class TStorageKind : uint8_t {
  kInteger,    // int64_t: every integer field type
  kFloat,      // double: floats and TDateTime values
  kCurrency,   // Currency
  kBoolean,    // bool
  kText,       // std::string: 8-bit text, memos, blobs and bytes
  kWideText,   // std::u16string
  kTimeStamp,  // TSQLTimeStamp
  kBcd,        // TBcd
};

class TRecordLayout {
 public:
  // Adds a slot and answers its number.
  int32_t AddSlot(TStorageKind kind);
  int32_t SlotCount() const { return static_cast<int32_t>(slots_.size()); }
  TStorageKind KindOf(int32_t slot) const { return slots_[static_cast<size_t>(slot)].kind; }
  size_t BlockSize() const { return block_size_; }

  // Fills a raw block with null values; Destroy ends the objects in it.
  void Construct(std::byte* block) const;
  void Destroy(std::byte* block) const;
  // Copies every slot and null flag (not the header) between built blocks.
  void CopyValues(const std::byte* from, std::byte* to) const;
  // Moves every slot and null flag; the source keeps empty values.
  void MoveValues(std::byte* from, std::byte* to) const;
  // Copies one slot and its null flag.
  void CopySlot(const std::byte* from, std::byte* to, int32_t slot) const;
  // Sets every slot to null and its empty value.
  void ClearValues(std::byte* block) const;

  bool IsNull(const std::byte* block, int32_t slot) const {
    return (NullBits(block)[slot >> 3] & (1u << (slot & 7))) != 0;
  }
  void SetNull(std::byte* block, int32_t slot, bool is_null) const {
    uint8_t& bits = NullBits(block)[slot >> 3];
    const uint8_t mask = static_cast<uint8_t>(1u << (slot & 7));
    bits = is_null ? static_cast<uint8_t>(bits | mask) : static_cast<uint8_t>(bits & ~mask);
  }

  // Typed slot access; the caller knows the slot's kind.
  template <class T>
  const T& Get(const std::byte* block, int32_t slot) const {
    return *std::launder(reinterpret_cast<const T*>(block + Offset(slot)));
  }
  template <class T>
  T& Mutable(std::byte* block, int32_t slot) const {
    return *std::launder(reinterpret_cast<T*>(block + Offset(slot)));
  }
  // Stores a value and clears the null flag.
  template <class T>
  void Put(std::byte* block, int32_t slot, T value) const {
    Mutable<T>(block, slot) = std::move(value);
    SetNull(block, slot, false);
  }

  // The store's header at the start of every block.
  static uint32_t& RecordId(std::byte* block) { return *std::launder(reinterpret_cast<uint32_t*>(block)); }
  static uint32_t RecordId(const std::byte* block) { return *std::launder(reinterpret_cast<const uint32_t*>(block)); }
  static int32_t& PositionHint(std::byte* block) { return *std::launder(reinterpret_cast<int32_t*>(block + 4)); }
  static constexpr size_t kHeaderSize = 8;

 private:
  struct Slot {
    TStorageKind kind;
    uint32_t offset;
  };

  size_t Offset(int32_t slot) const { return slots_[static_cast<size_t>(slot)].offset; }
  uint8_t* NullBits(std::byte* block) const { return reinterpret_cast<uint8_t*>(block + kHeaderSize); }
  const uint8_t* NullBits(const std::byte* block) const {
    return reinterpret_cast<const uint8_t*>(block + kHeaderSize);
  }
  void Relayout();

  std::vector<Slot> slots_;
  size_t block_size_ = kHeaderSize;
};

// One record's block, built for a layout and destroyed with it. The layout
// must outlive the buffer.
class TRecordBuffer {
 public:
  TRecordBuffer() = default;
  explicit TRecordBuffer(const TRecordLayout& layout);
  TRecordBuffer(TRecordBuffer&& other) noexcept = default;
  TRecordBuffer& operator=(TRecordBuffer&& other) noexcept;
  TRecordBuffer(const TRecordBuffer&) = delete;
  TRecordBuffer& operator=(const TRecordBuffer&) = delete;
  ~TRecordBuffer();

  // A new buffer with the same values (and header).
  TRecordBuffer Clone() const;
  explicit operator bool() const { return data_ != nullptr; }
  std::byte* Data() { return data_.get(); }
  const std::byte* Data() const { return data_.get(); }
  const TRecordLayout* Layout() const { return layout_; }

 private:
  void Release();

  const TRecordLayout* layout_ = nullptr;
  std::unique_ptr<std::byte[]> data_;
};
