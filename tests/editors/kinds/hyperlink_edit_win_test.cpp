// The hyperlink editor on real forms: the link opens through the real shell,
// whose handler for a test URL scheme is a stand-in that records the link
// it was given; the start key, single and double clicks, OnStartClick in
// place of the shell, the link colour and underline in the editor and in a
// window-less cell, and the round trip of an empty prefix through a form.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editors/edit_repository.h"
#include "editors/kinds/hyperlink_edit_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace hyperlink_edit_win_test {

using edit_test::EditForm;

constexpr const wchar_t* kScheme = L"lxlinktest";
constexpr const char* kPrefix = "lxlinktest://";

bool SetKeyValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const bool written =
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

std::wstring Wide(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

// The test URL scheme, opened by the stand-in that appends each link to a
// log file; removed again at the end.
class LinkSchemeRegistration {
 public:
  LinkSchemeRegistration() {
    const std::string folder = test_support::MakeTemporaryFolder("links");
    log_path_ = folder + "\\links.txt";
    const std::string handler = test_support::ExecutableFolder() + "link_opener_standin.exe";
    const std::wstring scheme(kScheme);
    registered_ = SetKeyValue(HKEY_CLASSES_ROOT, scheme, nullptr, L"URL:Lumar link test") &&
                  SetKeyValue(HKEY_CLASSES_ROOT, scheme, L"URL Protocol", L"") &&
                  SetKeyValue(HKEY_CLASSES_ROOT, scheme + L"\\shell\\open\\command", nullptr,
                              L"\"" + Wide(handler) + L"\" --log \"" + Wide(log_path_) + L"\" \"%1\"");
  }
  ~LinkSchemeRegistration() { RegDeleteTreeW(HKEY_CLASSES_ROOT, kScheme); }
  LinkSchemeRegistration(const LinkSchemeRegistration&) = delete;
  LinkSchemeRegistration& operator=(const LinkSchemeRegistration&) = delete;

  bool Registered() const { return registered_; }
  std::vector<std::string> Links() const {
    std::vector<std::string> links;
    std::ifstream file(log_path_);
    std::string line;
    while (std::getline(file, line)) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      links.push_back(line);
    }
    return links;
  }
  // Waits until the handler has recorded `count` links.
  bool WaitForLinks(size_t count) const {
    return test_support::PumpUntil([&] { return Links().size() >= count; }, 30000);
  }

 private:
  std::string log_path_;
  bool registered_ = false;
};

class HyperLinkForm : public EditForm<TlxHyperLinkEdit> {
 public:
  HyperLinkForm() {
    Props()->SetPrefix(kPrefix);
    Props()->SetUsePrefix(upOnlyOnExecute);
    edit->SetBounds(10, 10, 160, 24);
    test_support::PumpMessagesUntilIdle();
  }
  TlxHyperLinkEditProperties* Props() { return edit->GetProperties(); }
  HWND Inner() { return edit->GetInnerTextEdit()->GetControl()->Handle(); }
  void SetText(const std::string& text) {
    edit->SetEditValue(Variant(text));
    test_support::PumpMessagesUntilIdle();
  }
  POINT InnerCenter() {
    RECT rect{};
    GetClientRect(Inner(), &rect);
    return POINT{rect.right / 2, rect.bottom / 2};
  }
};

class HyperLinkEditTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { scheme_ = new LinkSchemeRegistration(); }
  static void TearDownTestSuite() {
    delete scheme_;
    scheme_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(scheme_->Registered());
    links_before_ = scheme_->Links().size();
  }
  // The links opened since the test began, once `count` of them are in.
  std::vector<std::string> OpenedLinks(size_t count) {
    EXPECT_TRUE(scheme_->WaitForLinks(links_before_ + count));
    std::vector<std::string> links = scheme_->Links();
    return std::vector<std::string>(links.begin() + static_cast<std::ptrdiff_t>(links_before_), links.end());
  }

  static LinkSchemeRegistration* scheme_;
  size_t links_before_ = 0;
};

