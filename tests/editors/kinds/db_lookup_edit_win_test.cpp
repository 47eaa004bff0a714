#include "editors/kinds/db_lookup_edit_win.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/kinds/db_edit_default_values_provider.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/variant.h"
#include "tests/editors/kinds/db_lookup_fixture.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace db_lookup_edit_win_test {

using db_lookup_fixture::TLookupData;
using db_lookup_fixture::TLookupEditForm;
using db_lookup_fixture::TTestLookupEdit;
using db_lookup_fixture::TTestLookupProperties;
using test_support::PumpMessagesUntilIdle;

std::string KeyText(const Variant& key) {
  if (!VarIsArray(key))
    return key.IsNull() ? "Null" : VarToStr(key);
  std::string text = "[";
  for (int32_t i = VarArrayLowBound(key); i <= VarArrayHighBound(key); ++i) {
    const Variant element = VarArrayGet(key, i);
    text += (i > VarArrayLowBound(key) ? "," : "") + (element.IsNull() ? std::string("Null") : VarToStr(element));
  }
  return text + "]";
}

std::string ExceptionText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "no error";
}

TEST(DBLookupEditTest, AKeyShowsTheTextOfItsRowInTheDisplayColumn) {
  TLookupEditForm fixture;
  fixture.other->SetFocus();
  PumpMessagesUntilIdle();
  const struct {
    const char* name;
    Variant key;
    const char* text;
  } cases[] = {
      {"a key of the list", Variant(2), "Meier"},
      {"another key", Variant(3), "Schmidt"},
      {"a key without a row", Variant(99), ""},
      {"the null key", Variant::Null(), ""},
      {"a key of the wrong shape", VarArrayOf({Variant(1), Variant(2)}), ""},
  };
  for (const auto& c : cases) {
    fixture.edit->SetEditValue(c.key);
    EXPECT_EQ(fixture.edit->Text(), c.text) << c.name;
  }
  // The second column shows the town.
  fixture.edit->SetEditValue(Variant(2));
  fixture.Properties()->SetListFieldIndex(1);
  EXPECT_EQ(fixture.edit->Text(), "Hamburg");
  fixture.Properties()->SetListFieldIndex(5);
  EXPECT_EQ(fixture.Properties()->ListFieldIndex(), 1) << "the index stays within the columns";
  EXPECT_EQ(fixture.Properties()->GetEditControlClass(), &TlxCustomDBLookupEdit::kClass);
  EXPECT_EQ(fixture.Properties()->FindRecordIndexByKey(VarArrayOf({Variant(1), Variant(2)})), -1);
}

TEST(DBLookupEditTest, ANewEditorIs145PixelsWideAndOnlyChoosesFromTheList) {
  TLookupData data;
  TForm* form = new TForm(nullptr);
  TScopeExit free_form([form] { form->Free(); });
  auto* edit = new TTestLookupEdit(form);
  EXPECT_EQ(edit->Width(), 145);
  TTestLookupProperties* properties = edit->LookupProperties();
  EXPECT_EQ(properties->DropDownListStyle(), lsEditFixedList);
  EXPECT_TRUE(properties->IncrementalFiltering());
  EXPECT_FALSE(properties->GridMode());
  EXPECT_EQ(properties->GetActualDisplayColumnIndex(), -1) << "no columns yet";
  properties->SetDisplayColumnIndex(5);
  EXPECT_EQ(properties->GetDisplayColumnIndex(), 0);
  EXPECT_TRUE(edit->GetLookupEditData()->IsEmpty());
  std::string text = "M";
  std::string tail;
  EXPECT_FALSE(edit->GetLookupEditData()->Locate(text, tail, false)) << "no columns: nothing is found";
}

TEST(DBLookupEditTest, TypingCompletesFromTheListInTheRowsOwnSpelling) {
  TLookupEditForm fixture;
  fixture.edit->SetEditValue(Variant(1));
  fixture.edit->SelectAll();
  test_support::SendText(GetFocus(), "me");
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "Meier");
  EXPECT_EQ(fixture.edit->GetSelStart(), 2);
  EXPECT_EQ(fixture.edit->GetSelLength(), 3) << "the completed tail is selected";
  EXPECT_EQ(KeyText(fixture.edit->GetLookupEditData()->CurrentKey()), "2");
  test_support::SendKey(GetFocus(), VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(KeyText(fixture.edit->GetEditValue()), "2");

  // The lookup data's search on its own: the typed part takes the row's
  // letter case, the tail holds the rest.
  std::string text = "sc";
  std::string tail;
  ASSERT_TRUE(fixture.edit->GetLookupEditData()->Locate(text, tail, false));
  EXPECT_EQ(text, "Sc");
  EXPECT_EQ(tail, "hmidt");
  text = "xy";
  EXPECT_FALSE(fixture.edit->GetLookupEditData()->Locate(text, tail, false));
}

