#pragma once
// Component streaming in the binary form format: "TPF0", then per
// component its class name and name (short strings), its properties as
// (name, typed value) pairs up to a null byte, and its children the same
// way up to a null byte. Values carry a one-byte type (TValueType) and
// their payload, little-endian.
//
// TWriter writes a component's published properties (a value equal to its
// declared default is not written, nor one equal to the ancestor's when a
// descendant is written against an ancestor), the values its
// DefineProperties adds, and its children (GetChildren). TReader reads them
// back, creating children by registered class name (RegisterStreamableClass)
// or reusing an owned component of the same name, resolves component
// references once the whole stream is in, and calls Loaded on every
// component read.
//
// Bad input (a cut-off stream, absurd lengths, unknown classes or
// properties, deep nesting) raises EReadError, EClassNotFound or
// EComponentError; components created for a stream that fails are freed.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/property.h"
#include "platform/rtl/stream.h"

class TCollection;
class TReader;
class TWriter;

enum TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

class TFiler : public TObject {
 public:
  using TReaderProc = std::function<void(TReader& reader)>;
  using TWriterProc = std::function<void(TWriter& writer)>;
  using TStreamProc = std::function<void(TStream& stream)>;

  explicit TFiler(TStream& stream) : stream_(stream) {}

  TStream& Stream() { return stream_; }
  // The component at the top of what is being read or written.
  TComponent* Root() const { return root_; }
  // While writing against an ancestor: the ancestor's counterpart of the
  // object whose DefineProperties runs (null otherwise). A value equal to
  // the ancestor's need not be written.
  const TPersistent* Ancestor() const { return ancestor_; }

  // A stored value that is not a published property. Writing calls `write`
  // when `has_data`; reading calls `read` when the stream holds the name.
  virtual void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                              bool has_data) = 0;
  // A block of bytes; the procedures see a stream holding exactly the block.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                                    bool has_data) = 0;

 protected:
  TStream& stream_;
  TComponent* root_ = nullptr;
  const TPersistent* ancestor_ = nullptr;
};

class TWriter : public TFiler {
 public:
  static constexpr TClass kClass{"TWriter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TWriter(TStream& stream) : TFiler(stream) {}

  // The signature and the root with everything below it.
  void WriteRootComponent(TComponent& root);
  // As WriteRootComponent, leaving out what equals the ancestor (a
  // component of the same class) and its children of the same name.
  void WriteDescendent(TComponent& root, const TComponent* ancestor);
  void WriteSignature();
  void WriteComponent(TComponent& component, const TComponent* ancestor = nullptr);
  // Published properties and defined properties, without the end marker.
  void WriteProperties(const TPersistent& instance, const TPersistent* ancestor = nullptr);
  void WriteCollection(const TCollection& collection);

  // Values, each with its type byte.
  void WriteValue(TValueType type);
  void WriteInteger(int64_t value);
  void WriteBoolean(bool value);
  void WriteFloat(double value);
  // A value of one of the stored variant types; others raise EWriteError.
  void WriteVariant(const Variant& value);
  void WriteString(std::string_view text);
  void WriteIdent(std::string_view ident);
  void WriteBinary(const void* data, int32_t size);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  // A short string: one length byte (at most 255 bytes) and the bytes.
  void WriteStr(std::string_view text);
  void WritePropName(std::string_view name);

  void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                      bool has_data) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                            bool has_data) override;

 private:
  void WriteProperty(const TPersistent& instance, const TPropInfo& property, const TPersistent* ancestor);
  void WriteReference(const TComponent* target);
  void WriteBytes(const void* data, int64_t size) { stream_.WriteBuffer(data, size); }
  template <class T>
  void WriteRaw(T value) {
    WriteBytes(&value, sizeof value);
  }

  std::string prop_path_;
};

class TReader : public TFiler {
 public:
  static constexpr TClass kClass{"TReader", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TReader(TStream& stream) : TFiler(stream) {}

  // Reads a whole stored component into `root`, or into a new instance of
  // the stored class (owned by the caller) when `root` is null.
  TComponent* ReadRootComponent(TComponent* root);
  // Raises EReadError ("Invalid stream format") when the signature is wrong.
  void ReadSignature();

  TValueType ReadValue();
  TValueType NextValue();
  bool EndOfList() { return NextValue() == vaNull; }
  void ReadListBegin();
  void ReadListEnd();
  int64_t ReadInteger();
  bool ReadBoolean();
  double ReadFloat();
  std::string ReadString();
  Variant ReadVariant();
  std::string ReadIdent();
  std::string ReadStr();
  // Reads and drops one value of any type.
  void SkipValue();
  // A collection value: its items replace the collection's.
  void ReadCollection(TCollection& collection);

  void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                      bool has_data) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                            bool has_data) override;

 private:
  struct Fixup {
    TPersistent* instance;
    const TPropInfo* property;
    std::string path;
  };

  void ReadComponentHeader(std::string& class_name, std::string& name);
  void ReadComponentData(TComponent& component);
  void ReadChild(TComponent& parent);
  void ReadProperty(TPersistent& instance);
  void ReadPropValue(TPersistent& instance, const TPropInfo& property);
  void ReadSet(TPersistent& instance, const TPropInfo& property);
  void ResolveFixups();
  void FinishLoading(bool succeeded);
  std::string ReadLengthPrefixed(int64_t unit_size);
  int32_t ReadInt32();
  void ReadBytes(void* data, int64_t size) { stream_.ReadBuffer(data, size); }
  template <class T>
  T ReadRaw() {
    T value{};
    ReadBytes(&value, sizeof value);
    return value;
  }
  [[noreturn]] static void InvalidValue(std::string_view property);

  std::vector<TWeakRef<TComponent>> loaded_;
  // Children this reader created, freed again when the read fails.
  std::vector<TWeakRef<TComponent>> created_;
  std::vector<Fixup> fixups_;
  TComponent* reading_ = nullptr;
  std::string pending_name_;
  bool pending_found_ = false;
  int depth_ = 0;
};
