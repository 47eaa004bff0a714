// The column filter popup and the filter MRU popup on a real grid over the
// file list's dataset: opened under a cell of the view's site, driven by
// real clicks and keys inside their own message loop; after each choice the
// view's filter, the dataset rows the view shows and the MRU list are what
// the user asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/filter_value_list.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_filtering.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "tests/support/input.h"
#include "grid/table_view_info_win.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_pixels.h"

namespace grid_filter_popup_win_test {

class TPopupTestView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TPopupTestView", &TlxGridDBTableView::kClass,
                                 &lxConstructGridView<TPopupTestView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
};

// The filter button of one column, as the popup sees it.
class TOwnerCell : public TObject, public IlxCustomGridPopupOwner, public IlxGridItemPopupOwner {
 public:
  bool ClosePopupWithOwner() override { return true; }
  void GetPopupOwnerBounds(TRect& rect) override { rect = bounds; }
  void PopupClosed() override { ++closed; }
  void PopupDestroyed() override { ++destroyed; }
  TlxCustomGridTableItem* PopupItem() override { return item; }

  TRect bounds{300, 2, 318, 20};
  TlxCustomGridTableItem* item = nullptr;
  int closed = 0;
  int destroyed = 0;
};

class FilterPopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    // Sizes with repeats, so that a value stands for several rows.
    const double sizes[] = {100, 200, 100, 300, 200, 100};
    for (int i = 0; i < 6; ++i)
      files_->Add("C:\\f" + std::to_string(i + 1) + ".pdf", sizes[i], EncodeDate(2024, 1, i + 1), i + 1);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 420);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    view_ = lxCreateGridView<TPopupTestView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->DataController()->SetDataSource(files_->source);
    datei_ = AddColumn("Datei", "Datei");
    groesse_ = AddColumn("Größe", "Groesse");
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
    owner_.item = groesse_;
    FilterPopup();
  }

  void TearDown() override {
    test_support::StopModalScript();
    popup_.reset();
    mru_popup_.reset();
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    files_.reset();
    lxGridDBTableViewModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
    // The check boxes' glyphs must not outlive the test's bitmaps.
    lxFreePainterGlyphs();
  }

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    column->SetWidth(200);
    return column;
  }

  TlxGridFilterPopup& FilterPopup() {
    if (popup_ == nullptr) {
      popup_.reset(new TlxGridFilterPopup(view_));
      popup_->SetOwnerViewInfo(&owner_);
    }
    return *popup_;
  }

  // Opens the filter popup and runs `steps` one per tick inside its loop;
  // each step answers whether it is done. Returns once the popup closed.
  void RunFilterPopup(std::vector<std::function<bool()>> steps) { RunPopup(FilterPopup(), std::move(steps)); }

  void RunPopup(TlxCustomGridPopup& popup, std::vector<std::function<bool()>> steps) {
    ASSERT_TRUE(view_->Site() != nullptr && IsWindowVisible(view_->Site()->WindowHandle()));
    // The cursor, left where the last step clicked, would select by hover.
    test_support::InputMouseAt(POINT{2, 2});
    test_support::PumpMessagesUntilIdle();
    auto remaining = std::make_shared<std::vector<std::function<bool()>>>(std::move(steps));
    auto next = std::make_shared<size_t>(0);
    auto ticks = std::make_shared<int>(0);
    // The script's own budget must outlast every step's patience below, or
    // on a slow machine it would end first and leave the popup's loop
    // waiting for ever.
    const int budget = static_cast<int>(remaining->size() + 1) * 110;
    auto opened = std::make_shared<bool>(false);
    test_support::RunWhileModal([remaining, next, ticks, opened, &popup] {
      // Popup() may pump messages before it shows the window: a popup not
      // shown yet is not one that has closed.
      if (!popup.Visible())
        return *opened;
      *opened = true;
      // The last step's input needs a few ticks to arrive.
      const bool stuck = *next >= remaining->size() ? ++*ticks > 10 : ++*ticks > 100;
      if (stuck) {
        ADD_FAILURE() << "step " << *next << " of " << remaining->size() << " did not finish";
        // A step that never finishes, or one that should have closed the
        // popup and did not: close it, so the test fails instead of hanging.
        popup.ClosePopup();
        return true;
      }
      if (*next < remaining->size() && (*remaining)[*next]()) {
        ++*next;
        *ticks = 0;
      }
      return false;
    }, budget);
    popup.Popup();
    test_support::StopModalScript();
    test_support::PumpMessagesUntilIdle();
  }

  // The entry of the filter popup for a kind (and a value for values).
  int32_t EntryIndex(TlxFilterValueItemKind kind, double value = 0) const {
    TlxGridFilterValueList* values = popup_->Values();
    for (int32_t i = 0; i < values->Count(); ++i) {
      const TlxFilterValueItem& entry = values->EntryAt(i);
      if (entry.Kind == kind && (kind != fvkValue || (!entry.Value.IsNull() && entry.Value.AsDouble() == value)))
        return i;
    }
    return -1;
  }

  // A real click on an entry of a popup list box.
  static std::function<bool()> ClickEntry(TlxGridPopupListBox& list, std::function<int32_t()> index) {
    return [&list, index] {
      const int32_t i = index();
      if (i < 0)
        return false;
      list.SetTopIndex(std::max(0, i - 2));
      const TRect rect = list.InnerListBox().ItemRect(i);
      test_support::InputClick(list.InnerListBox().WindowHandle(),
                               POINT{rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2});
      return true;
    };
  }
  std::function<bool()> ClickValue(double value) {
    return ClickEntry(popup_->ListBox(), [this, value] { return EntryIndex(fvkValue, value); });
  }
  std::function<bool()> ClickKind(TlxFilterValueItemKind kind) {
    return ClickEntry(popup_->ListBox(), [this, kind] { return EntryIndex(kind); });
  }
  static std::function<bool()> PressKey(UINT key) {
    return [key] {
      test_support::InputKey(key);
      return true;
    };
  }
  static std::function<bool()> Check(std::function<void()> assertions) {
    return [assertions] {
      assertions();
      return true;
    };
  }

  // The sizes of the rows the view shows, in row order.
  std::vector<double> ShownSizes() const {
    std::vector<double> sizes;
    TlxCustomDataController* controller = view_->DataController();
    for (int32_t row = 0; row < controller->GetRowCount(); ++row)
      sizes.push_back(controller->GetRowValue(controller->GetRowInfo(row), groesse_->Index()).AsDouble());
    std::sort(sizes.begin(), sizes.end());
    return sizes;
  }

  int32_t MRUCount() const { return view_->Filtering()->MRUItems().GetCount(); }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TPopupTestView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TlxGridDBColumn* groesse_ = nullptr;
  TOwnerCell owner_;
  std::unique_ptr<TlxGridFilterPopup> popup_;
  std::unique_ptr<TlxGridFilterMRUItemsPopup> mru_popup_;
};