LinkSchemeRegistration* HyperLinkEditTest::scheme_ = nullptr;

TEST_F(HyperLinkEditTest, TheStartKeyOpensTheLinkWithThePrefixThroughTheShell) {
  HyperLinkForm fixture;
  fixture.SetText("  abc ");
  fixture.FocusEdit();
  test_support::InputKey(VK_RETURN, false, true);
  test_support::PumpMessagesUntilIdle();
  // Only on execution: the value itself keeps no prefix.
  EXPECT_EQ(VarToStrDef(fixture.edit->EditValue(), ""), "  abc ");
  EXPECT_EQ(OpenedLinks(1), std::vector<std::string>{std::string(kPrefix) + "abc"});
}

TEST_F(HyperLinkEditTest, OnStartClickTakesThePlaceOfTheShell) {
  HyperLinkForm fixture;
  fixture.SetText("first");
  int clicks = 0;
  fixture.Props()->OnStartClick = [&](TObject* sender) {
    EXPECT_EQ(sender, fixture.edit);
    ++clicks;
  };
  fixture.FocusEdit();
  test_support::InputKey(VK_RETURN, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(clicks, 1);
  // Without the handler the next start reaches the shell: it is the only
  // link the handler ever got.
  fixture.Props()->OnStartClick = nullptr;
  fixture.SetText("second");
  fixture.edit->DoStart();
  EXPECT_EQ(OpenedLinks(1), std::vector<std::string>{std::string(kPrefix) + "second"});
}

TEST_F(HyperLinkEditTest, ADoubleClickOpensTheLinkButASingleClickDoesNot) {
  HyperLinkForm fixture;
  fixture.SetText("single");
  test_support::InputClick(fixture.Inner(), fixture.InnerCenter());
  test_support::PumpMessagesUntilIdle();
  fixture.SetText("double");
  test_support::SendDoubleClick(fixture.Inner(), fixture.InnerCenter());
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(OpenedLinks(1), std::vector<std::string>{std::string(kPrefix) + "double"});
}

TEST_F(HyperLinkEditTest, WithSingleClickAClickOpensButADragThatSelectsDoesNot) {
  HyperLinkForm fixture;
  fixture.Props()->SetSingleClick(true);
  fixture.SetText("dragged over");
  fixture.FocusEdit();
  // Down at the left, up at the right: text gets selected.
  RECT rect{};
  GetClientRect(fixture.Inner(), &rect);
  POINT from{2, rect.bottom / 2};
  POINT to{rect.right - 2, rect.bottom / 2};
  ClientToScreen(fixture.Inner(), &from);
  ClientToScreen(fixture.Inner(), &to);
  test_support::InputMouseAt(from, MOUSEEVENTF_LEFTDOWN);
  test_support::InputMouseAt(to);
  test_support::InputMouseAt(to, MOUSEEVENTF_LEFTUP);
  test_support::PumpMessagesUntilIdle();
  EXPECT_GT(fixture.edit->GetSelLength(), 0);
  fixture.SetText("clicked");
  fixture.edit->SetSelectionRange(0, 0);
  test_support::InputClick(fixture.Inner(), fixture.InnerCenter());
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(OpenedLinks(1), std::vector<std::string>{std::string(kPrefix) + "clicked"});
}

TEST_F(HyperLinkEditTest, AcceptingAValuePutsThePrefixOnlyWhereNoneIs) {
  HyperLinkForm fixture;
  fixture.Props()->SetPrefix("http://");
  fixture.Props()->SetUsePrefix(upAlways);
  const std::pair<const char*, const char*> cases[] = {
      {" abc ", "http://abc"}, {"https://x", "https://x"}, {"HTTP://y", "HTTP://y"}, {"", ""}};
  for (const auto& [typed, stored] : cases) {
    fixture.FocusEdit();
    fixture.edit->SetEditValue(Variant(std::string()));
    SetWindowTextW(fixture.Inner(), reinterpret_cast<const wchar_t*>(Utf8ToUtf16(typed).c_str()));
    fixture.edit->SetModifiedFlag(true);
    EXPECT_TRUE(fixture.edit->ValidateEdit(true)) << typed;
    EXPECT_EQ(VarToStrDef(fixture.edit->EditValue(), ""), stored) << typed;
  }
}

TEST_F(HyperLinkEditTest, TheEditorShowsItsTextUnderlinedInTheLinkColour) {
  HyperLinkForm fixture;
  fixture.SetText("link");
  TWinControl* inner = fixture.edit->GetInnerTextEdit()->GetControl();
  EXPECT_EQ(ColorToRGB(inner->Font().Color()), ColorToRGB(clBlue));
  EXPECT_TRUE(inner->Font().Style().Contains(fsUnderline));
  // A new colour shows at once.
  fixture.Props()->SetLinkColor(0x0000C0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(ColorToRGB(inner->Font().Color()), 0x0000C0u);
  EXPECT_EQ(fixture.edit->GetHyperLinkStyle()->GetTextColor(), 0x0000C0);
}

// The number of pixels of a cell showing `color`.
int32_t CountColored(painter_test::Surface& surface, COLORREF color) {
  int32_t count = 0;
  for (int32_t y = 0; y < surface.Height(); ++y)
    for (int32_t x = 0; x < surface.Width(); ++x)
      if (surface.At(x, y) == color)
        ++count;
  return count;
}

TEST_F(HyperLinkEditTest, ACellDrawsTheLinkColourUnlessSelected) {
  for (const bool selected : {false, true}) {
    painter_test::Surface surface(100, 24);
    TlxHyperLinkEditProperties properties(nullptr);
    properties.SetLinkColor(0x0000FF);
    TlxEditStyle style(nullptr, false);
    TlxCustomTextEditViewData data(&properties, &style, true);
    data.Selected = selected;
    data.TextColor = 0x00FF00;
    TlxHyperLinkEditViewInfo info;
    info.Properties = &properties;
    data.Calculate(surface.canvas(), TRect(0, 0, 100, 24), TPoint(-1, -1), kLxNoMouseButton, {}, info, false);
    data.ApplyEditValueToViewInfo(surface.canvas(), Variant(std::string("WWW link")), info);
    info.DrawText(surface.canvas());
    EXPECT_EQ(CountColored(surface, 0x0000FF) > 0, !selected) << selected;
    EXPECT_EQ(CountColored(surface, 0x00FF00) > 0, selected) << selected;
  }
}

TEST_F(HyperLinkEditTest, AnEmptyPrefixSurvivesAFormRoundTrip) {
  lxEditorsInitialize();
  TMemoryStream stream;
  {
    TlxHyperLinkEdit written(nullptr);
    written.GetProperties()->SetPrefix("");
    written.GetProperties()->SetSingleClick(true);
    written.GetProperties()->SetLinkColor(0x123456);
    stream.WriteComponent(written);
  }
  TlxHyperLinkEdit read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  EXPECT_EQ(read.GetProperties()->Prefix(), "");
  EXPECT_TRUE(read.GetProperties()->SingleClick());
  EXPECT_EQ(read.GetProperties()->LinkColor(), 0x123456);
  lxEditorsFinalize();
}

TEST_F(HyperLinkEditTest, TheKindAndItsFilterHelperNameTheHyperLinkEditor) {
  TlxHyperLinkEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxHyperLinkEdit::kClass);
  EXPECT_EQ(properties.GetViewInfoClass().Class, &TlxHyperLinkEditViewInfo::kClass);
  EXPECT_EQ(StatelessInstance<TlxFilterHyperLinkEditHelper>().GetValueEditorClass(), &TlxHyperLinkEdit::kClass);
}

}  // namespace hyperlink_edit_win_test
