// Reads arbitrary bytes as a stored component tree into classes with every
// kind of published property, a collection, a reference and a binary block.
// Any outcome but an Exception of the platform is a fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/collection.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"

namespace {

class TFuzzItem : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TFuzzItem>();
    p.String("Text", [](const TFuzzItem& i) { return i.text; }, [](TFuzzItem& i, const std::string& v) { i.text = v; });
    p.Integer("Number", [](const TFuzzItem& i) { return i.number; }, [](TFuzzItem& i, int32_t v) { i.number = v; }, 0);
  }
  static constexpr TClass kClass{"TFuzzItem", &TCollectionItem::kClass, &ConstructInstance<TFuzzItem>,
                                 &TFuzzItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TCollectionItem::TCollectionItem;
  std::string text;
  int32_t number = 0;
};

class TFuzzPart : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TFuzzPart>();
    p.Float("Scale", [](const TFuzzPart& f) { return f.scale; }, [](TFuzzPart& f, double v) { f.scale = v; }, 1.0);
  }
  static constexpr TClass kClass{"TFuzzPart", &TPersistent::kClass, &ConstructInstance<TFuzzPart>,
                                 &TFuzzPart::Publish};
  const TClass* ClassType() const override { return &kClass; }
  double scale = 1.0;
};

class TFuzzComponent : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TFuzzComponent>();
    p.Boolean("Flag", [](const TFuzzComponent& c) { return c.flag; }, [](TFuzzComponent& c, bool v) { c.flag = v; },
              false);
    p.Int64("Wide", [](const TFuzzComponent& c) { return c.wide; }, [](TFuzzComponent& c, int64_t v) { c.wide = v; }, 0);
    p.Enumeration("Kind", [](const TFuzzComponent& c) { return c.kind; }, [](TFuzzComponent& c, int v) { c.kind = v; },
                  {"kA", "kB", "kC"}, std::optional<int>(0));
    p.SetOf("Options", [](const TFuzzComponent& c) { return c.options; },
            [](TFuzzComponent& c, uint32_t v) { c.options = v; }, {"o1", "o2", "o3", "o4"}, 0);
    p.String("Caption", [](const TFuzzComponent& c) { return c.caption; },
             [](TFuzzComponent& c, const std::string& v) { c.caption = v; });
    p.Persistent("Part", TFuzzPart::kClass, [](const TFuzzComponent& c) { return const_cast<TFuzzPart*>(&c.part); });
    p.Persistent("Items", TFuzzItem::kClass,
                 [](const TFuzzComponent& c) { return const_cast<TCollection*>(&c.items); });
    p.Reference<TComponent>("Link", [](const TFuzzComponent& c) { return c.link; },
                            [](TFuzzComponent& c, TComponent* v) { c.link = v; });
  }
  static constexpr TClass kClass{"TFuzzComponent", &TComponent::kClass, &ConstructInstance<TFuzzComponent>,
                                 &TFuzzComponent::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TFuzzComponent(TComponent* owner) : TComponent(owner), items(TFuzzItem::kClass, this) {}

  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& stream) {
          data.resize(static_cast<size_t>(stream.Size()));
          stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
        },
        [this](TStream& stream) { stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size())); },
        !data.empty());
    filer.DefineProperty(
        "Extra", [this](TReader& reader) { extra = reader.ReadString(); },
        [this](TWriter& writer) { writer.WriteString(extra); }, !extra.empty());
  }

  bool flag = false;
  int64_t wide = 0;
  int kind = 0;
  uint32_t options = 0;
  std::string caption;
  TFuzzPart part;
  TCollection items;
  TComponent* link = nullptr;
  std::vector<uint8_t> data;
  std::string extra;
};

const bool kRegistered = [] {
  RegisterStreamableClasses({&TFuzzComponent::kClass, &TComponent::kClass});
  return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    std::unique_ptr<TComponent> loaded(stream.ReadComponent(nullptr));
    // What was read must write and read back.
    TMemoryStream again;
    again.WriteComponent(*loaded);
    again.SetPosition(0);
    std::unique_ptr<TComponent> reread(again.ReadComponent(nullptr));
  } catch (const Exception&) {
  }
  (void)kRegistered;
  return 0;
}