TEST_F(FilterPopupTest, SingleSelectAppliesTheClickedValueClosesAndRemembersTheFilter) {
  groesse_->Options()->SetFilteringPopupMultiSelect(false);
  bool had_checks = true;
  RunFilterPopup({Check([&] { had_checks = popup_->ListBox().ShowChecks(); }), ClickValue(200)});
  EXPECT_FALSE(had_checks);
  EXPECT_FALSE(popup_->Visible());
  EXPECT_EQ((std::vector<double>{200, 200}), ShownSizes());
  EXPECT_EQ(1, MRUCount());
  EXPECT_EQ(1, owner_.closed);
  // The popup is cleared between uses.
  EXPECT_EQ(0, popup_->ListBox().ItemCount());

  // Opening again selects the entry of the current condition.
  Variant selected_value;
  RunFilterPopup({Check([&] {
                    const int32_t selected = popup_->ListBox().ItemIndex();
                    if (selected >= 0)
                      selected_value = popup_->Values()->EntryAt(selected).Value;
                  }),
                  PressKey(VK_ESCAPE)});
  ASSERT_FALSE(selected_value.IsNull());
  EXPECT_EQ(200.0, selected_value.AsDouble());
  EXPECT_EQ((std::vector<double>{200, 200}), ShownSizes());
}

