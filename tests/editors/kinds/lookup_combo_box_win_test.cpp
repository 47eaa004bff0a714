#include "editors/kinds/lookup_combo_box_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/format_controller.h"
#include "editors/edit_repository.h"
#include "editors/editors_module_win.h"
#include "editors/filter_edit_helper.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "editors/kinds/db_repository_items.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/form.h"
#include "tests/editors/kinds/db_lookup_fixture.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace lookup_combo_box_win_test {

using db_lookup_fixture::TLookupData;
using test_support::PumpMessagesUntilIdle;

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "no error";
}

// A lookup combo box over the customer list ("ID" key, "Name" and "Ort"
// columns) on a form, with a second editor to move the focus to.
class LookupComboForm {
 public:
  LookupComboForm() {
    // The default edit repository made by the module starts outlives the
    // format controller its items unregister from unless that exists first.
    lxGetFormatController();
    lxEditorsInitialize();
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxLookupComboBoxModuleStart();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 320);
    combo = new TlxLookupComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 200, 24);
    other = new TlxLookupComboBox(form);
    other->SetParent(form);
    other->SetBounds(10, 250, 200, 24);
    TlxLookupComboBoxProperties* properties = combo->GetProperties();
    properties->SetListSource(data.customers_source);
    properties->SetKeyFieldNames("ID");
    properties->SetListFieldNames("Name;Ort");
    form->Show();
    SetForegroundWindow(form->Handle());
    combo->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~LookupComboForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxLookupComboBoxModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
  }
  LookupComboForm(const LookupComboForm&) = delete;
  LookupComboForm& operator=(const LookupComboForm&) = delete;

  TlxLookupComboBoxProperties* Properties() const { return combo->GetProperties(); }
  void Open() {
    combo->DropDown();
    PumpMessagesUntilIdle();
  }

  TLookupData data;
  TForm* form = nullptr;
  TlxLookupComboBox* combo = nullptr;
  TlxLookupComboBox* other = nullptr;
};

TEST(LookupComboBoxTest, IsRegisteredWithItsHelperAndStartsWithAPopupGrid) {
  LookupComboForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxLookupComboBoxProperties"),
            &TlxLookupComboBoxProperties::kClass);
  TlxFilterEditHelperClass helper =
      lxGetFilterEditsController().FindHelperClass(&TlxLookupComboBoxProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxLookupComboBox::kClass);
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(fixture.Properties(), nullptr, operators, true);
  EXPECT_EQ(operators, (TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks}));

  TlxLookupComboBoxProperties fresh(nullptr);
  EXPECT_FALSE(fresh.GridMode());
  EXPECT_EQ(fresh.DropDownRows(), 8);
  EXPECT_EQ(fresh.DropDownListStyle(), lsEditFixedList);
  EXPECT_TRUE(fresh.IncrementalFiltering());
  EXPECT_TRUE(fresh.ImmediateDropDown());
  EXPECT_TRUE(fresh.Grid()->PopupMode());
  EXPECT_EQ(fresh.ListColumns()->Count(), 0);

  // The operand editor of a lookup column only chooses from the list.
  TlxLookupComboBoxProperties operand(nullptr);
  helper->InitValueEditorProperties(&operand, fixture.Properties(), false);
  EXPECT_EQ(operand.DropDownListStyle(), lsFixedList);
  EXPECT_TRUE(operand.DropDownSizeable());
  EXPECT_TRUE(operand.DropDownAutoSize());
}

TEST(LookupComboBoxTest, ChangingTheListOptionsNotifiesTheEditors) {
  LookupComboForm fixture;
  int changes = 0;
  TlxLookupComboBoxProperties properties(nullptr);
  properties.SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
  properties.ListOptions()->SetGridLines(glNone);
  EXPECT_EQ(changes, 1);
  properties.ListOptions()->SetGridLines(glNone);
  EXPECT_EQ(changes, 1) << "no change, no notice";

  // A field that is already a column (in other letter case) adds nothing;
  // a new one comes first.
  properties.SetListSource(fixture.data.customers_source);
  properties.SetListFieldNames("Name;Ort");
  properties.AddListColumnForField("NAME");
  EXPECT_EQ(properties.ListFieldNames(), "Name;Ort");
  properties.AddListColumnForField("ID");
  EXPECT_EQ(properties.ListFieldNames(), "ID;Name;Ort");
}

