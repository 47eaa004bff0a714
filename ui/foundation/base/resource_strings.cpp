#include "ui/foundation/base/resource_strings.h"

#include <string>
#include <unordered_map>

#include "platform/rtl/exceptions.h"

namespace {

using TStringTable = std::unordered_map<const TlxResourceString*, std::string>;

TStringTable& StringTable() {
  static TStringTable table;
  return table;
}

std::unique_ptr<TlxResourceStringsRepository>& RepositoryInstance() {
  static std::unique_ptr<TlxResourceStringsRepository> repository;
  return repository;
}

uintptr_t SlotOf(const TlxResourceString* record) { return reinterpret_cast<uintptr_t>(record); }

}  // namespace

void lxAddStringResources(std::span<const TlxStringResource> resources) {
  TStringTable& table = StringTable();
  for (const TlxStringResource& resource : resources) {
    if (resource.Record == nullptr)
      throw EInvalidOperation("A string resource needs its record");
    const std::string_view text = resource.Text != nullptr ? resource.Text : "";
    auto [entry, added] = table.try_emplace(resource.Record, text);
    if (!added && entry->second != text)
      throw EInvalidOperation(std::string("String resource ") +
                              (resource.Record->Identifier ? resource.Record->Identifier : "") +
                              " already has another text");
  }
}

std::string lxLookupResString(const TlxResourceString* record) {
  if (record == nullptr)
    return {};
  const TStringTable& table = StringTable();
  const auto entry = table.find(record);
  return entry != table.end() ? entry->second : std::string();
}

TlxProductResourceStrings::TlxProductResourceStrings(std::string product_key,
                                                     TlxRegisterResourceStringsProc registration)
    : product_key_(std::move(product_key)),
      registration_(std::move(registration)),
      identifiers_(std::make_unique<TStringList>()) {
  if (registration_)
    registration_(*this);
}

TlxProductResourceStrings::~TlxProductResourceStrings() { registration_ = nullptr; }

void TlxProductResourceStrings::AddResString(const std::string& identifier, const TlxResourceString* record) {
  const int32_t index = identifiers_->Add(identifier);
  identifiers_->PutSlot(index, SlotOf(record));
}

const TlxResourceString* TlxProductResourceStrings::Record(int32_t index) const {
  return reinterpret_cast<const TlxResourceString*>(identifiers_->GetSlot(index));
}

void TlxResourceStringsRepository::RegisterProduct(const std::string& product_key,
                                                   TlxRegisterResourceStringsProc registration) {
  products_.push_back(std::make_unique<TlxProductResourceStrings>(product_key, std::move(registration)));
}

void TlxResourceStringsRepository::UnregisterProduct(std::string_view product_key) {
  const int32_t index = IndexOfProduct(product_key);
  if (index != -1)
    products_.erase(products_.begin() + index);
}

int32_t TlxResourceStringsRepository::IndexOfProduct(std::string_view product_key) const {
  for (size_t i = 0; i < products_.size(); ++i)
    if (products_[i]->ProductKey() == product_key)
      return static_cast<int32_t>(i);
  return -1;
}

TlxProductResourceStrings* TlxResourceStringsRepository::Product(int32_t index) const {
  if (index < 0 || index >= ProductCount())
    throw EListError::IndexOutOfBounds(index);
  return products_[static_cast<size_t>(index)].get();
}

TlxResourceStringsRepository& lxGetResourceStringsRepository() {
  auto& repository = RepositoryInstance();
  if (repository == nullptr)
    repository = std::make_unique<TlxResourceStringsRepository>();
  return *repository;
}

void lxFreeResourceStringsRepository() { RepositoryInstance().reset(); }

void lxRegisterProductStrings(const std::string& product_key, std::span<const TlxStringResource> resources) {
  lxAddStringResources(resources);
  lxGetResourceStringsRepository().RegisterProduct(product_key, [resources](TlxProductResourceStrings& product) {
    for (const TlxStringResource& resource : resources)
      product.AddResString(resource.Record->Identifier != nullptr ? resource.Record->Identifier : "",
                           resource.Record);
  });
}
