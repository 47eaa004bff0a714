#include "grid/grid_column_headers_win.h"

#include <algorithm>
#include <limits>

#include "grid/grid_hit_tests_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/table_layout_math.h"

namespace {

constexpr int32_t kTextMargin = 2;

TlxGridAreaAlignHorz AreaAlignHorz(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify:
      return gaaLeft;
    case taRightJustify:
      return gaaRight;
    case taCenter:
      break;
  }
  return gaaCenter;
}

TlxGridAreaAlignVert AreaAlignVert(TlxAlignmentVert alignment) {
  switch (alignment) {
    case vaTop:
      return gavTop;
    case vaBottom:
      return gavBottom;
    default:
      break;
  }
  return gavCenter;
}

}  // namespace

// --- TlxGridColumnHeaderViewInfo ---------------------------------------------------

TlxGridColumnHeaderViewInfo::TlxGridColumnHeaderViewInfo(TlxGridColumnContainerViewInfo* container,
                                                         TlxGridColumn* column)
    : TlxCustomGridViewCellViewInfo(container->TlxCustomGridViewCellViewInfo::OwnerViewInfo()),
      container_(container),
      column_(column) {}

TlxGridColumnHeaderViewInfo::~TlxGridColumnHeaderViewInfo() { areas_.clear(); }

TlxGridTableView* TlxGridColumnHeaderViewInfo::TableView() const { return container_->TableView(); }

TlxGridTableViewInfo* TlxGridColumnHeaderViewInfo::TableViewInfo() const { return container_->TableViewInfo(); }

TlxHeaderNeighbors TlxGridColumnHeaderViewInfo::Neighbors() const { return container_->GetColumnNeighbors(column_); }

TlxGridColumnHeaderAreaViewInfo* TlxGridColumnHeaderViewInfo::FindArea(const TClass& area_class) const {
  for (const auto& area : areas_)
    if (area->ClassType()->InheritsFrom(&area_class))
      return area.get();
  return nullptr;
}

bool TlxGridColumnHeaderViewInfo::IsPressed() { return MouseState() == gmsPressed; }

bool TlxGridColumnHeaderViewInfo::IsRightmost() const {
  TlxGridTableView* view = container_->TableView();
  return view != nullptr && view->VisibleColumnCount() > 0 &&
         view->VisibleColumns(view->VisibleColumnCount() - 1) == column_;
}

int32_t TlxGridColumnHeaderViewInfo::GetCellBorderWidth() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetHeaderBorderSize() : 0;
}

int32_t TlxGridColumnHeaderViewInfo::CalculateHeight() {
  CalculateParamsIfNeeded();
  const int32_t text_height = TableViewInfo()->GetFontHeight(PaintParams().Font);
  return lxGridHeaderItemHeight(text_height, GetCellBorderWidth());
}

int32_t TlxGridColumnHeaderViewInfo::CalculateWidth() {
  if (Width == -1)
    Width = CheckWidth(container_->GetColumnWidth(column_));
  return Width;
}

void TlxGridColumnHeaderViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  AdditionalWidthAtLeft = 0;
  AdditionalHeightAtTop = 0;
  if (width == -1)
    width = CalculateWidth();
  RealWidth = width - container_->GetColumnIndent(column_->VisibleIndex());
  CheckVisibility();
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
  CreateAreas();
  CalculateTextArea();
}

void TlxGridColumnHeaderViewInfo::CreateAreas() {
  areas_.clear();
  std::vector<const TClass*> classes;
  EnumAreaClasses(classes);
  for (const TClass* area_class : classes) {
    if (area_class == &TlxGridColumnHeaderHorzSizingEdgeViewInfo::kClass)
      areas_.push_back(std::make_unique<TlxGridColumnHeaderHorzSizingEdgeViewInfo>(this));
    else if (area_class == &TlxGridColumnHeaderSortingMarkViewInfo::kClass)
      areas_.push_back(std::make_unique<TlxGridColumnHeaderSortingMarkViewInfo>(this));
    else if (area_class == &TlxGridColumnHeaderFilterButtonViewInfo::kClass)
      areas_.push_back(std::make_unique<TlxGridColumnHeaderFilterButtonViewInfo>(this));
    else if (area_class == &TlxGridColumnHeaderGlyphViewInfo::kClass)
      areas_.push_back(std::make_unique<TlxGridColumnHeaderGlyphViewInfo>(this));
  }
}

