#include "editors/edit_control_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editors/edit_error.h"
#include "editors/edit_inplace_list_win.h"
#include "platform/toolkit/application.h"
#include "tests/editors/edit_control_test_support_win.h"

namespace {

using edit_test::EditForm;
using edit_test::TestEdit;
using edit_test::TestEditProperties;

// Records the change events of an editor's own properties, in order.
struct EventLog {
  explicit EventLog(TlxCustomEditProperties* properties, const std::string& prefix = "") {
    properties->OnChange = [this, prefix](TObject*) { events.push_back(prefix + "change"); };
    properties->OnEditValueChanged = [this, prefix](TObject*) { events.push_back(prefix + "value"); };
  }
  std::vector<std::string> events;
};

// --- storing values and change events ------------------------------------------------

TEST(EditControlTest, StoringAValueRaisesChangesOnlyWhenThePropertiesTrackThem) {
  EditForm<TestEdit> tracked;
  EventLog log(tracked.edit->Properties());
  tracked.edit->SetEditValue(Variant("a"));
  EXPECT_EQ(log.events, (std::vector<std::string>{"value", "change"}));
  tracked.edit->SetEditValue(Variant("a"));
  EXPECT_EQ(log.events.size(), 2u) << "an equal value is no change";
  EXPECT_EQ(VarToStr(tracked.edit->EditValue()), "a");

  EditForm<TlxCustomEdit> plain;
  EventLog plain_log(plain.edit->Properties());
  plain.edit->SetEditValue(Variant("b"));
  EXPECT_TRUE(plain_log.events.empty());
  EXPECT_EQ(VarToStr(plain.edit->EditValue()), "b");
}

TEST(EditControlTest, ChangesWhileLockedComeOnceAtTheLastUnlockUnlessDropped) {
  struct Case {
    bool invoke;
    std::vector<std::string> expected;
  };
  for (const Case& c : {Case{true, {"change", "value"}}, Case{false, {}}}) {
    EditForm<TestEdit> fixture;
    EventLog log(fixture.edit->Properties());
    fixture.edit->LockChangeEvents(true);
    fixture.edit->LockChangeEvents(true);
    fixture.edit->SetEditValue(Variant("one"));
    fixture.edit->SetEditValue(Variant("two"));
    fixture.edit->LockChangeEvents(false, c.invoke);
    EXPECT_TRUE(log.events.empty()) << "an inner unlock raises nothing";
    fixture.edit->LockChangeEvents(false, c.invoke);
    EXPECT_EQ(log.events, c.expected) << c.invoke;
    fixture.edit->LockChangeEvents(false);  // an unlock too many does nothing
    EXPECT_FALSE(fixture.edit->AreChangeEventsLocked());
  }
}

TEST(EditControlTest, AValueSetInsideOnEditingIsIgnored) {
  EditForm<TestEdit> fixture;
  int asked = 0;
  fixture.edit->OnEditing = [&](TObject*, bool& can_edit) {
    ++asked;
    fixture.edit->SetEditValue(Variant("from the handler"));
    can_edit = true;
  };
  fixture.edit->SetUserChange(true);
  fixture.edit->SetEditValue(Variant("typed"));
  fixture.edit->SetUserChange(false);
  EXPECT_GE(asked, 1);
  EXPECT_EQ(VarToStr(fixture.edit->EditValue()), "typed");
  EXPECT_TRUE(fixture.edit->Modified());

  // A refusing handler keeps the value away.
  fixture.edit->OnEditing = [](TObject*, bool& can_edit) { can_edit = false; };
  fixture.edit->SetModifiedAfterEnter(false);
  fixture.edit->SetUserChange(true);
  fixture.edit->SetEditValue(Variant("refused"));
  fixture.edit->SetUserChange(false);
  EXPECT_EQ(VarToStr(fixture.edit->EditValue()), "typed");
}

TEST(EditControlTest, ReadOnlyPropertiesRefuseAUserChange) {
  EditForm<TestEdit> fixture;
  fixture.edit->Properties()->SetReadOnly(true);
  fixture.edit->SetUserChange(true);
  EXPECT_FALSE(fixture.edit->TryStartEditing());
  fixture.edit->SetEditValue(Variant("x"));
  fixture.edit->SetUserChange(false);
  EXPECT_TRUE(fixture.edit->EditValue().IsNull());
  fixture.edit->SetEditValue(Variant("by the program"));
  EXPECT_EQ(VarToStr(fixture.edit->EditValue()), "by the program");
}

// --- validation ----------------------------------------------------------------------

TEST(EditControlTest, AnUnmodifiedEditorValidatesWithoutAskingOnValidate) {
  EditForm<TestEdit> fixture;
  int validations = 0;
  fixture.edit->Properties()->OnValidate = [&](TObject*, Variant&, std::string&, bool&) { ++validations; };
  fixture.edit->SetEditValue(Variant("x"));
  EXPECT_TRUE(fixture.edit->ValidateEdit(true));
  EXPECT_EQ(validations, 0);

  fixture.edit->SetModified(true);
  EXPECT_TRUE(fixture.edit->ValidateEdit(true));
  EXPECT_EQ(validations, 1);
  EXPECT_TRUE(fixture.edit->Validated());
  EXPECT_TRUE(fixture.edit->ValidateEdit(true));
  EXPECT_EQ(validations, 1) << "an already validated value is not asked again";
}

TEST(EditControlTest, ARefusedValueRaisesTheHandlersTextOrAbortsSilently) {
  EditForm<TestEdit> fixture;
  std::string error_text = "Nicht erlaubt";
  fixture.edit->Properties()->OnValidate = [&](TObject*, Variant&, std::string& text, bool& error) {
    error = true;
    text = error_text;
  };
  fixture.edit->SetEditValue(Variant("x"));
  fixture.edit->SetModified(true);
  EXPECT_FALSE(fixture.edit->ValidateEdit(false));
  try {
    fixture.edit->ValidateEdit(true);
    ADD_FAILURE() << "no error raised";
  } catch (const ElxEditValidationError& error) {
    EXPECT_EQ(std::string(error.what()), "Nicht erlaubt");
  }
  EXPECT_TRUE(fixture.edit->IsFocusWithin()) << "the editor takes the focus to show the error";
  error_text.clear();
  EXPECT_THROW(fixture.edit->ValidateEdit(true), EAbort);
  EXPECT_FALSE(fixture.edit->Validated());
}

// --- in place ----------------------------------------------------------------------

TEST(EditControlTest, AnInplaceChangeHandlerSeesTheEditorModifiedAndLeavesItAsItWas) {
  lxEditorsInitialize();
  std::unique_ptr<TlxCustomEdit> edit(TlxCustomEdit::CreateInplace(TestEdit::kClass, nullptr, true));
  ASSERT_TRUE(edit->IsInplace());
  EXPECT_FALSE(edit->AutoSize());
  bool seen_modified = false;
  bool seen_after_enter = false;
  edit->Properties()->OnChange = [&](TObject*) {
    seen_modified = edit->Modified();
    seen_after_enter = edit->ModifiedAfterEnter();
  };
  edit->SetEditValue(Variant("v"));
  EXPECT_TRUE(seen_modified);
  EXPECT_TRUE(seen_after_enter);
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->ModifiedAfterEnter());
  edit.reset();
  lxEditorsFinalize();
}

