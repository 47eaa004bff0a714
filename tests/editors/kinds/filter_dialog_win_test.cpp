// The custom filter dialog and the filter builder dialog in real windows:
// driven by keys and clicks, their file dialogs answered through the modal
// script, filtering a data controller's records.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_filter_criteria.h"
#include "editors/combo_box_win.h"
#include "editors/filter_control_strings.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/filter_control_dialog_win.h"
#include "editors/kinds/filter_control_win.h"
#include "editors/kinds/filter_dialog_win.h"
#include "editors/kinds/filter_inplace_editing_win.h"
#include "editors/kinds/filter_value_edit_win.h"
#include "editors/kinds/radio_button_win.h"
#include "editors/popup_hooks_win.h"
#include "editors/popup_window_win.h"
#include "editors/text_edit_control_win.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/bevel.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/panel.h"
#include "tests/editors/kinds/filter_builder_fixture.h"
#include "tests/editors/kinds/filter_controller_link.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/extended_painters.h"
#include "ui/foundation/painters/standard_painters_win.h"

namespace filter_dialog_win_test {

using filter_builder_test::TColumnController;
using filter_builder_test::TControllerLink;

// "Name" (text) and "Größe" (integer) over six records.
class TFileController : public TColumnController {
 public:
  TFileController()
      : TColumnController({lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxIntegerValueType>()}) {
    TUpdateScope update(*this);
    const std::vector<std::pair<std::string, int32_t>> records = {{"Rechnung", 1}, {"Angebot", 3}, {"Rechnung", 5},
                                                                  {"Mahnung", 7},  {"Angebot", 9}, {"Brief", 4}};
    SetRecordCount(static_cast<int32_t>(records.size()));
    for (size_t i = 0; i < records.size(); ++i) {
      DataStorage().StoreValue(static_cast<int32_t>(i), *ItemField(0)->ValueDef(), Variant(records[i].first));
      DataStorage().StoreValue(static_cast<int32_t>(i), *ItemField(1)->ValueDef(), Variant(records[i].second));
    }
  }
};

// The component a grid view would be: it offers the controller's columns.
class TViewComponent : public TComponent, public TControllerLink {
 public:
  TViewComponent(TComponent* owner, TFileController& controller, std::vector<TlxCustomEditProperties*> properties)
      : TComponent(owner), TControllerLink(controller, {"Name", "Größe"}, std::move(properties)) {}
};

// Steps run one per tick of the modal script, each until it answers true.
class TSteps {
 public:
  void Add(std::function<bool()> step) { steps_.push_back(std::move(step)); }
  void Start() {
    test_support::RunWhileModal([this] {
      // A step that never comes true cancels the dialog instead of hanging.
      if (++ticks_ > kMaxTicks) {
        CancelWhatIsOpen();
        return true;
      }
      while (next_ < steps_.size()) {
        if (!steps_[next_]())
          return false;
        ++next_;
        return next_ == steps_.size();
      }
      return true;
    });
  }
  size_t Done() const { return next_; }

  // An open in-place list is closed first: the dialog's modal loop cannot
  // end while the list's own loop runs above it.
  static void CancelWhatIsOpen() {
    const std::vector<TlxCustomPopupWindow*> shown = lxShownPopups();
    for (auto popup = shown.rbegin(); popup != shown.rend(); ++popup)
      if (lxIsShownPopup(*popup))
        (*popup)->ClosePopup();
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow())))
      form->SetModalResult(mrCancel);
  }
  size_t Count() const { return steps_.size(); }

 private:
  static constexpr int kMaxTicks = 150;
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
};

template <typename T>
T* ActiveFormAs() {
  return dynamic_cast<T*>(FindControl(GetActiveWindow()));
}

HWND FileNameBox(HWND dialog) {
  constexpr int kComboId = 0x47C;
  constexpr int kEditId = 0x480;
  if (HWND combo = GetDlgItem(dialog, kComboId)) {
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
      return edit;
    return combo;
  }
  return GetDlgItem(dialog, kEditId);
}

