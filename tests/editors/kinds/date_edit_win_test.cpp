#include "editors/kinds/date_edit_win.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/editors_module_win.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/form.h"
#include "ui/foundation/foundation_start_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace date_edit_win_test {

using test_support::PumpMessagesUntilIdle;

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0) { return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0); }

// A date editor on a form with a second control to leave it for.
class DateEditForm {
 public:
  DateEditForm() {
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 460, 360);
    edit = new TlxDateEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 180, 24);
    other = new TlxDateEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 60, 180, 24);
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~DateEditForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxDateEditModuleEnd();
  }
  DateEditForm(const DateEditForm&) = delete;
  DateEditForm& operator=(const DateEditForm&) = delete;

  // The library is started once for the whole test program and never
  // ended: its end is the process's end, after which it makes no shared
  // message window, timer window or mouse tracker again. A later test's
  // non-activating popup (the filter builder's in-place list) then had no
  // parent window and failed to open.
  static bool StartModules() {
    static const bool foundation_started = [] {
      lxStartFoundation();
      return true;
    }();
    lxEditorsInitialize();
    lxDateEditModuleStart();
    return foundation_started;
  }
  HWND InnerWindow() const { return GetFocus(); }
  void Type(const std::string& text) {
    test_support::SendText(InnerWindow(), text);
    PumpMessagesUntilIdle();
  }
  void Key(UINT key, bool shift = false) {
    test_support::InputKey(key, shift);
    PumpMessagesUntilIdle();
  }
  void ClearText() {
    edit->SelectAll();
    Key(VK_DELETE);
  }
  void Open() {
    edit->DropDown();
    PumpMessagesUntilIdle();
  }
  // Clicks the calendar's day cell of `day`, shown in the open popup.
  void ClickDay(TDateTime day) {
    TlxDateEditCalendar* calendar = edit->Calendar();
    const int offset = static_cast<int>(day - calendar->GetFirstVisibleDate());
    ASSERT_GE(offset, 0);
    ASSERT_LT(offset, 42);
    const TRect cell = calendar->CellRect(offset % 7, offset / 7);
    test_support::SendClick(calendar->Handle(), POINT{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    PumpMessagesUntilIdle();
  }

  // The library's texts (the smart date words among them) are in place
  // before the German formats and masks are worked out.
  bool modules_started = StartModules();
  TScopedLocale german{"de-DE"};
  TScopedClock clock{At(2026, 12, 11, 9, 15, 30)};
  TForm* form;
  TlxDateEdit* edit;
  TlxDateEdit* other;
};

TEST(DateEditTest, IsRegisteredWithItsControlAndFilterHelper) {
  DateEditForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxDateEditProperties"),
            &TlxDateEditProperties::kClass);
  EXPECT_EQ(fixture.edit->GetProperties()->GetEditControlClass(), &TlxDateEdit::kClass);
  EXPECT_EQ(fixture.edit->GetProperties()->GetPopupWindowClass(), &TlxDateEditPopupWindow::kClass);
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxDateEditProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxDateEdit::kClass);
  EXPECT_EQ(FindClass("TlxDateEdit"), &TlxDateEdit::kClass);

  const TlxDateEditProperties& properties = *fixture.edit->GetProperties();
  EXPECT_FALSE(properties.ImmediateDropDown());
  EXPECT_FALSE(properties.PopupSizeable());
  EXPECT_TRUE(properties.PostsValueAfterPopupClosed());
  EXPECT_FALSE(properties.PopupAdjustsToWorkArea());
  EXPECT_EQ(fixture.edit->Date(), NullDate);
  EXPECT_EQ(fixture.edit->Text(), "");
}

TEST(DateEditTest, TypedDatesAreReadWithGermanFormatsAndShownAlsoWithTheirTime) {
  DateEditForm fixture;
  fixture.Type("3.3.2009");
  EXPECT_EQ(fixture.edit->Date(), At(2009, 3, 3)) << "while typed, Date reads the text";
  ASSERT_TRUE(fixture.edit->ValidateEdit(false));
  EXPECT_EQ(fixture.edit->Date(), At(2009, 3, 3));

  fixture.edit->SetDate(At(2009, 3, 3, 14, 5, 9));
  fixture.other->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "03.03.2009 14:05:09");
  fixture.edit->SetDate(At(2009, 3, 4));
  EXPECT_EQ(fixture.edit->Text(), "04.03.2009 14:05:09") << "a date-only editor keeps the time it was given";
  fixture.edit->GetProperties()->SetSaveTime(false);
  fixture.edit->SetDate(At(2009, 3, 3));
  EXPECT_EQ(fixture.edit->Text(), "03.03.2009") << "midnight shows the date alone";
  fixture.edit->GetProperties()->SetShowTime(false);
  fixture.edit->SetDate(At(2009, 3, 3, 14, 5, 9));
  EXPECT_EQ(fixture.edit->Text(), "03.03.2009");
  fixture.edit->Clear();
  EXPECT_TRUE(fixture.edit->EditValue().IsNull());
  EXPECT_EQ(fixture.edit->Text(), "");
}

