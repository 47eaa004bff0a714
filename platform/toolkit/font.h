#pragma once
// TFont: a logical font (face name, height in pixels, style, colour) and the
// HFONT built from it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/rtl/property.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/graphics_object.h"
#include "platform/toolkit/types.h"

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSmallSet<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };
using TFontCharset = uint8_t;

class TFont : public TGraphicsObject {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TFont", &TGraphicsObject::kClass, &ConstructInstance<TFont>, &TFont::Publish};
  const TClass* ClassType() const override { return &kClass; }

  TFont();
  ~TFont() override;

  void Assign(const TPersistent* source) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Character height in pixels; negative values are the height without the
  // internal leading, as the system counts them.
  int32_t Height() const { return height_; }
  void SetHeight(int32_t height);
  // Points at the font's PixelsPerInch.
  int32_t Size() const;
  void SetSize(int32_t points);
  int32_t PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int32_t value) { pixels_per_inch_ = value > 0 ? value : 96; }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  // Tenths of degrees, counter-clockwise.
  int32_t Orientation() const { return orientation_; }
  void SetOrientation(int32_t tenths);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality quality);

  HFONT Handle();
  // Takes over `font`: the settings are read back from it and the font
  // object deletes it when it no longer needs it.
  void SetHandle(HFONT font);

  bool SameAs(const TFont& other) const;

 protected:
  void DisposeHandle(HGDIOBJ handle) override;

 private:
  void Change();
  // Whether the handle is shared through the font cache (else owned alone,
  // as one handed in through SetHandle).
  bool cached_ = false;

  std::string name_;
  int32_t height_;
  int32_t pixels_per_inch_ = 96;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int32_t orientation_ = 0;
  TFontQuality quality_ = fqDefault;
};
