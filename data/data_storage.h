#pragma once
// The record storage behind every data controller: value definitions (one
// per data field, each naming its value type) and record buffers, one
// contiguous zero-filled block per record that has values:
//
//   byte 0      record flags (1 = internal record in use)
//   bytes 1..4  record ID, only while record IDs are on
//   per def with storage: null flag (0 = null), the value's data area,
//               and a pointer-sized display-text reference when the def
//               keeps texts
//
// Normal records have indexes 0, 1, ...; internal records, the data
// controller's scratch copies, have -1, -2, ... and a layout of their own
// that mirrors every normal def.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/value_types.h"
#include "platform/rtl/object.h"
#include "platform/rtl/stream.h"

class TlxDataStorage;
class TlxStream;
class TlxValueDefs;

// A record buffer: allocated zero-filled with calloc, resized in place when
// defs are added or removed.
struct TlxBufferDeleter {
  void operator()(uint8_t* buffer) const { std::free(buffer); }
};
using TlxRecordBuffer = std::unique_ptr<uint8_t, TlxBufferDeleter>;

class TlxValueDef : public TObject {
 public:
  static constexpr TClass kClass{"TlxValueDef", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxValueDef(TlxValueDefs& owner, TlxValueTypeClass value_type);

  virtual TObject* GetLink() const { return link_; }
  // Whether the def takes room in records of its layout.
  virtual bool HasStorage() const;
  virtual void SetLink(TObject* link) { link_ = link; }
  virtual void CopyFrom(const TlxValueDef& other);

  TlxValueDefs& ValueDefs() const { return owner_; }
  TlxValueTypeClass ValueTypeClass() const { return value_type_; }
  bool Stored() const { return stored_; }
  // Changing a flag of a def in use frees the values of its layout's
  // records, whose bytes were laid out for the old flags.
  void SetStored(bool stored);
  bool TextStored() const { return text_stored_; }
  void SetTextStored(bool text_stored);
  bool StreamStored() const { return stream_stored_; }
  void SetStreamStored(bool stream_stored) { stream_stored_ = stream_stored; }
  // The object the def itself holds (for a mirror: the normal def).
  TObject* RawLink() const { return link_; }

  int32_t Offset() const { return offset_; }
  int32_t DataSize() const { return data_size_; }
  int32_t BufferSize() const { return buffer_size_; }

  // The effective text flag: TextStored of a def with storage.
  bool KeepsDisplayText() const { return text_stored_ && HasStorage(); }
  bool HoldsText() const { return value_type_->IsTextType(); }
  // Two nulls are equal, a null sorts first; else the value type decides.
  int CompareWithNullFlags(bool null1, bool null2, const void* value1, const void* value2) const;

 private:
  friend class TlxValueDefs;
  // The def's bytes in a record at `offset` (0 when it has no storage).
  void PlaceAt(int32_t offset);

  TlxValueDefs& owner_;
  TlxValueTypeClass value_type_;
  bool stored_ = true;
  bool text_stored_ = false;
  bool stream_stored_ = true;
  TObject* link_ = nullptr;
  int32_t offset_ = 0;
  int32_t data_size_ = 0;
  int32_t buffer_size_ = 0;
};

// The mirror of a normal def in the internal layout; its link is the normal
// def, whose own link it answers.
class TlxInternalValueDef : public TlxValueDef {
 public:
  static constexpr TClass kClass{"TlxInternalValueDef", &TlxValueDef::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxValueDef::TlxValueDef;

  TObject* GetLink() const override;
  bool HasStorage() const override { return true; }
  TlxValueDef* Mirrored() const;
};

// One record layout: an ordered list of defs, owned.
class TlxValueDefs : public TObject {
 public:
  static constexpr TClass kClass{"TlxValueDefs", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxValueDefs(TlxDataStorage& storage);
  ~TlxValueDefs() override;

  virtual void NotifyDefChanged(TlxValueDef& def, bool resync_needed);
  virtual std::unique_ptr<TlxValueDef> CreateValueDef(TlxValueTypeClass value_type);
  virtual void LayOut(int32_t start_offset);

  TlxValueDef* AddValueDef(TlxValueTypeClass value_type, bool stored, bool text_stored, TObject* link);
  // Frees the def: its mirror first, then its bytes in every record.
  void FreeValueDef(TlxValueDef* def);
  // Frees the defs from the last to the first.
  void DeleteAll();

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // In stream order while the storage streams.
  TlxValueDef* ItemAt(int32_t index) const;
  int32_t IndexOf(const TlxValueDef* def) const;
  int32_t StoredCount() const;
  TlxDataStorage& DataStorage() const { return storage_; }
  int32_t RecordOffset() const { return record_offset_; }
  int32_t RecordSize() const { return record_size_; }
  bool IsInternal() const;
  // Changes the layout through `change` (a def's flags): the records of
  // this layout lose their values, then the defs are laid out again.
  void ReshapeFor(const std::function<void()>& change);

 private:
  TlxDataStorage& storage_;
  std::vector<std::unique_ptr<TlxValueDef>> items_;
  int32_t record_offset_ = 0;
  int32_t record_size_ = 0;
};

class TlxInternalValueDefs : public TlxValueDefs {
 public:
  static constexpr TClass kClass{"TlxInternalValueDefs", &TlxValueDefs::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxValueDefs::TlxValueDefs;

  std::unique_ptr<TlxValueDef> CreateValueDef(TlxValueTypeClass value_type) override;
  // Searched from the last def down; null when none.
  TlxInternalValueDef* FindMirrorOf(const TlxValueDef& normal_def) const;
  void FreeMirrorOf(const TlxValueDef& normal_def);
};

// The source of values when a whole record is filled at once.
class TlxValueDefReader : public TObject {
 public:
  static constexpr TClass kClass{"TlxValueDefReader", &TObject::kClass, &ConstructInstance<TlxValueDefReader>};
  const TClass* ClassType() const override { return &kClass; }

