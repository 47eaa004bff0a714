#include "data/data_storage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "data/data_controller_texts.h"
#include "data/typed_stream.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/list_algorithms.h"
#include "ui/foundation/base/stream_text_mark.h"

namespace {

constexpr uint8_t kInternalRecordInUse = 1;
constexpr int32_t kRecordIdOffset = 1;
constexpr int32_t kTextSlotSize = static_cast<int32_t>(sizeof(void*));

TlxRecordBuffer NewBuffer(int32_t size) {
  auto* memory = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(std::max(size, 1)), 1));
  if (memory == nullptr)
    throw std::bad_alloc();
  return TlxRecordBuffer(memory);
}

void ResizeBuffer(TlxRecordBuffer& buffer, int32_t new_size) {
  auto* memory = static_cast<uint8_t*>(std::realloc(buffer.get(), static_cast<size_t>(std::max(new_size, 1))));
  if (memory == nullptr)
    throw std::bad_alloc();
  buffer.release();
  buffer.reset(memory);
}

uint8_t* NullFlagOf(uint8_t* buffer, const TlxValueDef& def) { return buffer + def.Offset(); }
uint8_t* DataOf(uint8_t* buffer, const TlxValueDef& def) { return buffer + def.Offset() + 1; }
uint8_t* TextSlotOf(uint8_t* buffer, const TlxValueDef& def) { return buffer + def.Offset() + 1 + def.DataSize(); }

int32_t ReadId(const uint8_t* buffer) {
  int32_t id = 0;
  std::memcpy(&id, buffer + kRecordIdOffset, sizeof id);
  return id;
}

void WriteId(uint8_t* buffer, int32_t id) { std::memcpy(buffer + kRecordIdOffset, &id, sizeof id); }

// Releases what the value refers to and zero-fills its data: a null value
// has all-zero data bytes.
void ClearValue(uint8_t* buffer, const TlxValueDef& def) {
  uint8_t* data = DataOf(buffer, def);
  def.ValueTypeClass()->ReleaseBuffer(data);
  std::memset(data, 0, static_cast<size_t>(def.DataSize()));
  *NullFlagOf(buffer, def) = 0;
}

void ReleaseDefValues(uint8_t* buffer, const TlxValueDef& def) {
  if (!def.HasStorage())
    return;
  def.ValueTypeClass()->ReleaseBuffer(DataOf(buffer, def));
  if (def.KeepsDisplayText())
    def.ValueTypeClass()->ReleaseDisplayText(TextSlotOf(buffer, def));
}

}  // namespace

// TlxValueDef

TlxValueDef::TlxValueDef(TlxValueDefs& owner, TlxValueTypeClass value_type)
    : owner_(owner), value_type_(value_type) {}

bool TlxValueDef::HasStorage() const { return stored_ || !owner_.DataStorage().OnlyStoredValues(); }

void TlxValueDef::CopyFrom(const TlxValueDef& other) {
  stored_ = other.stored_;
  text_stored_ = other.text_stored_;
}

void TlxValueDef::SetStored(bool stored) {
  if (stored_ == stored)
    return;
  owner_.ReshapeFor([this, stored] { stored_ = stored; });
  owner_.NotifyDefChanged(*this, true);
}

void TlxValueDef::SetTextStored(bool text_stored) {
  if (text_stored_ == text_stored)
    return;
  owner_.ReshapeFor([this, text_stored] { text_stored_ = text_stored; });
  owner_.NotifyDefChanged(*this, true);
}

int TlxValueDef::CompareWithNullFlags(bool null1, bool null2, const void* value1, const void* value2) const {
  if (null1 || null2)
    return static_cast<int>(null2) - static_cast<int>(null1);
  return value_type_->CompareTypedValues(value1, value2);
}

void TlxValueDef::PlaceAt(int32_t offset) {
  offset_ = offset;
  data_size_ = value_type_->BufferSize();
  buffer_size_ = HasStorage() ? 1 + data_size_ + (text_stored_ ? kTextSlotSize : 0) : 0;
}

// TlxInternalValueDef

TlxValueDef* TlxInternalValueDef::Mirrored() const { return static_cast<TlxValueDef*>(RawLink()); }

TObject* TlxInternalValueDef::GetLink() const {
  const TlxValueDef* normal = Mirrored();
  return normal != nullptr ? normal->GetLink() : nullptr;
}

// TlxValueDefs

TlxValueDefs::TlxValueDefs(TlxDataStorage& storage) : storage_(storage) {}