// Answers the system's file dialog with `name`, when it is up.
bool AnswerFileDialog(const std::string& name) {
  HWND dialog = test_support::FindThreadDialog();
  if (dialog == nullptr)
    return false;
  SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

std::string TempFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

class FilterDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxTextEditInitialize();
    lxComboBoxInitialize();
    Application->OnException = [this](TObject*, const Exception& error) { errors.push_back(error.what()); };
  }
  void TearDown() override {
    test_support::StopModalScript();
    test_support::PumpMessagesUntilIdle();
    Application->OnException = nullptr;
    lxComboBoxFinalize();
    lxTextEditFinalize();
  }
  TObject* NameColumn() { return controller.GetItem(0); }
  TObject* SizeColumn() { return controller.GetItem(1); }
  TlxDataFilterCriteria& Filter() { return controller.Filter(); }
  // Column "Name" = "Brief", and "Größe" > 3 OR "Größe" < 9.
  void FilterWithTwoSizeConditions() {
    Filter().AddItem(&Filter().Root(), NameColumn(), fokEqual, Variant("Brief"), "Brief");
    TlxFilterCriteriaItemList* sizes = Filter().Root().AddSubList(fbkOr);
    Filter().AddItem(sizes, SizeColumn(), fokGreater, Variant(3), "3");
    Filter().AddItem(sizes, SizeColumn(), fokLess, Variant(9), "9");
  }
  std::unique_ptr<TlxFilterDialog> MakeDialog(TObject* column) {
    const bool name = column == NameColumn();
    auto dialog = std::make_unique<TlxFilterDialog>(
        Filter(), nullptr, nullptr,
        name ? lxValueTypeClass<TlxStringValueType>() : lxValueTypeClass<TlxIntegerValueType>(),
        name ? "Name" : "Größe", name ? &name_properties : &size_properties, column);
    dialog->Show();
    test_support::PumpMessagesUntilIdle();
    return dialog;
  }
  static std::vector<std::string> Entries(TlxComboBox& combo) {
    std::vector<std::string> entries;
    const TStringList& items = *combo.GetProperties()->Items();
    for (int32_t i = 0; i < items.Count(); ++i)
      entries.push_back(items[i]);
    return entries;
  }

  TFileController controller;
  TlxTextEditProperties name_properties{nullptr};
  TlxTextEditProperties size_properties{nullptr};
  std::vector<std::string> errors;
};

// --- which dialog -----------------------------------------------------------------

TEST_F(FilterDialogTest, OnlyFiltersTheDialogCanShowStayWithIt) {
  TObject* name = NameColumn();
  TObject* size = SizeColumn();
  struct Case {
    const char* what;
    std::function<void(TlxFilterCriteria&)> build;
    bool needs_builder;
  };
  const std::vector<Case> cases = {
      {"no conditions", [](TlxFilterCriteria&) {}, false},
      {"one column equal, another in an OR pair",
       [&](TlxFilterCriteria& c) {
         c.AddItem(&c.Root(), name, fokEqual, Variant("a"), "a");
         TlxFilterCriteriaItemList* pair = c.Root().AddSubList(fbkOr);
         c.AddItem(pair, size, fokGreater, Variant(1), "1");
         c.AddItem(pair, size, fokLess, Variant(5), "5");
       },
       false},
      {"a root OR",
       [&](TlxFilterCriteria& c) {
         c.Root().SetBoolOperatorKind(fbkOr);
         c.AddItem(&c.Root(), name, fokEqual, Variant("a"), "a");
       },
       true},
      {"one column twice on the root",
       [&](TlxFilterCriteria& c) {
         c.AddItem(&c.Root(), size, fokGreater, Variant(1), "1");
         c.AddItem(&c.Root(), size, fokLess, Variant(5), "5");
       },
       true},
      {"between", [&](TlxFilterCriteria& c) { c.AddItem(&c.Root(), size, fokBetween, VarArrayOf({Variant(1), Variant(5)}), "1;5"); },
       true},
      {"a pair over two columns",
       [&](TlxFilterCriteria& c) {
         TlxFilterCriteriaItemList* pair = c.Root().AddSubList(fbkAnd);
         c.AddItem(pair, name, fokEqual, Variant("a"), "a");
         c.AddItem(pair, size, fokLess, Variant(5), "5");
       },
       true},
      {"a NOT AND pair",
       [&](TlxFilterCriteria& c) {
         TlxFilterCriteriaItemList* pair = c.Root().AddSubList(fbkNotAnd);
         c.AddItem(pair, size, fokGreater, Variant(1), "1");
         c.AddItem(pair, size, fokLess, Variant(5), "5");
       },
       true},
      {"a pair of three",
       [&](TlxFilterCriteria& c) {
         TlxFilterCriteriaItemList* pair = c.Root().AddSubList(fbkOr);
         for (int32_t i = 0; i < 3; ++i)
           c.AddItem(pair, size, fokEqual, Variant(i), std::to_string(i));
       },
       true},
  };
  for (const Case& test : cases) {
    Filter().RemoveAllItems();
    Filter().Root().SetBoolOperatorKind(fbkAnd);
    test.build(Filter());
    EXPECT_EQ(lxFilterNeedsFilterBuilder(Filter()), test.needs_builder) << test.what;
  }
}

