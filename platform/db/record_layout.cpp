#include "platform/db/record_layout.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

constexpr size_t kSlotAlignment = 8;

size_t AlignUp(size_t value) { return (value + kSlotAlignment - 1) / kSlotAlignment * kSlotAlignment; }

size_t SlotSize(TStorageKind kind) {
  switch (kind) {
    case TStorageKind::kInteger:
      return sizeof(int64_t);
    case TStorageKind::kFloat:
      return sizeof(double);
    case TStorageKind::kCurrency:
      return sizeof(Currency);
    case TStorageKind::kBoolean:
      return sizeof(bool);
    case TStorageKind::kText:
      return sizeof(std::string);
    case TStorageKind::kWideText:
      return sizeof(std::u16string);
    case TStorageKind::kTimeStamp:
      return sizeof(TSQLTimeStamp);
    case TStorageKind::kBcd:
      return sizeof(TBcd);
  }
  return sizeof(int64_t);
}

template <class T>
void ConstructAt(std::byte* where) {
  new (where) T();
}

template <class T>
void DestroyAt(std::byte* where) {
  std::launder(reinterpret_cast<T*>(where))->~T();
}

template <class T>
void AssignAt(const std::byte* from, std::byte* to) {
  *std::launder(reinterpret_cast<T*>(to)) = *std::launder(reinterpret_cast<const T*>(from));
}

template <class Visitor>
void VisitKind(TStorageKind kind, Visitor&& visit) {
  switch (kind) {
    case TStorageKind::kInteger:
      visit(static_cast<int64_t*>(nullptr));
      return;
    case TStorageKind::kFloat:
      visit(static_cast<double*>(nullptr));
      return;
    case TStorageKind::kCurrency:
      visit(static_cast<Currency*>(nullptr));
      return;
    case TStorageKind::kBoolean:
      visit(static_cast<bool*>(nullptr));
      return;
    case TStorageKind::kText:
      visit(static_cast<std::string*>(nullptr));
      return;
    case TStorageKind::kWideText:
      visit(static_cast<std::u16string*>(nullptr));
      return;
    case TStorageKind::kTimeStamp:
      visit(static_cast<TSQLTimeStamp*>(nullptr));
      return;
    case TStorageKind::kBcd:
      visit(static_cast<TBcd*>(nullptr));
      return;
  }
}

}  // namespace

int32_t TRecordLayout::AddSlot(TStorageKind kind) {
  slots_.push_back({kind, 0});
  Relayout();
  return SlotCount() - 1;
}

void TRecordLayout::Relayout() {
  const size_t null_bytes = AlignUp((slots_.size() + 7) / 8);
  size_t offset = kHeaderSize + null_bytes;
  for (Slot& slot : slots_) {
    slot.offset = static_cast<uint32_t>(offset);
    offset += AlignUp(SlotSize(slot.kind));
  }
  block_size_ = offset;
}

void TRecordLayout::Construct(std::byte* block) const {
  std::memset(block, 0, kHeaderSize);
  std::memset(block + kHeaderSize, 0xFF, slots_.empty() ? 0 : slots_.front().offset - kHeaderSize);
  for (const Slot& slot : slots_) {
    VisitKind(slot.kind, [&](auto* type) { ConstructAt<std::remove_pointer_t<decltype(type)>>(block + slot.offset); });
  }
}

void TRecordLayout::Destroy(std::byte* block) const {
  for (const Slot& slot : slots_) {
    VisitKind(slot.kind, [&](auto* type) { DestroyAt<std::remove_pointer_t<decltype(type)>>(block + slot.offset); });
  }
}

void TRecordLayout::CopyValues(const std::byte* from, std::byte* to) const {
  if (from == to)
    return;
  for (int32_t slot = 0; slot < SlotCount(); ++slot)
    CopySlot(from, to, slot);
}

void TRecordLayout::MoveValues(std::byte* from, std::byte* to) const {
  if (from == to)
    return;
  for (int32_t slot = 0; slot < SlotCount(); ++slot) {
    const Slot& where = slots_[static_cast<size_t>(slot)];
    VisitKind(where.kind, [&](auto* type) {
      using T = std::remove_pointer_t<decltype(type)>;
      *std::launder(reinterpret_cast<T*>(to + where.offset)) =
          std::move(*std::launder(reinterpret_cast<T*>(from + where.offset)));
    });
    SetNull(to, slot, IsNull(from, slot));
  }
}

void TRecordLayout::CopySlot(const std::byte* from, std::byte* to, int32_t slot) const {
  const Slot& where = slots_[static_cast<size_t>(slot)];
  VisitKind(where.kind,
            [&](auto* type) { AssignAt<std::remove_pointer_t<decltype(type)>>(from + where.offset, to + where.offset); });
  SetNull(to, slot, IsNull(from, slot));
}

void TRecordLayout::ClearValues(std::byte* block) const {
  for (int32_t slot = 0; slot < SlotCount(); ++slot) {
    const Slot& where = slots_[static_cast<size_t>(slot)];
    VisitKind(where.kind, [&](auto* type) {
      using T = std::remove_pointer_t<decltype(type)>;
      *std::launder(reinterpret_cast<T*>(block + where.offset)) = T();
    });
    SetNull(block, slot, true);
  }
}

TRecordBuffer::TRecordBuffer(const TRecordLayout& layout)
    : layout_(&layout), data_(std::make_unique_for_overwrite<std::byte[]>(layout.BlockSize())) {
  layout.Construct(data_.get());
}

TRecordBuffer& TRecordBuffer::operator=(TRecordBuffer&& other) noexcept {
  if (this != &other) {
    Release();
    layout_ = other.layout_;
    data_ = std::move(other.data_);
  }
  return *this;
}

TRecordBuffer::~TRecordBuffer() { Release(); }

void TRecordBuffer::Release() {
  if (data_ != nullptr)
    layout_->Destroy(data_.get());
  data_.reset();
}

TRecordBuffer TRecordBuffer::Clone() const {
  if (data_ == nullptr)
    return TRecordBuffer();
  TRecordBuffer copy(*layout_);
  std::memcpy(copy.data_.get(), data_.get(), TRecordLayout::kHeaderSize);
  layout_->CopyValues(data_.get(), copy.data_.get());
  return copy;
}
