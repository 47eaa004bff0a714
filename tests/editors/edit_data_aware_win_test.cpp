// An editor bound to data: a copy of it (a print, a drag image) shows the
// data's value rather than what the editor holds, and Esc with
// ImmediatePost writes the restored value back at once.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editors/edit_control_win.h"
#include "platform/rtl/scope.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace edit_data_aware_win_test {

using edit_test::EditForm;

class BoundProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TBoundProvider", &TlxCustomEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<BoundProvider>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditDefaultValuesProvider::TlxCustomEditDefaultValuesProvider;
  bool IsBoundToData() const override { return true; }
};

// One field of a record in edit state with changes not yet posted: it
// always has something to post, reads back what was last written and logs
// every write.
class RecordBinding : public TlxEditDataBinding {
 public:
  static constexpr TClass kClass{"TRecordBinding", &TlxEditDataBinding::kClass, &ConstructInstance<RecordBinding>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RecordBinding(TlxCustomEdit* edit) : TlxEditDataBinding(edit, BoundProvider::kClass) {}

  void ReadDataValue(Variant& value) override { value = field; }
  void WriteDataValue(const Variant& value) override {
    field = value;
    writes.push_back(VarToStr(value));
  }
  bool IsModified() override { return true; }
  bool NeedsPosting() override { return true; }

  Variant field = Variant("aus dem Datensatz");
  std::vector<std::string> writes;
};

// View data that remembers the value it was asked to show.
class RecordingViewData : public edit_test::TestViewData {
 public:
  using edit_test::TestViewData::TestViewData;
  void ApplyEditValueToViewInfo(TlxCanvas&, const Variant& edit_value, TlxCustomEditViewInfo&) override {
    shown.push_back(VarToStr(edit_value));
  }
  static inline std::vector<std::string> shown;
};

class RecordProperties : public edit_test::TestEditProperties {
 public:
  static constexpr TClass kClass{"TRecordProperties", &edit_test::TestEditProperties::kClass,
                                 &ConstructInstance<RecordProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using edit_test::TestEditProperties::TestEditProperties;
  TlxEditViewDataClass GetViewDataClass() const override {
    return {&TlxCustomEditViewData::kClass,
            [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
               bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
              return std::make_unique<RecordingViewData>(properties, style, inplace);
            }};
  }
};

class RecordEdit : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TRecordEdit", &TlxCustomEdit::kClass, &ConstructInstance<RecordEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RecordEdit(TComponent* owner) : TlxCustomEdit(owner, RecordProperties::kClass, RecordBinding::kClass) {}
  RecordBinding& Record() const { return static_cast<RecordBinding&>(*DataBinding()); }
};

TEST(EditDataAwareTest, ACopyShowsTheDataAndLeavesTheRestOfTheSurfaceFree) {
  EditForm<RecordEdit> fixture;
  RecordEdit& edit = *fixture.edit;
  ASSERT_TRUE(edit.IsDataAware());
  edit.GetStyle()->SetColor(0x00C0FF);
  edit.SetEditValue(Variant("im Editor"));
  // Leaving the editor while the form opened may have posted to the field.
  edit.Record().field = Variant("aus dem Datensatz");
  painter_test::Surface surface(edit.Width() + 20, edit.Height() + 20);
  const HDC dc = surface.canvas().Handle();
  RecordingViewData::shown.clear();
  {
    // Drawn into another context, as a print of the form draws it.
    TFlagScope paint_copy(edit.ControlState(), csPaintCopy);
    edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  EXPECT_EQ(RecordingViewData::shown, (std::vector<std::string>{"aus dem Datensatz"}));
  EXPECT_EQ(surface.At(edit.Width() / 2, edit.Height() / 2), RGB(0xFF, 0xC0, 0x00)) << "the copy was drawn";
  // The copy's area is taken out of the clip: the caller's own drawing
  // around it cannot spoil it.
  const RECT whole{0, 0, surface.Width(), surface.Height()};
  FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(surface.At(edit.Width() / 2, edit.Height() / 2), RGB(0xFF, 0xC0, 0x00));
  EXPECT_EQ(surface.At(edit.Width() + 5, 5), RGB(0, 0, 0));

  // A plain paint shows the editor's own picture and reads no data.
  RecordingViewData::shown.clear();
  edit.Repaint();
  test_support::PumpMessagesUntilIdle();
  for (const std::string& value : RecordingViewData::shown)
    EXPECT_NE(value, "aus dem Datensatz");
}

TEST(EditDataAwareTest, EscWithImmediatePostWritesTheRestoredValueAtOnce) {
  for (const bool immediate : {false, true}) {
    SCOPED_TRACE(immediate ? "ImmediatePost" : "without ImmediatePost");
    EditForm<RecordEdit> fixture;
    RecordEdit& edit = *fixture.edit;
    edit.Properties()->SetImmediatePost(immediate);
    fixture.FocusEdit();
    edit.SetUserChange(true);
    edit.SetEditValue(Variant("getippt"));
    edit.SetUserChange(false);
    ASSERT_TRUE(edit.Modified());
    edit.Record().field = Variant("gespeichert");
    edit.Record().writes.clear();

    uint16_t key = VK_ESCAPE;
    edit.ProcessEditKeyDown(key, {});
    EXPECT_EQ(key, 0) << "Esc was used";
    EXPECT_EQ(VarToStr(edit.EditValue()), "gespeichert") << "the data's value, not the one on entry";
    if (immediate)
      EXPECT_EQ(edit.Record().writes, (std::vector<std::string>{"gespeichert"}));
    else
      EXPECT_TRUE(edit.Record().writes.empty());
  }
}

}  // namespace edit_data_aware_win_test