TlxValueDefs::~TlxValueDefs() = default;

void TlxValueDefs::NotifyDefChanged(TlxValueDef& def, bool resync_needed) {
  storage_.AfterValueDefChange(def, resync_needed);
}

std::unique_ptr<TlxValueDef> TlxValueDefs::CreateValueDef(TlxValueTypeClass value_type) {
  return std::make_unique<TlxValueDef>(*this, value_type);
}

void TlxValueDefs::LayOut(int32_t start_offset) {
  record_offset_ = start_offset;
  int32_t offset = start_offset;
  for (const auto& def : items_) {
    def->PlaceAt(offset);
    offset += def->BufferSize();
  }
  record_size_ = offset;
}

bool TlxValueDefs::IsInternal() const { return this == &storage_.InternalValueDefs(); }

void TlxValueDefs::ReshapeFor(const std::function<void()>& change) {
  // The records of this layout keep existing, without values: their bytes
  // were laid out for the old flags.
  for (TlxRecordBuffer& buffer : storage_.BuffersOf(*this))
    storage_.FreeBuffer(buffer, *this);
  change();
  storage_.LayOutValueDefs(*this);
}

TlxValueDef* TlxValueDefs::AddValueDef(TlxValueTypeClass value_type, bool stored, bool text_stored, TObject* link) {
  std::unique_ptr<TlxValueDef> def = CreateValueDef(value_type);
  def->SetLink(link);
  def->stored_ = stored;
  def->text_stored_ = text_stored;
  def->PlaceAt(0);
  // The new area goes after the last def's: zero bytes, a null value.
  const int32_t growth = def->BufferSize();
  if (growth > 0) {
    for (TlxRecordBuffer& buffer : storage_.BuffersOf(*this)) {
      if (!buffer)
        continue;
      ResizeBuffer(buffer, record_size_ + growth);
      std::memset(buffer.get() + record_size_, 0, static_cast<size_t>(growth));
    }
  }
  TlxValueDef* added = def.get();
  items_.push_back(std::move(def));
  storage_.LayOutValueDefs(*this);
  if (!IsInternal())
    storage_.InternalValueDefs().AddValueDef(value_type, true, text_stored, added);
  return added;
}

void TlxValueDefs::FreeValueDef(TlxValueDef* def) {
  const int32_t index = IndexOf(def);
  if (index < 0)
    return;
  if (!IsInternal())
    storage_.InternalValueDefs().FreeMirrorOf(*def);
  std::vector<TlxRecordBuffer>& buffers = storage_.BuffersOf(*this);
  if (def->HasStorage() && StoredCount() < 2) {
    // The last def with storage: the records stay, without values.
    for (TlxRecordBuffer& buffer : buffers)
      if (buffer) {
        storage_.ReleaseValues(buffer.get(), *this);
        buffer.reset();
      }
  } else if (def->HasStorage()) {
    const int32_t size = def->BufferSize();
    const int32_t tail = record_size_ - def->Offset() - size;
    for (TlxRecordBuffer& buffer : buffers) {
      if (!buffer)
        continue;
      ReleaseDefValues(buffer.get(), *def);
      std::memmove(buffer.get() + def->Offset(), buffer.get() + def->Offset() + size, static_cast<size_t>(tail));
      ResizeBuffer(buffer, record_size_ - size);
    }
  }
  if (storage_.stream_order_) {
    auto& order = *storage_.stream_order_;
    order.erase(std::remove(order.begin(), order.end(), def), order.end());
  }
  items_.erase(items_.begin() + index);
  storage_.LayOutValueDefs(*this);
}

void TlxValueDefs::DeleteAll() {
  while (!items_.empty())
    FreeValueDef(items_.back().get());
}

TlxValueDef* TlxValueDefs::ItemAt(int32_t index) const {
  const auto position = static_cast<size_t>(index);
  if (storage_.stream_order_ && !IsInternal())
    return storage_.stream_order_->at(position);
  return items_.at(position).get();
}

int32_t TlxValueDefs::IndexOf(const TlxValueDef* def) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == def)
      return static_cast<int32_t>(i);
  return -1;
}

int32_t TlxValueDefs::StoredCount() const {
  return static_cast<int32_t>(
      std::count_if(items_.begin(), items_.end(), [](const auto& def) { return def->HasStorage(); }));
}

// TlxInternalValueDefs

