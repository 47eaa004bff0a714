#pragma once
// TGraphic: the base of pictures that a canvas can draw (bitmaps, icons and
// the formats that later parts add), with loading and saving through
// streams and files.

#include <cstdint>
#include <string>

#include "platform/toolkit/errors.h"
#include "platform/rtl/persistent.h"
#include "platform/rtl/stream.h"
#include "platform/toolkit/types.h"

class TCanvas;

class TGraphic : public TPersistent {
 public:
  static constexpr TClass kClass{"TGraphic", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t width) = 0;
  virtual void SetHeight(int32_t height) = 0;
  virtual void SetSize(int32_t width, int32_t height) {
    SetWidth(width);
    SetHeight(height);
  }

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);
  bool Modified() const { return modified_; }
  void SetModified(bool modified);

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name);

  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  // Draws the whole graphic scaled into `rect`.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Draws with a constant opacity; the base blends through a bitmap copy.
  virtual void DrawTransparent(TCanvas& canvas, const TRect& rect, uint8_t opacity);
  virtual void Changed();

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

// Reads a whole stream from its current position into memory, refusing
// sizes beyond `limit` bytes (EInvalidGraphic) so that a broken header never
// makes the reader allocate without bound.
std::string ReadGraphicBytes(TStream& stream, int64_t limit);