// --- the custom filter dialog --------------------------------------------------

TEST_F(FilterDialogTest, TheFormFollowsItsStoredLayout) {
  auto dialog = MakeDialog(NameColumn());
  EXPECT_EQ(dialog->Caption(), "Custom Filter");
  EXPECT_EQ(dialog->ClientWidth(), 414);
  EXPECT_EQ(dialog->ClientHeight(), 206);
  EXPECT_EQ(dialog->LblTitle().Caption(), "Show rows where:");
  EXPECT_EQ(dialog->LblColumnCaption().Caption(), "Name ");
  // The line starts where the caption ends and keeps its right edge.
  TLabel& caption = dialog->LblColumnCaption();
  EXPECT_EQ(dialog->BvlLine().Left(), caption.Left() + caption.Width());
  EXPECT_EQ(dialog->BvlLine().Left() + dialog->BvlLine().Width(), 404);
  EXPECT_EQ(dialog->RbAnd().Caption(), "AND");
  EXPECT_TRUE(dialog->RbAnd().Checked());
  EXPECT_EQ(dialog->LblSingle().Caption(), "Use _ to represent any single character");
  EXPECT_EQ(dialog->LblSeries().Caption(), "Use % to represent any series of characters");
  ASSERT_NE(dialog->Edit1(), nullptr);
  EXPECT_EQ(dialog->Edit1()->Left(), 208);
  EXPECT_EQ(dialog->Edit1()->Top(), 46);
  EXPECT_EQ(dialog->Edit1()->TabOrder(), dialog->CbOperator1().TabOrder() + 1);
  EXPECT_EQ(dialog->RbAnd().TabOrder(), dialog->Edit1()->TabOrder() + 1);
  const std::vector<std::string> operators = {"equals",  "does not equal", "is less than", "is less than or equal to",
                                              "is greater than", "is greater than or equal to", "like",
                                              "not like", "is blank", "is not blank"};
  EXPECT_EQ(Entries(dialog->CbOperator1()), operators);
  std::vector<std::string> with_empty = operators;
  with_empty.insert(with_empty.begin(), "");
  EXPECT_EQ(Entries(dialog->CbOperator2()), with_empty);
  EXPECT_EQ(dialog->CbOperator2().GetProperties()->DropDownRows(), 11);
  // A text column starts with like; the wildcard hints show with it.
  EXPECT_EQ(lxDialogComboOperator(dialog->CbOperator1()), fcoLike);
  EXPECT_EQ(lxDialogComboOperator(dialog->CbOperator2()), fcoNone);
  EXPECT_TRUE(dialog->LblSingle().Visible());
  dialog->CbOperator1().SetItemIndex(0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(dialog->LblSingle().Visible());
  EXPECT_FALSE(dialog->LblSeries().Visible());
}

// A like operand may be typed with the criteria's wildcards even where the
// column's field takes no such character; other operators take them away.
TEST_F(FilterDialogTest, TheWildcardsAreValidCharactersOnlyUnderLike) {
  Filter().SetPercentWildcard('*');
  Filter().SetUnderscoreWildcard('?');
  auto dialog = MakeDialog(NameColumn());
  auto valid_chars = [](TlxCustomEdit* edit) {
    auto* properties = dynamic_cast<TlxCustomTextEditProperties*>(edit->GetActiveProperties());
    return properties != nullptr ? properties->AdditionalValidChars() : std::u16string(u"(no text editor)");
  };
  ASSERT_EQ(lxDialogComboOperator(dialog->CbOperator1()), fcoLike);
  EXPECT_EQ(valid_chars(dialog->Edit1()), u"*?");
  EXPECT_EQ(valid_chars(dialog->Edit2()), u"") << "the empty second row";
  EXPECT_EQ(dialog->LblSingle().Caption(), "Use ? to represent any single character");

  dialog->CbOperator1().SetItemIndex(0);  // equals
  dialog->CbOperator2().SetItemIndex(8);  // not like, after the empty entry
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(lxDialogComboOperator(dialog->CbOperator2()), fcoNotLike);
  EXPECT_EQ(valid_chars(dialog->Edit1()), u"");
  EXPECT_EQ(valid_chars(dialog->Edit2()), u"*?");
  dialog->CbOperator2().SetItemIndex(1);  // equals
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(valid_chars(dialog->Edit2()), u"");
  EXPECT_EQ(name_properties.AdditionalValidChars(), u"") << "the column's own properties stay as they were";
}

TEST_F(FilterDialogTest, ANumericColumnOffersNoLikeAndHidesTheHints) {
  auto dialog = MakeDialog(SizeColumn());
  const std::vector<std::string> entries = Entries(dialog->CbOperator1());
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "like"), 0);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "not like"), 0);
  EXPECT_EQ(lxDialogComboOperator(dialog->CbOperator1()), fcoEqual);
  EXPECT_FALSE(dialog->LblSingle().Visible());
}

