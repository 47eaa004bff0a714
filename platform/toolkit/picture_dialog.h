#pragma once
// TOpenPictureDialog and TSavePictureDialog: the file dialogs preset with
// the filter of the registered picture formats. GraphicFileFilter gives the
// filter for the formats of one graphic class and its descendants.

#include <string>

#include "platform/toolkit/file_dialogs.h"

// "All (*.a;*.b)|*.a;*.b|Description (*.a)|*.a|..." over the registered
// formats whose class is `graphic_class` or inherits from it; TGraphic's
// class gives every format. Empty when no format matches.
std::string GraphicFileFilter(const TClass& graphic_class);

class TOpenPictureDialog : public TOpenDialog {
 public:
  static constexpr TClass kClass{"TOpenPictureDialog", &TOpenDialog::kClass, &ConstructInstance<TOpenPictureDialog>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TOpenPictureDialog(TComponent* owner);
};

class TSavePictureDialog : public TSaveDialog {
 public:
  static constexpr TClass kClass{"TSavePictureDialog", &TSaveDialog::kClass, &ConstructInstance<TSavePictureDialog>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TSavePictureDialog(TComponent* owner);
};
