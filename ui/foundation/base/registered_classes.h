#pragma once
// TlxRegisteredClasses: an ordered set of classes, each with a display text
// "Short|Long description". Modules announce their classes here when they
// start (editor kinds, grid view kinds), so that other modules find them by
// class, by class name or by description.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/object.h"
#include "platform/rtl/strings.h"

class TlxRegisteredClasses;

// The entries of a TlxRegisteredClasses: display texts with their classes
// in the slots. It knows its registry, so that sorting follows the
// registry's order, which a descendant registry may change.
class TlxRegisteredClassesStringList : public TStringList {
 public:
  static constexpr TClass kClass{"TlxRegisteredClassesStringList", &TStringList::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxRegisteredClassesStringList(TlxRegisteredClasses& registry) : registry_(registry) {}

  TlxRegisteredClasses& Registry() const { return registry_; }
  // Sorts by the registry's CompareEntries.
  void Sort() override;

 private:
  TlxRegisteredClasses& registry_;
};

class TlxRegisteredClasses : public TObject {
 public:
  static constexpr TClass kClass{"TlxRegisteredClasses", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // With `register_classes` every added class is also registered with the
  // streaming class registry.
  explicit TlxRegisteredClasses(bool register_classes);
  ~TlxRegisteredClasses() override;

  // Nothing when the class is listed already (the first text stays).
  void AddClass(TClassRef cls, const std::string& display_text);
  // Nothing when the class is not listed.
  void RemoveClass(TClassRef cls);
  // The first listed class whose name equals `name` exactly (letter case
  // counts); null when none.
  TClassRef FindByClassName(std::string_view name) const;

  int32_t Count() const { return entries_->Count(); }
  // Raise EStringListError outside 0..Count() - 1.
  TClassRef Item(int32_t index) const;
  std::string DisplayText(int32_t index) const { return entries_->Get(index); }
  // The short description: the display text before its first "|".
  std::string DescriptionOf(int32_t index) const;
  int32_t IndexOf(TClassRef cls) const;

  bool RegisterClasses() const { return register_classes_; }
  bool Sorted() const { return sorted_; }
  // Switching it on sorts at once; while on, every addition re-sorts.
  void SetSorted(bool sorted);

 protected:
  friend class TlxRegisteredClassesStringList;
  // The order of the sorted registry: negative, 0 or positive. Descendants
  // change the order by overriding this alone.
  virtual int CompareEntries(int32_t index1, int32_t index2) const;
  virtual void SortEntries();

 private:
  bool register_classes_;
  bool sorted_ = false;
  // Lines: display texts; slots: the classes.
  std::unique_ptr<TlxRegisteredClassesStringList> entries_;
};
