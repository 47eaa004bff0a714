#pragma once
// Pointer lists: TList (untyped slots), TObjectList (objects, optionally
// owned) and TInterfaceList (interface pointers, never owned). Indexes are
// 32-bit as elsewhere in the platform; a bad index raises EListError
// ("List index out of bounds (%d)").

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/rtl/object.h"

enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
 public:
  static constexpr TClass kClass{"TList", &TObject::kClass, &ConstructInstance<TList>};
  const TClass* ClassType() const override { return &kClass; }
  // Negative when a comes first, 0 when equal, positive when b comes first.
  using TListSortCompare = std::function<int(void* a, void* b)>;

  TList() = default;
  // Clears through Clear so that derived lists release their items; a
  // derived list whose Notify frees items calls Clear in its own destructor.
  ~TList() override = default;

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Growing fills new slots with null; shrinking deletes from the end.
  void SetCount(int32_t count);
  int32_t Capacity() const { return static_cast<int32_t>(items_.capacity()); }
  void SetCapacity(int32_t capacity);

  void* Get(int32_t index) const;
  void Put(int32_t index, void* item);
  void* operator[](int32_t index) const { return Get(index); }

  int32_t Add(void* item);
  void Insert(int32_t index, void* item);
  void Delete(int32_t index);
  // Deletes the first occurrence; its former index, or -1.
  int32_t Remove(void* item);
  // Takes the first occurrence out without the "deleted" notification.
  void* Extract(void* item);
  int32_t IndexOf(void* item) const;
  void Exchange(int32_t index1, int32_t index2);
  void Move(int32_t current_index, int32_t new_index);
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  // Removes the null slots.
  void Pack();
  void Clear();
  void Sort(const TListSortCompare& compare);
  void Assign(const TList& source);

  const std::vector<void*>& Items() const { return items_; }

 protected:
  virtual void Notify(void* item, TListNotification action);
  void CheckIndex(int32_t index) const;

 private:
  std::vector<void*> items_;
};

// A list of objects that frees them on removal while OwnsObjects is set
// (the default); Extract hands an object back without freeing it.
class TObjectList : public TList {
 public:
  static constexpr TClass kClass{"TObjectList", &TList::kClass, &ConstructInstance<TObjectList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TObjectList(bool owns_objects = true) : owns_objects_(owns_objects) {}
  ~TObjectList() override;

  bool OwnsObjects() const { return owns_objects_; }
  void SetOwnsObjects(bool owns) { owns_objects_ = owns; }

  TObject* Get(int32_t index) const { return static_cast<TObject*>(TList::Get(index)); }
  TObject* operator[](int32_t index) const { return Get(index); }
  void Put(int32_t index, TObject* item) { TList::Put(index, item); }
  int32_t Add(TObject* item) { return TList::Add(item); }
  void Insert(int32_t index, TObject* item) { TList::Insert(index, item); }
  int32_t Remove(TObject* item) { return TList::Remove(item); }
  TObject* Extract(TObject* item) { return static_cast<TObject*>(TList::Extract(item)); }
  int32_t IndexOf(TObject* item) const { return TList::IndexOf(item); }
  TObject* First() const { return Get(0); }
  TObject* Last() const { return Get(Count() - 1); }
  // From `start`, the index of the first object of class `cls` (exactly
  // that class, or a descendant when `exact` is false); -1 when none.
  int32_t FindInstanceOf(const TClass& cls, bool exact = true, int32_t start = 0) const;

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  bool owns_objects_;
};

// Interface pointers without reference counting: the list never frees.
// Lock and Unlock bracket work that other threads must not interleave.
class TInterfaceList : public TObject {
 public:
  static constexpr TClass kClass{"TInterfaceList", &TObject::kClass, &ConstructInstance<TInterfaceList>};
  const TClass* ClassType() const override { return &kClass; }

  int32_t Count() const;
  IInterface* Get(int32_t index) const;
  void Put(int32_t index, IInterface* item);
  IInterface* operator[](int32_t index) const { return Get(index); }
  int32_t Add(IInterface* item);
  void Insert(int32_t index, IInterface* item);
  void Delete(int32_t index);
  int32_t Remove(IInterface* item);
  int32_t IndexOf(IInterface* item) const;
  void Exchange(int32_t index1, int32_t index2);
  IInterface* First() const { return Get(0); }
  IInterface* Last() const;
  void Clear();

  void Lock() const { mutex_.lock(); }
  void Unlock() const { mutex_.unlock(); }

 private:
  void CheckIndex(int32_t index) const;

  mutable std::recursive_mutex mutex_;
  std::vector<IInterface*> items_;
};