void TlxGridColumnHeaderViewInfo::EnumAreaClasses(std::vector<const TClass*>& classes) {
  if (HasHorzSizingEdge())
    classes.push_back(&TlxGridColumnHeaderHorzSizingEdgeViewInfo::kClass);
  if (HasFilterButton())
    classes.push_back(&TlxGridColumnHeaderFilterButtonViewInfo::kClass);
  if (HasSortingMark())
    classes.push_back(&TlxGridColumnHeaderSortingMarkViewInfo::kClass);
  if (HasGlyph())
    classes.push_back(&TlxGridColumnHeaderGlyphViewInfo::kClass);
}

void TlxGridColumnHeaderViewInfo::CalculateTextArea() {
  std::vector<TlxGridHeaderArea> specs;
  specs.reserve(areas_.size());
  for (const auto& area : areas_) {
    TlxGridHeaderArea spec;
    spec.Width = area->AreaWidth();
    spec.Height = area->AreaHeight();
    spec.AlignHorz = AreaAlignHorz(area->AlignmentHorz());
    spec.AlignVert = AreaAlignVert(area->AlignmentVert());
    spec.InsideTextArea = area->AlignWithText();
    spec.TakesCaptionSpace = area->OccupiesSpace();
    spec.StraddlesRightEdge = !area->AlignWithText();
    specs.push_back(spec);
  }
  std::string caption;
  GetText(caption);
  const int32_t caption_width = caption.empty() ? 0 : TextWidth();
  const TlxGridHeaderLayout layout = lxGridLayoutHeaderAreas(BoundsRect, ContentBounds(), specs, caption.empty(),
                                                             GetTextAlignHorz() == taCenter, caption_width);
  TextAreaBounds = layout.TextArea;
  for (size_t index = 0; index < areas_.size(); ++index)
    areas_[index]->CalculateByRect(layout.Areas[index]);
}

bool TlxGridColumnHeaderViewInfo::HasAreaAtSide(TAlignment side) {
  std::string caption;
  GetText(caption);
  if (caption.empty())
    return false;
  for (const auto& area : areas_)
    if (area->OccupiesSpace() && area->AlignWithText() && area->AlignmentHorz() == side)
      return true;
  return false;
}

void TlxGridColumnHeaderViewInfo::CheckVisibility() {
  // Horizontal visibility only: a header laid out off-screen still places
  // its cells so that the rows find their columns.
  visible_by_scroll_ = true;
}

bool TlxGridColumnHeaderViewInfo::HasHorzSizingEdge() {
  return column_->CanHorzSize() && container_->GetKind() == ccHeader;
}

bool TlxGridColumnHeaderViewInfo::HasSortingMark() { return column_->SortOrder() != soNone; }

int32_t TlxGridColumnHeaderViewInfo::CheckWidth(int32_t width) {
  return std::clamp(width, GetMinWidth(), std::max(GetMinWidth(), GetMaxWidth()));
}

std::string TlxGridColumnHeaderViewInfo::GetCaption() { return column_->Caption(); }

int32_t TlxGridColumnHeaderViewInfo::GetMaxWidth() {
  TlxGridTableView* view = TableView();
  if (view == nullptr || !view->OptionsView()->ColumnAutoWidth())
    return std::numeric_limits<int32_t>::max();
  std::vector<int32_t> widths;
  std::vector<int32_t> min_widths;
  const int32_t count = container_->ItemCount();
  for (int32_t index = 0; index < count; ++index) {
    TlxGridColumn* column = container_->GetColumn(index);
    TlxGridColumnHeaderViewInfo* cell = container_->ExistingItem(index);
    widths.push_back(cell != nullptr && cell->Width != -1 ? cell->Width : container_->GetColumnWidth(column));
    min_widths.push_back(container_->GetColumnMinWidth(column));
  }
  return lxGridColumnMaxWidth(widths, min_widths, column_->VisibleIndex(), view->AutoWidthAvailableWidth(), true);
}

int32_t TlxGridColumnHeaderViewInfo::GetMinWidth() { return container_->GetColumnMinWidth(column_); }

int32_t TlxGridColumnHeaderViewInfo::GetNeededWidth() {
  CalculateParamsIfNeeded();
  int32_t width = TextWidth() + 2 * kTextMargin + GetBorderWidth(bLeft) + GetBorderWidth(bRight) -
                  AdditionalWidthAtLeft;
  for (const auto& area : areas_)
    if (area->OccupiesSpace() && area->AlignWithText())
      width += area->AreaWidth() + kTextMargin;
  return width;
}

