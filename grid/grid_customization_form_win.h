#pragma once
// The customization form: a small tool window, built in code, that lists
// the items a view hides; an item dragged from it into the view is shown
// there, one dragged from the view onto it is hidden. It lives while its
// controller's Customization is on, and frees itself when the user closes
// it. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>

#include "editors/list_box_win.h"
#include "platform/toolkit/form.h"

class TlxCustomGridController;
class TlxCustomGridHitTest;
class TlxCustomGridView;
class TlxPageControl;
class TlxTabSheet;
class TlxTimer;

class TlxCustomGridCustomizationForm : public TForm {
 public:
  using TOwnerType = TlxCustomGridController;
  static constexpr TClass kClass{"TlxCustomGridCustomizationForm", &TForm::kClass,
                                 &ConstructInstance<TlxCustomGridCustomizationForm>};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr uint32_t kVisibilityCheckInterval = 100;

  explicit TlxCustomGridCustomizationForm(TlxCustomGridController* controller);
  ~TlxCustomGridCustomizationForm() override;

  // The parts are virtual, so they are made once the object is complete:
  // the controller calls this right after creating the form.
  void Initialize();

  // --- overridable, in slot order ----------------------------------------
  virtual void CalculateConsts();
  virtual void CreateControls();
  virtual void RefreshData() {}
  virtual TRect GetContentBounds();
  virtual TRect GetPageControlBounds() { return GetContentBounds(); }
  virtual void CreateTabs() {}
  virtual void RefreshItems() {}

  TlxCustomGridController* Controller() const;
  TlxCustomGridView* GridView() const;
  TlxPageControl* PageControl() const { return page_control_; }
  int32_t Offset() const { return offset_; }
  // The visibility check, so that tests tick it through FireTimer.
  TlxTimer* VisibilityTimer() const { return visibility_timer_.get(); }

  TlxTabSheet* CreatePage(const std::string& caption, bool tab_visible);
  void ActivatePage(TlxTabSheet* page);
  // One tick of the visibility check.
  void CheckVisibility();
  bool CheckingVisibility() const { return checking_visibility_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void DoShow() override;
  void DoClose(TCloseAction& action) override;

 private:
  TWeakRef<TlxCustomGridController> controller_;
  TlxPageControl* page_control_ = nullptr;
  int32_t offset_ = 0;
  std::unique_ptr<TlxTimer> visibility_timer_;
  bool checking_visibility_ = false;
};

// The list of one page of the form; its items start the grid's own drag.
class TlxCustomGridItemsListBox : public TlxListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsListBox", &TlxListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridItemsListBox(TComponent* owner);

  // --- overridable, in slot order ----------------------------------------
  virtual int32_t GetItemHeight() = 0;
  virtual void AddItems() = 0;
  // A hit test whose drag object class moves the pressed item.
  virtual TlxCustomGridHitTest* GetDragAndDropHitTest() = 0;
  virtual void PaintItem(TlxCanvas& canvas, const TRect& rect, bool focused, int32_t index) = 0;

  TlxCustomGridCustomizationForm* Form() const;
  TlxCustomGridView* GridView() const;
  // The object of the entry being pressed, or null.
  TObject* PressedItem() const;
  int32_t IndexOfItem(TObject* object) const;
  // Paints an object's entry unfocused, for a drag image.
  void PaintItemImage(TlxCanvas& canvas, const TRect& rect, TObject* object);
  // Refills the list, keeping the top and the selected position.
  void RefreshItems();

  bool DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) override;
};

// Adds the filling from a table view's hidden items.
class TlxCustomGridTableItemsListBox : public TlxCustomGridItemsListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItemsListBox", &TlxCustomGridItemsListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridItemsListBox::TlxCustomGridItemsListBox;

 protected:
  // Every movable item visible for customization that the view hides,
  // with its customization caption and the item as object.
  void AddTableItems();
};

// The window of the list: sorted, owner drawn, and the place where a press
// turns into the grid's drag.
class TlxCustomGridItemsInnerListBox : public TlxInnerListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsInnerListBox", &TlxInnerListBox::kClass,
                                 &ConstructInstance<TlxCustomGridItemsInnerListBox>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxCustomGridItemsInnerListBox(TComponent* owner);

  TlxCustomGridItemsListBox* ItemsListBox() const;
  int32_t PressedItemIndex() const { return pressed_item_index_; }
  TPoint PressedPoint() const { return pressed_point_; }
  void UpdateItemHeight();

  bool NeedsFocusRect() const override { return false; }
  void HandleLookAndFeelChange() override;

 protected:
  void CreateWnd() override;
  void CreateParams(TCreateParams& params) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WndProc(TMessage& message) override;

 private:
  bool HasBorder() const;
  void StartItemDrag();
  void PaintFlatFrame();

  int32_t pressed_item_index_ = -1;
  TPoint pressed_point_;
};

class TlxCustomGridTableCustomizationForm : public TlxCustomGridCustomizationForm {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableCustomizationForm", &TlxCustomGridCustomizationForm::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCustomizationForm::TlxCustomGridCustomizationForm;

  void CreateControls() override;
  void CreateTabs() override;
  void RefreshItems() override;
  // Any change of the view may show or hide items, so the list follows.
  void RefreshData() override { RefreshItems(); }

  // --- overridable, in slot order ----------------------------------------
  virtual const TClass* GetItemsListBoxClass() const = 0;
  virtual void GetItemsPageCaption(std::string& caption) = 0;
  virtual bool GetItemsPageVisible();

  TlxTabSheet* ItemsPage() const { return items_page_; }
  TlxCustomGridTableItemsListBox* ItemsListBox() const { return items_list_box_; }

 private:
  TlxTabSheet* items_page_ = nullptr;
  TlxCustomGridTableItemsListBox* items_list_box_ = nullptr;
};
