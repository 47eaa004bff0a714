#include "editors/kinds/button_edit_properties.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/edit_strings.h"
#include "platform/rtl/memory_stream.h"

namespace button_edit_properties_test {

class ButtonItem : public TlxEditRepositoryItemOf<ButtonItem, TlxButtonEditProperties> {
 public:
  static constexpr TClass kClass{"TestButtonRepositoryItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<ButtonItem>, &ButtonItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

TEST(ButtonEditPropertiesTest, ANewButtonEditHasOneDefaultEllipsis) {
  TlxButtonEditProperties properties(nullptr);
  ASSERT_EQ(properties.Buttons()->Count(), 1);
  EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkEllipsis);
  EXPECT_TRUE(properties.Buttons()->GetButton(0)->Default());
  EXPECT_EQ(properties.ClickKey(), 16397);  // Ctrl+Enter
}

TEST(ButtonEditPropertiesTest, StoredButtonsReplaceTheDefaultOne) {
  ButtonItem written(nullptr);
  TlxEditButtons* buttons = written.GetProperties()->Buttons();
  buttons->GetButton(0)->SetKind(bkText);
  buttons->GetButton(0)->SetCaption("A");
  TlxEditButton* second = buttons->AddButton();
  second->SetKind(bkGlyph);
  TMemoryStream stream;
  stream.WriteComponent(written);

  ButtonItem read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  const TlxEditButtons* loaded = read.GetProperties()->Buttons();
  ASSERT_EQ(loaded->Count(), 2);
  EXPECT_EQ(loaded->GetButton(0)->Kind(), bkText);
  EXPECT_EQ(loaded->GetButton(0)->Caption(), "A");
  EXPECT_EQ(loaded->GetButton(1)->Kind(), bkGlyph);
}

TEST(ButtonEditModuleTest, RegistersTheKind) {
  lxButtonEditModuleStart();
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxButtonEditProperties"), nullptr);
  lxButtonEditModuleEnd();
  lxFreeRegisteredEditProperties();
}

}  // namespace button_edit_properties_test
