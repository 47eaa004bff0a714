#include "editors/popup_edit_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_error.h"
#include "editors/editors_module_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/panel.h"
#include "tests/support/gui_objects.h"
#include "tests/support/message_pump.h"

namespace popup_edit_test {

using test_support::PumpMessagesUntilIdle;

// A form with a panel holding the popup edit and two sibling panels that
// can be hosted.
class PopupEditForm {
 public:
  PopupEditForm() {
    lxEditorsInitialize();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 300);
    holder = new TPanel(form);
    holder->SetParent(form);
    holder->SetBounds(0, 0, 200, 60);
    edit = new TlxPopupEdit(form);
    edit->SetParent(holder);
    edit->SetBounds(10, 10, 150, 24);
    first = MakePanel(TRect(220, 100, 380, 220), alNone, false);
    second = MakePanel(TRect(220, 10, 300, 60), alBottom, true);
    edit->GetProperties()->OnInitPopup = [this](TObject*) { log.push_back("init"); };
    edit->GetProperties()->OnFinalizePopup = [this](TObject*) { log.push_back("finalize"); };
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~PopupEditForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxEditorsFinalize();
  }
  PopupEditForm(const PopupEditForm&) = delete;
  PopupEditForm& operator=(const PopupEditForm&) = delete;

  TPanel* MakePanel(const TRect& bounds, TAlign align, bool visible) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBoundsRect(bounds);
    panel->SetAlign(align);
    panel->SetVisible(visible);
    if (align != alNone)
      panel->SetBoundsRect(bounds);
    return panel;
  }
  void Open() {
    edit->DropDown();
    PumpMessagesUntilIdle();
  }
  bool Shown() const { return edit->GetDroppedDown(); }

  TForm* form;
  TPanel* holder;
  TlxPopupEdit* edit;
  TPanel* first;
  TPanel* second;
  std::vector<std::string> log;
};

struct SavedState {
  explicit SavedState(TControl* control)
      : parent(control->Parent()), bounds(control->BoundsRect()), align(control->Align()),
        visible(control->Visible()) {}
  bool operator==(const SavedState&) const = default;
  TWinControl* parent;
  TRect bounds;
  TAlign align;
  bool visible;
};

TEST(PopupEditTest, HostsTheControlSizedToItAndGivesItBackWhole) {
  PopupEditForm fixture;
  fixture.edit->GetProperties()->SetPopupControl(fixture.first);
  const SavedState before(fixture.first);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  TlxCustomEditPopupWindow* popup = fixture.edit->PopupWindow();
  EXPECT_EQ(fixture.first->Parent(), popup);
  EXPECT_TRUE(fixture.first->Visible());
  EXPECT_EQ(fixture.first->Align(), alClient);
  const TRect extent = popup->GetViewInfo().CalcBorderExtent();
  EXPECT_EQ(popup->Width(), 160 + extent.Left + extent.Right) << "sized from the control";
  EXPECT_EQ(fixture.first->BoundsRect(), popup->GetViewInfo().ClientRect);
  EXPECT_TRUE(lxControlOwnsWindow(popup, GetFocus(), true)) << "the popup captures the focus";
  fixture.edit->CloseUp(crUnknown);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_EQ(SavedState(fixture.first), before);
  EXPECT_EQ(fixture.log, (std::vector<std::string>{"init", "finalize"}));

  // The saved bounds come back, so the next opening is sized from them again.
  fixture.Open();
  EXPECT_EQ(popup->Width(), 160 + extent.Left + extent.Right);
}

TEST(PopupEditTest, WithoutAControlOnlyInitializationAndFinalizationRun) {
  PopupEditForm fixture;
  fixture.Open();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_EQ(fixture.log, (std::vector<std::string>{"init", "finalize"}));
}

TEST(PopupEditTest, ControlsHoldingTheEditorAreRefused) {
  PopupEditForm fixture;
  TControl* refused[] = {fixture.form, fixture.holder, fixture.edit, fixture.edit->PopupWindow()};
  for (TControl* control : refused) {
    fixture.edit->GetProperties()->SetPopupControl(control);
    try {
      fixture.edit->DropDown();
      ADD_FAILURE() << "no error for " << control->ClassName();
    } catch (const ElxEditError& error) {
      EXPECT_STREQ(error.what(), "Circular referencing is not allowed");
    }
    PumpMessagesUntilIdle();
    EXPECT_FALSE(fixture.Shown());
    EXPECT_TRUE(fixture.log.empty()) << "the initialization never ran";
  }
  fixture.edit->GetProperties()->SetPopupControl(fixture.second);
  fixture.Open();
  EXPECT_TRUE(fixture.Shown()) << "a sibling is fine";
}

// Changing or clearing PopupControl while the popup is open must not leave
// the hosted control in the popup.
TEST(PopupEditTest, ExactlyTheHostedControlGoesBackWhenPopupControlChangesWhileOpen) {
  struct Case {
    const char* name;
    bool clear;
  };
  for (const Case& c : {Case{"changed", false}, Case{"cleared", true}}) {
    PopupEditForm fixture;
    fixture.edit->GetProperties()->SetPopupControl(fixture.first);
    const SavedState first_before(fixture.first);
    const SavedState second_before(fixture.second);
    fixture.Open();
    ASSERT_TRUE(fixture.Shown()) << c.name;
    fixture.edit->GetProperties()->SetPopupControl(c.clear ? nullptr : fixture.second);
    fixture.edit->CloseUp(crUnknown);
    PumpMessagesUntilIdle();
    EXPECT_EQ(SavedState(fixture.first), first_before) << c.name;
    EXPECT_EQ(SavedState(fixture.second), second_before) << c.name;
    EXPECT_EQ(fixture.edit->HostedControl(), nullptr);
  }
}