TEST(DateEditTest, TheRegularExpressionRefusesWhatCannotBecomeADate) {
  DateEditForm fixture;
  ASSERT_EQ(fixture.edit->GetProperties()->InputKind(), ikRegExpr);
  fixture.Type("1x2.");
  EXPECT_EQ(fixture.edit->Text(), "12.") << "a letter is no part of a date";
  fixture.Type("3.1999");
  ASSERT_TRUE(fixture.edit->ValidateEdit(false));
  EXPECT_EQ(fixture.edit->Date(), At(1999, 3, 12));
}

TEST(DateEditTest, DateOnErrorDecidesWhatGarbageBecomes) {
  struct Case {
    TDateOnError on_error;
    TlxCalendarKind kind;
    bool valid;
    TDateTime expected;
  };
  for (const Case& c : {Case{deToday, ckDate, true, At(2026, 12, 11)},
                        Case{deToday, ckDateTime, true, At(2026, 12, 11, 9, 15, 30)},
                        Case{deNull, ckDate, true, NullDate}, Case{deNoChange, ckDate, false, At(2001, 2, 3)}}) {
    SCOPED_TRACE(testing::Message() << "DateOnError " << int(c.on_error) << " kind " << int(c.kind));
    DateEditForm fixture;
    TlxDateEditProperties* properties = fixture.edit->GetProperties();
    properties->SetKind(c.kind);
    properties->SetInputKind(ikStandard);
    properties->SetDateOnError(c.on_error);
    properties->SetSaveTime(false);
    fixture.edit->SetDate(At(2001, 2, 3));
    fixture.ClearText();
    fixture.Type("Quatsch");
    EXPECT_EQ(fixture.edit->ValidateEdit(false), c.valid);
    if (c.valid) {
      EXPECT_DOUBLE_EQ(fixture.edit->Date(), c.expected);
    } else {
      EXPECT_EQ(fixture.edit->EditValue().AsDateTime(), c.expected) << "the value stays";
    }
    if (c.on_error == deNull) {
      EXPECT_TRUE(fixture.edit->EditValue().IsNull());
    }
  }
}

TEST(DateEditTest, ClearingTheTextGivesNullAlsoWithAKeptTime) {
  DateEditForm fixture;
  fixture.edit->SetDate(At(2010, 5, 1, 10, 30));
  EXPECT_DOUBLE_EQ(fixture.edit->SavedTime(), EncodeTime(10, 30, 0, 0));
  fixture.ClearText();
  ASSERT_TRUE(fixture.edit->ValidateEdit(false));
  EXPECT_TRUE(fixture.edit->EditValue().IsNull()) << "no time of day on 30 December 1899";
  EXPECT_EQ(fixture.edit->Date(), NullDate);
}

TEST(DateEditTest, TheCalendarPicksADayAndADateOnlyEditorKeepsItsTime) {
  DateEditForm fixture;
  fixture.edit->SetDate(At(2010, 5, 1, 10, 30));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxDateEditCalendar* calendar = fixture.edit->Calendar();
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(calendar->Parent(), fixture.edit->PopupWindow());
  EXPECT_EQ(calendar->SelectDate(), At(2010, 5, 1)) << "the calendar opens on the value's day";
  EXPECT_EQ(fixture.edit->PopupDate(), At(2010, 5, 1, 10, 30));
  fixture.ClickDay(At(2010, 5, 2));
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_DOUBLE_EQ(fixture.edit->Date(), At(2010, 5, 2, 10, 30));
  EXPECT_EQ(fixture.edit->Text(), "02.05.2010");

  fixture.other->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "02.05.2010 10:30:00");
}

TEST(DateEditTest, KeysInTheCalendarMoveEnterPicksAndEscLeavesTheValue) {
  DateEditForm fixture;
  fixture.edit->SetDate(At(2026, 12, 24));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.Key(VK_RIGHT);
  fixture.Key(VK_ESCAPE);
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Date(), At(2026, 12, 24));

  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.Key(VK_RIGHT);
  fixture.Key(VK_RETURN);
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Date(), At(2026, 12, 25));
}

TEST(DateEditTest, TheClearButtonEmptiesAndTodayTakesTheClock) {
  DateEditForm fixture;
  fixture.edit->SetDate(At(2010, 5, 1));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxButton* clear = fixture.edit->Calendar()->Button(btnClear);
  ASSERT_TRUE(clear->Visible());
  test_support::SendClick(clear->Handle(), POINT{clear->Width() / 2, clear->Height() / 2});
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_TRUE(fixture.edit->EditValue().IsNull());

  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxButton* today = fixture.edit->Calendar()->Button(btnToday);
  test_support::SendClick(today->Handle(), POINT{today->Width() / 2, today->Height() / 2});
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Date(), At(2026, 12, 11));
}