  virtual std::string DisplayTextFor(const TlxValueDef& def);
  virtual Variant ValueFor(const TlxValueDef& def);
  virtual bool SkipsDef(const TlxValueDef& def);
};

class TlxDataStorage : public TObject {
 public:
  static constexpr TClass kClass{"TlxDataStorage", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxDefOrder = std::function<int(const TlxValueDef& a, const TlxValueDef& b)>;
  using TlxDefProcedure = std::function<void(TlxValueDef& def, int32_t record_index)>;

  TlxDataStorage();
  ~TlxDataStorage() override;

  virtual void LayOutValueDefs(TlxValueDefs& defs);
  virtual void AfterValueDefChange(TlxValueDef& def, bool resync_needed);
  TlxValueDefs& ValueDefsForRecord(int32_t record_index) const;

  TlxValueDefs& ValueDefs() const { return *value_defs_; }
  TlxInternalValueDefs& InternalValueDefs() const { return *internal_value_defs_; }
  // The header size of records: 5 with record IDs, else 1.
  int32_t RecordHeaderSize() const { return uses_record_ids_ ? 5 : 1; }

  int32_t RecordCount() const { return static_cast<int32_t>(records_.size()); }
  void SetRecordCount(int32_t count);
  int32_t AddRecord();
  void InsertRecordAt(int32_t index);
  void RemoveRecord(int32_t index);
  int32_t NewInternalRecord();
  void FreeInternalRecord(int32_t index);
  void ClearAll(bool keep_internal_records);
  void DropRecords(bool empty_list);
  void DropInternalRecords();
  bool HasBuffer(int32_t record_index) const;

  Variant ValueOf(int32_t record_index, const TlxValueDef& def) const;
  // A value that does not convert raises the platform's Variant error and
  // leaves the stored value and its null flag as they were.
  void StoreValue(int32_t record_index, const TlxValueDef& def, const Variant& value);
  std::string DisplayTextOf(int32_t record_index, const TlxValueDef& def) const;
  void StoreDisplayText(int32_t record_index, const TlxValueDef& def, const std::string& text);
  int CompareRecordValues(int32_t record1, int32_t record2, const TlxValueDef& def) const;
  // True when the value is null; otherwise `value` points at the value
  // itself (for the value type's CompareTypedValues).
  bool ValueForCompare(int32_t record_index, const TlxValueDef& def, const void*& value) const;
  int32_t RecordIdOf(int32_t record_index);
  void StoreRecordId(int32_t record_index, int32_t id);
  void FillRecordFromReader(int32_t record_index, TlxValueDefReader& reader);
  void ForEachValueDefOfRecord(int32_t record_index, const TlxDefProcedure& procedure);

  void SaveRecord(int32_t record_index, TStream& stream) const;
  // Reads one record; on a failure the record keeps its previous content.
  void LoadRecord(int32_t record_index, TStream& stream);
  void BeginStreamOrder(const TlxDefOrder& order);
  void EndStreamOrder();
  const std::vector<TlxValueDef*>* StreamOrder() const { return stream_order_.get(); }
  virtual void BeforeBulkLoad() {}
  virtual void AfterBulkLoad() {}

  bool UsesRecordIds() const { return uses_record_ids_; }
  void SetUsesRecordIds(bool uses);
  bool OnlyStoredValues() const { return only_stored_values_; }
  void SetOnlyStoredValues(bool only_stored);
  int32_t RecordIdCounter() const { return record_id_counter_; }
  bool Destroying() const { return destroying_; }

  TNotifyEvent OnInternalRecordsCleared;

 private:
  friend class TlxValueDefs;

  std::vector<TlxRecordBuffer>& BuffersOf(const TlxValueDefs& defs);
  TlxRecordBuffer& BufferSlot(int32_t record_index);
  const TlxRecordBuffer& BufferSlot(int32_t record_index) const;
  uint8_t* Buffer(int32_t record_index) const { return BufferSlot(record_index).get(); }
  uint8_t* AllocatedBuffer(int32_t record_index);
  // The def that addresses a record: a normal def's mirror for internal
  // records; null when there is none.
  const TlxValueDef* DefForRecord(int32_t record_index, const TlxValueDef& def) const;
  void ReleaseValues(uint8_t* buffer, const TlxValueDefs& defs) const;
  void FreeBuffer(TlxRecordBuffer& buffer, const TlxValueDefs& defs);
  void GiveRecordId(int32_t record_index);
  void ReadRecordValues(uint8_t* buffer, TlxStream& stream) const;
  void DoInternalRecordsCleared();

  std::unique_ptr<TlxValueDefs> value_defs_;
  std::unique_ptr<TlxInternalValueDefs> internal_value_defs_;
  std::vector<TlxRecordBuffer> records_;
  std::vector<TlxRecordBuffer> internal_records_;
  int32_t record_id_counter_ = 1;
  bool uses_record_ids_ = false;
  bool only_stored_values_ = false;
  std::unique_ptr<std::vector<TlxValueDef*>> stream_order_;
  bool destroying_ = false;
};
