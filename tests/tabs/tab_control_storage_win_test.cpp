#include "tabs/tab_control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/form.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tabs.h"
#include "tests/support/message_pump.h"

namespace tab_control_storage_win_test {

bool StreamNames(TMemoryStream& stream, const std::string& name) {
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  return bytes.find(static_cast<char>(name.size()) + name) != std::string::npos;
}

// Shows the page area the control gives its children.
class TStoringTabControl : public TlxTabControl {
 public:
  using TlxTabControl::TlxTabControl;
  TRect ChildArea() {
    TRect rect;
    AdjustClientRect(rect);
    return rect;
  }
};

class TabControlStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxPCRegisterShippedPainters();
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 360, 240);
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxPCUnregisterShippedPainters();
  }
  TStoringTabControl* MakeControl() {
    auto* control = new TStoringTabControl(form_);
    control->SetParent(form_);
    control->SetBounds(10, 10, 300, 150);
    control->Tabs().Add("Eins");
    return control;
  }
  TForm* form_ = nullptr;
};

// The page area goes out through the writer and comes back through the
// reader; left and bottom only when they are not 0. (The control is written
// as a form writes its controls: properties only.)
TEST_F(TabControlStorageTest, PageAreaRoundTrips) {
  TStoringTabControl* stored = MakeControl();
  const TRect area = stored->PageAreaRect();
  ASSERT_GT(area.Top, 0);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WriteStr(stored->ClassName());
    writer.WriteStr(stored->Name());
    writer.WriteProperties(*stored);
    writer.WriteListEnd();
    writer.WriteListEnd();
  }
  EXPECT_TRUE(StreamNames(stream, "ClientRectTop"));
  EXPECT_TRUE(StreamNames(stream, "ClientRectRight"));
  EXPECT_EQ(StreamNames(stream, "ClientRectLeft"), area.Left != 0);
  EXPECT_EQ(StreamNames(stream, "ClientRectBottom"), area.Bottom != 0);
  stream.SetPosition(0);
  TStoringTabControl* loaded = MakeControl();
  stream.ReadComponent(loaded);
  EXPECT_TRUE(loaded->StoredClientRectLoaded());
  EXPECT_EQ(loaded->StoredClientRect().Top, area.Top);
  EXPECT_EQ(loaded->StoredClientRect().Right, area.Right);
}

// A form description with values far outside the control: reading keeps
// them in range, the page area while loading stays inside the control.
TEST_F(TabControlStorageTest, HostileStoredValuesAreClamped) {
  TStoringTabControl* control = MakeControl();
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WriteStr("TlxTabControl");
    writer.WriteStr("");
    const struct {
      const char* name;
      int64_t value;
    } values[] = {{"ClientRectLeft", int64_t{1} << 40},
                  {"ClientRectTop", -(int64_t{1} << 40)},
                  {"ClientRectRight", -3},
                  {"ClientRectBottom", 1'000'000}};
    for (const auto& v : values) {
      writer.WritePropName(v.name);
      writer.WriteInteger(v.value);
    }
    writer.WriteListEnd();
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  stream.ReadComponent(control);
  ASSERT_TRUE(control->StoredClientRectLoaded());
  EXPECT_EQ(control->StoredClientRect().Left, INT32_MAX);
  EXPECT_EQ(control->StoredClientRect().Top, INT32_MIN);
  control->BeginLoading();
  const TRect rect = control->ChildArea();
  control->CancelLoading();
  EXPECT_GE(rect.Left, 0);
  EXPECT_GE(rect.Top, 0);
  EXPECT_LE(rect.Right, control->Width());
  EXPECT_LE(rect.Bottom, control->Height());
  EXPECT_LE(rect.Left, rect.Right);
  EXPECT_LE(rect.Top, rect.Bottom);
  // Once loaded the painter's page area rules again.
  EXPECT_EQ(control->ChildArea(), control->PageAreaRect());
}

}  // namespace tab_control_storage_win_test
