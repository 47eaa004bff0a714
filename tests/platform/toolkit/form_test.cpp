#include "platform/toolkit/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/timer.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

using form_fixture::MakeForm;
using form_fixture::Pump;
using form_fixture::PumpUntil;

TEST(FormTest, BorderStylesAndIconsBecomeWindowStyles) {
  struct Case {
    TFormBorderStyle style;
    TBorderIcons icons;
    LONG_PTR present;
    LONG_PTR absent;
    LONG_PTR ex_present;
  };
  const Case cases[] = {
      {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, WS_THICKFRAME | WS_CAPTION | WS_MINIMIZEBOX, 0, 0},
      {bsSingle, {biSystemMenu}, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {bsDialog, {biSystemMenu, biMinimize}, WS_CAPTION, WS_MINIMIZEBOX | WS_THICKFRAME, WS_EX_DLGMODALFRAME},
      {bsToolWindow, {biSystemMenu}, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {bsNone, {biSystemMenu}, WS_POPUP, WS_CAPTION | WS_SYSMENU, 0},
  };
  for (const Case& test : cases) {
    form_fixture::FormPtr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(test.style);
    form->SetBorderIcons(test.icons);
    const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    const LONG_PTR ex_style = GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE);
    EXPECT_EQ(style & test.present, test.present) << test.style;
    EXPECT_EQ(style & test.absent, 0) << test.style;
    EXPECT_EQ(ex_style & test.ex_present, test.ex_present) << test.style;
  }
}

TEST(FormTest, ClientSizeAccountsForTheFrameBeforeAndAfterTheWindow) {
  form_fixture::FormPtr<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(10, 10, 400, 300);
  const TRect before = form->ClientRect();
  EXPECT_LT(before.Right, 400);
  EXPECT_LT(before.Bottom, 300);
  form->HandleNeeded();
  const TRect after = form->ClientRect();
  EXPECT_EQ(before, after);
  form->SetClientSize(200, 100);
  EXPECT_EQ(form->ClientRect(), Rect(0, 0, 200, 100));
}

TEST(FormTest, ShowHideAndEventsInOrder) {
  auto form = MakeForm();
  std::vector<std::string> log;
  form->OnShow = [&](TObject*) { log.push_back("show"); };
  form->OnHide = [&](TObject*) { log.push_back("hide"); };
  form->OnActivate = [&](TObject*) { log.push_back("activate"); };
  form->OnResize = [&](TObject*) { log.push_back("resize"); };
  form_fixture::ShowAndSettle(*form);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->SetWidth(form->Width() + 10);
  form->Hide();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log.front(), "show");
  EXPECT_NE(std::find(log.begin(), log.end(), "activate"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "resize"), log.end());
  EXPECT_EQ(log.back(), "hide");
}

TEST(FormTest, ScreenCentrePlacesTheForm) {
  auto form = MakeForm(200, 100);
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->Left(), (Screen->Width() - 200) / 2);
  EXPECT_EQ(form->Top(), (Screen->Height() - 100) / 2);
}