std::unique_ptr<TlxValueDef> TlxInternalValueDefs::CreateValueDef(TlxValueTypeClass value_type) {
  return std::make_unique<TlxInternalValueDef>(*this, value_type);
}

TlxInternalValueDef* TlxInternalValueDefs::FindMirrorOf(const TlxValueDef& normal_def) const {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    auto* mirror = static_cast<TlxInternalValueDef*>(ItemAt(i));
    if (mirror->RawLink() == &normal_def)
      return mirror;
  }
  return nullptr;
}

void TlxInternalValueDefs::FreeMirrorOf(const TlxValueDef& normal_def) {
  if (TlxInternalValueDef* mirror = FindMirrorOf(normal_def))
    FreeValueDef(mirror);
}

// TlxValueDefReader

std::string TlxValueDefReader::DisplayTextFor(const TlxValueDef&) { return {}; }
Variant TlxValueDefReader::ValueFor(const TlxValueDef&) { return Variant::Null(); }
bool TlxValueDefReader::SkipsDef(const TlxValueDef&) { return false; }

// TlxDataStorage

TlxDataStorage::TlxDataStorage()
    : value_defs_(std::make_unique<TlxValueDefs>(*this)),
      internal_value_defs_(std::make_unique<TlxInternalValueDefs>(*this)) {
  LayOutValueDefs(*value_defs_);
  LayOutValueDefs(*internal_value_defs_);
}

TlxDataStorage::~TlxDataStorage() {
  destroying_ = true;
  DropInternalRecords();
  DropRecords(true);
  value_defs_->DeleteAll();
  internal_value_defs_->DeleteAll();
}

void TlxDataStorage::LayOutValueDefs(TlxValueDefs& defs) { defs.LayOut(RecordHeaderSize()); }

void TlxDataStorage::AfterValueDefChange(TlxValueDef&, bool) {}

TlxValueDefs& TlxDataStorage::ValueDefsForRecord(int32_t record_index) const {
  if (record_index < 0)
    return *internal_value_defs_;
  return *value_defs_;
}

std::vector<TlxRecordBuffer>& TlxDataStorage::BuffersOf(const TlxValueDefs& defs) {
  return &defs == internal_value_defs_.get() ? internal_records_ : records_;
}

TlxRecordBuffer& TlxDataStorage::BufferSlot(int32_t record_index) {
  return const_cast<TlxRecordBuffer&>(static_cast<const TlxDataStorage*>(this)->BufferSlot(record_index));
}

const TlxRecordBuffer& TlxDataStorage::BufferSlot(int32_t record_index) const {
  if (record_index >= 0) {
    if (record_index >= RecordCount())
      throw EListError::IndexOutOfBounds(record_index);
    return records_[static_cast<size_t>(record_index)];
  }
  const int64_t position = -static_cast<int64_t>(record_index) - 1;
  if (position >= static_cast<int64_t>(internal_records_.size()))
    throw EListError::IndexOutOfBounds(record_index);
  return internal_records_[static_cast<size_t>(position)];
}

bool TlxDataStorage::HasBuffer(int32_t record_index) const { return Buffer(record_index) != nullptr; }

uint8_t* TlxDataStorage::AllocatedBuffer(int32_t record_index) {
  TlxRecordBuffer& buffer = BufferSlot(record_index);
  if (!buffer)
    buffer = NewBuffer(ValueDefsForRecord(record_index).RecordSize());
  return buffer.get();
}

const TlxValueDef* TlxDataStorage::DefForRecord(int32_t record_index, const TlxValueDef& def) const {
  if (record_index >= 0 || &def.ValueDefs() == internal_value_defs_.get())
    return &def;
  return internal_value_defs_->FindMirrorOf(def);
}

void TlxDataStorage::ReleaseValues(uint8_t* buffer, const TlxValueDefs& defs) const {
  for (int32_t i = 0; i < defs.Count(); ++i)
    ReleaseDefValues(buffer, *defs.ItemAt(i));
}

void TlxDataStorage::FreeBuffer(TlxRecordBuffer& buffer, const TlxValueDefs& defs) {
  if (!buffer)
    return;
  ReleaseValues(buffer.get(), defs);
  buffer.reset();
}

void TlxDataStorage::GiveRecordId(int32_t record_index) {
  if (!uses_record_ids_)
    return;
  uint8_t* buffer = AllocatedBuffer(record_index);
  if (ReadId(buffer) != 0)
    return;
  WriteId(buffer, record_id_counter_++);
}

