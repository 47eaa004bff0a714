#pragma once
// The filter control's own in-place editing: its drop-down lists are a
// fixed-list TlxComboBox laid over the element, its operand editors come
// from a TlxInplaceEditList, one per operand kind, kept between uses.

#include <memory>

#include "editors/kinds/filter_control_win.h"

class TlxComboBox;
class TlxCustomEdit;
class TlxInplaceEditList;

class TlxFilterInplaceEditing : public IlxFilterInplaceEditing {
 public:
  TlxFilterInplaceEditing();
  ~TlxFilterInplaceEditing() override;

  bool ChooseFromList(TlxCustomFilterControl& control, uint8_t edit_mode, TStrings& items, const TRect& rect,
                      const std::string& current, intptr_t& chosen) override;
  void OpenOperandEditor(TlxCustomFilterControl& control, TlxConditionViewInfo& condition, int32_t operand_index,
                         uint8_t activation, char16_t key) override;
  void CloseOperandEditor(bool apply) override;
  bool OperandEditorOpen() override { return edit_ != nullptr; }
  bool OperandEditorFocused() override;
  void ForgetOperandEditor() override;

  // The list dropped down now (tests close it through its keys).
  TlxComboBox* OpenList() const { return list_; }
  TlxCustomEdit* OperandEditor() const { return edit_; }

 private:
  void EditorKeyDown(uint16_t& key, TShiftState shift);
  void EditorExit();
  // Hides the editor and hands the focus back to the control.
  void HideEditor();

  std::unique_ptr<TlxInplaceEditList> edits_;
  TlxComboBox* list_ = nullptr;
  TlxCustomEdit* edit_ = nullptr;
  TlxCustomFilterControl* control_ = nullptr;
  TlxConditionViewInfo* condition_ = nullptr;
  int32_t operand_index_ = -1;
  bool closing_ = false;
};