void TlxGridColumnHeaderViewInfo::GetText(std::string& text) {
  text = column_->Options() != nullptr && !column_->Options()->ShowCaption() ? std::string() : GetCaption();
}

TAlignment TlxGridColumnHeaderViewInfo::GetTextAlignHorz() const { return column_->HeaderAlignmentHorz(); }

TlxAlignmentVert TlxGridColumnHeaderViewInfo::GetTextAlignVert() const { return column_->HeaderAlignmentVert(); }

TlxBorders TlxGridColumnHeaderViewInfo::GetBorders() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetHeaderBorders(Neighbors()) : lxAllBorders;
}

int32_t TlxGridColumnHeaderViewInfo::GetBorderWidth(TlxBorder /*side*/) { return GetCellBorderWidth(); }

void TlxGridColumnHeaderViewInfo::GetViewParams(TlxPaintParams& params) {
  TlxGridTableView* view = TableView();
  if (view != nullptr)
    view->Styles()->GetHeaderParams(column_, params);
}

const TClass* TlxGridColumnHeaderViewInfo::GetHitTestClass() const { return &TlxGridColumnHeaderHitTest::kClass; }

const TClass* TlxGridColumnHeaderViewInfo::GetPainterClass() const { return &TlxGridColumnHeaderPainter::kClass; }

bool TlxGridColumnHeaderViewInfo::GetShowEndEllipsis() {
  TlxGridTableView* view = TableView();
  return view != nullptr && view->OptionsView()->HeaderEndEllipsis();
}

bool TlxGridColumnHeaderViewInfo::GetMeasureMultiLine() { return container_->IsItemAutoHeight(); }

bool TlxGridColumnHeaderViewInfo::GetPaintMultiLine() {
  return GetMeasureMultiLine() || container_->IsItemMultiLinePainting();
}

TBitmap* TlxGridColumnHeaderViewInfo::GetBackgroundBitmap() {
  TlxGridTableView* view = TableView();
  return view != nullptr && view->BackgroundBitmaps() != nullptr ? view->BackgroundBitmaps()->GetBitmap(4) : nullptr;
}

bool TlxGridColumnHeaderViewInfo::GetHotTrack() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr && painter->HeaderHotTrackEnabled();
}

void TlxGridColumnHeaderViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  container_->InitHitTest(hit_test);
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
  if (auto* column_hit_test = dynamic_cast<TlxCustomGridColumnHitTest*>(hit_test))
    column_hit_test->Column = column_;
}

void TlxGridColumnHeaderViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridViewCellViewInfo::Offset(dx, dy);
  TextAreaBounds = TextAreaBounds.Offset(dx, dy);
  for (const auto& area : areas_)
    area->Offset(dx, dy);
}

bool TlxGridColumnHeaderViewInfo::HasCustomDraw() {
  TlxGridTableView* view = TableView();
  return static_cast<bool>(column_->OnCustomDrawHeader()) || (view != nullptr && view->HasCustomDrawColumnHeader());
}

bool TlxGridColumnHeaderViewInfo::CustomDraw(TlxCanvas& canvas) {
  if (column_->DoCustomDrawHeader(&canvas, this))
    return true;
  TlxGridTableView* view = TableView();
  return view != nullptr && view->DoCustomDrawColumnHeader(&canvas, this);
}

// --- TlxGridColumnContainerViewInfo --------------------------------------------------

TlxGridColumnContainerViewInfo::TlxGridColumnContainerViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxCustomGridPartViewInfo(owner_view_info) {}

TlxGridColumnContainerViewInfo::~TlxGridColumnContainerViewInfo() { items_.clear(); }

TlxGridTableViewInfo* TlxGridColumnContainerViewInfo::TableViewInfo() const {
  return static_cast<TlxGridTableViewInfo*>(OwnerViewInfo());
}

TlxGridTableView* TlxGridColumnContainerViewInfo::TableView() const { return TableViewInfo()->TableView(); }

void TlxGridColumnContainerViewInfo::ResetItems() {
  items_.clear();
  item_height_ = -1;
}

TlxGridColumnHeaderViewInfo* TlxGridColumnContainerViewInfo::GetItem(int32_t index) {
  const int32_t count = GetColumnCount();
  if (index < 0 || index >= count)
    return nullptr;
  if (static_cast<int32_t>(items_.size()) != count)
    items_.resize(static_cast<size_t>(count));
  std::unique_ptr<TlxGridColumnHeaderViewInfo>& slot = items_[static_cast<size_t>(index)];
  if (slot == nullptr)
    slot = CreateItem(index);
  return slot.get();
}

