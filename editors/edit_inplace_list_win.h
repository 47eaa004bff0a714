#pragma once
// TlxInplaceEditList: the hidden editors a host (a grid, the filter
// builder) keeps for editing in place. Each entry is bound to one
// properties object, or free for reuse by any properties of the editor's
// class. The list owns its editors.

#include <cstdint>
#include <memory>
#include <vector>

#include "editors/edit_control_win.h"
#include "editors/edit_properties.h"

class TlxInplaceEditList : public TObject, public IlxInplaceEditCache {
 public:
  static constexpr TClass kClass{"TlxInplaceEditList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxInplaceEditList();
  ~TlxInplaceEditList() override;
  TlxInplaceEditList(const TlxInplaceEditList&) = delete;
  TlxInplaceEditList& operator=(const TlxInplaceEditList&) = delete;

  // The editor bound to `properties` (a free one of the kind's class is
  // bound first), else a new one; either way it takes over the settings
  // while its change events are locked, and the events are dropped.
  TlxCustomEdit* ObtainEdit(TlxCustomEditProperties* properties);
  // A free editor of the properties class's editor class, else a new free one.
  TlxCustomEdit* ObtainEditByClass(const TlxCustomEditProperties& properties_kind);
  TlxCustomEdit* LookupEdit(TlxCustomEditProperties* properties);
  TlxCustomEdit* LookupEditByClass(const TlxCustomEditProperties& properties_kind);
  // Frees the editor bound to `properties`.
  void RemoveEditFor(TlxCustomEditProperties* properties);
  // Unbinds the entry; its editor stays, free for reuse.
  void ForgetProperties(TlxCustomEditProperties* properties) override;
  void Clear();
  int32_t GetCount() const { return static_cast<int32_t>(entries_.size()); }
  TlxCustomEdit* GetEditAt(int32_t index) const;

 private:
  struct Entry {
    std::unique_ptr<TlxCustomEdit> Edit;
    TlxCustomEditProperties* Properties = nullptr;
  };

  int32_t IndexOfProperties(TlxCustomEditProperties* properties, bool bind_free);
  int32_t IndexOfFree(const TClass* edit_class) const;
  TlxCustomEdit* AppendNew(const TClass* edit_class, TlxCustomEditProperties* properties);

  std::vector<Entry> entries_;
};