void TlxDataStorage::SetRecordCount(int32_t count) {
  count = std::max(count, 0);
  while (RecordCount() > count) {
    FreeBuffer(records_.back(), *value_defs_);
    records_.pop_back();
  }
  while (RecordCount() < count)
    AddRecord();
  if (records_.empty())
    record_id_counter_ = 1;
}

int32_t TlxDataStorage::AddRecord() {
  records_.emplace_back();
  const int32_t index = RecordCount() - 1;
  GiveRecordId(index);
  return index;
}

void TlxDataStorage::InsertRecordAt(int32_t index) {
  if (index < 0 || index > RecordCount())
    throw EListError::IndexOutOfBounds(index);
  records_.emplace(records_.begin() + index);
  GiveRecordId(index);
}

void TlxDataStorage::RemoveRecord(int32_t index) {
  if (index < 0) {
    FreeInternalRecord(index);
    return;
  }
  FreeBuffer(BufferSlot(index), *value_defs_);
  records_.erase(records_.begin() + index);
  if (records_.empty())
    record_id_counter_ = 1;
}

int32_t TlxDataStorage::NewInternalRecord() {
  size_t position = 0;
  while (position < internal_records_.size() && internal_records_[position] &&
         (internal_records_[position].get()[0] & kInternalRecordInUse) != 0)
    ++position;
  if (position == internal_records_.size())
    internal_records_.emplace_back();
  TlxRecordBuffer& slot = internal_records_[position];
  FreeBuffer(slot, *internal_value_defs_);
  slot = NewBuffer(internal_value_defs_->RecordSize());
  slot.get()[0] = kInternalRecordInUse;
  return -static_cast<int32_t>(position) - 1;
}

void TlxDataStorage::FreeInternalRecord(int32_t index) {
  if (index >= 0)
    return;
  FreeBuffer(BufferSlot(index), *internal_value_defs_);
}

void TlxDataStorage::ClearAll(bool keep_internal_records) {
  if (!keep_internal_records)
    DropInternalRecords();
  DropRecords(true);
}

void TlxDataStorage::DropRecords(bool empty_list) {
  for (TlxRecordBuffer& buffer : records_)
    FreeBuffer(buffer, *value_defs_);
  if (empty_list)
    records_.clear();
  if (records_.empty())
    record_id_counter_ = 1;
  for (int32_t i = 0; i < RecordCount(); ++i)
    GiveRecordId(i);
}

void TlxDataStorage::DropInternalRecords() {
  for (TlxRecordBuffer& buffer : internal_records_)
    FreeBuffer(buffer, *internal_value_defs_);
  internal_records_.clear();
  DoInternalRecordsCleared();
}

void TlxDataStorage::DoInternalRecordsCleared() {
  if (OnInternalRecordsCleared)
    OnInternalRecordsCleared(this);
}

Variant TlxDataStorage::ValueOf(int32_t record_index, const TlxValueDef& def) const {
  uint8_t* buffer = Buffer(record_index);
  const TlxValueDef* target = DefForRecord(record_index, def);
  if (buffer == nullptr || target == nullptr || !target->HasStorage() || *NullFlagOf(buffer, *target) == 0)
    return Variant::Null();
  return target->ValueTypeClass()->ReadBufferValue(DataOf(buffer, *target));
}

void TlxDataStorage::StoreValue(int32_t record_index, const TlxValueDef& def, const Variant& value) {
  const TlxValueDef* target = DefForRecord(record_index, def);
  if (target == nullptr || !target->HasStorage())
    return;
  TlxRecordBuffer& slot = BufferSlot(record_index);
  // A record without values gets its buffer only once the value converted,
  // so that a failed store leaves it as it was.
  TlxRecordBuffer fresh;
  uint8_t* buffer = slot.get();
  if (buffer == nullptr) {
    fresh = NewBuffer(ValueDefsForRecord(record_index).RecordSize());
    buffer = fresh.get();
  }
  if (value.IsNull()) {
    ClearValue(buffer, *target);
  } else {
    // Value types convert before they touch the data area.
    target->ValueTypeClass()->WriteBufferValue(DataOf(buffer, *target), value);
    *NullFlagOf(buffer, *target) = 1;
  }
  if (fresh)
    slot = std::move(fresh);
}

