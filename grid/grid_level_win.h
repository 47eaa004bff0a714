#pragma once
// TlxGridLevel: a node of the grid's level tree. It names the view shown at
// that place (GridView), carries the caption, image and visibility of its
// tab, and, for a detail level, the data relation through which the master
// view's data controller reaches the detail data. TlxGridRootLevel is the
// grid's unstreamed root. Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/foundation/base/component.h"
#include "ui/foundation/styles/styles_win.h"

class TlxCustomDataRelation;
class TlxCustomGrid;
class TlxCustomGridRecord;
class TlxCustomGridView;
class TlxGridLevel;

enum TlxGridDetailTabsPosition : uint8_t { dtpNone, dtpLeft, dtpTop };

using TlxGridLevelGetGridViewEvent =
    std::function<void(TlxGridLevel* sender, TlxCustomGridRecord* master_record, TlxCustomGridView*& grid_view)>;
using TlxGridLevelGetOwnTabStyleEvent =
    std::function<void(TlxGridLevel* sender, TlxCustomGridRecord* master_record, TlxStyle*& style)>;
using TlxGridLevelGetTabStyleEvent =
    std::function<void(TlxGridLevel* sender, TlxGridLevel* tab_level, TlxStyle*& style)>;

class TlxGridLevelOptions : public TPersistent {
 public:
  using TOwnerType = TlxGridLevel;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridLevelOptions", &TPersistent::kClass,
                                 &ConstructInstance<TlxGridLevelOptions>, &TlxGridLevelOptions::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridLevelOptions(TlxGridLevel* level);

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;
  TlxGridLevel* Level() const { return level_; }

  TColor DetailFrameColor() const { return detail_frame_color_; }
  void SetDetailFrameColor(TColor value);
  int32_t DetailFrameWidth() const { return detail_frame_width_; }
  void SetDetailFrameWidth(int32_t value);
  TlxGridDetailTabsPosition DetailTabsPosition() const { return detail_tabs_position_; }
  void SetDetailTabsPosition(TlxGridDetailTabsPosition value);
  bool TabsForEmptyDetails() const { return tabs_for_empty_details_; }
  void SetTabsForEmptyDetails(bool value);

  // DetailFrameColor, or the painter's fixed-separator colour for clDefault.
  TColor GetEffectiveDetailFrameColor() const;

 protected:
  // The root level's frame is 0 pixels wide.
  virtual int32_t DefaultDetailFrameWidth() const { return 1; }
  void InitDefaults() { detail_frame_width_ = DefaultDetailFrameWidth(); }

 private:
  TlxGridLevel* level_;
  TColor detail_frame_color_ = clDefault;
  int32_t detail_frame_width_ = 1;
  TlxGridDetailTabsPosition detail_tabs_position_ = dtpNone;
  bool tabs_for_empty_details_ = true;
};

class TlxGridRootLevelOptions : public TlxGridLevelOptions {
 public:
  static constexpr TClass kClass{"TlxGridRootLevelOptions", &TlxGridLevelOptions::kClass,
                                 &ConstructInstance<TlxGridRootLevelOptions>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridRootLevelOptions(TlxGridLevel* level) : TlxGridLevelOptions(level) { InitDefaults(); }

 protected:
  int32_t DefaultDetailFrameWidth() const override { return 0; }
};

class TlxGridLevelStyles : public TlxStyles {
 public:
  using TOwnerType = TlxGridLevel;
  static constexpr int32_t kTab = 0;
  static constexpr int32_t kTabsBackground = 1;
  static constexpr TClass kClass{"TlxGridLevelStyles", &TlxStyles::kClass, &ConstructInstance<TlxGridLevelStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridLevelStyles(TlxGridLevel* level);

  TlxGridLevel* Level() const { return level_; }
  TlxGridLevelGetOwnTabStyleEvent OnGetOwnTabStyle;
  TlxGridLevelGetTabStyleEvent OnGetTabStyle;

  // --- overridable, in slot order --------------------------------------
  virtual void DoGetOwnTabStyle(TlxCustomGridRecord* master_record, TlxStyle*& style);
  virtual void GetTabParams(TlxCustomGridRecord* master_record, TlxGridLevel* tab_level, TlxPaintParams& params);

  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;
  using TlxStyles::StyleChanged;
  void StyleChanged(int32_t index) override;

 private:
  TlxGridLevel* level_;
};

class TlxGridLevel : public TlxComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridLevel", &TlxComponent::kClass, &ConstructInstance<TlxGridLevel>,
                                 &TlxGridLevel::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridLevel(TComponent* owner);
  ~TlxGridLevel() override;