TEST(DateEditTest, AMaskedDateTimeShowsZerosForTheTimeAndRefusesImpossibleHours) {
  DateEditForm fixture;
  TlxDateEditProperties* properties = fixture.edit->GetProperties();
  properties->SetKind(ckDateTime);
  ASSERT_EQ(properties->InputKind(), ikMask);
  fixture.other->SetFocus();
  fixture.edit->SetFocus();
  PumpMessagesUntilIdle();
  const std::string empty = fixture.edit->Text();
  EXPECT_NE(empty.find("00:00:00"), std::string::npos) << empty;

  fixture.edit->SetSelStart(0);
  fixture.Type("0503200914");
  EXPECT_EQ(fixture.edit->Text().substr(0, 13), "05.03.2009 14") << fixture.edit->Text();
  // The hour is full; a 7 would make hour 74 at the first hour digit.
  const int32_t hour_start = static_cast<int32_t>(std::string("05.03.2009 ").size()) + 1;
  char16_t seven = u'7';
  EXPECT_FALSE(fixture.edit->IsCharAllowedAt(seven, hour_start));
  char16_t two = u'2';
  EXPECT_TRUE(fixture.edit->IsCharAllowedAt(two, hour_start));
  char16_t six = u'6';
  EXPECT_FALSE(fixture.edit->IsCharAllowedAt(six, hour_start + 3)) << "minutes run to 59";
  EXPECT_TRUE(fixture.edit->IsCharAllowedAt(seven, 1)) << "the date part is the mask's";
  ASSERT_TRUE(fixture.edit->ValidateEdit(false));
  EXPECT_DOUBLE_EQ(fixture.edit->Date(), At(2009, 3, 5, 14));
}

TEST(DateEditTest, ADateTimeEditorKeepsTheTimeOfDayWhenADayIsPicked) {
  DateEditForm fixture;
  fixture.edit->GetProperties()->SetKind(ckDateTime);
  fixture.edit->SetDate(At(2010, 5, 1, 10, 30));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Calendar()->DateButtons(), lxDateButton(btnClear) | lxDateButton(btnNow));
  fixture.ClickDay(At(2010, 5, 7));
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_DOUBLE_EQ(fixture.edit->Date(), At(2010, 5, 7, 10, 30));
}

TEST(DateEditTest, EscOnACalendarButtonClosesThePopupThroughTheCalendar) {
  DateEditForm fixture;
  fixture.edit->SetDate(At(2010, 5, 1));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  auto* popup = static_cast<TlxDateEditPopupWindow*>(fixture.edit->PopupWindow());
  EXPECT_TRUE(popup->ForwardsKeyToCalendar(VK_F4, TShiftState()));
  EXPECT_FALSE(popup->ForwardsKeyToCalendar(VK_F4, TShiftState{ssAlt}));
  EXPECT_TRUE(popup->ForwardsKeyToCalendar(VK_DOWN, TShiftState{ssAlt}));
  EXPECT_FALSE(popup->ForwardsKeyToCalendar(VK_DOWN, TShiftState()));
  EXPECT_FALSE(popup->ForwardsKeyToCalendar(VK_ESCAPE, TShiftState())) << "the calendar itself has the focus";
  TlxButton* today = fixture.edit->Calendar()->Button(btnToday);
  today->SetFocus();
  PumpMessagesUntilIdle();
  ASSERT_EQ(popup->ActiveControl(), today);
  EXPECT_TRUE(popup->ForwardsKeyToCalendar(VK_ESCAPE, TShiftState()));
  fixture.Key(VK_ESCAPE);
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Date(), At(2010, 5, 1)) << "Esc takes nothing";
}

TEST(DateEditTest, LeavingTheEditorPostsTheTypedDate) {
  DateEditForm fixture;
  int changes = 0;
  fixture.edit->GetProperties()->OnEditValueChanged = [&changes](TObject*) { ++changes; };
  fixture.Type("24.12.2026");
  fixture.other->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->EditValue().AsDateTime(), At(2026, 12, 24));
  EXPECT_EQ(fixture.edit->Text(), "24.12.2026");
  EXPECT_GE(changes, 1);
  fixture.edit->GetProperties()->OnEditValueChanged = nullptr;
}

TEST(DateEditTest, BoundsCorrectTheDateAndAMissingMinimumLeavesOnlyTheMaximum) {
  DateEditForm fixture;
  TlxDateEditProperties* properties = fixture.edit->GetProperties();
  properties->SetMaxDate(At(2020, 1, 1));
  EXPECT_FALSE(properties->IsValueBoundSet(0));
  EXPECT_TRUE(properties->IsValueBoundSet(1));
  fixture.edit->SetDate(At(2025, 6, 1));
  fixture.edit->ApplyValueBounds();
  EXPECT_EQ(fixture.edit->Date(), At(2020, 1, 1));
  fixture.edit->SetDate(At(1900, 6, 1));
  fixture.edit->ApplyValueBounds();
  EXPECT_EQ(fixture.edit->Date(), At(1900, 6, 1));
}

}  // namespace date_edit_win_test
