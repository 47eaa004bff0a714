// An editor read from a form description takes its settings one by one but
// reacts to them once, when everything is in; a read that fails leaves it
// listening to its properties again.

#include <gtest/gtest.h>

#include <string>

#include "editors/edit_control_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/property.h"
#include "tests/editors/edit_control_test_support_win.h"

namespace edit_loading_win_test {

class PublishedProperties : public edit_test::TestEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<PublishedProperties>();
    p.Boolean("AutoSelect", &PublishedProperties::AutoSelect, &PublishedProperties::SetAutoSelect, true);
    p.Integer("ClearKey", &PublishedProperties::ClearKey, &PublishedProperties::SetClearKey, 0);
    p.Boolean("ImmediatePost", &PublishedProperties::ImmediatePost, &PublishedProperties::SetImmediatePost, false);
  }
  static constexpr TClass kClass{"TPublishedProperties", &edit_test::TestEditProperties::kClass,
                                 &ConstructInstance<PublishedProperties>, &PublishedProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using edit_test::TestEditProperties::TestEditProperties;
};

// Counts how often it hears of its properties.
class CountingEdit : public TlxCustomEdit {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    properties.For<CountingEdit>().Persistent("Properties", PublishedProperties::kClass, &CountingEdit::Own);
  }
  static constexpr TClass kClass{"TCountingEdit", &TlxCustomEdit::kClass, &ConstructInstance<CountingEdit>,
                                 &CountingEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit CountingEdit(TComponent* owner) : TlxCustomEdit(owner, PublishedProperties::kClass) {}

  PublishedProperties* Own() const { return static_cast<PublishedProperties*>(Properties()); }
  void PropertiesChanged(TlxCustomEditProperties* properties) override {
    ++changes;
    TlxCustomEdit::PropertiesChanged(properties);
  }
  int32_t changes = 0;
};

std::string Description() {
  CountingEdit written(nullptr);
  written.Own()->SetAutoSelect(false);
  written.Own()->SetClearKey(0x402E);  // Ctrl+Delete
  written.Own()->SetImmediatePost(true);
  TMemoryStream stream;
  stream.WriteComponent(written);
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return std::string(bytes, bytes + stream.Size());
}

void Read(const std::string& bytes, CountingEdit& edit) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  stream.ReadComponent(&edit);
}

TEST(EditLoadingTest, ThePropertiesOfADescriptionAreAppliedOnceWhenAllAreIn) {
  const std::string bytes = Description();
  CountingEdit read(nullptr);
  read.changes = 0;
  Read(bytes, read);
  EXPECT_EQ(read.changes, 1);
  EXPECT_FALSE(read.Own()->AutoSelect());
  EXPECT_EQ(read.Own()->ClearKey(), 0x402E);
  EXPECT_TRUE(read.Own()->ImmediatePost());

  // Afterwards every change is heard again.
  read.Own()->SetImmediatePost(false);
  EXPECT_EQ(read.changes, 2);
}

TEST(EditLoadingTest, AFailedReadLeavesTheEditorListening) {
  std::string bytes = Description();
  // The same length, so the description stays well formed around it.
  const size_t at = bytes.find("ImmediatePost");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 13, "ImmediateFoo_");
  CountingEdit read(nullptr);
  EXPECT_THROW(Read(bytes, read), EReadError);
  read.changes = 0;
  read.Own()->SetBeepOnError(true);
  EXPECT_EQ(read.changes, 1);
}

}  // namespace edit_loading_win_test