TEST(PopupEditTest, DestroyingTheEditorWhileOpenSavesTheHostedControl) {
  PopupEditForm fixture;
  fixture.edit->GetProperties()->SetPopupControl(fixture.first);
  const SavedState before(fixture.first);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  const TWeakRef<TPanel> first(fixture.first);
  delete fixture.edit;
  fixture.edit = nullptr;
  PumpMessagesUntilIdle();
  ASSERT_NE(first.Get(), nullptr) << "the control did not die with the popup";
  EXPECT_EQ(SavedState(first.Get()), before);
}

TEST(PopupEditTest, AFormIsHostedWithoutBorderAndGetsItBack) {
  PopupEditForm fixture;
  auto* hosted = new TForm(nullptr);
  hosted->SetBounds(500, 100, 180, 120);
  hosted->SetBorderStyle(bsSingle);
  fixture.edit->GetProperties()->SetPopupControl(hosted);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  EXPECT_EQ(hosted->BorderStyle(), bsNone);
  EXPECT_EQ(hosted->Parent(), fixture.edit->PopupWindow());
  fixture.edit->CloseUp(crUnknown);
  PumpMessagesUntilIdle();
  EXPECT_EQ(hosted->BorderStyle(), bsSingle);
  EXPECT_EQ(hosted->Parent(), nullptr);
  EXPECT_FALSE(hosted->Visible());
  delete hosted;
}

TEST(PopupEditTest, AFreedControlIsDroppedAndOnlyTheCurrentOneIsWatched) {
  PopupEditForm fixture;
  TlxPopupEditProperties* properties = fixture.edit->GetProperties();
  properties->SetPopupControl(fixture.first);
  properties->SetPopupControl(fixture.second);
  delete fixture.first;
  fixture.first = nullptr;
  EXPECT_EQ(properties->PopupControl(), fixture.second) << "the old control is no longer watched";
  delete fixture.second;
  fixture.second = nullptr;
  EXPECT_EQ(properties->PopupControl(), nullptr);
  fixture.Open();
  EXPECT_FALSE(fixture.Shown());
}

TEST(PopupEditTest, DefaultsAndAssign) {
  TlxPopupEditProperties properties(nullptr);
  EXPECT_TRUE(properties.PopupAutoSize());
  EXPECT_EQ(properties.PopupHeight(), 200);
  EXPECT_EQ(properties.PopupWidth(), 250);
  EXPECT_EQ(properties.PopupMinHeight(), 100);
  EXPECT_EQ(properties.PopupMinWidth(), 100);
  EXPECT_TRUE(properties.PopupSizeable());
  EXPECT_TRUE(properties.ImmediateDropDown());
  EXPECT_TRUE(properties.ImmediatePopup());
  EXPECT_TRUE(properties.PopupCapturesFocus());
  EXPECT_FALSE(properties.ShowsLookupListInPopup());

  TForm owner(nullptr);
  auto* panel = new TPanel(&owner);
  properties.SetPopupControl(panel);
  TlxPopupEditProperties copy(nullptr);
  copy.Assign(&properties);
  EXPECT_EQ(copy.PopupControl(), panel);
  TlxCustomDropDownEditProperties plain(nullptr);
  plain.SetPopupWidth(300);
  copy.Assign(&plain);
  EXPECT_EQ(copy.PopupControl(), panel) << "other drop-down properties leave it";
  EXPECT_EQ(copy.PopupWidth(), 300);
  properties.SetPopupControl(nullptr);
  copy.SetPopupControl(nullptr);
}

TEST(PopupEditTest, OpenCloseCyclesGiveBackTheirHandles) {
  PopupEditForm fixture;
  fixture.edit->GetProperties()->SetPopupControl(fixture.first);
  fixture.Open();
  fixture.edit->CloseUp(crUnknown);
  PumpMessagesUntilIdle();
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  for (int i = 0; i < 5; ++i) {
    fixture.Open();
    ASSERT_TRUE(fixture.Shown());
    fixture.edit->CloseUp(crUnknown);
    PumpMessagesUntilIdle();
  }
  EXPECT_EQ(test_support::CountGdiObjects(), gdi);
  EXPECT_EQ(test_support::CountUserObjects(), user);
}

}  // namespace popup_edit_test

namespace popup_edit_test {

TEST(PopupEditTest, TheDropDownModuleRegistersThePopupEditKind) {
  lxEditorsInitialize();
  lxDropDownEditInitialize();
  TlxRegisteredClasses& registry = lxGetRegisteredEditProperties();
  const int32_t index = registry.IndexOf(&TlxPopupEditProperties::kClass);
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry.DisplayText(index), "PopupEdit|Represents an edit control with a dropdown list");
  EXPECT_EQ(registry.FindByClassName("TlxPopupEditProperties"), &TlxPopupEditProperties::kClass);
  lxDropDownEditFinalize();
  lxEditorsFinalize();
}

}  // namespace popup_edit_test
