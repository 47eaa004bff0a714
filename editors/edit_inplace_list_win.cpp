#include "editors/edit_inplace_list_win.h"

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"

TlxInplaceEditList::TlxInplaceEditList() { lxAddInplaceEditCache(this); }

TlxInplaceEditList::~TlxInplaceEditList() {
  lxRemoveInplaceEditCache(this);
  Clear();
}

int32_t TlxInplaceEditList::IndexOfFree(const TClass* edit_class) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Properties == nullptr && entries_[i].Edit->ClassType() == edit_class)
      return static_cast<int32_t>(i);
  return -1;
}

int32_t TlxInplaceEditList::IndexOfProperties(TlxCustomEditProperties* properties, bool bind_free) {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Properties == properties)
      return static_cast<int32_t>(i);
  if (!bind_free)
    return -1;
  const int32_t free = IndexOfFree(properties->GetEditControlClass());
  if (free >= 0)
    entries_[static_cast<size_t>(free)].Properties = properties;
  return free;
}

TlxCustomEdit* TlxInplaceEditList::LookupEdit(TlxCustomEditProperties* properties) {
  if (properties == nullptr)
    return nullptr;
  const int32_t index = IndexOfProperties(properties, true);
  return index < 0 ? nullptr : entries_[static_cast<size_t>(index)].Edit.get();
}

TlxCustomEdit* TlxInplaceEditList::AppendNew(const TClass* edit_class, TlxCustomEditProperties* properties) {
  if (edit_class == nullptr)
    throw EInvalidOperation("The editor kind names no editor class");
  std::unique_ptr<TlxCustomEdit> edit(TlxCustomEdit::CreateInplace(*edit_class, nullptr, true));
  edit->SetVisible(false);
  entries_.push_back({std::move(edit), properties});
  return entries_.back().Edit.get();
}

TlxCustomEdit* TlxInplaceEditList::ObtainEdit(TlxCustomEditProperties* properties) {
  if (properties == nullptr)
    throw EInvalidArgument("No properties to edit with");
  TlxCustomEdit* edit = LookupEdit(properties);
  if (edit == nullptr)
    edit = AppendNew(properties->GetEditControlClass(), properties);
  edit->LockChangeEvents(true);
  TScopeExit unlock([edit] { edit->LockChangeEvents(false, false); });
  edit->AssignOwnProperties(properties);
  return edit;
}

TlxCustomEdit* TlxInplaceEditList::LookupEditByClass(const TlxCustomEditProperties& properties_kind) {
  const int32_t index = IndexOfFree(properties_kind.GetEditControlClass());
  return index < 0 ? nullptr : entries_[static_cast<size_t>(index)].Edit.get();
}

TlxCustomEdit* TlxInplaceEditList::ObtainEditByClass(const TlxCustomEditProperties& properties_kind) {
  if (TlxCustomEdit* edit = LookupEditByClass(properties_kind))
    return edit;
  return AppendNew(properties_kind.GetEditControlClass(), nullptr);
}

void TlxInplaceEditList::RemoveEditFor(TlxCustomEditProperties* properties) {
  if (properties == nullptr)
    return;
  const int32_t index = IndexOfProperties(properties, false);
  if (index < 0)
    return;
  std::unique_ptr<TlxCustomEdit> edit = std::move(entries_[static_cast<size_t>(index)].Edit);
  entries_.erase(entries_.begin() + index);
  edit->SetParent(nullptr);
}

void TlxInplaceEditList::ForgetProperties(TlxCustomEditProperties* properties) {
  if (properties == nullptr)
    return;
  const int32_t index = IndexOfProperties(properties, false);
  if (index >= 0)
    entries_[static_cast<size_t>(index)].Properties = nullptr;
}

void TlxInplaceEditList::Clear() {
  while (!entries_.empty()) {
    std::unique_ptr<TlxCustomEdit> edit = std::move(entries_.front().Edit);
    entries_.erase(entries_.begin());
    edit->SetParent(nullptr);
  }
}

TlxCustomEdit* TlxInplaceEditList::GetEditAt(int32_t index) const {
  if (index < 0 || index >= GetCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return entries_[static_cast<size_t>(index)].Edit.get();
}