std::string TlxDataStorage::DisplayTextOf(int32_t record_index, const TlxValueDef& def) const {
  uint8_t* buffer = Buffer(record_index);
  const TlxValueDef* target = DefForRecord(record_index, def);
  if (buffer == nullptr || target == nullptr || !target->HasStorage())
    return {};
  if (target->KeepsDisplayText())
    return target->ValueTypeClass()->ReadDisplayText(TextSlotOf(buffer, *target));
  if (*NullFlagOf(buffer, *target) == 0)
    return {};
  return target->ValueTypeClass()->DefaultDisplayText(DataOf(buffer, *target));
}

void TlxDataStorage::StoreDisplayText(int32_t record_index, const TlxValueDef& def, const std::string& text) {
  const TlxValueDef* target = DefForRecord(record_index, def);
  if (target == nullptr || !target->KeepsDisplayText())
    return;
  uint8_t* buffer = AllocatedBuffer(record_index);
  target->ValueTypeClass()->WriteDisplayText(TextSlotOf(buffer, *target), text);
}

bool TlxDataStorage::ValueForCompare(int32_t record_index, const TlxValueDef& def, const void*& value) const {
  uint8_t* buffer = Buffer(record_index);
  const TlxValueDef* target = DefForRecord(record_index, def);
  if (buffer == nullptr || target == nullptr || !target->HasStorage() || *NullFlagOf(buffer, *target) == 0)
    return true;
  value = target->ValueTypeClass()->AdjustValuePointer(DataOf(buffer, *target));
  return false;
}

int TlxDataStorage::CompareRecordValues(int32_t record1, int32_t record2, const TlxValueDef& def) const {
  const void* value1 = nullptr;
  const void* value2 = nullptr;
  const bool null1 = ValueForCompare(record1, def, value1);
  const bool null2 = ValueForCompare(record2, def, value2);
  if (null1 || null2)
    return static_cast<int>(null2) - static_cast<int>(null1);
  const TlxValueDef* target = DefForRecord(record1, def);
  const TlxValueDef* target2 = DefForRecord(record2, def);
  // Both buffers hold the value in the same place when the layouts agree.
  if (target == target2)
    return target->ValueTypeClass()->CompareBuffers(DataOf(Buffer(record1), *target), DataOf(Buffer(record2), *target));
  return target->ValueTypeClass()->CompareTypedValues(value1, value2);
}

int32_t TlxDataStorage::RecordIdOf(int32_t record_index) { return ReadId(AllocatedBuffer(record_index)); }

void TlxDataStorage::StoreRecordId(int32_t record_index, int32_t id) { WriteId(AllocatedBuffer(record_index), id); }

void TlxDataStorage::FillRecordFromReader(int32_t record_index, TlxValueDefReader& reader) {
  AllocatedBuffer(record_index);
  const TlxValueDefs& defs = ValueDefsForRecord(record_index);
  for (int32_t i = 0; i < defs.Count(); ++i) {
    const TlxValueDef& def = *defs.ItemAt(i);
    if (reader.SkipsDef(def))
      continue;
    StoreValue(record_index, def, reader.ValueFor(def));
    if (def.KeepsDisplayText())
      StoreDisplayText(record_index, def, reader.DisplayTextFor(def));
  }
}

void TlxDataStorage::ForEachValueDefOfRecord(int32_t record_index, const TlxDefProcedure& procedure) {
  const TlxValueDefs& defs = ValueDefsForRecord(record_index);
  for (int32_t i = 0; i < defs.Count(); ++i)
    procedure(*defs.ItemAt(i), record_index);
}

void TlxDataStorage::SaveRecord(int32_t record_index, TStream& stream) const {
  uint8_t* buffer = Buffer(record_index);
  lxWriteBoolean(stream, buffer == nullptr);
  if (buffer == nullptr)
    return;
  if (uses_record_ids_)
    lxWriteInteger(stream, ReadId(buffer));
  TlxStream values(stream);
  for (int32_t i = 0; i < value_defs_->Count(); ++i) {
    const TlxValueDef& def = *value_defs_->ItemAt(i);
    if (!def.StreamStored() || !def.HasStorage())
      continue;
    const bool is_null = *NullFlagOf(buffer, def) == 0;
    lxWriteBoolean(values, is_null);
    if (!is_null)
      def.ValueTypeClass()->SaveValue(DataOf(buffer, def), values);
    if (def.KeepsDisplayText())
      def.ValueTypeClass()->SaveDisplayText(TextSlotOf(buffer, def), values);
  }
}