TEST_F(FilterDialogTest, APairOnTheColumnShowsInBothRowsAndTheEmptySecondRowLeavesOne) {
  FilterWithTwoSizeConditions();
  auto dialog = MakeDialog(SizeColumn());
  EXPECT_EQ(lxDialogComboOperator(dialog->CbOperator1()), fcoGreater);
  EXPECT_EQ(dialog->Edit1()->EditValue().AsString(), "3");
  EXPECT_TRUE(dialog->RbOr().Checked());
  EXPECT_FALSE(dialog->RbAnd().Checked());
  EXPECT_EQ(lxDialogComboOperator(dialog->CbOperator2()), fcoLess);
  EXPECT_EQ(dialog->Edit2()->EditValue().AsString(), "9");

  dialog->CbOperator2().SetItemIndex(0);
  dialog->SetModalResult(mrOk);
  ASSERT_TRUE(dialog->CloseQuery());
  dialog->ApplyChanges();
  const TlxFilterCriteriaItemList& root = Filter().Root();
  ASSERT_EQ(root.ItemCount(), 2);
  const auto* size = dynamic_cast<const TlxFilterCriteriaItem*>(root.ItemAt(1));
  ASSERT_NE(size, nullptr) << "the size pair became one condition on the root";
  EXPECT_EQ(size->ItemLink(), SizeColumn());
  EXPECT_EQ(size->OperatorKind(), fokGreater);
  EXPECT_EQ(size->Value().AsInteger(), 3);
  EXPECT_TRUE(errors.empty());
}

TEST_F(FilterDialogTest, TwoRowsGoIntoOneSubListWithTheChosenOperator) {
  auto dialog = MakeDialog(SizeColumn());
  dialog->Edit1()->SetEditValue(Variant("2"));
  dialog->CbOperator1().SetItemIndex(4);  // is greater than
  dialog->CbOperator2().SetItemIndex(3);  // is less than
  dialog->Edit2()->SetEditValue(Variant("8"));
  dialog->RbOr().SetChecked(true);
  dialog->SetModalResult(mrOk);
  ASSERT_TRUE(dialog->CloseQuery());
  dialog->ApplyChanges();
  ASSERT_EQ(Filter().Root().ItemCount(), 1);
  const auto* pair = dynamic_cast<const TlxFilterCriteriaItemList*>(Filter().Root().ItemAt(0));
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->BoolOperatorKind(), fbkOr);
  ASSERT_EQ(pair->ItemCount(), 2);
  EXPECT_EQ(dynamic_cast<const TlxFilterCriteriaItem*>(pair->ItemAt(0))->OperatorKind(), fokGreater);
  EXPECT_EQ(dynamic_cast<const TlxFilterCriteriaItem*>(pair->ItemAt(1))->OperatorKind(), fokLess);
  Filter().SetActive(true);
  EXPECT_EQ(controller.GetRowCount(), 6) << "every size is above 2 or below 8";
  EXPECT_FALSE(lxFilterNeedsFilterBuilder(Filter()));
}

TEST_F(FilterDialogTest, IsBlankIsStoredAsEqualsNullShownAsBlank) {
  auto dialog = MakeDialog(NameColumn());
  dialog->Edit1()->SetEditValue(Variant("ignored"));
  dialog->CbOperator1().SetItemIndex(8);  // is blank
  dialog->SetModalResult(mrOk);
  ASSERT_TRUE(dialog->CloseQuery());
  dialog->ApplyChanges();
  ASSERT_EQ(Filter().Root().ItemCount(), 1);
  const auto* blank = dynamic_cast<const TlxFilterCriteriaItem*>(Filter().Root().ItemAt(0));
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->OperatorKind(), fokEqual);
  EXPECT_TRUE(blank->Value().IsNull());
  EXPECT_EQ(blank->DisplayValue(), "blank");
  // Opened again, the condition reads back as "is blank".
  auto again = MakeDialog(NameColumn());
  EXPECT_EQ(lxDialogComboOperator(again->CbOperator1()), fcoBlanks);
}