TEST(LookupComboBoxTest, AKeyShowsItsTextAndTheDropDownPicksARow) {
  LookupComboForm fixture;
  fixture.combo->SetEditValue(Variant(2));
  EXPECT_EQ(fixture.combo->Text(), "Meier");

  fixture.Open();
  ASSERT_TRUE(fixture.combo->GetDroppedDown());
  TlxCustomLookupDBGrid* grid = fixture.Properties()->Grid();
  EXPECT_TRUE(grid->HandleAllocated());
  EXPECT_EQ(grid->DataController().FocusedRecordIndex(), 1) << "the open list shows the current row";
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.combo->GetDroppedDown());
  EXPECT_EQ(fixture.combo->Text(), "Schmidt");
  EXPECT_EQ(fixture.combo->EditValue().AsInteger(), 3);
}

TEST(LookupComboBoxTest, EscClosesTheListAndKeepsTheValue) {
  LookupComboForm fixture;
  fixture.combo->SetEditValue(Variant(1));
  fixture.Open();
  ASSERT_TRUE(fixture.combo->GetDroppedDown());
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_ESCAPE);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.combo->GetDroppedDown());
  EXPECT_EQ(fixture.combo->Text(), "Müller");
  EXPECT_EQ(fixture.combo->EditValue().AsInteger(), 1);
}

TEST(LookupComboBoxTest, TypingWithTheListOpenFiltersItsRows) {
  LookupComboForm fixture;
  fixture.combo->SetEditValue(Variant(1));
  fixture.Open();
  ASSERT_TRUE(fixture.combo->GetDroppedDown());
  fixture.combo->SelectAll();
  test_support::SendText(GetFocus(), "sch");
  PumpMessagesUntilIdle();
  TlxCustomDataController& list = fixture.Properties()->Grid()->DataController();
  EXPECT_EQ(list.GetRowCount(), 2) << "Schmidt and Schulz";
  EXPECT_EQ(fixture.combo->Text(), "Schmidt");
  // No row starts with "schx": an lsEditFixedList editor keeps the last filter.
  test_support::SendText(GetFocus(), "x");
  PumpMessagesUntilIdle();
  EXPECT_EQ(list.GetRowCount(), 2);
  test_support::InputKey(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.combo->EditValue().AsInteger(), 3);
  EXPECT_EQ(list.GetRowCount(), 4) << "closing clears the filter";
}

TEST(LookupComboBoxTest, AListSourceOnTheEditedDataSetIsRefused) {
  LookupComboForm fixture;
  TlxCustomDBEditDefaultValuesProvider provider(nullptr);
  provider.SetDataSource(fixture.data.orders_source);
  provider.SetField(fixture.data.customer_id);
  TlxLookupComboBoxProperties* properties = fixture.Properties();
  properties->SetDefaultValuesProvider(&provider);
  EXPECT_EQ(ErrorText([&] { properties->SetListSource(fixture.data.orders_source); }),
            "Zirkuläre Datenverbindungen sind nicht erlaubt");
  EXPECT_EQ(properties->ListSource(), fixture.data.customers_source) << "the old source stays";
  properties->SetDefaultValuesProvider(nullptr);
}

TEST(LookupComboBoxTest, ALookupFieldGetsTheLookupItemWithAPlainList) {
  LookupComboForm fixture;
  TlxEditRepositoryItem* item =
      lxGetEditDBRegisteredRepositoryItems().FindItemForField(fixture.data.customer_name);
  ASSERT_NE(item, nullptr);
  ASSERT_EQ(item->ClassType(), &TlxEditRepositoryLookupComboBoxItem::kClass);
  auto* properties = static_cast<TlxEditRepositoryLookupComboBoxItem*>(item)->GetProperties();
  EXPECT_EQ(properties->ListOptions()->GridLines(), glNone);
  EXPECT_FALSE(properties->ListOptions()->ShowHeader());
  EXPECT_EQ(properties->DropDownListStyle(), lsEditFixedList);
  EXPECT_EQ(lxGetEditDBRegisteredRepositoryItems().FindItemForField(fixture.data.customer_id)->ClassType(),
            &TlxEditRepositoryMaskItem::kClass);
}

