#pragma once
// TImage: a picture on its parent (no window of its own): drawn at its
// natural size, centred, stretched (keeping the proportions if asked) or
// see-through, with the control sized to the picture when AutoSize is on.

#include <memory>

#include "platform/toolkit/control.h"
#include "platform/toolkit/picture.h"

class TImage : public TGraphicControl {
 public:
  static constexpr TClass kClass{"TImage", &TGraphicControl::kClass, &ConstructInstance<TImage>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture& Picture() { return *picture_; }
  void SetPicture(const TPicture& picture) { picture_->Assign(&picture); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  // With Stretch: the picture keeps its proportions; without: a picture
  // larger than the control shrinks to fit, keeping them.
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  bool transparent_ = false;
};
