#include <cmath>
#include <limits>

#include "platform/rtl/collection.h"
#include "platform/rtl/extended.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

// The name path of `target` from `root` ("Panel1.Button1"), or empty when
// the target is not the root or below it.
std::string PathFromRoot(const TComponent* target, const TComponent* root) {
  if (target == root)
    return root->Name();
  std::string path;
  for (const TComponent* c = target; c != nullptr; c = c->Owner()) {
    if (c == root)
      return path;
    if (c->Name().empty())
      return std::string();
    path = path.empty() ? c->Name() : c->Name() + "." + path;
  }
  return std::string();
}

}  // namespace

void TStream::WriteComponent(TComponent& instance) {
  TWriter writer(*this);
  writer.WriteRootComponent(instance);
}

void TWriter::WriteRootComponent(TComponent& root) { WriteDescendent(root, nullptr); }

void TWriter::WriteDescendent(TComponent& root, const TComponent* ancestor) {
  root_ = &root;
  WriteSignature();
  WriteComponent(root, ancestor);
}

void TWriter::WriteSignature() { WriteBytes(kSignature, sizeof kSignature); }

void TWriter::WriteComponent(TComponent& component, const TComponent* ancestor) {
  if (ancestor != nullptr && ancestor->ClassType() != component.ClassType())
    ancestor = nullptr;
  struct WritingFlag {
    TComponent& component;
    explicit WritingFlag(TComponent& c) : component(c) { component.SetWriting(true); }
    ~WritingFlag() { component.SetWriting(false); }
  } writing(component);

  WriteStr(component.ClassName());
  WriteStr(component.Name());
  WriteProperties(component, ancestor);
  WriteListEnd();
  component.GetChildren(
      [&](TComponent* child) {
        const TComponent* child_ancestor = ancestor ? ancestor->FindComponent(child->Name()) : nullptr;
        WriteComponent(*child, child_ancestor);
      },
      root_);
  WriteListEnd();
}

void TWriter::WriteProperties(const TPersistent& instance, const TPersistent* ancestor) {
  for (const TPropInfo& property : instance.ClassType()->Properties().Items()) {
    if (property.Stored && !property.Stored(instance))
      continue;
    WriteProperty(instance, property, ancestor);
  }
  const TPersistent* previous_ancestor = ancestor_;
  ancestor_ = ancestor;
  const_cast<TPersistent&>(instance).DefineProperties(*this);
  ancestor_ = previous_ancestor;
}

void TWriter::WriteProperty(const TPersistent& instance, const TPropInfo& property, const TPersistent* ancestor) {
  switch (property.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
    case TTypeKind::tkBoolean:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet: {
      const int64_t value = property.GetOrd(instance);
      if (ancestor != nullptr ? value == property.GetOrd(*ancestor) : value == property.Default)
        return;
      WritePropName(property.Name);
      if (property.Kind == TTypeKind::tkBoolean) {
        WriteBoolean(value != 0);
      } else if (property.Kind == TTypeKind::tkEnumeration && value >= 0 &&
                 static_cast<uint64_t>(value) < property.ElementNames.size()) {
        WriteIdent(property.ElementNames[static_cast<size_t>(value)]);
      } else if (property.Kind == TTypeKind::tkSet) {
        WriteValue(vaSet);
        for (size_t bit = 0; bit < property.ElementNames.size() && bit < 64; ++bit) {
          if ((static_cast<uint64_t>(value) >> bit) & 1)
            WriteStr(property.ElementNames[bit]);
        }
        WriteStr("");
      } else {
        WriteInteger(value);
      }
      return;
    }
    case TTypeKind::tkFloat: {
      const double value = property.GetFloat(instance);
      if (ancestor != nullptr ? value == property.GetFloat(*ancestor) : value == property.FloatDefault)
        return;
      WritePropName(property.Name);
      WriteFloat(value);
      return;
    }
    case TTypeKind::tkString: {
      const std::string value = property.GetStr(instance);
      if (ancestor != nullptr ? value == property.GetStr(*ancestor) : value == property.StringDefault)
        return;
      WritePropName(property.Name);
      WriteString(value);
      return;
    }
    case TTypeKind::tkVariant: {
      const Variant value = property.GetVar(instance);
      if (ancestor != nullptr) {
        const Variant inherited = property.GetVar(*ancestor);
        if (inherited.Type() == value.Type() && VarCompare(inherited, value) == 0)
          return;
      }
      WritePropName(property.Name);
      WriteVariant(value);
      return;
    }
    case TTypeKind::tkClass:
      break;
  }

  TObject* object = property.GetObj(instance);
  TObject* ancestor_object = ancestor != nullptr ? property.GetObj(*ancestor) : nullptr;
  if (property.IsReference()) {
    const auto* target = dynamic_cast<const TComponent*>(object);
    const auto* ancestor_target = dynamic_cast<const TComponent*>(ancestor_object);
    if (ancestor != nullptr && (target == nullptr ? ancestor_target == nullptr
                                                  : ancestor_target != nullptr &&
                                                        ancestor_target->Name() == target->Name()))
      return;
    if (target == nullptr && ancestor == nullptr)
      return;
    const std::string path = target ? PathFromRoot(target, root_) : std::string();
    if (target != nullptr && path.empty())
      return;  // outside what is being written: it cannot be found again
    WritePropName(property.Name);
    if (target == nullptr)
      WriteValue(vaNil);
    else
      WriteIdent(path);
    return;
  }

  auto* sub_object = dynamic_cast<const TPersistent*>(object);
  if (sub_object == nullptr)
    return;
  if (const auto* collection = dynamic_cast<const TCollection*>(sub_object)) {
    if (collection->Count() == 0)
      return;
    WritePropName(property.Name);
    WriteCollection(*collection);
    return;
  }
  const std::string previous_path = prop_path_;
  prop_path_ += property.Name + ".";
  WriteProperties(*sub_object, dynamic_cast<const TPersistent*>(ancestor_object));
  prop_path_ = previous_path;
}

