#include "logging/viewer_destination.h"

TViewerDestination::TViewerDestination(TLogWireDestination* owner) : TBaseDestination(owner, "Viewer") {
  Reset();
}

void TViewerDestination::SetOption(std::string_view /*name*/, std::string_view /*value*/) {}
