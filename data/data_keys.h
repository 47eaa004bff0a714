#pragma once
// Keeping expanded details and selected rows across a reload by record
// keys: before the reload the state is saved by each record's key value,
// afterwards it is applied to the records with the same keys.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxCustomDataController;
class TlxCustomDataField;
class TlxSaveObject;

struct TlxKeyInfo {
  virtual ~TlxKeyInfo() = default;
  Variant Key;
};

struct TlxSelectedKeyInfo : TlxKeyInfo {
  int32_t SelectedIndex = 0;
};

struct TlxDetailKeyInfo : TlxKeyInfo {
  TlxDetailKeyInfo();
  ~TlxDetailKeyInfo() override;
  int32_t ActiveRelationIndex = -1;
  std::unique_ptr<TlxSaveObject> SubDetails;
};

class TlxKeys : public TObject {
 public:
  static constexpr TClass kClass{"TlxKeys", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  ~TlxKeys() override;

  // The virtual operations, in the order of their slots.
  virtual void ApplyKeys() {}
  virtual void CollectKeys() {}
  virtual void FreeKeyInfo(std::unique_ptr<TlxKeyInfo> info) { info.reset(); }
  virtual void Clear();

  void Save(TlxCustomDataController& controller);
  void Restore(TlxCustomDataController& controller);
  // The first key info, in list order, whose key equals the record's key.
  bool FindRecordKey(int32_t record, int32_t& position) const;
  void Delete(int32_t position);
  int32_t Count() const { return static_cast<int32_t>(infos_.size()); }
  TlxKeyInfo& InfoAt(int32_t position) const { return *infos_.at(static_cast<size_t>(position)); }

 protected:
  void SetController(TlxCustomDataController& controller);
  TlxCustomDataController& DataController() const { return *controller_; }
  Variant KeyOf(int32_t record) const;
  void AddInfo(std::unique_ptr<TlxKeyInfo> info) { infos_.push_back(std::move(info)); }

 private:
  TlxCustomDataController* controller_ = nullptr;
  std::vector<TlxCustomDataField*> key_fields_;
  std::vector<std::unique_ptr<TlxKeyInfo>> infos_;
};

class TlxDetailKeys : public TlxKeys {
 public:
  static constexpr TClass kClass{"TlxDetailKeys", &TlxKeys::kClass};
  const TClass* ClassType() const override { return &kClass; }

  void ApplyKeys() override;
  void CollectKeys() override;
};

class TlxSelectedKeys : public TlxKeys {
 public:
  static constexpr TClass kClass{"TlxSelectedKeys", &TlxKeys::kClass};
  const TClass* ClassType() const override { return &kClass; }

  void ApplyKeys() override;
  void CollectKeys() override;
};

class TlxSaveObject : public TObject {
 public:
  static constexpr TClass kClass{"TlxSaveObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  void Save(TlxCustomDataController& controller);
  void Restore(TlxCustomDataController& controller);
  TlxDetailKeys& DetailKeys() { return detail_keys_; }
  TlxSelectedKeys& SelectedKeys() { return selected_keys_; }

 private:
  TlxDetailKeys detail_keys_;
  TlxSelectedKeys selected_keys_;
};
