#include "editors/kinds/image_module_win.h"

#include "editors/edit_repository.h"
#include "editors/kinds/image_control_win.h"
#include "editors/kinds/image_properties_win.h"
#include "editors/kinds/png_image_win.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

}  // namespace

void lxImageInitialize() {
  ModuleStart().Start([] {
    lxPngImageInitialize();
    // The class list is built after the PNG type had its chance to register.
    lxFreeImageGraphicClasses();
    RegisterStreamableClasses({&TlxImageProperties::kClass, &TlxImage::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxImageProperties::kClass, "Image|Represents an image editor");
  });
}

void lxImageFinalize() {
  ModuleStart().End([] {
    lxFreeImageGraphicClasses();
    lxFreeImageMenuImages();
    lxPngImageFinalize();
  });
}