TEST(DBLookupEditTest, ArrowKeysStepThroughTheRows) {
  TLookupEditForm fixture;
  fixture.edit->SetEditValue(Variant(2));
  const struct {
    UINT key;
    bool control;
    const char* value;
    const char* text;
  } steps[] = {
      {VK_DOWN, false, "3", "Schmidt"},
      {VK_UP, false, "2", "Meier"},
      {VK_NEXT, true, "4", "Schulz"},
      {VK_DOWN, false, "4", "Schulz"},  // the last row does not wrap
      {VK_PRIOR, true, "1", "Müller"},
      {VK_NEXT, false, "4", "Schulz"},  // a page is DropDownRows rows
  };
  for (const auto& step : steps) {
    test_support::SendKey(GetFocus(), step.key, false, step.control);
    PumpMessagesUntilIdle();
    EXPECT_EQ(fixture.edit->Text(), step.text) << step.key;
    EXPECT_EQ(KeyText(fixture.edit->GetLookupEditData()->CurrentKey()), step.value) << step.key;
  }
  TTestLookupProperties* properties = fixture.Properties();
  // With the list open, these keys go to the list.
  const uint32_t control = TShiftState{ssCtrl}.Bits();
  const uint32_t alt = TShiftState{ssAlt}.Bits();
  EXPECT_FALSE(properties->IsLookupNavigationKey(VK_HOME, 0)) << "Home alone moves the caret";
  EXPECT_TRUE(properties->IsLookupNavigationKey(VK_END, control));
  EXPECT_TRUE(properties->IsLookupNavigationKey(VK_DOWN, 0));
  EXPECT_FALSE(properties->IsLookupNavigationKey(VK_DOWN, alt)) << "Alt+Down closes the list";
  EXPECT_FALSE(properties->IsLookupNavigationKey(VK_LEFT, 0));
}

TEST(DBLookupEditTest, ATextWithoutARowGivesTheNullKeyOnLeaving) {
  TLookupEditForm fixture;
  fixture.Properties()->SetDropDownListStyle(lsEditList);
  fixture.edit->SetEditValue(Variant(2));
  fixture.edit->SelectAll();
  test_support::SendText(GetFocus(), "Niemand");
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "Niemand");
  fixture.other->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.edit->GetEditValue().IsNull()) << KeyText(fixture.edit->GetEditValue());
}

TEST(DBLookupEditTest, SeveralKeyFieldsMakeAVariantArrayKey) {
  TLookupEditForm fixture;
  TTestLookupProperties* properties = fixture.Properties();
  properties->SetKeyFieldNames("");
  properties->SetListSource(fixture.data.branches_source);
  properties->SetListFieldNames("Name");
  properties->SetKeyFieldNames("Land;Nr");
  properties->ReloadList();
  Variant null_key;
  properties->GetNullKey(null_key);
  EXPECT_EQ(KeyText(null_key), "[Null,Null]");

  fixture.edit->SetEditValue(VarArrayOf({Variant("DE"), Variant(2)}));
  EXPECT_EQ(fixture.edit->Text(), "Hamburg Hafen");
  fixture.edit->SetEditValue(Variant("DE")) ;
  EXPECT_EQ(fixture.edit->Text(), "") << "a single value for two key fields has no row";

  fixture.edit->SelectAll();
  test_support::SendText(GetFocus(), "wi");
  test_support::SendKey(GetFocus(), VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "Wien Zentrum");
  EXPECT_EQ(KeyText(fixture.edit->GetEditValue()), "[AT,1]");
}