TEST_F(FilterDialogTest, AnOperandTheColumnRefusesKeepsTheDialogOpen) {
  auto dialog = MakeDialog(SizeColumn());
  dialog->Edit1()->SetEditValue(Variant("zwölf"));
  dialog->SetModalResult(mrOk);
  EXPECT_FALSE(dialog->CloseQuery());
  EXPECT_EQ(errors, std::vector<std::string>{"Invalid value"});
  EXPECT_EQ(Filter().Root().ItemCount(), 0);
  // Cancel is never checked.
  dialog->SetModalResult(mrCancel);
  EXPECT_TRUE(dialog->CloseQuery());
}

TEST_F(FilterDialogTest, TypedAndAcceptedByEnterTheDialogFiltersTheRecords) {
  TSteps steps;
  steps.Add([] { return ActiveFormAs<TlxFilterDialog>() != nullptr; });
  steps.Add([] {
    // From the operator list to the operand by Tab, then typed.
    test_support::InputKey(VK_TAB);
    return true;
  });
  steps.Add([] {
    TlxFilterDialog* dialog = ActiveFormAs<TlxFilterDialog>();
    if (dialog == nullptr || !dialog->Edit1()->OwnsWindow(GetFocus()))
      return false;
    test_support::SendText(GetFocus(), "Rech%");
    return true;
  });
  steps.Add([] {
    test_support::InputKey(VK_RETURN);
    return true;
  });
  steps.Start();
  const bool accepted = lxShowCustomFilterDialog(Filter(), NameColumn(), &name_properties, nullptr, nullptr,
                                                 lxValueTypeClass<TlxStringValueType>(), "Name");
  EXPECT_EQ(steps.Done(), steps.Count());
  ASSERT_TRUE(accepted);
  ASSERT_EQ(Filter().Root().ItemCount(), 1);
  const auto* like = dynamic_cast<const TlxFilterCriteriaItem*>(Filter().Root().ItemAt(0));
  ASSERT_NE(like, nullptr);
  EXPECT_EQ(like->OperatorKind(), fokLike);
  EXPECT_EQ(like->Value().AsString(), "Rech%");
  Filter().SetActive(true);
  EXPECT_EQ(controller.GetRowCount(), 2);
}

TEST_F(FilterDialogTest, AColumnWithoutAFilterHelperGetsNoDialog) {
  filter_builder_test::TTextProperties unfilterable{nullptr};
  EXPECT_FALSE(lxShowCustomFilterDialog(Filter(), NameColumn(), &unfilterable, nullptr, nullptr,
                                        lxValueTypeClass<TlxStringValueType>(), "Name"));
  EXPECT_FALSE(lxShowCustomFilterDialog(Filter(), NameColumn(), nullptr, nullptr, nullptr,
                                        lxValueTypeClass<TlxStringValueType>(), "Name"));
}

TEST_F(FilterDialogTest, AComboColumnTypesItsOperandsInAnEditableComboBox) {
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxComboBoxProperties::kClass);
  ASSERT_NE(dynamic_cast<const TlxFilterComboBoxHelper*>(helper), nullptr);
  EXPECT_TRUE(helper->KeepsEditButtons());
  TlxComboBoxProperties column(nullptr);
  TStringList items;
  items.Add("Rechnung");
  items.Add("Angebot");
  column.SetItems(&items);
  column.SetDropDownListStyle(lsFixedList);
  column.SetDropDownRows(2);
  column.SetRevertable(true);
  std::unique_ptr<TlxCustomEdit> edit(lxCreateFilterValueEdit(helper, &column, nullptr));
  auto* combo = dynamic_cast<TlxComboBox*>(edit.get());
  ASSERT_NE(combo, nullptr);
  const TlxComboBoxProperties& operand = *combo->GetProperties();
  EXPECT_EQ(operand.Items()->Count(), 2);
  EXPECT_EQ(operand.DropDownListStyle(), lsEditList) << "any text may be typed, like patterns too";
  EXPECT_EQ(operand.DropDownRows(), 8);
  EXPECT_FALSE(operand.Revertable());
  EXPECT_EQ(operand.Buttons()->Count(), column.Buttons()->Count()) << "the drop-down button stays";
}

// --- the filter builder dialog -------------------------------------------------