void TWriter::WriteCollection(const TCollection& collection) {
  WriteValue(vaCollection);
  const std::string previous_path = prop_path_;
  prop_path_.clear();
  for (int32_t i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(*collection.Items(i));
    WriteListEnd();
  }
  prop_path_ = previous_path;
  WriteListEnd();
}

void TWriter::WriteValue(TValueType type) { WriteRaw(static_cast<uint8_t>(type)); }

void TWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    WriteRaw(static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    WriteRaw(static_cast<int16_t>(value));
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    WriteRaw(static_cast<int32_t>(value));
  } else {
    WriteValue(vaInt64);
    WriteRaw(value);
  }
}

void TWriter::WriteVariant(const Variant& value) {
  switch (value.Type()) {
    case varEmpty:
      WriteValue(vaNil);
      return;
    case varNull:
      WriteValue(vaNull);
      return;
    case varBoolean:
      WriteBoolean(value.AsBoolean());
      return;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
      WriteInteger(value.AsInt64());
      return;
    case varLongWord:
    case varInt64:
      // Always the 64-bit form, so that the value reads back as it was.
      WriteValue(vaInt64);
      WriteRaw(value.AsInt64());
      return;
    case varSingle:
    case varDouble:
      WriteValue(vaDouble);
      WriteRaw(value.AsDouble());
      return;
    case varCurrency:
      WriteValue(vaCurrency);
      WriteRaw(value.AsCurrency().Raw());
      return;
    case varDate:
      WriteValue(vaDate);
      WriteRaw(value.AsDouble());
      return;
    case varString:
    case varOleStr:
      WriteString(value.AsString());
      return;
    default:
      throw EWriteError("A variant of type " + std::to_string(value.Type()) + " cannot be stored");
  }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteFloat(double value) {
  WriteValue(vaExtended);
  const TExtended80 bytes = DoubleToExtended80(value);
  WriteBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// ASCII text uses the short or long 8-bit forms; other text the UTF-8 form.
void TWriter::WriteString(std::string_view text) {
  if (!IsAscii(text)) {
    WriteValue(vaUTF8String);
    WriteRaw(static_cast<int32_t>(text.size()));
  } else if (text.size() <= 255) {
    WriteValue(vaString);
    WriteRaw(static_cast<uint8_t>(text.size()));
  } else {
    WriteValue(vaLString);
    WriteRaw(static_cast<int32_t>(text.size()));
  }
  WriteBytes(text.data(), static_cast<int64_t>(text.size()));
}

void TWriter::WriteIdent(std::string_view ident) {
  if (ident == "False" || ident == "false") {
    WriteValue(vaFalse);
  } else if (ident == "True" || ident == "true") {
    WriteValue(vaTrue);
  } else if (ident == "nil") {
    WriteValue(vaNil);
  } else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteBinary(const void* data, int32_t size) {
  WriteValue(vaBinary);
  WriteRaw(size);
  WriteBytes(data, size);
}

void TWriter::WriteStr(std::string_view text) {
  if (text.size() > 255)
    throw EWriteError("Name too long to store: " + std::string(text.substr(0, 64)) + "...");
  WriteRaw(static_cast<uint8_t>(text.size()));
  WriteBytes(text.data(), static_cast<int64_t>(text.size()));
}

void TWriter::WritePropName(std::string_view name) { WriteStr(prop_path_ + std::string(name)); }

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& write, bool has_data) {
  if (!has_data || !write)
    return;
  WritePropName(name);
  write(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& write,
                                   bool has_data) {
  if (!has_data || !write)
    return;
  TMemoryStream block;
  write(block);
  if (block.Size() > std::numeric_limits<int32_t>::max())
    throw EWriteError();
  WritePropName(name);
  WriteBinary(block.Memory(), static_cast<int32_t>(block.Size()));
}
