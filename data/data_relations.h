#pragma once
// Master-detail relations: a master controller keeps one relation per
// detail item object, and per master record a detail object (held in an
// internal object-valued field of the storage, which owns it) that
// remembers the active relation, the expanded state and, per relation, the
// link object that owns the record's detail clone controller.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"

class TlxCustomDataController;
class TlxCustomDataField;
class TlxCustomDataRelationList;

class TlxCustomDataRelation : public TObject {
 public:
  using TOwnerType = TlxCustomDataRelationList;
  static constexpr TClass kClass{"TlxCustomDataRelation", &TObject::kClass, &ConstructInstance<TlxCustomDataRelation>};
  const TClass* ClassType() const override { return &kClass; }

  // Joins `list` as its last relation; the list owns it. The item is set
  // by the list right after.
  explicit TlxCustomDataRelation(TlxCustomDataRelationList* list);
  // Detaches the template controller and leaves the list.
  ~TlxCustomDataRelation() override;

  // The virtual operations, in the order of their slots.
  virtual void ForgetDataField(TlxCustomDataField*) {}
  virtual void CopyFrom(const TlxCustomDataRelation&) {}

  TlxCustomDataController* DetailDataController() const { return detail_data_controller_; }
  void SetDetailDataController(TlxCustomDataController* controller) { detail_data_controller_ = controller; }
  TObject* Item() const { return item_; }
  void SetItem(TObject* item) { item_ = item; }
  TlxCustomDataRelationList* RelationList() const { return relation_list_; }
  void SetRelationList(TlxCustomDataRelationList* list) { relation_list_ = list; }
  TlxCustomDataController& OwnerController() const;
  int32_t IndexInList() const;
  void Changed();

 private:
  TlxCustomDataController* detail_data_controller_ = nullptr;
  TObject* item_ = nullptr;
  TlxCustomDataRelationList* relation_list_ = nullptr;
};

// What a detail object knows of one relation of its record.
struct TlxDetailInfoObject {
  std::unique_ptr<TObject> LinkObject;
  bool HasChildren = false;
  bool HasChildrenKnown = false;
};

class TlxDetailObject : public TObject {
 public:
  static constexpr TClass kClass{"TlxDetailObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDetailObject() = default;
  ~TlxDetailObject() override;

  void Clear();
  void ClearInfoObject(int32_t index);
  // Forgets every answered has-children flag; whether any was answered.
  bool ResetHasChildrenFlags();
  void Correct(const TlxCustomDataRelationList& list);
  TlxDetailInfoObject* InfoObjectAt(int32_t index) const;
  int32_t InfoObjectCount() const { return static_cast<int32_t>(infos_.size()); }
  // Created on demand.
  TlxDetailInfoObject& InfoObjectFor(int32_t index);
  TObject* LinkObjectAt(int32_t index) const;
  int32_t LinkObjectCount() const;
  // No info object has a link object.
  bool IsEmpty() const { return LinkObjectCount() == 0; }
  void PutInfoObject(int32_t index, std::unique_ptr<TlxDetailInfoObject> info);
  void PutLinkObject(int32_t index, std::unique_ptr<TObject> link);
  // Takes the link objects out, so that their clones are freed after the
  // detail object no longer lists them.
  std::vector<std::unique_ptr<TObject>> TakeLinkObjects(int32_t index);

  int32_t ActiveRelationIndex = -1;
  bool Expanded = false;

 private:
  std::vector<std::unique_ptr<TlxDetailInfoObject>> infos_;
};

class TlxCustomDataRelationList : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomDataRelationList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataRelationList(TlxCustomDataController& controller);
  ~TlxCustomDataRelationList() override;

  TlxCustomDataController& DataController() const { return controller_; }
  TlxCustomDataField* DetailObjectField() const { return detail_object_field_; }
  int32_t Count() const { return static_cast<int32_t>(relations_.size()); }
  TlxCustomDataRelation* RelationAt(int32_t index) const;
  TlxCustomDataRelation* FindByItem(const TObject* item) const;
  int32_t IndexOf(const TlxCustomDataRelation* relation) const;

  TlxCustomDataRelation* NewRelation(TObject* item);
  void AssignRelations(const TlxCustomDataRelationList& other);
  void BeginUpdate() { ++lock_count_; }
  void EndUpdate();
  void Clear();
  void AddRelation(TlxCustomDataRelation* relation);
  void RemoveRelation(TlxCustomDataRelation* relation);
  void Move(int32_t from, int32_t to);
  void DoChanged(TlxCustomDataRelation* relation);
  void RemoveDataField(const TlxCustomDataField* field);

  TlxDetailObject* ReadDetailObject(int32_t record) const;
  TlxDetailObject* GetDetailObject(int32_t record);
  bool IsDetailObjectExist(int32_t record, int32_t relation_index) const;
  bool ClearDetailObject(int32_t record, int32_t relation_index);
  // No template controller, or none of its relations has a detail controller.
  bool IsEmpty() const;

 protected:
  virtual void Update(TlxCustomDataRelation* relation);

 private:
  friend class TlxCustomDataRelation;
  void WriteDetailObject(int32_t record, TlxDetailObject* object);

  TlxCustomDataController& controller_;
  TlxCustomDataField* detail_object_field_ = nullptr;
  int32_t lock_count_ = 0;
  std::vector<TlxCustomDataRelation*> relations_;
  bool destroying_ = false;
};
