#include <cstring>
#include <memory>

#include "platform/rtl/collection.h"
#include "platform/rtl/extended.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
// Component trees and collections nest this deep at most; deeper input is
// taken as corrupt rather than risking the stack.
constexpr int kMaxDepth = 64;

[[noreturn]] void InvalidFormat() { throw EReadError("Invalid stream format"); }

const TClass* FindComponentClass(const std::string& class_name) {
  const TClass* cls = FindClass(class_name);
  if (!cls->InheritsFrom(&TComponent::kClass))
    throw EReadError("Class " + class_name + " is not a component class");
  return cls;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot - start));
    if (dot == std::string_view::npos)
      return parts;
    start = dot + 1;
  }
}

TComponent* FindInTree(TComponent& root, std::string_view name) {
  if (TComponent* direct = root.FindComponent(name))
    return direct;
  for (int32_t i = 0; i < root.ComponentCount(); ++i) {
    if (TComponent* found = FindInTree(*root.Components(i), name))
      return found;
  }
  return nullptr;
}

}  // namespace

TComponent* TStream::ReadComponent(TComponent* instance) {
  TReader reader(*this);
  return reader.ReadRootComponent(instance);
}

void TReader::InvalidValue(std::string_view property) {
  throw EReadError("Invalid property value for " + std::string(property));
}

void TReader::ReadSignature() {
  char signature[4] = {};
  if (stream_.Read(signature, 4) != 4 || std::memcmp(signature, kSignature, 4) != 0)
    InvalidFormat();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  std::string class_name;
  std::string name;
  ReadComponentHeader(class_name, name);

  std::unique_ptr<TComponent> created;
  if (root == nullptr) {
    created = CreateUnowned<TComponent>(FindComponentClass(class_name));
    root = created.get();
  }
  if (root->Name().empty() && !name.empty())
    root->SetName(name);

  root_ = root;
  {
    TScopeFail abandon([this] { FinishLoading(false); });
    root->BeginLoading();
    loaded_.emplace_back(root);
    ReadComponentData(*root);
    ResolveFixups();
  }
  FinishLoading(true);
  created.release();
  return root;
}

// An optional prefix of flags (inherited, child position, inline), then
// the class name and the component name.
void TReader::ReadComponentHeader(std::string& class_name, std::string& name) {
  if ((NextValue() & 0xF0) == 0xF0) {
    const uint8_t flags = ReadRaw<uint8_t>() & 0x0F;
    if (flags & 0x02)
      ReadInteger();
  }
  class_name = ReadStr();
  name = ReadStr();
}

void TReader::FinishLoading(bool succeeded) {
  std::vector<TWeakRef<TComponent>> loaded;
  loaded.swap(loaded_);
  for (auto& component : loaded) {
    if (TComponent* alive = component.Get()) {
      if (succeeded)
        alive->EndReading();
      else
        alive->CancelLoading();
    }
  }
  if (!succeeded) {
    // A failed read leaves nothing behind that it made.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      delete it->Get();
    created_.clear();
    return;
  }
  created_.clear();
  for (auto& component : loaded) {
    if (TComponent* alive = component.Get())
      alive->Loaded();
  }
}

void TReader::ReadComponentData(TComponent& component) {
  if (++depth_ > kMaxDepth)
    throw EReadError("Components nested too deeply");
  TComponent* previous = reading_;
  reading_ = &component;
  while (!EndOfList())
    ReadProperty(component);
  ReadListEnd();
  while (!EndOfList())
    ReadChild(component);
  ReadListEnd();
  reading_ = previous;
  --depth_;
}

void TReader::ReadChild(TComponent& parent) {
  std::string class_name;
  std::string name;
  ReadComponentHeader(class_name, name);
  TComponent* owner = parent.GetChildOwner();
  if (owner == nullptr)
    owner = root_;

  TComponent* child = owner->FindComponent(name);
  std::unique_ptr<TComponent> created;
  if (child == nullptr) {
    created.reset(static_cast<TComponent*>(FindComponentClass(class_name)->CreateInstance(nullptr)));
    created->SetName(name);
    owner->InsertComponent(created.get());
    child = created.get();
    created_.emplace_back(child);
  }
  TAliveToken alive = child->AliveToken();
  child->BeginLoading();
  loaded_.emplace_back(child);
  {
    // What this read created goes again; its owner forgets it on the way.
    TScopeFail drop_created([&] {
      if (created && alive.Alive())
        created.reset();
      else
        created.release();
    });
    ReadComponentData(*child);
  }
  created.release();
}