class FilterBuilderDialogTest : public FilterDialogTest {
 protected:
  void SetUp() override {
    FilterDialogTest::SetUp();
    view = new TViewComponent(nullptr, controller, {&name_properties, &size_properties});
    lxFilterControlDialogBounds() = TlxFilterControlDialogBounds();
  }
  void TearDown() override {
    delete view;
    FilterDialogTest::TearDown();
  }
  bool Run() {
    steps.Start();
    return lxShowFilterBuilderDialog(view, nullptr, clDefault, nullptr, {}, nullptr,
                                     [this](TObject*) {
                                       ++applied;
                                       Filter().SetActive(true);
                                     });
  }
  static TfmFilterControlDialog* Dialog() { return ActiveFormAs<TfmFilterControlDialog>(); }
  static bool FilterControlFocused() {
    TfmFilterControlDialog* dialog = Dialog();
    return dialog != nullptr && dialog->FilterControl()->Focused();
  }
  static void ClickButton(TlxButton& button) {
    test_support::InputClick(button.Handle(), POINT{button.Width() / 2, button.Height() / 2});
  }
  static void PressKey(UINT key) { test_support::InputKey(key); }

  TViewComponent* view = nullptr;
  TSteps steps;
  int applied = 0;
};

TEST_F(FilterBuilderDialogTest, BuiltByKeysAloneItFiltersTheRecords) {
  steps.Add(FilterControlFocused);
  steps.Add([] {
    PressKey(VK_INSERT);  // a condition on "Name", like
    return true;
  });
  steps.Add([] {
    PressKey(VK_RIGHT);
    return true;
  });
  steps.Add([] {
    PressKey(VK_RIGHT);
    return true;
  });
  steps.Add([] {
    TfmFilterControlDialog* dialog = Dialog();
    if (dialog == nullptr || dialog->FilterControl()->Builder().FocusedInfo.Kind != fhkOperand)
      return false;
    // Typing on the operand opens its editor with the character.
    test_support::SendText(dialog->FilterControl()->Handle(), "R");
    return true;
  });
  steps.Add([] {
    TfmFilterControlDialog* dialog = Dialog();
    auto* editing = dynamic_cast<TlxFilterInplaceEditing*>(dialog->FilterControl()->InplaceEditing());
    if (editing == nullptr || !editing->OperandEditorFocused())
      return false;
    auto* operand = dynamic_cast<TlxCustomTextEditProperties*>(editing->OperandEditor()->GetActiveProperties());
    EXPECT_TRUE(operand != nullptr && operand->AdditionalValidChars() == u"%_") << "a like operand takes the wildcards";
    test_support::SendText(GetFocus(), "ech%");
    return true;
  });
  steps.Add([] {
    PressKey(VK_RETURN);
    return true;
  });
  steps.Add([] {
    if (!FilterControlFocused())
      return false;
    ClickButton(Dialog()->BtOk());
    return true;
  });
  EXPECT_TRUE(Run());
  EXPECT_EQ(steps.Done(), steps.Count());
  EXPECT_EQ(applied, 1);
  ASSERT_EQ(Filter().Root().ItemCount(), 1);
  const auto* like = dynamic_cast<const TlxFilterCriteriaItem*>(Filter().Root().ItemAt(0));
  ASSERT_NE(like, nullptr);
  EXPECT_EQ(like->OperatorKind(), fokLike);
  EXPECT_EQ(like->Value().AsString(), "Rech%");
  EXPECT_EQ(controller.GetRowCount(), 2);
  EXPECT_TRUE(errors.empty());
}

TEST_F(FilterBuilderDialogTest, EscClosesAnOpenListFirstAndTheDialogNext) {
  bool open_after_first_esc = false;
  steps.Add(FilterControlFocused);
  steps.Add([] {
    PressKey(VK_INSERT);
    return true;
  });
  steps.Add([] {
    PressKey(VK_RETURN);  // drops the item list down
    return true;
  });
  steps.Add([] {
    TfmFilterControlDialog* dialog = Dialog();
    auto* editing = dynamic_cast<TlxFilterInplaceEditing*>(dialog->FilterControl()->InplaceEditing());
    if (editing == nullptr || editing->OpenList() == nullptr || !editing->OpenList()->GetDroppedDown())
      return false;
    PressKey(VK_ESCAPE);
    return true;
  });
  steps.Add([&open_after_first_esc] {
    if (!FilterControlFocused())
      return false;
    open_after_first_esc = true;
    PressKey(VK_ESCAPE);
    return true;
  });
  EXPECT_FALSE(Run());
  EXPECT_EQ(steps.Done(), steps.Count());
  EXPECT_TRUE(open_after_first_esc);
  EXPECT_EQ(applied, 0);
}