TlxGridColumnHeaderViewInfo* TlxGridColumnContainerViewInfo::ExistingItem(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(items_.size()))
    return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int32_t TlxGridColumnContainerViewInfo::GetItemHeight() {
  if (item_height_ == -1)
    item_height_ = CalculateItemHeight();
  return item_height_;
}

int32_t TlxGridColumnContainerViewInfo::GetColumnIndent(int32_t index) {
  return index == 0 ? TableViewInfo()->GetLevelIndentsWidth() : 0;
}

std::unique_ptr<TlxGridColumnHeaderViewInfo> TlxGridColumnContainerViewInfo::CreateItem(int32_t index) {
  return std::make_unique<TlxGridColumnHeaderViewInfo>(this, GetColumn(index));
}

int32_t TlxGridColumnContainerViewInfo::CalculateItemHeight() {
  CalculateParamsIfNeeded();
  TlxPainterClass painter = LookAndFeelPainter();
  const int32_t border = painter != nullptr ? painter->GetHeaderBorderSize() : 0;
  return lxGridHeaderItemHeight(TableViewInfo()->GetFontHeight(PaintParams().Font), border);
}

int32_t TlxGridColumnContainerViewInfo::GetColumnMinWidth(TlxGridColumn* column) {
  return lxSaturatingAdd(GetColumnIndent(column->VisibleIndex()), column->MinWidth());
}

int32_t TlxGridColumnContainerViewInfo::GetColumnWidth(TlxGridColumn* column) {
  return lxSaturatingAdd(GetColumnIndent(column->VisibleIndex()), column->Width());
}

void TlxGridColumnContainerViewInfo::GetZoneAreaBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Right = TableViewInfo()->ClientBounds().Right;
}

int32_t TlxGridColumnContainerViewInfo::GetZone(const TPoint& point) {
  if (!GetVisible())
    return -1;
  TRect area;
  GetZoneAreaBounds(area);
  if (point.Y < area.Top || point.Y >= area.Bottom)
    return -1;
  std::vector<TlxGridCellSpan> spans;
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = ExistingItem(index))
      spans.push_back({cell->BoundsRect.Left, cell->BoundsRect.Right});
  return lxGridDropZone(area.Left, area.Right, spans, point.X);
}

TlxCustomGridHitTest* TlxGridColumnContainerViewInfo::GetHitTest(const TPoint& point) {
  for (const auto& item : items_)
    if (item != nullptr && item->IsCalculated())
      if (TlxCustomGridHitTest* hit_test = item->GetHitTest(point))
        return hit_test;
  return TlxCustomGridPartViewInfo::GetHitTest(point);
}

void TlxGridColumnContainerViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridPartViewInfo::InitHitTest(hit_test);
  if (auto* column_hit_test = dynamic_cast<TlxCustomGridColumnHitTest*>(hit_test))
    column_hit_test->ColumnContainerKind = GetKind();
}

void TlxGridColumnContainerViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridPartViewInfo::Offset(dx, dy);
  for (const auto& item : items_)
    if (item != nullptr)
      item->Offset(dx, dy);
}

const TClass* TlxGridColumnContainerViewInfo::GetPainterClass() const {
  return &TlxGridColumnContainerPainter::kClass;
}

// --- header areas ---------------------------------------------------------------------

TlxGridColumnHeaderAreaViewInfo::TlxGridColumnHeaderAreaViewInfo(TlxGridColumnHeaderViewInfo* header)
    : TlxCustomGridViewCellViewInfo(header->OwnerViewInfo()), header_(header) {}

const TClass* TlxGridColumnHeaderAreaViewInfo::GetHitTestClass() const { return &TlxGridColumnHeaderHitTest::kClass; }

void TlxGridColumnHeaderAreaViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  header_->InitHitTest(hit_test);
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
}

const TClass* TlxGridColumnHeaderHorzSizingEdgeViewInfo::GetHitTestClass() const {
  return &TlxGridColumnHeaderHorzSizingEdgeHitTest::kClass;
}

int32_t TlxGridColumnHeaderFilterButtonViewInfo::AreaWidth() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFilterDropDownButtonSize().cx : 15;
}

const TClass* TlxGridColumnHeaderFilterButtonViewInfo::GetHitTestClass() const {
  return &TlxGridColumnHeaderFilterButtonHitTest::kClass;
}

int32_t TlxGridColumnHeaderSortingMarkViewInfo::AreaWidth() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetSortingMarkAreaSize().cx : 16;
}

