#pragma once
// Finding records again by values: locate objects fill an internal storage
// record from a value reader and search the records equal to it (by key
// fields, or by the grouping fields down to a level); value-def readers
// supply the values; the notifier forwards free notifications to the
// controller.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/data_storage.h"
#include "platform/rtl/component.h"

class TlxCustomDataController;
class TlxCustomDataField;

// Whether the def belongs to an internal data field of the controller.
bool lxIsValueDefOfInternalField(const TlxValueDef& def);

class TlxDataControllerLocateObject : public TObject {
 public:
  using TOwnerType = TlxCustomDataController;
  static constexpr TClass kClass{"TlxDataControllerLocateObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataControllerLocateObject(TlxCustomDataController* controller) : controller_(*controller) {}
  ~TlxDataControllerLocateObject() override;

  // The virtual operations, in the order of their slots.
  virtual void Clear();
  virtual int32_t FindRecordIndex() = 0;

  // Fills the search record from the reader.
  void ReadFrom(TlxValueDefReader& reader);
  TlxCustomDataController& DataController() const { return controller_; }
  // 0 while there is no search record.
  int32_t InternalRecordIndex() const { return internal_record_; }

 private:
  TlxCustomDataController& controller_;
  int32_t internal_record_ = 0;
};

class TlxDataControllerKeyLocateObject : public TlxDataControllerLocateObject {
 public:
  static constexpr TClass kClass{"TlxDataControllerKeyLocateObject", &TlxDataControllerLocateObject::kClass,
                                 &ConstructInstance<TlxDataControllerKeyLocateObject>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxDataControllerLocateObject::TlxDataControllerLocateObject;

  int32_t FindRecordIndex() override;
  std::vector<TlxCustomDataField*>& KeyFields() { return key_fields_; }

 private:
  std::vector<TlxCustomDataField*> key_fields_;
};

class TlxDataControllerGroupLocateObject : public TlxDataControllerLocateObject {
 public:
  static constexpr TClass kClass{"TlxDataControllerGroupLocateObject", &TlxDataControllerLocateObject::kClass,
                                 &ConstructInstance<TlxDataControllerGroupLocateObject>};
  const TClass* ClassType() const override { return &kClass; }

  // Takes the grouping fields of every level.
  explicit TlxDataControllerGroupLocateObject(TlxCustomDataController* controller);

  int32_t FindRecordIndex() override;
  int32_t Level() const { return level_; }
  void SetLevel(int32_t level);
  // True unless some grouping field compares by display text.
  bool FindsGroupRecord() const { return find_group_record_; }

 private:
  std::vector<TlxCustomDataField*> grouping_fields_;
  std::vector<TlxCustomDataField*> find_fields_;
  int32_t level_ = -1;
  bool find_group_record_ = true;
};

// Values supplied by def, set one by one.
class TlxValueDefUnboundReader : public TlxValueDefReader {
 public:
  static constexpr TClass kClass{"TlxValueDefUnboundReader", &TlxValueDefReader::kClass};
  const TClass* ClassType() const override { return &kClass; }

  Variant ValueFor(const TlxValueDef& def) override;
  bool SkipsDef(const TlxValueDef& def) override { return lxIsValueDefOfInternalField(def); }

  void SetValue(const TlxValueDef& def, const Variant& value);
  // Forgets the values from `count` on; the defs stay known.
  void Truncate(int32_t count);
  void Clear() { Truncate(0); }

 private:
  int32_t IndexOf(const TlxValueDef& def) const;

  std::vector<const TlxValueDef*> defs_;
  std::vector<std::unique_ptr<Variant>> values_;
};

// Values of one record of a controller.
class TlxValueDefRecordReader : public TlxValueDefReader {
 public:
  static constexpr TClass kClass{"TlxValueDefRecordReader", &TlxValueDefReader::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxValueDefRecordReader(TlxCustomDataController& controller, int32_t record)
      : controller_(controller), record_(record) {}

  std::string DisplayTextFor(const TlxValueDef& def) override;
  Variant ValueFor(const TlxValueDef& def) override;
  bool SkipsDef(const TlxValueDef& def) override { return lxIsValueDefOfInternalField(def); }

 private:
  TlxCustomDataController& controller_;
  int32_t record_;
};

// Receives free notifications for its controller.
class TlxDataControllerNotifier : public TComponent {
 public:
  static constexpr TClass kClass{"TlxDataControllerNotifier", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDataControllerNotifier(TComponent* owner, TlxCustomDataController& controller)
      : TComponent(owner), controller_(controller) {}

  TlxCustomDataController& DataController() const { return controller_; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TlxCustomDataController& controller_;
};