TEST(LookupComboBoxTest, CopyingPropertiesDefinedByALookupFieldCopiesTheColumnsLast) {
  LookupComboForm fixture;
  TlxCustomDBEditDefaultValuesProvider provider(nullptr);
  provider.SetDataSource(fixture.data.orders_source);
  provider.SetField(fixture.data.customer_name);
  TlxLookupComboBoxProperties defined(nullptr);
  defined.SetDefaultValuesProvider(&provider);
  defined.Changed();
  ASSERT_TRUE(defined.IsDefinedByLookupField());
  EXPECT_EQ(defined.KeyFieldNames(), "ID");
  EXPECT_EQ(defined.ListSource(), nullptr) << "the lookup field's source is not the user's";
  EXPECT_EQ(ErrorText([&] { defined.SetListSource(fixture.data.branches_source); }),
            "Eigenschaft bereits durch Lookup-Feld definiert");

  // A copy of properties whose list a lookup field defines takes the field
  // with it, and the field's columns after the other settings.
  TlxLookupComboBoxProperties copy(nullptr);
  copy.SetListSource(fixture.data.branches_source);
  copy.SetListFieldNames("Land;Nr");
  copy.Assign(&defined);
  EXPECT_TRUE(copy.IsDefinedByLookupField());
  EXPECT_EQ(copy.KeyFieldNames(), "ID");
  EXPECT_EQ(copy.ListFieldNames(), "Name");
  EXPECT_EQ(copy.ListSource(), nullptr);
  copy.SetDefaultValuesProvider(nullptr);
  defined.SetDefaultValuesProvider(nullptr);
}

TEST(LookupComboBoxTest, DISABLED_GridModeFindsTextsOfKeysWithoutLoadingTheList) {
  LookupComboForm fixture;
  // Grid mode is chosen before the list is bound.
  TlxLookupComboBoxProperties grid_mode(nullptr);
  TlxLookupComboBoxProperties* properties = &grid_mode;
  properties->SetGridMode(true);
  properties->SetListSource(fixture.data.customers_source);
  properties->SetKeyFieldNames("ID");
  properties->SetListFieldNames("Name;Ort");
  ASSERT_TRUE(properties->GridMode());
  ASSERT_TRUE(properties->Grid()->DataController().IsGridMode());
  std::string text;
  properties->GetDisplayText(Variant(3), text);
  EXPECT_EQ(text, "Schmidt");
  properties->GetDisplayText(Variant(99), text);
  EXPECT_EQ(text, "");
  ASSERT_EQ(properties->LookupCache()->Count(), 2) << "a missing key is cached too";
  fixture.data.customers->First();
  properties->GetDisplayText(Variant(3), text);
  EXPECT_EQ(fixture.data.customers->FieldByName("ID")->AsInteger(), 1) << "answered from the cache";

  // Every change of the settings empties the cache, and so does a change of
  // the list's data while the editors are not told.
  properties->Changed();
  EXPECT_EQ(properties->LookupCache()->Count(), 0);
  properties->GetDisplayText(Variant(3), text);
  properties->Lock();
  fixture.data.customers->Locate("ID", Variant(3), TLocateOptions{});
  fixture.data.customers->Edit();
  fixture.data.customers->FieldByName("Name")->SetAsString("Schmitt");
  fixture.data.customers->Post();
  properties->Unlock();
  properties->GetDisplayText(Variant(3), text);
  EXPECT_EQ(text, "Schmitt") << "no stale text from the cache";

  // Text search by locating: case-insensitive unless asked otherwise.
  EXPECT_NE(properties->FindByText(0, "schu", true), -1);
  EXPECT_EQ(fixture.data.customers->FieldByName("ID")->AsInteger(), 4);
  properties->SetCaseSensitiveSearch(true);
  EXPECT_EQ(properties->FindByText(0, "schu", true), -1);
  EXPECT_NE(properties->FindByText(0, "Schu", true), -1);
  EXPECT_EQ(properties->FindByText(0, "Schu", false), -1) << "not partial: the whole text must match";
}

}  // namespace lookup_combo_box_win_test
