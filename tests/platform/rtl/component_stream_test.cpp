#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/collection.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/string_stream.h"

namespace component_stream_test {

enum class TAlign : uint8_t { alNone, alTop, alClient };

class TFont : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TFont>();
    p.String("Name", &TFont::Name, &TFont::SetName, "Tahoma");
    p.Integer("Size", &TFont::Size, &TFont::SetSize, 8);
  }
  static constexpr TClass kClass{"TFont", &TPersistent::kClass, &ConstructInstance<TFont>, &TFont::Publish};
  const TClass* ClassType() const override { return &kClass; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int32_t Size() const { return size_; }
  void SetSize(int32_t size) { size_ = size; }

 private:
  std::string name_ = "Tahoma";
  int32_t size_ = 8;
};

class TColumn : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TColumn>();
    p.String("Caption", &TColumn::Caption, &TColumn::SetCaption);
    p.Integer("Width", &TColumn::Width, &TColumn::SetWidth, 64);
  }
  static constexpr TClass kClass{"TColumn", &TCollectionItem::kClass, &ConstructInstance<TColumn>,
                                 &TColumn::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TCollectionItem::TCollectionItem;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width) { width_ = width; }

 private:
  std::string caption_;
  int32_t width_ = 64;
};

// A component with a property of every kind, a sub-object, a collection, a
// reference and a binary "Data" block defined through DefineProperties.
class TWidget : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TWidget>();
    p.Boolean("Visible", &TWidget::visible, &TWidget::SetVisible, true);
    p.Integer("Left", &TWidget::left, &TWidget::SetLeft, 0);
    p.Int64("Big", &TWidget::big, &TWidget::SetBig);  // no default: always written
    p.Enumeration("Align", &TWidget::align, &TWidget::SetAlign, {"alNone", "alTop", "alClient"},
                  std::optional<TAlign>(TAlign::alNone));
    p.SetOf("Options", &TWidget::options, &TWidget::SetOptions, {"woTabStop", "woBorder", "woHot"}, 0b010);
    p.Float("Ratio", &TWidget::ratio, &TWidget::SetRatio, 1.5);
    p.String("Caption", &TWidget::caption, &TWidget::SetCaption);
    p.Persistent("Font", TFont::kClass, [](const TWidget& w) { return const_cast<TFont*>(&w.font); });
    p.Persistent("Columns", TColumn::kClass, [](const TWidget& w) { return const_cast<TCollection*>(&w.columns); });
    p.Reference<TComponent>("Buddy", &TWidget::buddy, &TWidget::SetBuddy);
    p.String("Hint", &TWidget::hint, &TWidget::SetHint).Stored = [](const TPersistent& self) {
      return static_cast<const TWidget&>(self).hint() != "secret";
    };
  }
  static constexpr TClass kClass{"TWidget", &TComponent::kClass, &ConstructInstance<TWidget>, &TWidget::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TWidget(TComponent* owner) : TComponent(owner), columns(TColumn::kClass, this) {}

  bool visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  int32_t left() const { return left_; }
  void SetLeft(int32_t v) { left_ = v; }
  int64_t big() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  TAlign align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }
  uint32_t options() const { return options_; }
  void SetOptions(uint32_t v) { options_ = v; }
  double ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::string& hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  TComponent* buddy() const { return buddy_; }
  void SetBuddy(TComponent* v) { buddy_ = v; }

  void DefineProperties(TFiler& filer) override {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& stream) {
          data.resize(static_cast<size_t>(stream.Size()));
          stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
        },
        [this](TStream& stream) { stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size())); },
        !data.empty());
    filer.DefineProperty(
        "Version", [this](TReader& reader) { version = reader.ReadInteger(); },
        [this](TWriter& writer) { writer.WriteInteger(version); }, version != 0);
  }
  void Loaded() override {
    TComponent::Loaded();
    ++loaded_calls;
  }

  TFont font;
  TCollection columns;
  std::vector<uint8_t> data;
  int64_t version = 0;
  int loaded_calls = 0;

 private:
  bool visible_ = true;
  int32_t left_ = 0;
  int64_t big_ = 0;
  TAlign align_ = TAlign::alNone;
  uint32_t options_ = 0b010;
  double ratio_ = 1.5;
  std::string caption_;
  std::string hint_;
  TComponent* buddy_ = nullptr;
};

class ComponentStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterStreamableClasses({&TWidget::kClass, &TComponent::kClass}); }
  void TearDown() override {
    UnRegisterStreamableClass(TWidget::kClass);
    UnRegisterStreamableClass(TComponent::kClass);
  }

  static std::string Store(TComponent& component) {
    TStringStream stream;
    stream.WriteComponent(component);
    return stream.DataString();
  }
  static std::unique_ptr<TComponent> Load(const std::string& bytes) {
    TStringStream stream(bytes);
    return std::unique_ptr<TComponent>(stream.ReadComponent(nullptr));
  }
};

