#include "editors/kinds/db_lookup_links.h"

#include <unordered_set>

#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"

bool lxIsCircularDataLink(const TDataSet* data_set, const TDataSet* list_data_set) {
  if (list_data_set == nullptr)
    return false;
  // A chain that loops on itself would otherwise walk for ever.
  std::unordered_set<const TDataSet*> visited;
  for (const TDataSet* current = data_set; current != nullptr && visited.insert(current).second;) {
    if (current == list_data_set)
      return true;
    if (const TField* nested = current->DataSetField(); nested != nullptr && nested->DataSet() == list_data_set)
      return true;
    const TDataSource* master = current->GetDataSource();
    current = master != nullptr ? master->DataSet() : nullptr;
  }
  return false;
}

int32_t lxKeyFieldCount(std::string_view key_field_names) {
  int32_t count = 0;
  size_t start = 0;
  while (start <= key_field_names.size()) {
    size_t end = key_field_names.find(';', start);
    if (end == std::string_view::npos)
      end = key_field_names.size();
    if (end > start)
      ++count;
    start = end + 1;
  }
  return count;
}

Variant lxLookupNullKey(std::string_view key_field_names) {
  const int32_t count = lxKeyFieldCount(key_field_names);
  if (count <= 1)
    return Variant::Null();
  Variant key = VarArrayCreate(0, count - 1, varVariant);
  for (int32_t i = 0; i < count; ++i)
    VarArrayPut(key, Variant::Null(), i);
  return key;
}
