#include "ui/foundation/base/registered_classes.h"

#include "platform/rtl/text.h"
#include "ui/foundation/base/unit_routines.h"

namespace {

uintptr_t SlotOf(TClassRef cls) { return reinterpret_cast<uintptr_t>(cls); }

}  // namespace

TlxRegisteredClasses::TlxRegisteredClasses(bool register_classes)
    : register_classes_(register_classes), entries_(std::make_unique<TlxRegisteredClassesStringList>(*this)) {}

TlxRegisteredClasses::~TlxRegisteredClasses() { entries_->Clear(); }

void TlxRegisteredClasses::AddClass(TClassRef cls, const std::string& display_text) {
  if (cls == nullptr || IndexOf(cls) != -1)
    return;
  const int32_t index = entries_->Add(display_text);
  entries_->PutSlot(index, SlotOf(cls));
  if (sorted_)
    SortEntries();
  if (register_classes_)
    RegisterStreamableClass(*cls);
}

void TlxRegisteredClasses::RemoveClass(TClassRef cls) {
  const int32_t index = IndexOf(cls);
  if (index != -1)
    entries_->Delete(index);
}

TClassRef TlxRegisteredClasses::FindByClassName(std::string_view name) const {
  for (int32_t i = 0; i < Count(); ++i) {
    TClassRef cls = Item(i);
    if (cls->ClassName() == name)
      return cls;
  }
  return nullptr;
}

TClassRef TlxRegisteredClasses::Item(int32_t index) const {
  return reinterpret_cast<TClassRef>(entries_->GetSlot(index));
}

std::string TlxRegisteredClasses::DescriptionOf(int32_t index) const {
  return lxTextBeforeBar(entries_->Get(index));
}

int32_t TlxRegisteredClasses::IndexOf(TClassRef cls) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (entries_->GetSlot(i) == SlotOf(cls))
      return i;
  return -1;
}

void TlxRegisteredClasses::SetSorted(bool sorted) {
  if (sorted == sorted_)
    return;
  sorted_ = sorted;
  if (sorted_)
    SortEntries();
}

int TlxRegisteredClasses::CompareEntries(int32_t index1, int32_t index2) const {
  return AnsiCompareText(DescriptionOf(index1), DescriptionOf(index2));
}

void TlxRegisteredClasses::SortEntries() { entries_->Sort(); }

void TlxRegisteredClassesStringList::Sort() {
  CustomSort([this](const TStringList&, int32_t i, int32_t j) { return registry_.CompareEntries(i, j); });
}
