#pragma once
// The component library's texts.
//
// Every user-visible text of the library (captions, error messages, date
// words) is a string resource of the program: a TlxResourceString record,
// whose text the program's string table holds. A module declares its records
// and its table in code,
//
//   inline constexpr TlxResourceString lxSDataReadError{"lxSDataReadError"};
//   constexpr TlxStringResource kDataControllerTexts[] = {
//       {&lxSDataReadError, "Stream read error"}, ...};
//
// and when it starts, calls lxRegisterProductStrings("LxDataController",
// kDataControllerTexts): that puts the texts into the string table and lists
// the identifiers in the resource-string repository under the product key,
// so that a translation tool can enumerate them. Code obtains a text at the
// moment of use through lxLookupResString, the one place where replaced texts
// would be applied.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/strings.h"

// One string resource; its address is its identity in the string table.
struct TlxResourceString {
  const char* Identifier;
};

// One entry of a module's string table.
struct TlxStringResource {
  const TlxResourceString* Record;
  const char* Text;
};

// Puts texts into the program's string table. Adding a text again for the
// same record is harmless; a different text for a record that has one raises
// EInvalidOperation.
void lxAddStringResources(std::span<const TlxStringResource> resources);

// The text of a string resource; empty for a null record or one that the
// string table does not hold.
std::string lxLookupResString(const TlxResourceString* record);
inline std::string lxLookupResString(const TlxResourceString& record) { return lxLookupResString(&record); }

class TlxProductResourceStrings;
using TlxRegisterResourceStringsProc = std::function<void(TlxProductResourceStrings& product)>;

// The identifiers of one registered product.
class TlxProductResourceStrings : public TObject {
 public:
  static constexpr TClass kClass{"TlxProductResourceStrings", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Runs `registration` at once (when given), passing the new entry.
  TlxProductResourceStrings(std::string product_key, TlxRegisterResourceStringsProc registration);
  ~TlxProductResourceStrings() override;

  const std::string& ProductKey() const { return product_key_; }
  // Appends one identifier with its record; called by the registration
  // procedure once per text, in the module's order.
  void AddResString(const std::string& identifier, const TlxResourceString* record);

  int32_t ResStringCount() const { return identifiers_->Count(); }
  std::string Identifier(int32_t index) const { return identifiers_->Get(index); }
  const TlxResourceString* Record(int32_t index) const;

 private:
  std::string product_key_;
  TlxRegisterResourceStringsProc registration_;
  // Lines: identifier names (unsorted, duplicates allowed); slots: records.
  std::unique_ptr<TStringList> identifiers_;
};

class TlxResourceStringsRepository : public TObject {
 public:
  static constexpr TClass kClass{"TlxResourceStringsRepository", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Appends a product entry (whose constructor runs `registration`). A key
  // may be registered twice and then has two entries.
  void RegisterProduct(const std::string& product_key, TlxRegisterResourceStringsProc registration);
  // Frees the first entry with exactly this key (letter case counts);
  // nothing when there is none.
  void UnregisterProduct(std::string_view product_key);
  // Index of the first entry with exactly this key, or -1.
  int32_t IndexOfProduct(std::string_view product_key) const;

  int32_t ProductCount() const { return static_cast<int32_t>(products_.size()); }
  // Raises EListError outside 0..ProductCount() - 1.
  TlxProductResourceStrings* Product(int32_t index) const;

 private:
  std::vector<std::unique_ptr<TlxProductResourceStrings>> products_;
};

// The process's repository, created on first use.
TlxResourceStringsRepository& lxGetResourceStringsRepository();
// Frees the repository at the end of the library's core module; the next
// lxGetResourceStringsRepository creates a new one.
void lxFreeResourceStringsRepository();

// A module's start: adds its texts to the string table and registers its
// identifiers, in table order, under `product_key`.
void lxRegisterProductStrings(const std::string& product_key, std::span<const TlxStringResource> resources);