TEST(EditControlTest, AnInplacePostErrorIsShownAndTheEditorStaysModified) {
  lxEditorsInitialize();
  std::unique_ptr<TlxCustomEdit> edit(TlxCustomEdit::CreateInplace(TestEdit::kClass, nullptr, true));
  std::vector<std::string> shown;
  Application->OnException = [&](TObject*, const Exception& error) { shown.push_back(error.what()); };
  edit->OnPostEditValue = [](TObject*) { throw ElxEditError("Schreiben fehlgeschlagen"); };
  edit->SetUserChange(true);
  edit->SetEditValue(Variant("new"));
  edit->SetUserChange(false);
  ASSERT_TRUE(edit->Modified());
  EXPECT_NO_THROW(edit->PostEditValue(true));
  EXPECT_EQ(shown, (std::vector<std::string>{"Schreiben fehlgeschlagen"}));
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(edit->ModifiedAfterEnter()) << "the host must not take the value as written";
  EXPECT_FALSE(edit->IsPosting());

  // Once posting works, the editor counts as written.
  edit->OnPostEditValue = nullptr;
  edit->PostEditValue(false);
  EXPECT_FALSE(edit->ModifiedAfterEnter());
  Application->OnException = nullptr;
  edit.reset();
  lxEditorsFinalize();
}

// A binding whose data refuses every write.
class RefusingBinding : public TlxEditDataBinding {
 public:
  static constexpr TClass kClass{"TRefusingBinding", &TlxEditDataBinding::kClass,
                                 &ConstructInstance<RefusingBinding>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditDataBinding::TlxEditDataBinding;
  void WriteDataValue(const Variant&) override { throw ElxEditError("Datensatz gesperrt"); }
};

class RefusingEdit : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TRefusingEdit", &TlxCustomEdit::kClass, &ConstructInstance<RefusingEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RefusingEdit(TComponent* owner)
      : TlxCustomEdit(owner, TestEditProperties::kClass, RefusingBinding::kClass) {}
};