void TReader::ReadProperty(TPersistent& instance) {
  const std::string full_name = ReadStr();
  const std::vector<std::string_view> parts = SplitPath(full_name);
  TPersistent* target = &instance;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* holder = target->ClassType()->Properties().Find(parts[i]);
    if (holder == nullptr || holder->Kind != TTypeKind::tkClass || holder->IsReference())
      throw EReadError("Property " + full_name + " does not exist");
    target = dynamic_cast<TPersistent*>(holder->GetObj(*target));
    if (target == nullptr)
      throw EReadError("Property " + full_name + " does not exist");
  }
  const std::string_view name = parts.back();
  if (const TPropInfo* property = target->ClassType()->Properties().Find(name)) {
    ReadPropValue(*target, *property);
    return;
  }
  // A defined property may read properties of its own (a collection's
  // items): the outer search is put back as it was.
  const std::string previous_name = pending_name_;
  const bool previous_found = pending_found_;
  pending_name_ = std::string(name);
  pending_found_ = false;
  target->DefineProperties(*this);
  const bool found = pending_found_;
  pending_name_ = previous_name;
  pending_found_ = previous_found;
  if (!found)
    throw EReadError("Property " + full_name + " does not exist");
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& property) {
  switch (property.Kind) {
    case TTypeKind::tkInteger: {
      const int64_t value = ReadInteger();
      if (value < INT32_MIN || value > INT32_MAX)
        InvalidValue(property.Name);
      property.SetOrd(instance, value);
      return;
    }
    case TTypeKind::tkInt64:
      property.SetOrd(instance, ReadInteger());
      return;
    case TTypeKind::tkBoolean:
      property.SetOrd(instance, ReadBoolean() ? 1 : 0);
      return;
    case TTypeKind::tkEnumeration: {
      const std::string ident = ReadIdent();
      for (size_t i = 0; i < property.ElementNames.size(); ++i) {
        if (SameText(property.ElementNames[i], ident)) {
          property.SetOrd(instance, static_cast<int64_t>(i));
          return;
        }
      }
      InvalidValue(property.Name);
    }
    case TTypeKind::tkSet:
      ReadSet(instance, property);
      return;
    case TTypeKind::tkFloat:
      property.SetFloat(instance, ReadFloat());
      return;
    case TTypeKind::tkString:
      property.SetStr(instance, ReadString());
      return;
    case TTypeKind::tkVariant:
      property.SetVar(instance, ReadVariant());
      return;
    case TTypeKind::tkClass:
      break;
  }

  if (property.IsReference()) {
    const TValueType type = NextValue();
    if (type == vaNil) {
      ReadValue();
      property.SetObj(instance, nullptr);
      return;
    }
    if (type != vaIdent)
      InvalidValue(property.Name);
    fixups_.push_back(Fixup{&instance, &property, ReadIdent()});
    return;
  }
  auto* collection = dynamic_cast<TCollection*>(property.GetObj(instance));
  if (collection == nullptr)
    InvalidValue(property.Name);
  ReadCollection(*collection);
}

void TReader::ReadSet(TPersistent& instance, const TPropInfo& property) {
  if (ReadValue() != vaSet)
    InvalidValue(property.Name);
  uint64_t mask = 0;
  for (std::string element = ReadStr(); !element.empty(); element = ReadStr()) {
    bool known = false;
    for (size_t bit = 0; bit < property.ElementNames.size() && bit < 64; ++bit) {
      if (SameText(property.ElementNames[bit], element)) {
        mask |= uint64_t{1} << bit;
        known = true;
        break;
      }
    }
    if (!known)
      InvalidValue(property.Name);
  }
  property.SetOrd(instance, static_cast<int64_t>(mask));
}

void TReader::ReadCollection(TCollection& collection) {
  if (ReadValue() != vaCollection)
    InvalidFormat();
  if (++depth_ > kMaxDepth)
    throw EReadError("Collections nested too deeply");
  TUpdateScope update(collection);
  collection.Clear();
  while (!EndOfList()) {
    const TValueType type = NextValue();
    if (type == vaInt8 || type == vaInt16 || type == vaInt32)
      ReadInteger();  // the item's position, written against an ancestor
    ReadListBegin();
    TCollectionItem* item = collection.Add();
    while (!EndOfList())
      ReadProperty(*item);
    ReadListEnd();
  }
  ReadListEnd();
  --depth_;
}

// References name a component of the root's tree by its path from the root
// ("Panel1.Button1"), the root by its own name, or any component of the
// tree by its bare name. Names that match nothing leave the reference nil.
void TReader::ResolveFixups() {
  for (const Fixup& fixup : fixups_) {
    const std::vector<std::string_view> parts = SplitPath(fixup.path);
    TComponent* target = nullptr;
    if (parts.size() == 1 && SameText(parts[0], root_->Name())) {
      target = root_;
    } else {
      target = root_;
      for (std::string_view part : parts) {
        target = target->FindComponent(part);
        if (target == nullptr)
          break;
      }
      if (target == nullptr && parts.size() == 1)
        target = FindInTree(*root_, parts[0]);
    }
    if (target != nullptr && !target->InheritsFrom(fixup.property->ObjectClass))
      target = nullptr;
    fixup.property->SetObj(*fixup.instance, target);
  }
  fixups_.clear();
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc&, bool) {
  if (pending_found_ || !read || !SameText(name, pending_name_))
    return;
  pending_found_ = true;
  read(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc&, bool) {
  if (pending_found_ || !read || !SameText(name, pending_name_))
    return;
  pending_found_ = true;
  if (ReadValue() != vaBinary)
    InvalidValue(name);
  const int32_t size = ReadInt32();
  if (size < 0 || size > stream_.Remaining())
    throw EReadError();
  TMemoryStream block;
  block.SetSize(size);
  ReadBytes(block.Memory(), size);
  read(block);
}

TValueType TReader::ReadValue() { return static_cast<TValueType>(ReadRaw<uint8_t>()); }

TValueType TReader::NextValue() {
  const TValueType type = ReadValue();
  stream_.Seek(-1, soCurrent);
  return type;
}

void TReader::ReadListBegin() {
  if (ReadValue() != vaList)
    InvalidFormat();
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull)
    InvalidFormat();
}

