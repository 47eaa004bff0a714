#include "grid/grid_view_handler_win.h"

#include "grid/grid_control_win.h"
#include "grid/grid_view_win.h"

TlxGridViewHandler::TlxGridViewHandler(TlxCustomGridView* grid_view)
    : TlxInterfacedPersistent(grid_view), grid_view_(grid_view) {}

TlxCustomGrid* TlxGridViewHandler::Control() const { return grid_view_->Grid(); }
TlxCustomGridController* TlxGridViewHandler::Controller() const { return grid_view_->Controller(); }
TlxCustomDataController* TlxGridViewHandler::DataController() const { return grid_view_->DataController(); }
TlxCustomGridPainter* TlxGridViewHandler::Painter() const { return grid_view_->Painter(); }
TlxGridSite* TlxGridViewHandler::Site() const { return grid_view_->Site(); }
TlxCustomGridViewData* TlxGridViewHandler::ViewData() const { return grid_view_->ViewData(); }
TlxCustomGridViewInfo* TlxGridViewHandler::ViewInfo() const { return grid_view_->ViewInfo(); }
TlxPainterClass TlxGridViewHandler::LookAndFeelPainter() const { return grid_view_->LookAndFeelPainter(); }

void TlxGridViewHandler::BeginUpdate() const { grid_view_->BeginUpdate(); }
void TlxGridViewHandler::EndUpdate() const { grid_view_->EndUpdate(); }