TEST(EditControlTest, AStandAlonePostErrorIsPassedOnAndTheEditorTakesTheFocus) {
  EditForm<RefusingEdit> fixture;
  fixture.edit->SetModified(true);
  EXPECT_THROW(fixture.edit->PostEditValue(false), ElxEditError);
  EXPECT_TRUE(fixture.edit->IsFocusWithin());
  EXPECT_FALSE(fixture.edit->IsPosting());
}

TEST(EditControlTest, TheInplaceListReusesAForgottenEditorForOtherPropertiesOfItsClass) {
  lxEditorsInitialize();
  {
    TestEditProperties first(nullptr);
    TestEditProperties second(nullptr);
    first.SetBeepOnError(true);
    TlxInplaceEditList list;
    TlxCustomEdit* edit = list.ObtainEdit(&first);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->ClassType(), &TestEdit::kClass);
    EXPECT_TRUE(edit->IsInplace());
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(edit->Properties()->BeepOnError()) << "the column's settings are copied in";
    EXPECT_EQ(list.ObtainEdit(&first), edit);

    list.ForgetProperties(&first);
    EXPECT_EQ(list.ObtainEdit(&second), edit);
    EXPECT_FALSE(edit->Properties()->BeepOnError());
    EXPECT_EQ(list.GetCount(), 1);

    TlxCustomEdit* fresh = list.ObtainEdit(&first);
    EXPECT_NE(fresh, edit);
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveEditFor(&second);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetEditAt(0), fresh);
    EXPECT_THROW(list.GetEditAt(1), EListError);
    list.RemoveEditFor(&second);  // nothing bound: nothing happens
    EXPECT_EQ(list.GetCount(), 1);
  }
  lxEditorsFinalize();
}

TEST(EditControlTest, FreedPropertiesLeaveTheInplaceListFreeForReuse) {
  lxEditorsInitialize();
  {
    TlxInplaceEditList list;
    TlxCustomEdit* edit = nullptr;
    {
      TestEditProperties column(nullptr);
      edit = list.ObtainEdit(&column);
    }
    TestEditProperties other(nullptr);
    EXPECT_EQ(list.LookupEdit(&other), edit);
  }
  lxEditorsFinalize();
}

TEST(EditControlTest, ActivationByKeyTypesTheKeyUnlessTheKindKeepsIt) {
  EditForm<TestEdit> fixture;
  TlxInplaceEditList list;
  TestEditProperties column(nullptr);
  auto* edit = static_cast<TestEdit*>(list.ObtainEdit(&column));
  edit->SetParent(fixture.form);
  edit->SetBounds(10, 40, 100, 20);
  std::unique_ptr<TlxCustomEditData> data;
  edit->ActivateByKey(u'x', data);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(edit->Activated());
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->IsFocusWithin());
  EXPECT_EQ(edit->typed, "x");

  edit->typed.clear();
  edit->ActivateByKey(u'#', data);
  EXPECT_EQ(edit->typed, "");
  EXPECT_EQ(data, nullptr) << "the kind keeps no edit data";

  edit->SetUserChange(true);
  edit->SetEditValue(Variant("cell"));
  edit->SetUserChange(false);
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_TRUE(edit->Deactivate());
  EXPECT_TRUE(edit->Validated());
  EXPECT_FALSE(edit->ClickTimerRunning());
  edit->SetParent(nullptr);
}

TEST(EditControlTest, ActivationByMouseStartsTheDoubleClickWindow) {
  EditForm<TestEdit> fixture;
  std::unique_ptr<TlxCustomEdit> edit(TlxCustomEdit::CreateInplace(TestEdit::kClass, nullptr, true));
  edit->SetVisible(false);
  edit->SetParent(fixture.form);
  edit->SetBounds(10, 40, 100, 20);
  std::unique_ptr<TlxCustomEditData> data;
  edit->ActivateByMouse({}, 20, 45, data);
  EXPECT_TRUE(edit->ClickTimerRunning());
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->Deactivate());
  EXPECT_FALSE(edit->ClickTimerRunning());
  edit->SetParent(nullptr);
}

// --- repository items ------------------------------------------------------------------

class OtherProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TOtherProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<OtherProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditProperties::TlxCustomEditProperties;
};