TEST_F(FilterBuilderDialogTest, SavedOpenedAndAppliedThroughTheFileDialogs) {
  const std::string path = TempFile("filterdlg_test.flt");
  std::remove(path.c_str());
  Filter().AddItem(&Filter().Root(), NameColumn(), fokLike, Variant("%ung"), "%ung");
  Filter().AddItem(&Filter().Root(), SizeColumn(), fokGreater, Variant(3), "3");
  std::string caption_after_open;
  size_t rows_after_clear = 0;
  size_t rows_after_open = 0;
  steps.Add([] {
    if (!FilterControlFocused())
      return false;
    EXPECT_EQ(Dialog()->Caption(), "Filter builder - [untitled.flt]");
    ClickButton(Dialog()->BtSave());
    return true;
  });
  steps.Add([path] { return AnswerFileDialog(path); });
  steps.Add([&rows_after_clear] {
    TfmFilterControlDialog* dialog = Dialog();
    if (dialog == nullptr || dialog->Caption().find(".flt]") == std::string::npos ||
        dialog->Caption() == "Filter builder - [untitled.flt]")
      return false;
    dialog->FilterControl()->Clear();
    rows_after_clear = dialog->FilterControl()->Builder().RowList().size();
    ClickButton(dialog->BtOpen());
    return true;
  });
  steps.Add([path] { return AnswerFileDialog(path); });
  steps.Add([&] {
    TfmFilterControlDialog* dialog = Dialog();
    if (dialog == nullptr || dialog->FilterControl()->Builder().RowList().size() <= 1)
      return false;
    caption_after_open = dialog->Caption();
    rows_after_open = dialog->FilterControl()->Builder().RowList().size();
    ClickButton(dialog->BtApply());
    return true;
  });
  steps.Add([] {
    ClickButton(Dialog()->BtCancel());
    return true;
  });
  EXPECT_FALSE(Run());
  EXPECT_EQ(steps.Done(), steps.Count());
  EXPECT_EQ(rows_after_clear, 1u) << "only the root row";
  EXPECT_EQ(rows_after_open, 3u);
  EXPECT_EQ(caption_after_open.rfind("Filter builder - [", 0), 0u) << caption_after_open;
  EXPECT_NE(caption_after_open.find("filterdlg_test.flt]"), std::string::npos) << caption_after_open;
  // Cancel after Apply leaves the applied filter in force.
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(controller.GetRowCount(), 2);  // Mahnung 7, Rechnung 5
  // The file holds exactly what the controller itself writes.
  TFileStream file(path, fmOpenRead);
  std::vector<uint8_t> saved(static_cast<size_t>(file.Size()));
  file.ReadBuffer(saved.data(), static_cast<int64_t>(saved.size()));
  TMemoryStream own;
  Filter().WriteToStream(own);
  EXPECT_EQ(saved, own.Bytes());
}

TEST_F(FilterBuilderDialogTest, AnIncompleteRowKeepsTheDialogOpenOnOk) {
  Filter().AddItem(&Filter().Root(), SizeColumn(), fokGreater, Variant(3), "3");
  size_t rows_after_refusal = 0;
  steps.Add([] {
    if (!FilterControlFocused())
      return false;
    TlxFilterBuilder& builder = Dialog()->FilterControl()->Builder();
    dynamic_cast<TlxConditionViewInfo&>(*builder.RowList().at(1)).SetOperator(fcoNone);
    ClickButton(Dialog()->BtOk());
    return true;
  });
  steps.Add([this, &rows_after_refusal] {
    if (errors.empty() || Dialog() == nullptr)
      return false;
    rows_after_refusal = Dialog()->FilterControl()->Builder().RowList().size();
    ClickButton(Dialog()->BtCancel());
    return true;
  });
  EXPECT_FALSE(Run());
  EXPECT_EQ(steps.Done(), steps.Count());
  EXPECT_EQ(errors, std::vector<std::string>{"Invalid value"});
  EXPECT_EQ(rows_after_refusal, 2u) << "the rows stay as the user left them";
  EXPECT_EQ(applied, 0);
  ASSERT_EQ(Filter().Root().ItemCount(), 1);
  EXPECT_EQ(dynamic_cast<const TlxFilterCriteriaItem*>(Filter().Root().ItemAt(0))->OperatorKind(), fokGreater);
}