TEST_F(FilterPopupTest, MultiSelectChecksApplyAtOnceAndTheCloseAddsTheFilterOnce) {
  std::vector<double> after_first;
  bool visible_after_check = false;
  RunFilterPopup({ClickValue(100),
                  Check([&] {
                    after_first = ShownSizes();
                    visible_after_check = popup_->Visible();
                  }),
                  ClickValue(300), PressKey(VK_ESCAPE)});
  EXPECT_TRUE(visible_after_check);
  EXPECT_EQ((std::vector<double>{100, 100, 100}), after_first);
  EXPECT_EQ((std::vector<double>{100, 100, 100, 300}), ShownSizes());
  EXPECT_EQ(1, MRUCount());

  // Reopened, the two values are checked in their order and none is
  // selected; unchecking one applies at once.
  std::vector<int32_t> checked;
  int32_t selected = -2;
  RunFilterPopup({Check([&] {
                    checked = popup_->ListBox().CheckedIndexes();
                    selected = popup_->ListBox().ItemIndex();
                  }),
                  ClickValue(100), PressKey(VK_ESCAPE)});
  EXPECT_EQ((std::vector<int32_t>{EntryIndex(fvkValue, 100), EntryIndex(fvkValue, 300)}), checked);
  EXPECT_EQ(-1, selected);
  EXPECT_EQ((std::vector<double>{300}), ShownSizes());
}

TEST_F(FilterPopupTest, AllInMultiSelectClosesAndClearsTheColumnsFilter) {
  RunFilterPopup({ClickValue(300), PressKey(VK_ESCAPE)});
  ASSERT_EQ((std::vector<double>{300}), ShownSizes());
  RunFilterPopup({ClickKind(fvkAll)});
  EXPECT_FALSE(popup_->Visible());
  EXPECT_EQ((std::vector<double>{100, 100, 100, 200, 200, 300}), ShownSizes());
}

TEST_F(FilterPopupTest, WithTheApplyButtonChecksWaitForTheButton) {
  view_->Filtering()->ColumnPopup().SetApplyMultiSelectChanges(fpacOnButtonClick);
  bool button_shown = false;
  bool enabled_before = true;
  bool enabled_after = false;
  std::vector<double> before_apply;
  RunFilterPopup({Check([&] {
                    button_shown = popup_->ApplyButton().Visible();
                    enabled_before = popup_->ApplyButton().Enabled();
                  }),
                  ClickValue(200), ClickValue(300),
                  Check([&] {
                    enabled_after = popup_->ApplyButton().Enabled();
                    before_apply = ShownSizes();
                  }),
                  [this] {
                    TlxButton& button = popup_->ApplyButton();
                    test_support::InputClick(button.WindowHandle(),
                                             POINT{button.Width() / 2, button.Height() / 2});
                    return true;
                  }});
  EXPECT_TRUE(button_shown);
  EXPECT_FALSE(enabled_before);
  EXPECT_TRUE(enabled_after);
  EXPECT_EQ(6u, before_apply.size());
  EXPECT_FALSE(popup_->Visible());
  EXPECT_EQ((std::vector<double>{200, 200, 300}), ShownSizes());
  EXPECT_EQ(1, MRUCount());
}

TEST_F(FilterPopupTest, ClosingWithoutTheButtonDropsTheChecks) {
  view_->Filtering()->ColumnPopup().SetApplyMultiSelectChanges(fpacOnButtonClick);
  RunFilterPopup({ClickValue(200), PressKey(VK_ESCAPE)});
  EXPECT_EQ(6u, ShownSizes().size());
  EXPECT_EQ(0, MRUCount());
}

