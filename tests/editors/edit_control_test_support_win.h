#pragma once
// An editor kind for the editor control's tests: properties that track
// value changes, can restore the value on entry and validate a display
// value, and a control that logs its button hooks.

#include <windows.h>

#include <string>
#include <vector>

#include "editors/edit_control_win.h"
#include "editors/edit_view_data_win.h"
#include "editors/editors_module_win.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"

namespace edit_test {

// A kind whose value always needs one text row of 16 pixels.
class TestViewData : public TlxCustomEditViewData {
 public:
  using TlxCustomEditViewData::TlxCustomEditViewData;
  TSize MeasureValueContentSize(TlxCanvas&, const Variant&, const TlxEditSizeProperties&) const override {
    return TSize{40, 16};
  }
};

class TestEditProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TTestEditProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TestEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditProperties::TlxCustomEditProperties;

  bool HasDisplayValue() const override { return true; }
  bool TracksEditValueChanges() const override { return true; }
  bool CanRestoreEditValue() const override { return true; }
  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override {
    return {&TlxCustomEditViewData::kClass,
            [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
               bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
              return std::make_unique<TestViewData>(properties, style, inplace);
            }};
  }
};

class TestEdit : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TTestEdit", &TlxCustomEdit::kClass, &ConstructInstance<TestEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TestEdit(TComponent* owner) : TlxCustomEdit(owner, TestEditProperties::kClass) {}

  void ButtonDown(int32_t index) override { log.push_back("down " + std::to_string(index)); }
  void ButtonUp(int32_t index) override { log.push_back("up " + std::to_string(index)); }
  bool ForwardsActivationKey(char16_t key) override { return key != u'#'; }
  void KeyPress(char16_t& key) override {
    typed += static_cast<char>(key);
    TlxCustomEdit::KeyPress(key);
  }

  std::vector<std::string> log;
  std::string typed;
};

inline const TClass* TestEditProperties::GetEditControlClass() const { return &TestEdit::kClass; }

// A form with one editor of 120 x 24 at (10, 10) and a second control
// that can hold the focus.
template <class Edit = TestEdit>
class EditForm {
 public:
  EditForm() {
    lxEditorsInitialize();
    // The cursor starts away from the form: nothing is hot.
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 320, 200);
    edit = new Edit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 24);
    other = new Edit(form);
    other->SetParent(form);
    other->SetBounds(10, 100, 120, 24);
    form->Show();
    other->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~EditForm() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
    lxEditorsFinalize();
  }
  EditForm(const EditForm&) = delete;
  EditForm& operator=(const EditForm&) = delete;

  void FocusEdit() {
    edit->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }

  TForm* form;
  Edit* edit;
  Edit* other;
};

}  // namespace edit_test