  // --- published -------------------------------------------------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TlxCustomGridView* GridView() const { return grid_view_; }
  void SetGridView(TlxCustomGridView* value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  int32_t MaxDetailHeight() const { return max_detail_height_; }
  void SetMaxDetailHeight(int32_t value);
  TlxGridLevelOptions& Options() const { return *options_; }
  void SetOptions(const TlxGridLevelOptions& value) { options_->Assign(&value); }
  TlxGridLevelStyles& Styles() const { return *styles_; }
  void SetStyles(const TlxGridLevelStyles& value) { styles_->Assign(&value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TlxGridLevelGetGridViewEvent OnGetGridView;

  // --- tree ------------------------------------------------------------
  TlxCustomGrid* Control() const { return control_; }
  TlxGridLevel* Parent() const { return parent_; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxGridLevel* Items(int32_t index) const { return items_.at(static_cast<size_t>(index)); }
  int32_t VisibleCount() const { return static_cast<int32_t>(visible_items_.size()); }
  TlxGridLevel* VisibleItems(int32_t index) const { return visible_items_.at(static_cast<size_t>(index)); }
  TlxGridLevel* FirstVisibleChild() const;
  int32_t Index() const;
  TlxCustomDataRelation* DataRelation() const { return data_relation_; }

  bool IsRoot() const;
  bool IsTopLevel() const;
  bool IsActive() const;
  bool IsVisibleChain() const;
  bool IsShown() const;
  void SetActive(bool value);

  void AddChild(TlxGridLevel* child);
  void RemoveChild(TlxGridLevel* child);
  void SetChildIndex(TlxGridLevel* child, int32_t new_index);
  void DestroyChildren();
  void RefreshVisibleItems();

  // --- overridable, in slot order --------------------------------------
  // The clone of this level's view for one master record; the caller owns
  // it (a component of the grid's owner, never streamed).
  virtual TObject* CreateLinkObject(TlxCustomDataRelation* relation, int32_t master_record_index);
  virtual void Changed(bool hard_change);
  virtual void CheckHeight(int32_t& height) const;
  virtual std::string GetDisplayCaption() const;
  virtual const TClass* GetLevelClass() const { return &kClass; }
  virtual const TClass* GetOptionsClass() const { return &TlxGridLevelOptions::kClass; }
  virtual const TClass* GetStylesClass() const { return &TlxGridLevelStyles::kClass; }
  virtual void VisibleChildrenChanged(TlxGridLevel* child);

  // --- streaming -------------------------------------------------------
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* parent);
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int32_t order);

  // The grid links its root level; levels link their children.
  void SetControl(TlxCustomGrid* control) { control_ = control; }

 protected:
  // Made by the grid itself; the options class depends on the descendant.
  void CreateSubObjects();

 private:
  // The record of the parent level's view for a master record, or null.
  TlxCustomGridRecord* MasterRecordOf(int32_t master_record_index) const;
  void AttachViewDataController(TlxCustomGridView* view);
  void CreateChildRelation(TlxGridLevel* child);

  std::string caption_;
  TlxCustomGridView* grid_view_ = nullptr;
  int32_t image_index_ = -1;
  int32_t max_detail_height_ = 0;
  std::unique_ptr<TlxGridLevelOptions> options_;
  std::unique_ptr<TlxGridLevelStyles> styles_;
  bool visible_ = true;
  TlxCustomGrid* control_ = nullptr;
  TlxGridLevel* parent_ = nullptr;
  std::vector<TlxGridLevel*> items_;
  std::vector<TlxGridLevel*> visible_items_;
  TlxCustomDataRelation* data_relation_ = nullptr;
};

// The grid's root level: owns the top-level levels, is never streamed.
class TlxGridRootLevel : public TlxGridLevel {
 public:
  static constexpr TClass kClass{"TlxGridRootLevel", &TlxGridLevel::kClass, &ConstructInstance<TlxGridRootLevel>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridRootLevel(TComponent* owner) : TlxGridLevel(owner) { CreateSubObjects(); }
  const TClass* GetOptionsClass() const override { return &TlxGridRootLevelOptions::kClass; }
};