TEST_F(ComponentStreamTest, DefaultsAreNotWritten) {
  TWidget widget(nullptr);
  widget.SetName("W");
  // Signature, class, name, "Big" (no default) = 0, end of properties, end of children.
  const std::string expected = std::string("TPF0\x07TWidget\x01W\x03" "Big\x02\x00\x00\x00", 22);
  EXPECT_EQ(Store(widget), expected);
}

TEST_F(ComponentStreamTest, NestedComponentsRoundTripWithEveryKindOfValue) {
  TWidget form(nullptr);
  form.SetName("Form1");
  form.SetCaption("Gr\xC3\xB6\xC3\x9F" "e");
  form.SetVisible(false);
  form.SetLeft(-300);
  form.SetBig(int64_t{1} << 40);
  form.SetAlign(TAlign::alClient);
  form.SetOptions(0b101);
  form.SetRatio(0.1);
  form.font.SetSize(12);
  form.SetHint("secret");  // not stored
  form.data = {0, 1, 2, 255};
  form.version = 3;
  auto* first = static_cast<TColumn*>(form.columns.Add());
  first->SetCaption("Datei");
  first->SetWidth(250);
  form.columns.Add();

  auto* panel = new TWidget(&form);
  panel->SetName("Panel1");
  panel->SetTag(-5);
  auto* button = new TWidget(panel);
  button->SetName("Button1");
  button->SetCaption(std::string(300, 'x'));
  form.SetBuddy(button);
  panel->SetBuddy(&form);
  button->SetBuddy(panel);

  auto loaded = Load(Store(form));
  auto* copy = dynamic_cast<TWidget*>(loaded.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name(), "Form1");
  EXPECT_EQ(copy->caption(), form.caption());
  EXPECT_FALSE(copy->visible());
  EXPECT_EQ(copy->left(), -300);
  EXPECT_EQ(copy->big(), int64_t{1} << 40);
  EXPECT_EQ(copy->align(), TAlign::alClient);
  EXPECT_EQ(copy->options(), 0b101u);
  EXPECT_EQ(copy->ratio(), 0.1);
  EXPECT_EQ(copy->font.Size(), 12);
  EXPECT_EQ(copy->font.Name(), "Tahoma");
  EXPECT_EQ(copy->hint(), "");
  EXPECT_EQ(copy->data, form.data);
  EXPECT_EQ(copy->version, 3);
  ASSERT_EQ(copy->columns.Count(), 2);
  EXPECT_EQ(static_cast<TColumn*>(copy->columns.Items(0))->Caption(), "Datei");
  EXPECT_EQ(static_cast<TColumn*>(copy->columns.Items(0))->Width(), 250);
  EXPECT_EQ(static_cast<TColumn*>(copy->columns.Items(1))->Width(), 64);

  auto* copy_panel = dynamic_cast<TWidget*>(copy->FindComponent("Panel1"));
  ASSERT_NE(copy_panel, nullptr);
  EXPECT_EQ(copy_panel->Tag(), -5);
  auto* copy_button = dynamic_cast<TWidget*>(copy_panel->FindComponent("Button1"));
  ASSERT_NE(copy_button, nullptr);
  EXPECT_EQ(copy_button->caption(), std::string(300, 'x'));
  EXPECT_EQ(copy->buddy(), copy_button);
  EXPECT_EQ(copy_panel->buddy(), copy);
  EXPECT_EQ(copy_button->buddy(), copy_panel);

  // Loaded ran once on each, with the loading flags gone.
  EXPECT_EQ(copy->loaded_calls, 1);
  EXPECT_EQ(copy_button->loaded_calls, 1);
  EXPECT_TRUE(copy_button->ComponentState().Empty());
}

TEST_F(ComponentStreamTest, ReadingIntoAnExistingTreeReusesComponentsByName) {
  TWidget source(nullptr);
  auto* child = new TWidget(&source);
  child->SetName("Child");
  child->SetLeft(42);
  const std::string bytes = Store(source);

  TWidget target(nullptr);
  auto* existing = new TWidget(&target);
  existing->SetName("child");
  TStringStream stream(bytes);
  EXPECT_EQ(stream.ReadComponent(&target), &target);
  EXPECT_EQ(target.ComponentCount(), 1);
  EXPECT_EQ(existing->left(), 42);
}

TEST_F(ComponentStreamTest, DescendantsWriteOnlyWhatDiffersFromTheAncestor) {
  TWidget ancestor(nullptr);
  ancestor.SetLeft(10);
  ancestor.SetCaption("Base");
  TWidget descendant(nullptr);
  descendant.SetLeft(10);
  descendant.SetCaption("Derived");
  descendant.SetBig(0);
  TStringStream stream;
  TWriter writer(stream);
  writer.WriteDescendent(descendant, &ancestor);
  const std::string bytes = stream.DataString();
  EXPECT_EQ(bytes.find("Left"), std::string::npos);
  EXPECT_EQ(bytes.find("Big"), std::string::npos);
  EXPECT_NE(bytes.find("Derived"), std::string::npos);
}