int32_t TReader::ReadInt32() { return ReadRaw<int32_t>(); }

int64_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8:
      return ReadRaw<int8_t>();
    case vaInt16:
      return ReadRaw<int16_t>();
    case vaInt32:
      return ReadRaw<int32_t>();
    case vaInt64:
      return ReadRaw<int64_t>();
    default:
      throw EReadError("Invalid property value");
  }
}

bool TReader::ReadBoolean() {
  const TValueType type = NextValue();
  if (type == vaIdent) {
    const std::string ident = ReadIdent();
    if (SameText(ident, "True"))
      return true;
    if (SameText(ident, "False"))
      return false;
    throw EReadError("Invalid property value");
  }
  switch (ReadValue()) {
    case vaTrue:
      return true;
    case vaFalse:
      return false;
    default:
      throw EReadError("Invalid property value");
  }
}

double TReader::ReadFloat() {
  const TValueType type = NextValue();
  switch (type) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return static_cast<double>(ReadInteger());
    default:
      break;
  }
  ReadValue();
  switch (type) {
    case vaExtended: {
      TExtended80 bytes{};
      ReadBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
      return Extended80ToDouble(bytes);
    }
    case vaDouble:
    case vaDate:
      return ReadRaw<double>();
    case vaSingle:
      return ReadRaw<float>();
    case vaCurrency:
      return static_cast<double>(ReadRaw<int64_t>()) / 10000.0;
    default:
      throw EReadError("Invalid property value");
  }
}

std::string TReader::ReadLengthPrefixed(int64_t unit_size) {
  const int32_t count = ReadInt32();
  if (count < 0 || count > stream_.Remaining() / unit_size)
    throw EReadError();
  std::string bytes(static_cast<size_t>(count * unit_size), '\0');
  ReadBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

std::string TReader::ReadString() {
  switch (ReadValue()) {
    case vaString: {
      const uint8_t length = ReadRaw<uint8_t>();
      std::string text(length, '\0');
      ReadBytes(text.data(), length);
      return text;
    }
    case vaLString:
    case vaUTF8String:
      return ReadLengthPrefixed(1);
    case vaWString: {
      const std::string bytes = ReadLengthPrefixed(2);
      std::u16string units(bytes.size() / 2, u'\0');
      std::memcpy(units.data(), bytes.data(), bytes.size());
      return Utf16ToUtf8(units);
    }
    default:
      throw EReadError("Invalid property value");
  }
}

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaNull:
      ReadValue();
      return Variant::Null();
    case vaFalse:
    case vaTrue:
      return Variant(ReadBoolean());
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(static_cast<int32_t>(ReadInteger()));
    case vaInt64:
      return Variant(ReadInteger());
    case vaExtended:
    case vaDouble:
    case vaSingle:
      return Variant(ReadFloat());
    case vaCurrency:
      ReadValue();
      return Variant(Currency::FromRaw(ReadRaw<int64_t>()));
    case vaDate:
      ReadValue();
      return Variant::FromDate(ReadRaw<double>());
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
      return Variant(ReadString());
    default:
      throw EReadError("Invalid variant value");
  }
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    default:
      throw EReadError("Invalid property value");
  }
}

std::string TReader::ReadStr() {
  const uint8_t length = ReadRaw<uint8_t>();
  std::string text(length, '\0');
  ReadBytes(text.data(), length);
  return text;
}

void TReader::SkipValue() {
  if (++depth_ > kMaxDepth)
    throw EReadError("Values nested too deeply");
  const TValueType type = NextValue();
  switch (type) {
    case vaNull:
      ReadValue();
      break;
    case vaList:
      ReadValue();
      while (!EndOfList())
        SkipValue();
      ReadListEnd();
      break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      ReadInteger();
      break;
    case vaExtended:
    case vaDouble:
    case vaDate:
    case vaSingle:
    case vaCurrency:
      ReadFloat();
      break;
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
      ReadString();
      break;
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNil:
      ReadIdent();
      break;
    case vaBinary: {
      ReadValue();
      const int32_t size = ReadInt32();
      if (size < 0 || size > stream_.Remaining())
        throw EReadError();
      stream_.Seek(size, soCurrent);
      break;
    }
    case vaSet:
      ReadValue();
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      ReadValue();
      while (!EndOfList()) {
        if (NextValue() != vaList)
          ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
    default:
      InvalidFormat();
  }
  --depth_;
}