TEST(FormTest, ShowModalReturnsTheModalResultAndDisablesOtherForms) {
  auto owner = MakeForm();
  form_fixture::ShowAndSettle(*owner);
  auto dialog = MakeForm();
  bool owner_was_disabled = false;
  TTimer timer(nullptr);
  timer.SetInterval(30);
  timer.SetOnTimer([&](TObject*) {
    timer.SetEnabled(false);
    owner_was_disabled = !IsWindowEnabled(owner->Handle());
    dialog->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(owner_was_disabled);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_THROW(
      {
        dialog->Show();
        dialog->ShowModal();
      },
      EInvalidOperation);
}

TEST(FormTest, CloseInAModalLoopCancelsAndCloseQueryCanRefuse) {
  auto dialog = MakeForm();
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& can_close) { can_close = ++queries > 1; };
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.SetOnTimer([&](TObject*) {
    if (dialog->Modal())
      dialog->Close();  // ModalResult := mrCancel; the first query refuses
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
}

TEST(FormTest, CloseActionsHideOrFree) {
  auto form = MakeForm();
  form_fixture::ShowAndSettle(*form);
  form->Close();  // default: hide
  EXPECT_FALSE(form->Visible());

  auto* freed = new TForm(nullptr);
  freed->SetBorderStyle(bsNone);
  bool destroyed = false;
  freed->OnDestroy = [&](TObject*) { destroyed = true; };
  freed->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  freed->Show();
  const TWeakRef<TForm> watch(freed);
  freed->Close();
  EXPECT_TRUE(watch.Get() != nullptr);  // freed once the queue runs, not inside Close
  EXPECT_TRUE(PumpUntil([&] { return watch.Get() == nullptr; }));
  EXPECT_TRUE(destroyed);

  auto kept = MakeForm();
  kept->Show();
  kept->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
  kept->Close();
  EXPECT_TRUE(kept->Visible());
}

TEST(FormTest, ClosingTheMainFormEndsRun) {
  TApplication application(nullptr);
  TApplication* previous = SetApplication(&application);
  TForm* main = nullptr;
  application.CreateForm(main);
  main->SetBorderStyle(bsNone);
  bool created_seen = false;
  main->OnCreate = [&](TObject*) { created_seen = true; };  // set after creation: not fired
  TTimer timer(nullptr);
  timer.SetInterval(30);
  timer.SetOnTimer([&](TObject*) {
    timer.SetEnabled(false);
    main->Close();
  });
  application.Run();
  EXPECT_TRUE(application.Terminated());
  EXPECT_EQ(application.MainForm(), main);
  EXPECT_FALSE(created_seen);
  SetApplication(previous);
}

class CreatingForm : public TForm {
 public:
  explicit CreatingForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { created = true; };
    OnDestroy = [this](TObject*) {
      destroying_application_seen = GetApplication()->IsDestroying();
    };
  }
  bool created = false;
  static inline bool destroying_application_seen = false;
};

TEST(FormTest, CreateFormFiresOnCreateAndTheApplicationEndFiresOnDestroy) {
  auto* application = new TApplication(nullptr);
  TApplication* previous = SetApplication(application);
  CreatingForm* form = nullptr;
  application->CreateForm(form);
  EXPECT_TRUE(form->created);
  EXPECT_EQ(application->MainForm(), form);
  CreatingForm::destroying_application_seen = false;
  delete application;  // the "being destroyed" state is visible to OnDestroy
  EXPECT_TRUE(CreatingForm::destroying_application_seen);
  SetApplication(previous);
}

TEST(FormTest, AlphaBlendAndTransparentColourUseLayeredWindows) {
  auto form = MakeForm();
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(128);
  form_fixture::ShowAndSettle(*form);
  EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  BYTE alpha = 0;
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));

  form->SetTransparentColorValue(clFuchsia);
  form->SetTransparentColor(true);
  ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_EQ(flags & LWA_COLORKEY, static_cast<DWORD>(LWA_COLORKEY));

  form->SetAlphaBlend(false);
  form->SetTransparentColor(false);
  EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST(FormTest, StayOnTopSetsTheTopmostStyle) {
  auto form = MakeForm();
  form->SetFormStyle(fsStayOnTop);
  form_fixture::ShowAndSettle(*form);
  EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  form->SetFormStyle(fsNormal);
  EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// A form that takes dropped files, as the program's main window does.
class DropForm : public TForm {
 public:
  using TForm::TForm;
  WPARAM dropped = 0;

 protected:
  void WMDropFiles(TMessage& message) override {
    dropped = message.WParam;
    message.Result = 0;
  }
};

TEST(FormTest, FormMessageHandlersReceiveTheirMessages) {
  form_fixture::FormPtr<DropForm> form(new DropForm(nullptr));
  SendMessageW(form->Handle(), WM_DROPFILES, 0x1234, 0);
  EXPECT_EQ(form->dropped, WPARAM{0x1234});
}

// A control over the system's EDIT class keeps the class's behaviour.
class SystemEdit : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL | WS_BORDER;
  }
};

TEST(FormTest, ControlsCanBeBuiltOverSystemWindowClasses) {
  auto form = MakeForm();
  auto* edit = new SystemEdit(form.get());
  edit->SetBounds(10, 10, 150, 24);
  edit->SetParent(form.get());
  edit->SetText("vor");
  form_fixture::ShowAndSettle(*form);
  edit->SetFocus();
  std::vector<char16_t> typed;
  edit->OnKeyPress = [&](TObject*, char16_t& key) { typed.push_back(key); };
  for (char16_t ch : std::u16string(u"ö!"))
    SendMessageW(edit->Handle(), WM_CHAR, ch, 0);
  EXPECT_EQ(typed, (std::vector<char16_t>{u'ö', u'!'}));
  const std::string text = edit->Text();
  EXPECT_NE(text.find("ö!"), std::string::npos) << text;
  EXPECT_NE(text.find("vor"), std::string::npos) << text;
  char class_name[64];
  GetClassNameA(edit->Handle(), class_name, sizeof(class_name));
  EXPECT_STREQ(class_name, "TWinControl");
  // The text survives a new window.
  edit->RecreateWnd();
  EXPECT_EQ(edit->Text(), text);
}

}  // namespace