// A skin paints the builder and the dialog's button bar in its own colour.
class TTealSkinPainter : public TlxStandardLookAndFeelPainter {
 public:
  TColor GetDefaultContentColor() const override { return kSkinColor; }
  static constexpr TColor kSkinColor = static_cast<TColor>(0x00808000);  // teal
};

TEST_F(FilterBuilderDialogTest, ASkinColoursTheBuilderAndTheButtonPanels) {
  TlxExtendedStylePainters& skins = lxExtendedStylePainters();
  skins.Add(new TlxExtendedStylePainter("FilterTestSkin", nullptr, &lxPainter<TTealSkinPainter>()));
  TScopeExit unregister([&skins] { skins.Delete(skins.Count() - 1); });
  TlxLookAndFeel skinned(nullptr);
  skinned.SetNativeStyle(false);
  skinned.SetKind(lfFlat);
  skinned.SetSkinName("FilterTestSkin");
  ASSERT_EQ(skinned.CurrentPainter(), &lxPainter<TTealSkinPainter>());
  TColor bottom = clNone;
  TColor bottom_right = clNone;
  COLORREF builder_pixel = CLR_INVALID;
  steps.Add([&] {
    if (!FilterControlFocused())
      return false;
    TfmFilterControlDialog* dialog = Dialog();
    bottom = dialog->PnlBottom().Color();
    bottom_right = dialog->PnlBottomRight().Color();
    TlxCustomFilterControl& control = *dialog->FilterControl();
    control.Update();
    // Below the one root row nothing but the background is drawn.
    builder_pixel = test_support::WindowPixels::Capture(control.Handle()).At(control.ClientWidth() / 2,
                                                                             control.ClientHeight() - 8);
    dialog->SetModalResult(mrCancel);
    return true;
  });
  steps.Start();
  EXPECT_FALSE(lxShowFilterBuilderDialog(view, &skinned));
  EXPECT_EQ(steps.Done(), steps.Count());
  EXPECT_EQ(bottom, TTealSkinPainter::kSkinColor);
  EXPECT_EQ(bottom_right, TTealSkinPainter::kSkinColor);
  EXPECT_TRUE(test_support::ColorsNear(builder_pixel, RGB(0, 0x80, 0x80))) << std::hex << builder_pixel;
}

TEST_F(FilterBuilderDialogTest, WithoutASkinThePanelsTakeTheBuildersColour) {
  TColor bottom = clNone;
  steps.Add([&bottom] {
    if (!FilterControlFocused())
      return false;
    bottom = Dialog()->PnlBottom().Color();
    Dialog()->SetModalResult(mrCancel);
    return true;
  });
  steps.Start();
  EXPECT_FALSE(lxShowFilterBuilderDialog(view, nullptr, clInfoBk));
  EXPECT_EQ(bottom, clInfoBk);
}

TEST_F(FilterBuilderDialogTest, TheFirstOpeningIsCentredAndTheNextTakesTheLastBounds) {
  TRect first;
  steps.Add([&first] {
    TfmFilterControlDialog* dialog = Dialog();
    if (dialog == nullptr)
      return false;
    first = dialog->BoundsRect();
    EXPECT_GE(dialog->ClientWidth(), 552);
    // Below the minimum size the window does not go.
    dialog->SetBounds(30, 40, 300, 100);
    dialog->SetModalResult(mrCancel);
    return true;
  });
  EXPECT_FALSE(Run());
  const TlxFilterControlDialogBounds remembered = lxFilterControlDialogBounds();
  const int32_t screen_width = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_NEAR(first.Left + first.Width() / 2, screen_width / 2, 2) << "centred";
  EXPECT_EQ(remembered.Left, 30);
  EXPECT_EQ(remembered.Top, 40);
  EXPECT_EQ(remembered.Width, 560);
  EXPECT_EQ(remembered.Height, 165);

  TSteps again;
  TRect second;
  again.Add([&second] {
    TfmFilterControlDialog* dialog = Dialog();
    if (dialog == nullptr)
      return false;
    second = dialog->BoundsRect();
    dialog->SetModalResult(mrCancel);
    return true;
  });
  again.Start();
  EXPECT_FALSE(lxShowFilterBuilderDialog(view));
  EXPECT_EQ(second.Left, 30);
  EXPECT_EQ(second.Top, 40);
  EXPECT_EQ(second.Width(), 560);
  EXPECT_EQ(second.Height(), 165);
}

}  // namespace filter_dialog_win_test
