// The editor control's keys, mouse, buttons, hint, automatic size and stored
// size, in real windows with real input.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/edit_control_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/menus.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/editors/drop_down_form_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/window_pixels.h"

namespace {

using edit_test::EditForm;
using edit_test::TestEdit;

using drop_down_fixture::InputMouse;

POINT Center(const TRect& rect) { return POINT{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}; }

// An editor with one button of 18 pixels on the right.
class ButtonForm : public EditForm<TestEdit> {
 public:
  ButtonForm() {
    TlxEditButton* button = edit->Properties()->Buttons()->AddButton();
    button->SetWidth(18);
    button->SetHint("Öffnen|Öffnet die Liste");
    edit->Properties()->OnButtonClick = [this](TObject*, int32_t index) {
      edit->log.push_back("click " + std::to_string(index));
    };
    edit->RefreshViewNow();
    test_support::PumpMessagesUntilIdle();
  }
  TRect ButtonBounds() const { return edit->GetViewInfo().Button(0).Bounds; }
};

// --- buttons by real mouse input -----------------------------------------------------------

TEST(EditInputTest, ReleasingOverThePressedButtonClicksItAndElsewhereNot) {
  ButtonForm fixture;
  const HWND window = fixture.edit->Handle();
  const TRect bounds = fixture.ButtonBounds();
  ASSERT_EQ(bounds.Right - bounds.Left, 18);
  const POINT on_button = Center(bounds);
  const POINT off_button{8, 12};

  InputMouse(window, on_button, 0);
  InputMouse(window, on_button, MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(fixture.edit->GetViewInfo().PressedButton, 0);
  EXPECT_EQ(fixture.edit->CapturedButton(), 0);
  const COLORREF pressed_face = test_support::WindowPixels::Capture(window).At(on_button.x - 5, on_button.y - 5);

  InputMouse(window, off_button, 0);
  EXPECT_EQ(fixture.edit->GetViewInfo().PressedButton, -1) << "moved off while held";
  InputMouse(window, on_button, 0);
  EXPECT_EQ(fixture.edit->GetViewInfo().PressedButton, 0) << "moved back while held";
  InputMouse(window, on_button, MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(fixture.edit->log, (std::vector<std::string>{"down 0", "up 0", "down 0", "up 0", "click 0"}));
  EXPECT_EQ(fixture.edit->GetViewInfo().HotButton, 0);
  const COLORREF hot_face = test_support::WindowPixels::Capture(window).At(on_button.x - 5, on_button.y - 5);
  EXPECT_NE(pressed_face, hot_face) << "the pressed button is drawn differently";

  fixture.edit->log.clear();
  InputMouse(window, on_button, MOUSEEVENTF_LEFTDOWN);
  InputMouse(window, off_button, 0);
  InputMouse(window, off_button, MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(fixture.edit->log, (std::vector<std::string>{"down 0", "up 0"}));
  EXPECT_EQ(fixture.edit->CapturedButton(), -1);
}

TEST(EditInputTest, ADoubleClickOnAButtonCountsAsASecondPressAndClick) {
  ButtonForm fixture;
  int double_clicks = 0;
  fixture.edit->OnDblClick = [&](TObject*) { ++double_clicks; };
  const HWND window = fixture.edit->Handle();
  const POINT on_button = Center(fixture.ButtonBounds());
  InputMouse(window, on_button, MOUSEEVENTF_LEFTDOWN);
  InputMouse(window, on_button, MOUSEEVENTF_LEFTUP);
  InputMouse(window, on_button, MOUSEEVENTF_LEFTDOWN);
  InputMouse(window, on_button, MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(double_clicks, 0);
  EXPECT_EQ(fixture.edit->log, (std::vector<std::string>{"down 0", "up 0", "click 0", "down 0", "up 0", "click 0"}));
}

TEST(EditInputTest, TheHintNamesThePartUnderTheCursor) {
  ButtonForm fixture;
  fixture.edit->SetHint("Pfad|Der Pfad der Datei");
  fixture.edit->SetShowHint(true);
  const TRect bounds = fixture.ButtonBounds();
  InputMouse(fixture.edit->Handle(), Center(bounds), 0);
  struct Case {
    POINT point;
    LRESULT result;
    std::string text;
  };
  const TRect frame = fixture.edit->GetViewInfo().BorderRect;
  for (const Case& c : {Case{Center(bounds), 0, "Öffnen"}, Case{POINT{5, 12}, 0, "Pfad"},
                        Case{POINT{300, 300}, -1, ""}}) {
    InputMouse(fixture.edit->Handle(), c.point, 0);
    TlxEditHintInfo info;
    info.CursorPos = TPoint(c.point.x, c.point.y);
    const LRESULT result = SendMessageW(fixture.edit->Handle(), CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(result, c.result) << c.point.x;
    EXPECT_EQ(info.HintStr, c.text) << c.point.x;
    if (c.text == "Öffnen") {
      EXPECT_EQ(info.CursorRect, bounds);
    }
    if (c.text == "Pfad") {
      EXPECT_EQ(info.CursorRect, TRect(frame.Left, frame.Top, bounds.Left, frame.Bottom));
    }
  }
}

// --- keys ---------------------------------------------------------------------------------

TEST(EditInputTest, TheClearKeyEmptiesTheValueAndRaisesItsEventsOnce) {
  EditForm<TestEdit> fixture;
  fixture.edit->Properties()->SetClearKey(ShortCut(VK_DELETE, TShiftState{ssCtrl}));
  fixture.edit->SetEditValue(Variant("voll"));
  std::vector<std::string> events;
  fixture.edit->Properties()->OnChange = [&](TObject*) {
    events.push_back(std::string("change locked=") + (fixture.edit->AreChangeEventsLocked() ? "1" : "0"));
  };
  fixture.edit->Properties()->OnEditValueChanged = [&](TObject*) { events.push_back("value"); };
  fixture.FocusEdit();
  test_support::InputKey(VK_DELETE, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.edit->EditValue().IsNull());
  EXPECT_TRUE(fixture.edit->Modified()) << "a user change";
  EXPECT_TRUE(fixture.edit->Validated());
  EXPECT_EQ(events, (std::vector<std::string>{"change locked=0", "value"}));
}

TEST(EditInputTest, TheClickKeyClicksTheDefaultButtonInsteadOfReachingOnKeyDown) {
  ButtonForm fixture;
  std::vector<uint16_t> keys_seen;
  fixture.edit->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { keys_seen.push_back(key); };
  fixture.FocusEdit();
  test_support::InputKey(VK_RETURN, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(keys_seen, (std::vector<uint16_t>{VK_CONTROL, VK_RETURN})) << "no default button: an ordinary key";
  EXPECT_TRUE(fixture.edit->log.empty());

  fixture.edit->Properties()->Buttons()->GetButton(0)->SetDefault(true);
  keys_seen.clear();
  test_support::InputKey(VK_RETURN, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(keys_seen, (std::vector<uint16_t>{VK_CONTROL}));
  EXPECT_EQ(fixture.edit->log, (std::vector<std::string>{"click 0"}));
}

TEST(EditInputTest, EscRestoresAModifiedValueAndSwallowsItsCharacter) {
  EditForm<TestEdit> fixture;
  std::vector<char16_t> chars;
  fixture.edit->OnKeyPress = [&](TObject*, char16_t& key) { chars.push_back(key); };
  fixture.edit->SetEditValue(Variant("alt"));
  fixture.FocusEdit();
  fixture.edit->SetUserChange(true);
  fixture.edit->SetEditValue(Variant("neu"));
  fixture.edit->SetUserChange(false);
  test_support::InputKey(VK_ESCAPE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(VarToStr(fixture.edit->EditValue()), "alt");
  EXPECT_TRUE(chars.empty());

  // Not modified: Esc passes as an ordinary key.
  test_support::InputKey(VK_ESCAPE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(chars, (std::vector<char16_t>{u'\x1b'}));
}

TEST(EditInputTest, EnterIsConsumedOnlyWhenItValidates) {
  for (bool validate_on_enter : {false, true}) {
    EditForm<TestEdit> fixture;
    fixture.edit->Properties()->SetValidateOnEnter(validate_on_enter);
    int validations = 0;
    fixture.edit->Properties()->OnValidate = [&](TObject*, Variant&, std::string&, bool&) { ++validations; };
    std::vector<uint16_t> after;
    fixture.edit->OnAfterKeyDown = [&](TObject*, uint16_t& key, TShiftState) { after.push_back(key); };
    int enter_downs = 0;
    fixture.edit->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { enter_downs += key == VK_RETURN; };
    fixture.FocusEdit();
    fixture.edit->SetUserChange(true);
    fixture.edit->SetEditValue(Variant("x"));
    fixture.edit->SetUserChange(false);
    test_support::InputKey(VK_RETURN);
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(enter_downs, 1) << validate_on_enter;
    EXPECT_EQ(validations, validate_on_enter ? 1 : 0);
    EXPECT_TRUE(after.empty()) << "Enter never reaches the after-key-down event";
  }
}

TEST(EditInputTest, TabMovesTheFocusAndArrowsGoToTheAfterKeyDownEvent) {
  EditForm<TestEdit> fixture;
  std::vector<uint16_t> after;
  fixture.edit->OnAfterKeyDown = [&](TObject*, uint16_t& key, TShiftState) { after.push_back(key); };
  fixture.FocusEdit();
  test_support::InputKey(VK_DOWN);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(after, (std::vector<uint16_t>{VK_DOWN}));
  test_support::InputKey(VK_TAB);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.other->IsFocusWithin());
  EXPECT_FALSE(fixture.edit->IsFocusWithin());
}

// --- size -----------------------------------------------------------------------------------

TEST(EditInputTest, AutoSizeFollowsTheAlignment) {
  EditForm<TestEdit> fixture;
  ASSERT_TRUE(fixture.edit->AutoSize());
  const int32_t natural = fixture.edit->Height();
  EXPECT_GT(natural, 10);
  EXPECT_LT(natural, 40);
  fixture.edit->SetBounds(10, 10, 120, 60);
  EXPECT_EQ(fixture.edit->Height(), natural) << "an auto-sized editor keeps its own height";

  fixture.edit->SetAlign(alClient);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Height(), fixture.form->ClientHeight());
  fixture.edit->SetAlign(alTop);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Height(), natural);
  EXPECT_EQ(fixture.edit->Width(), fixture.form->ClientWidth());
}

std::string WrittenDescription(TComponent& component) {
  TMemoryStream stream;
  stream.WriteComponent(component);
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return std::string(bytes, bytes + stream.Size());
}

TEST(EditInputTest, TheStoredSizeLeavesOutWhatAutoSizeDecides) {
  EditForm<TestEdit> fixture;
  const std::string auto_sized = WrittenDescription(*fixture.edit);
  EXPECT_EQ(auto_sized.find("Height"), std::string::npos);
  EXPECT_NE(auto_sized.find("Width"), std::string::npos);

  fixture.edit->SetAutoSize(false);
  fixture.edit->SetBounds(10, 10, 140, 33);
  TMemoryStream stream;
  stream.WriteComponent(*fixture.edit);
  fixture.other->SetAutoSize(false);
  stream.SetPosition(0);
  stream.ReadComponent(fixture.other);
  EXPECT_EQ(fixture.other->Height(), 33);
  EXPECT_EQ(fixture.other->Width(), 140);
}

// --- bad input --------------------------------------------------------------------------------

TEST(EditInputTest, BadSettingsNeitherCrashNorLeakHandles) {
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    EditForm<TestEdit> fixture;
    TlxEditButtons* buttons = fixture.edit->Properties()->Buttons();
    for (int i = 0; i < 3; ++i)
      buttons->AddButton()->SetWidth(i == 0 ? -40 : 30);
    fixture.edit->GetStyle()->Font()->SetHeight(0);
    fixture.edit->SetAutoSize(false);
    fixture.edit->SetBounds(10, 10, 20, 24);  // narrower than its buttons
    fixture.edit->RefreshViewNow();
    test_support::PumpMessagesUntilIdle();
    const TlxCustomEditViewInfo& info = fixture.edit->GetViewInfo();
    for (int32_t i = 0; i < info.ButtonCount(); ++i) {
      const TRect& shown = info.Button(i).VisibleBounds;
      EXPECT_GE(shown.Right, shown.Left) << i;
      EXPECT_GE(shown.Left, 0) << i;
      EXPECT_LE(shown.Right, 20) << i;
    }
    InputMouse(fixture.edit->Handle(), POINT{10, 12}, 0);
    RedrawWindow(fixture.edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    fixture.edit->SetAutoSize(true);
    EXPECT_GT(fixture.edit->Height(), 0);
  }
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

TEST(EditInputTest, TheButtonsLookFollowsTheFirstButtonsStyleOrTheInplaceStyle) {
  EditForm<TestEdit> fixture;
  EXPECT_EQ(lxGetEditButtonsLookAndFeelKind(*fixture.edit), lfStandard) << "no buttons";
  fixture.edit->Properties()->Buttons()->AddButton();
  const std::pair<TlxEditButtonStyle, TlxLookAndFeelKind> cases[] = {
      {bts3D, lfStandard}, {btsHotFlat, lfFlat}, {btsUltraFlat, lfUltraFlat}, {btsOffice11, lfOffice11}};
  for (const auto& [style, kind] : cases) {
    fixture.edit->GetStyle()->SetButtonStyle(style);
    fixture.edit->RefreshViewNow();
    EXPECT_EQ(lxGetEditButtonsLookAndFeelKind(*fixture.edit), kind) << int(style);
  }

  lxEditorsInitialize();
  {
    std::unique_ptr<TlxCustomEdit> inplace(TlxCustomEdit::CreateInplace(TestEdit::kClass, nullptr, true));
    inplace->GetStyle()->LookAndFeel()->SetKind(lfOffice11);
    inplace->GetStyle()->SetButtonStyle(bts3D);
    EXPECT_EQ(lxGetEditButtonsLookAndFeelKind(*inplace), lfOffice11);
  }
  lxEditorsFinalize();
}

}  // namespace