int32_t TlxGridColumnHeaderSortingMarkViewInfo::AreaHeight() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetSortingMarkAreaSize().cy : 0;
}

bool TlxGridColumnHeaderSortingMarkViewInfo::Ascending() {
  return ColumnHeaderViewInfo()->Column()->SortOrder() == soAscending;
}

const TClass* TlxGridColumnHeaderSortingMarkViewInfo::GetPainterClass() const {
  return &TlxGridColumnHeaderSortingMarkPainter::kClass;
}

int32_t TlxGridColumnHeaderGlyphViewInfo::AreaWidth() {
  TBitmap* glyph = ColumnHeaderViewInfo()->Column()->HeaderGlyph();
  return glyph != nullptr ? glyph->Width() : 0;
}

int32_t TlxGridColumnHeaderGlyphViewInfo::AreaHeight() {
  TBitmap* glyph = ColumnHeaderViewInfo()->Column()->HeaderGlyph();
  return glyph != nullptr ? glyph->Height() : 0;
}

TAlignment TlxGridColumnHeaderGlyphViewInfo::AlignmentHorz() {
  return ColumnHeaderViewInfo()->Column()->HeaderGlyphAlignmentHorz();
}

TlxAlignmentVert TlxGridColumnHeaderGlyphViewInfo::AlignmentVert() {
  return ColumnHeaderViewInfo()->Column()->HeaderGlyphAlignmentVert();
}

// --- painters ---------------------------------------------------------------------------

void TlxGridColumnContainerPainter::DrawContent() {
  Canvas().PushClipRegion();
  TScopeExit restore([this] { Canvas().PopClipRegion(); });
  Canvas().IntersectClip(Container().BoundsRect);
  if (ItemsPaintedFirst()) {
    DrawItems();
    TlxCustomGridPartPainter::DrawContent();
  } else {
    TlxCustomGridPartPainter::DrawContent();
    DrawItems();
  }
}

void TlxGridColumnContainerPainter::DrawItems() {
  TlxGridColumnContainerViewInfo& container = Container();
  for (int32_t index = 0; index < container.ItemCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = container.ExistingItem(index); cell != nullptr && cell->IsCalculated())
      cell->Paint(&Canvas());
}

TlxButtonState TlxGridColumnHeaderPainter::PaintState() {
  TlxGridColumnHeaderViewInfo& header = Header();
  // A drag image shows the header plain.
  if (&Canvas() != &header.GetCanvas())
    return lxbsNormal;
  if (header.IsPressed())
    return lxbsPressed;
  return header.MouseState() == gmsHot ? lxbsHot : lxbsNormal;
}

void TlxGridColumnHeaderPainter::DoPaint() {
  TlxCustomGridCellPainter::DoPaint();
  if (&Canvas() == &Header().GetCanvas() && Header().IsPressed())
    DrawPressed();
}

void TlxGridColumnHeaderPainter::DrawContent() {
  TlxGridColumnHeaderViewInfo& header = Header();
  TlxPainterClass painter = header.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  std::string caption;
  header.GetText(caption);
  const TlxPaintParams& params = header.PaintParams();
  TlxGridHeaderViewInfo* header_part = header.TableViewInfo()->HeaderViewInfo();
  TlxBackgroundCallback background;
  if (header_part != nullptr && header.HasBackgroundBitmap())
    background = [header_part](TlxCanvas& canvas, const TRect& rect) {
      return header_part->DrawBackgroundBitmap(canvas, rect);
    };
  painter->PaintHeader(Canvas(), header.BoundsRect, header.TextAreaBounds, header.Neighbors(), header.GetBorders(),
                       PaintState(), header.GetTextAlignHorz(), header.GetTextAlignVert(), header.GetPaintMultiLine(),
                       header.GetShowEndEllipsis(), caption, params.Font, params.TextColor, params.Color, background,
                       header.IsRightmost(), header.Container()->GetKind() == ccGroupByBox);
  DrawAreas();
}

void TlxGridColumnHeaderPainter::DrawAreas() {
  Canvas().PushClipRegion();
  TScopeExit restore([this] { Canvas().PopClipRegion(); });
  TlxGridColumnHeaderViewInfo& header = Header();
  for (int32_t index = 0; index < header.AreaViewInfoCount(); ++index)
    header.AreaViewInfos(index)->Paint(&Canvas());
}

void TlxGridColumnHeaderPainter::DrawPressed() {
  if (TlxPainterClass painter = Header().LookAndFeelPainter())
    painter->PaintHeaderPressedEffect(Canvas(), Header().BoundsRect);
}