TEST_F(ComponentStreamTest, EveryCutOffStreamFailsCleanly) {
  TWidget form(nullptr);
  form.SetName("Form1");
  form.data = {1, 2, 3};
  form.columns.Add();
  auto* child = new TWidget(&form);
  child->SetName("Child");
  child->SetBuddy(&form);
  const std::string bytes = Store(form);
  for (size_t length = 0; length < bytes.size(); ++length) {
    TWidget target(nullptr);
    TStringStream stream(bytes.substr(0, length));
    EXPECT_THROW(stream.ReadComponent(&target), EReadError) << length;
    EXPECT_EQ(target.ComponentCount(), 0) << length;  // what was created is gone
    EXPECT_TRUE(target.ComponentState().Empty()) << length;
  }
}

// One row: a stream and the exception class name it must raise.
struct BadStreamCase {
  const char* name;
  std::string bytes;
  const char* error;
};

std::string WidgetWith(const std::string& properties) {
  return std::string("TPF0\x07TWidget\x01W", 14) + properties + std::string("\x00\x00", 2);
}

TEST_F(ComponentStreamTest, BadInputRaisesTheNamedErrors) {
  const BadStreamCase cases[] = {
      {"wrong signature", "TPF1", "EReadError"},
      {"unknown class", std::string("TPF0\x07TNoSuch\x00\x00\x00", 15), "EClassNotFound"},
      {"unknown property", WidgetWith(std::string("\x04Nope\x02\x01", 7)), "EReadError"},
      {"string where an integer belongs", WidgetWith(std::string("\x04Left\x06\x01x", 8)), "EReadError"},
      {"integer out of range", WidgetWith(std::string("\x04Left\x13\x00\x00\x00\x00\x01\x00\x00\x00", 14)),
       "EReadError"},
      {"unknown enumeration value", WidgetWith(std::string("\x05" "Align\x07\x03xyz", 11)), "EReadError"},
      {"unknown set element", WidgetWith(std::string("\x07Options\x0B\x03xyz\x00", 14)), "EReadError"},
      {"absurd string length", WidgetWith(std::string("\x07" "Caption\x0C\xFF\xFF\xFF\x7F", 13)), "EReadError"},
      {"negative string length", WidgetWith(std::string("\x07" "Caption\x0C\xFF\xFF\xFF\xFF", 13)),
       "EReadError"},
      {"absurd binary length", WidgetWith(std::string("\x04" "Data\x0A\x00\x00\x00\x7F", 10)), "EReadError"},
      {"invalid component name", std::string("TPF0\x07TWidget\x03" "1ab\x00\x00", 17), "EComponentError"},
      {"not a component class", std::string("TPF0\x05TFont\x00\x00\x00", 13), "EReadError"},
  };
  RegisterStreamableClass(TFont::kClass);
  for (const BadStreamCase& c : cases) {
    std::string raised = "nothing";
    try {
      auto loaded = Load(c.bytes);
    } catch (const Exception& error) {
      raised = error.ClassName();
    }
    EXPECT_EQ(raised, c.error) << c.name;
  }
  UnRegisterStreamableClass(TFont::kClass);
}

TEST_F(ComponentStreamTest, DeepNestingIsRefused) {
  std::string bytes = "TPF0";
  const std::string header = std::string("\x0ATComponent\x00\x00", 13);
  for (int i = 0; i < 1000; ++i)
    bytes += header;
  TComponent root(nullptr);
  TStringStream stream(bytes);
  EXPECT_THROW(stream.ReadComponent(&root), EReadError);
  EXPECT_EQ(root.ComponentCount(), 0);
}

TEST_F(ComponentStreamTest, ValuesReadBackThroughTheirTypes) {
  TMemoryStream stream;
  TWriter writer(stream);
  for (int64_t value : {int64_t{0}, int64_t{-128}, int64_t{127}, int64_t{128}, int64_t{-32769}, int64_t{1} << 31,
                        INT64_MIN})
    writer.WriteInteger(value);
  writer.WriteFloat(-2.75);
  writer.WriteString(std::string(256, 'a'));
  writer.WriteIdent("True");
  writer.WriteIdent("alTop");
  stream.SetPosition(0);
  TReader reader(stream);
  for (int64_t value : {int64_t{0}, int64_t{-128}, int64_t{127}, int64_t{128}, int64_t{-32769}, int64_t{1} << 31,
                        INT64_MIN})
    EXPECT_EQ(reader.ReadInteger(), value);
  EXPECT_EQ(reader.ReadFloat(), -2.75);
  EXPECT_EQ(reader.ReadString(), std::string(256, 'a'));
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_EQ(reader.ReadIdent(), "alTop");
  EXPECT_THROW(reader.ReadValue(), EReadError);
}

}  // namespace component_stream_test