namespace {

// A buffer being read: its values are released when the read fails, so that
// nothing of a broken record survives.
class PendingRecordBuffer {
 public:
  PendingRecordBuffer(TlxRecordBuffer buffer, const TlxValueDefs& defs) : buffer_(std::move(buffer)), defs_(defs) {}
  PendingRecordBuffer(const PendingRecordBuffer&) = delete;
  PendingRecordBuffer& operator=(const PendingRecordBuffer&) = delete;
  ~PendingRecordBuffer() {
    if (!buffer_)
      return;
    for (int32_t i = 0; i < defs_.Count(); ++i)
      ReleaseDefValues(buffer_.get(), *defs_.ItemAt(i));
  }

  uint8_t* Get() const { return buffer_.get(); }
  TlxRecordBuffer Take() { return std::move(buffer_); }

 private:
  TlxRecordBuffer buffer_;
  const TlxValueDefs& defs_;
};

}  // namespace

void TlxDataStorage::ReadRecordValues(uint8_t* buffer, TlxStream& stream) const {
  for (int32_t i = 0; i < value_defs_->Count(); ++i) {
    const TlxValueDef& def = *value_defs_->ItemAt(i);
    if (!def.StreamStored() || !def.HasStorage())
      continue;
    const uint8_t null_flag = lxReadByte(stream);
    if (null_flag > 1)
      lxRaiseDataReadError();
    if (null_flag == 0) {
      def.ValueTypeClass()->LoadValue(DataOf(buffer, def), stream);
      *NullFlagOf(buffer, def) = 1;
    }
    if (def.KeepsDisplayText())
      def.ValueTypeClass()->LoadDisplayText(TextSlotOf(buffer, def), stream);
  }
}

void TlxDataStorage::LoadRecord(int32_t record_index, TStream& stream) {
  if (record_index < 0 || record_index >= RecordCount())
    throw EListError::IndexOutOfBounds(record_index);
  TlxStream values(stream);
  if (lxReadBoolean(values)) {
    FreeBuffer(BufferSlot(record_index), *value_defs_);
    return;
  }
  PendingRecordBuffer pending(NewBuffer(value_defs_->RecordSize()), *value_defs_);
  int32_t id = 0;
  if (uses_record_ids_) {
    id = lxReadInteger(values);
    WriteId(pending.Get(), id);
  }
  ReadRecordValues(pending.Get(), values);
  TlxRecordBuffer& slot = BufferSlot(record_index);
  FreeBuffer(slot, *value_defs_);
  slot = pending.Take();
  if (uses_record_ids_ && id >= record_id_counter_ && id < INT32_MAX)
    record_id_counter_ = id + 1;
}

void TlxDataStorage::BeginStreamOrder(const TlxDefOrder& order) {
  auto sorted = std::make_unique<std::vector<TlxValueDef*>>();
  for (int32_t i = 0; i < value_defs_->Count(); ++i)
    sorted->push_back(value_defs_->ItemAt(i));
  MergeSortStable(*sorted, [&order](const TlxValueDef* a, const TlxValueDef* b) { return order(*a, *b) < 0; });
  stream_order_ = std::move(sorted);
}

void TlxDataStorage::EndStreamOrder() { stream_order_.reset(); }

void TlxDataStorage::SetUsesRecordIds(bool uses) {
  if (uses_record_ids_ == uses)
    return;
  // Normal records lose their values (and IDs); internal records keep theirs
  // and move their values behind the new header.
  for (TlxRecordBuffer& buffer : records_)
    FreeBuffer(buffer, *value_defs_);
  const int32_t old_header = RecordHeaderSize();
  const int32_t old_size = internal_value_defs_->RecordSize();
  uses_record_ids_ = uses;
  LayOutValueDefs(*value_defs_);
  LayOutValueDefs(*internal_value_defs_);
  const int32_t new_header = RecordHeaderSize();
  for (TlxRecordBuffer& buffer : internal_records_) {
    if (!buffer)
      continue;
    TlxRecordBuffer moved = NewBuffer(internal_value_defs_->RecordSize());
    moved.get()[0] = buffer.get()[0];
    std::memcpy(moved.get() + new_header, buffer.get() + old_header, static_cast<size_t>(old_size - old_header));
    buffer = std::move(moved);
  }
}

void TlxDataStorage::SetOnlyStoredValues(bool only_stored) {
  if (only_stored_values_ == only_stored)
    return;
  for (TlxRecordBuffer& buffer : records_)
    FreeBuffer(buffer, *value_defs_);
  only_stored_values_ = only_stored;
  LayOutValueDefs(*value_defs_);
}
