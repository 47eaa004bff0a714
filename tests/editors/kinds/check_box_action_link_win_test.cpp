#include "editors/kinds/check_box_action_link_win.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/kinds/check_box_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/string_stream.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"

namespace check_box_action_link_win_test {

using test_support::PumpMessagesUntilIdle;

class LinkedBoxFixture {
 public:
  LinkedBoxFixture() {
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 300, 200);
    action = new TAction(form);
    action->SetCaption("Drucken");
    box = new TlxCheckBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 121, 21);
    box->OnClick = [this](TObject*) { ++clicks; };
    box->CheckProperties().OnChange = [this](TObject*) { ++changes; };
    form->Show();
    PumpMessagesUntilIdle();
  }
  ~LinkedBoxFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  LinkedBoxFixture(const LinkedBoxFixture&) = delete;
  LinkedBoxFixture& operator=(const LinkedBoxFixture&) = delete;

  TForm* form = nullptr;
  TAction* action = nullptr;
  TlxCheckBox* box = nullptr;
  int32_t clicks = 0;
  int32_t changes = 0;
};

TEST(CheckBoxActionLinkTest, TheActionsCheckedSetsTheBoxWithoutClickOrChange) {
  LinkedBoxFixture fixture;
  fixture.action->SetChecked(true);
  fixture.box->SetAction(fixture.action);
  ASSERT_NE(fixture.box->ActionLink(), nullptr);
  EXPECT_EQ(fixture.box->Caption(), "Drucken");
  EXPECT_TRUE(fixture.box->Checked());
  EXPECT_TRUE(fixture.box->ActionLink()->IsCheckedLinked());

  fixture.action->SetChecked(false);
  EXPECT_FALSE(fixture.box->Checked());
  fixture.action->SetChecked(true);
  EXPECT_TRUE(fixture.box->Checked());
  EXPECT_EQ(fixture.clicks, 0);
  EXPECT_EQ(fixture.changes, 0);

  // The user's own toggle still clicks and changes.
  fixture.box->Toggle();
  EXPECT_FALSE(fixture.box->Checked());
  EXPECT_EQ(fixture.clicks, 1);
  EXPECT_EQ(fixture.changes, 1);
  EXPECT_FALSE(fixture.box->ActionLink()->IsCheckedLinked());
}

TEST(CheckBoxActionLinkTest, AGrayedBoxDoesNotFollowAndAFreedActionLeavesNoLink) {
  LinkedBoxFixture fixture;
  fixture.box->SetAction(fixture.action);
  fixture.box->CheckProperties().SetAllowGrayed(true);
  fixture.box->SetState(cbsGrayed);
  fixture.action->SetChecked(true);
  EXPECT_EQ(fixture.box->State(), cbsGrayed);
  EXPECT_FALSE(fixture.box->ActionLink()->IsCheckedLinked());

  delete fixture.action;
  fixture.action = nullptr;
  EXPECT_EQ(fixture.box->ActionLink(), nullptr);
  EXPECT_EQ(fixture.box->Action(), nullptr);
}

TEST(CheckBoxActionLinkTest, StateNeedsNoStoringWhileTheActionGivesIt) {
  LinkedBoxFixture fixture;
  fixture.box->SetChecked(true);
  EXPECT_TRUE(fixture.box->StateNeedsStoring());
  fixture.action->SetChecked(true);
  fixture.box->SetAction(fixture.action);
  EXPECT_FALSE(fixture.box->StateNeedsStoring());
  fixture.box->Toggle();
  EXPECT_TRUE(fixture.box->StateNeedsStoring());
}

// The three values go through a form description as the variants they are,
// and only when they differ from True, Null and False.
TEST(CheckBoxStoredValues, ValuesAreStoredWithTheirTypesAndDefaultsAreLeftOut) {
  TlxCheckBox defaults(nullptr);
  TStringStream plain;
  plain.WriteComponent(defaults);
  EXPECT_EQ(plain.DataString().find("ValueChecked"), std::string::npos);
  EXPECT_EQ(plain.DataString().find("ValueGrayed"), std::string::npos);
  EXPECT_EQ(plain.DataString().find("ValueUnchecked"), std::string::npos);

  TlxCheckBox box(nullptr);
  TlxCustomCheckBoxProperties& properties = box.CheckProperties();
  properties.SetValueChecked(Variant("J"));
  properties.SetValueUnchecked(Variant(int64_t{0}));
  properties.SetValueGrayed(Variant(2.5));
  box.SetChecked(true);
  TMemoryStream stream;
  stream.WriteComponent(box);
  stream.SetPosition(0);
  TlxCheckBox loaded(nullptr);
  stream.ReadComponent(&loaded);
  const TlxCustomCheckBoxProperties& read = loaded.CheckProperties();
  EXPECT_EQ(read.ValueChecked().Type(), varString);
  EXPECT_EQ(VarToStr(read.ValueChecked()), "J");
  EXPECT_EQ(read.ValueUnchecked().Type(), varInt64);
  EXPECT_EQ(read.ValueUnchecked().AsInt64(), 0);
  EXPECT_EQ(read.ValueGrayed().Type(), varDouble);
  EXPECT_EQ(read.ValueGrayed().AsDouble(), 2.5);
  EXPECT_TRUE(loaded.Checked());
  EXPECT_EQ(VarToStr(loaded.GetEditValue()), "J");
}

}  // namespace check_box_action_link_win_test
