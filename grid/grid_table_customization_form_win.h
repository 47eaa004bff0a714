#pragma once
// The table view's customization form and its columns list: hidden columns
// drawn as column headers, dragged out with the column header moving object.
// Included only from Windows sources.

#include <string>

#include "grid/grid_customization_form_win.h"

class TlxGridTableView;

class TlxGridTableItemsListBox : public TlxCustomGridTableItemsListBox {
 public:
  static constexpr TClass kClass{"TlxGridTableItemsListBox", &TlxCustomGridTableItemsListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridTableItemsListBox(TComponent* owner);

  TlxGridTableView* TableView() const;
  int32_t GetItemHeight() override;
  void PaintItem(TlxCanvas& canvas, const TRect& rect, bool focused, int32_t index) override;

  // --- overridable, in slot order ----------------------------------------
  // Draws an item's background; false leaves it to the painter.
  virtual bool DrawItemBackground(TlxCanvas& /*canvas*/, const TRect& /*rect*/) { return false; }
  virtual bool ShowsEndEllipsis() { return false; }
};

class TlxGridTableColumnsListBox : public TlxGridTableItemsListBox {
 public:
  static constexpr TClass kClass{"TlxGridTableColumnsListBox", &TlxGridTableItemsListBox::kClass,
                                 &ConstructInstance<TlxGridTableColumnsListBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableItemsListBox::TlxGridTableItemsListBox;

  void AddItems() override { AddTableItems(); }
  TlxCustomGridHitTest* GetDragAndDropHitTest() override;
  bool DrawItemBackground(TlxCanvas& canvas, const TRect& rect) override;
  bool ShowsEndEllipsis() override;
};

class TlxGridTableCustomizationForm : public TlxCustomGridTableCustomizationForm {
 public:
  static constexpr TClass kClass{"TlxGridTableCustomizationForm", &TlxCustomGridTableCustomizationForm::kClass,
                                 &ConstructInstance<TlxGridTableCustomizationForm>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableCustomizationForm::TlxCustomGridTableCustomizationForm;

  const TClass* GetItemsListBoxClass() const override { return &TlxGridTableColumnsListBox::kClass; }
  void GetItemsPageCaption(std::string& caption) override;
};
