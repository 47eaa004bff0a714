#pragma once
// TIcon: an icon (HICON) that a canvas can draw, read from and written to
// the ICO file form.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/toolkit/graphic.h"

class TIcon : public TGraphic {
 public:
  static constexpr TClass kClass{"TIcon", &TGraphic::kClass, &ConstructInstance<TIcon>};
  const TClass* ClassType() const override { return &kClass; }

  TIcon() = default;
  ~TIcon() override;

  void Assign(const TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  // An icon's size comes with its image: raises EInvalidGraphicOperation.
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;

  HICON Handle() const { return handle_; }
  // Takes over the icon.
  void SetHandle(HICON icon);
  HICON ReleaseHandle();

  // Reads the largest, deepest image of an ICO file; raises EInvalidGraphic
  // ("Icon image is not valid") for anything else.
  void LoadFromStream(TStream& stream) override;
  // Writes an ICO file with one image.
  void SaveToStream(TStream& stream) override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void Clear();

  HICON handle_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  // The file the icon was read from, written back unchanged.
  std::string original_;
};