TEST(DBLookupEditTest, AListOnTheEditedDataSetIsACircularLink) {
  TLookupEditForm fixture;
  TlxCustomDBEditDefaultValuesProvider provider(nullptr);
  provider.SetDataSource(fixture.data.orders_source);
  provider.SetField(fixture.data.customer_id);
  TTestLookupProperties* properties = fixture.Properties();
  properties->SetDefaultValuesProvider(&provider);
  EXPECT_EQ(properties->GetDataField(), fixture.data.customer_id);
  EXPECT_EQ(properties->GetLookupField(), nullptr) << "a data field, not a lookup field";
  EXPECT_EQ(ExceptionText([&] { properties->SetListSource(fixture.data.orders_source); }),
            "Zirkuläre Datenverbindungen sind nicht erlaubt");
  EXPECT_EQ(ExceptionText([&] { properties->SetListSource(fixture.data.customers_source); }), "no error");
  properties->SetDefaultValuesProvider(nullptr);
}

TEST(DBLookupEditTest, ALookupFieldDefinesTheListAndLocksItsSettings) {
  TLookupEditForm fixture;
  TTestLookupProperties* properties = fixture.Properties();
  properties->SetListSource(nullptr);
  properties->SetKeyFieldNames("");
  properties->SetListFieldNames("Ort");
  auto provider = std::make_unique<TlxCustomDBEditDefaultValuesProvider>(nullptr);
  provider->SetDataSource(fixture.data.orders_source);
  provider->SetField(fixture.data.customer_name);
  properties->SetDefaultValuesProvider(provider.get());
  properties->Changed();
  properties->ReloadList();

  EXPECT_EQ(properties->GetLookupField(), fixture.data.customer_name);
  EXPECT_TRUE(properties->IsDefinedByLookupField());
  EXPECT_EQ(properties->KeyFieldNames(), "ID");
  EXPECT_EQ(properties->ListFieldNames(), "Name") << "the result field's column replaces the others";
  EXPECT_EQ(properties->GetActualDisplayColumnIndex(), 0);
  EXPECT_EQ(properties->List().DataSource(), properties->LookupSource());
  EXPECT_EQ(properties->LookupSource()->DataSet(), fixture.data.customers);
  EXPECT_EQ(properties->CanUseFieldDisplayFormat(true), 2);
  EXPECT_EQ(properties->CanUseFieldDisplayFormat(false), 1);
  EXPECT_EQ(ExceptionText([&] { properties->SetKeyFieldNames("Name"); }),
            "Eigenschaft bereits durch Lookup-Feld definiert");
  EXPECT_EQ(ExceptionText([&] { properties->SetListFieldIndex(1); }),
            "Eigenschaft bereits durch Lookup-Feld definiert");
  EXPECT_EQ(properties->KeyFieldNames(), "ID") << "nothing changed";

  // The text of a key in the editor with the input focus.
  fixture.edit->SetEditValue(Variant(3));
  EXPECT_EQ(fixture.edit->Text(), "Schmidt");

  // The lookup field goes away: the list returns to the user's settings.
  properties->SetDefaultValuesProvider(nullptr);
  provider.reset();
  properties->Changed();
  EXPECT_FALSE(properties->IsDefinedByLookupField());
  EXPECT_EQ(properties->LookupSource(), nullptr);
  EXPECT_EQ(properties->List().DataSource(), nullptr) << "the lookup source no longer feeds the list";
  EXPECT_EQ(ExceptionText([&] { properties->SetKeyFieldNames("ID"); }), "no error");
}

TEST(DBLookupEditTest, AStringKeyShownAsTheListFieldIsItsOwnText) {
  TLookupEditForm fixture;
  TTestLookupProperties* properties = fixture.Properties();
  properties->SetKeyFieldNames("Name");
  properties->SetListFieldNames("Name;Ort");
  ASSERT_TRUE(properties->IsKeyDisplayField());
  EXPECT_FALSE(properties->UsesTextAsEditValue()) << "lsEditFixedList keeps keys";
  Variant display;
  properties->ConvertToDisplayValue(Variant("Unbekannt"), display, false);
  EXPECT_EQ(VarToStr(display), "Unbekannt") << "unfocused: the key without a search";

  properties->SetDropDownListStyle(lsEditList);
  EXPECT_TRUE(properties->UsesTextAsEditValue());
  fixture.edit->SelectAll();
  test_support::SendText(GetFocus(), "Neuer Kunde");
  test_support::SendKey(GetFocus(), VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), "Neuer Kunde") << "the typed text is the value";
}

}  // namespace db_lookup_edit_win_test