TEST_F(FilterPopupTest, CustomOpensTheFilterDialogAndIsNotRemembered) {
  std::vector<TlxCustomGridTableItem*> dialog_items;
  view_->OnFilterDialogShow = [&](TlxCustomGridTableView* /*sender*/, TlxCustomGridTableItem* item, bool& done) {
    dialog_items.push_back(item);
    done = true;
  };
  RunFilterPopup({ClickKind(fvkCustom)});
  EXPECT_EQ((std::vector<TlxCustomGridTableItem*>{groesse_}), dialog_items);
  EXPECT_EQ(0, MRUCount());
  EXPECT_EQ(6u, ShownSizes().size());
}

TEST_F(FilterPopupTest, HeadEntriesTakeNoCheckAndValuesDo) {
  std::vector<std::pair<TlxFilterValueItemKind, bool>> checkable;
  RunFilterPopup({Check([&] {
                    for (int32_t i = 0; i < popup_->Values()->Count(); ++i)
                      checkable.emplace_back(popup_->Values()->EntryAt(i).Kind, popup_->ListBox().HasCheck(i));
                  }),
                  PressKey(VK_ESCAPE)});
  ASSERT_FALSE(checkable.empty());
  bool saw_all = false;
  for (const auto& [kind, has_check] : checkable) {
    const bool expected = kind == fvkBlanks || kind == fvkValue || kind == fvkDatePeriod;
    EXPECT_EQ(expected, has_check) << static_cast<int>(kind);
    saw_all = saw_all || kind == fvkAll;
  }
  EXPECT_TRUE(saw_all);
}

TEST_F(FilterPopupTest, LongListsScrollAndThePopupIsNeverNarrowerThanItsButton) {
  for (int i = 0; i < 30; ++i)
    files_->Add("C:\\g" + std::to_string(i) + ".pdf", 1000.0 + i, EncodeDate(2024, 2, 1), 100 + i);
  owner_.bounds = TRect(100, 2, 500, 20);
  int32_t list_height = 0;
  int32_t item_height = 0;
  int32_t list_width = 0;
  int32_t popup_width = 0;
  RunFilterPopup({Check([&] {
                    list_height = popup_->ListBox().Height();
                    item_height = popup_->ListBox().ItemHeight();
                    list_width = popup_->ListBox().Width();
                    popup_width = popup_->Width();
                  }),
                  PressKey(VK_ESCAPE)});
  EXPECT_EQ(15 * item_height, list_height);
  EXPECT_GE(popup_width, 400);
  EXPECT_GE(list_width, 400 - popup_->GetBordersWidth());
}

TEST_F(FilterPopupTest, TheMRUPopupReappliesAnEarlierFilter) {
  groesse_->Options()->SetFilteringPopupMultiSelect(false);
  RunFilterPopup({ClickValue(100)});
  RunFilterPopup({ClickKind(fvkAll)});
  ASSERT_EQ(6u, ShownSizes().size());
  mru_popup_.reset(new TlxGridFilterMRUItemsPopup(view_));
  mru_popup_->SetOwnerViewInfo(&owner_);
  int32_t entries = 0;
  RunPopup(*mru_popup_, {Check([&] { entries = mru_popup_->ListBox().ItemCount(); }),
                         ClickEntry(mru_popup_->ListBox(), [] { return 0; })});
  EXPECT_EQ(1, entries);
  EXPECT_FALSE(mru_popup_->Visible());
  EXPECT_EQ((std::vector<double>{100, 100, 100}), ShownSizes());
  // The chosen filter is the current one now, which the list leaves out.
  EXPECT_EQ(0, view_->Filtering()->MRUItems().VisibleCount());
  EXPECT_EQ(0, mru_popup_->ListBox().ItemCount());
}

TEST_F(FilterPopupTest, AFreedPopupTellsItsOwner) {
  FilterPopup();
  popup_.reset();
  EXPECT_EQ(1, owner_.destroyed);
}

}  // namespace grid_filter_popup_win_test
