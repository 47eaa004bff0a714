// Actions without a handler of their own reach the focused editor: the
// editor takes those that work on it, and its data binding those of the
// data it is bound to.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_control_win.h"
#include "platform/toolkit/actions.h"
#include "tests/editors/edit_control_test_support_win.h"

namespace edit_actions_win_test {

using edit_test::EditForm;

// An action that works on any editor, logging what it did to which.
class EditorAction : public TAction {
 public:
  using TAction::TAction;
  bool HandlesTarget(TObject* target) override { return handles && dynamic_cast<TlxCustomEdit*>(target) != nullptr; }
  void ExecuteTarget(TObject* target) override { log.push_back({"execute", target}); }
  void UpdateTarget(TObject* target) override { log.push_back({"update", target}); }

  bool handles = true;
  std::vector<std::pair<std::string, TObject*>> log;
};

// A binding whose data takes one particular action.
class ActionBinding : public TlxEditDataBinding {
 public:
  static constexpr TClass kClass{"TActionBinding", &TlxEditDataBinding::kClass, &ConstructInstance<ActionBinding>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditDataBinding::TlxEditDataBinding;
  bool HandleAction(TObject* action) override {
    asked.push_back("execute");
    return action == taken;
  }
  bool UpdateActionState(TObject* action) override {
    asked.push_back("update");
    return action == taken;
  }

  TObject* taken = nullptr;
  std::vector<std::string> asked;
};

class ActionEdit : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TActionEdit", &TlxCustomEdit::kClass, &ConstructInstance<ActionEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit ActionEdit(TComponent* owner)
      : TlxCustomEdit(owner, edit_test::TestEditProperties::kClass, ActionBinding::kClass) {}
  ActionBinding& Binding() const { return static_cast<ActionBinding&>(*DataBinding()); }
};

TEST(EditActionsTest, AnActionThatWorksOnEditorsTakesTheFocusedOne) {
  EditForm<ActionEdit> fixture;
  fixture.FocusEdit();
  EditorAction action(nullptr);
  EXPECT_TRUE(action.Execute());
  EXPECT_TRUE(action.Update());
  using Entry = std::pair<std::string, TObject*>;
  EXPECT_EQ(action.log, (std::vector<Entry>{{"execute", fixture.edit}, {"update", fixture.edit}}));
  EXPECT_TRUE(fixture.edit->Binding().asked.empty()) << "the editor's own handling comes first";
}

TEST(EditActionsTest, TheDataBindingTakesWhatTheEditorLeaves) {
  EditForm<ActionEdit> fixture;
  fixture.FocusEdit();
  EditorAction action(nullptr);
  action.handles = false;
  fixture.edit->Binding().taken = &action;
  EXPECT_TRUE(action.Execute());
  EXPECT_TRUE(action.Update());
  EXPECT_EQ(fixture.edit->Binding().asked, (std::vector<std::string>{"execute", "update"}));
  EXPECT_TRUE(action.log.empty());

  // What nobody takes is not run.
  EditorAction other(nullptr);
  other.handles = false;
  EXPECT_FALSE(other.Execute());
  EXPECT_FALSE(other.Update());
}

TEST(EditActionsTest, AnActionWithItsOwnHandlerLeavesTheEditorAlone) {
  EditForm<ActionEdit> fixture;
  fixture.FocusEdit();
  EditorAction action(nullptr);
  int32_t runs = 0;
  action.OnExecute = [&runs](TObject*) { ++runs; };
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(action.log.empty());
  EXPECT_TRUE(fixture.edit->Binding().asked.empty());

  // A disabled action runs nothing at all.
  action.SetEnabled(false);
  EXPECT_FALSE(action.Execute());
  EXPECT_EQ(runs, 1);
}

}  // namespace edit_actions_win_test