class OtherItem : public TlxEditRepositoryItem {
 public:
  static constexpr TClass kClass{"TOtherItem", &TlxEditRepositoryItem::kClass, &ConstructInstance<OtherItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit OtherItem(TComponent* owner) : TlxEditRepositoryItem(owner, OtherProperties::kClass) {}
};

class TestItem : public TlxEditRepositoryItem {
 public:
  static constexpr TClass kClass{"TTestItem", &TlxEditRepositoryItem::kClass, &ConstructInstance<TestItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TestItem(TComponent* owner) : TlxEditRepositoryItem(owner, TestEditProperties::kClass) {}
};

TEST(EditControlTest, AnUnacceptableRepositoryItemIsRefusedAndTheOldOneStays) {
  EditForm<TestEdit> fixture;
  auto* good = new TestItem(fixture.form);
  auto* bad = new OtherItem(fixture.form);
  fixture.edit->SetRepositoryItem(good);
  try {
    fixture.edit->SetRepositoryItem(bad);
    ADD_FAILURE() << "the item was taken";
  } catch (const ElxEditError& error) {
    EXPECT_EQ(std::string(error.what()), "The repository item is not acceptable");
  }
  EXPECT_EQ(fixture.edit->RepositoryItem(), good);
  EXPECT_EQ(fixture.edit->GetActiveProperties(), good->Properties());
}

TEST(EditControlTest, EventsGoToTheOwnPropertiesFirstAndThenToTheItems) {
  EditForm<TestEdit> fixture;
  auto* item = new TestItem(fixture.form);
  std::vector<std::string> events;
  fixture.edit->Properties()->OnButtonClick = [&](TObject*, int32_t i) { events.push_back("own " + std::to_string(i)); };
  item->Properties()->OnButtonClick = [&](TObject*, int32_t i) { events.push_back("item " + std::to_string(i)); };
  fixture.edit->SetRepositoryItem(item);
  fixture.edit->FireButtonClick(2);
  EXPECT_EQ(events, (std::vector<std::string>{"own 2", "item 2"}));

  EventLog own(fixture.edit->Properties(), "own ");
  EventLog item_log(item->Properties(), "item ");
  fixture.edit->SetEditValue(Variant("z"));
  EXPECT_EQ(own.events, (std::vector<std::string>{"own value", "own change"}));
  EXPECT_EQ(item_log.events, (std::vector<std::string>{"item value", "item change"}));
}

TEST(EditControlTest, AFreedRepositoryItemIsForgottenByEveryEditorQuietly) {
  EditForm<TestEdit> fixture;
  auto* item = new TestItem(fixture.form);
  fixture.edit->SetRepositoryItem(item);
  fixture.other->SetRepositoryItem(item);
  EventLog first(fixture.edit->Properties());
  EventLog second(fixture.other->Properties());
  delete item;
  EXPECT_EQ(fixture.edit->RepositoryItem(), nullptr);
  EXPECT_EQ(fixture.other->RepositoryItem(), nullptr);
  EXPECT_TRUE(first.events.empty());
  EXPECT_TRUE(second.events.empty());
  EXPECT_EQ(fixture.edit->GetActiveProperties(), fixture.edit->Properties());

  // The own properties speak for the editor again.
  fixture.edit->Properties()->SetReadOnly(true);
  EXPECT_TRUE(fixture.edit->IsEffectivelyReadOnly());
}

// --- entering, leaving and restoring -------------------------------------------------------

TEST(EditControlTest, RestoringGivesBackTheValueOnEntry) {
  EditForm<TestEdit> fixture;
  fixture.edit->SetEditValue(Variant("before"));
  fixture.FocusEdit();
  fixture.edit->SetUserChange(true);
  fixture.edit->SetEditValue(Variant("typed"));
  fixture.edit->SetUserChange(false);
  ASSERT_TRUE(fixture.edit->Modified());
  fixture.edit->RestoreEnterValue();
  EXPECT_EQ(VarToStr(fixture.edit->EditValue()), "before");
  EXPECT_FALSE(fixture.edit->Modified());
  EXPECT_TRUE(fixture.edit->ModifiedAfterEnter());

  // Without restorable properties nothing happens.
  EditForm<TlxCustomEdit> plain;
  plain.edit->SetEditValue(Variant("before"));
  plain.FocusEdit();
  plain.edit->SetUserChange(true);
  plain.edit->SetEditValue(Variant("typed"));
  plain.edit->SetUserChange(false);
  plain.edit->RestoreEnterValue();
  EXPECT_EQ(VarToStr(plain.edit->EditValue()), "typed");
  EXPECT_TRUE(plain.edit->Modified());
}

TEST(EditControlTest, LeavingValidatesAndRaisesWhatWasHeldBack) {
  EditForm<TestEdit> fixture;
  int validations = 0;
  fixture.edit->Properties()->OnValidate = [&](TObject*, Variant&, std::string&, bool&) { ++validations; };
  fixture.FocusEdit();
  fixture.edit->SetUserChange(true);
  fixture.edit->SetEditValue(Variant("typed"));
  fixture.edit->SetUserChange(false);
  fixture.other->SetFocus();
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(validations, 1);
  EXPECT_FALSE(fixture.edit->Modified());
}

}  // namespace
