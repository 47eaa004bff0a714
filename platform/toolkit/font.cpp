#include "platform/toolkit/font.h"

#include <cmath>
#include <cstring>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

namespace {

constexpr const char* kDefaultFontName = "Tahoma";
constexpr int32_t kDefaultFontHeight = -11;

BYTE QualityToSystem(TFontQuality quality) {
  switch (quality) {
    case fqDraft: return DRAFT_QUALITY;
    case fqProof: return PROOF_QUALITY;
    case fqNonAntialiased: return NONANTIALIASED_QUALITY;
    case fqAntialiased: return ANTIALIASED_QUALITY;
    case fqClearType: return CLEARTYPE_QUALITY;
    case fqDefault: break;
  }
  return DEFAULT_QUALITY;
}

BYTE PitchToSystem(TFontPitch pitch) {
  switch (pitch) {
    case fpVariable: return VARIABLE_PITCH;
    case fpFixed: return FIXED_PITCH;
    case fpDefault: break;
  }
  return DEFAULT_PITCH;
}

// Equal fonts share one HFONT: a canvas per control would otherwise make
// every paint realize its font again.
SharedHandles& FontCache() {
  static auto* cache = new SharedHandles();  // never destroyed, see SharedHandles
  return *cache;
}

}  // namespace

void TFont::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TFont>();
  p.Integer(
      "Charset", [](const TFont& font) { return static_cast<int32_t>(font.Charset()); },
      [](TFont& font, int32_t charset) {
        // A character set is one byte; a larger stored value is damage,
        // not something to cut down to a byte silently.
        if (charset < 0 || charset > 255)
          throw EReadError("Invalid property value");
        font.SetCharset(static_cast<TFontCharset>(charset));
      },
      DEFAULT_CHARSET);
  p.Integer("Color", &TFont::Color, &TFont::SetColor, clWindowText);
  // Always stored: the height is what the font is, and reading it back
  // must not depend on the reader's resolution.
  p.Integer("Height", &TFont::Height, &TFont::SetHeight);
  p.String("Name", &TFont::Name, &TFont::SetName);
  p.Enumeration("Pitch", &TFont::Pitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"},
                std::optional<TFontPitch>{fpDefault});
  // Size is the height in other units: storing both would let the second
  // read undo the first, so only the height goes into the stream.
  p.Integer("Size", &TFont::Size, &TFont::SetSize).Stored = [](const TPersistent&) { return false; };
  p.SetOf(
      "Style", [](const TFont& font) { return font.Style().Bits(); },
      [](TFont& font, uint32_t bits) { font.SetStyle(TFontStyles::FromBits(bits & 0xF)); },
      {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, 0);
}

TFont::~TFont() {
  // The base cannot reach DisposeHandle from its destructor.
  FreeHandle();
}

void TFont::DisposeHandle(HGDIOBJ handle) {
  // The cache knows its own handles. The flag cannot say: a change handler
  // may have made the next handle (cached) before the old one goes, and a
  // cached handle deleted here would stay in the cache for the next font
  // with these settings.
  if (!FontCache().Release(handle))
    TGraphicsObject::DisposeHandle(handle);
  if (handle == handle_)
    cached_ = false;
}

TFont::TFont() : name_(kDefaultFontName), height_(kDefaultFontHeight) {}

void TFont::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TFont*>(source);
  if (other == nullptr) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (SameAs(*other) && pixels_per_inch_ == other->pixels_per_inch_)
    return;
  name_ = other->name_;
  height_ = other->height_;
  pixels_per_inch_ = other->pixels_per_inch_;
  style_ = other->style_;
  color_ = other->color_;
  charset_ = other->charset_;
  pitch_ = other->pitch_;
  orientation_ = other->orientation_;
  quality_ = other->quality_;
  Change();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
         color_ == other.color_ && charset_ == other.charset_ && pitch_ == other.pitch_ &&
         orientation_ == other.orientation_ && quality_ == other.quality_;
}

void TFont::Change() { Changed(); }

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_)
    return;
  name_ = name;
  Change();
}

void TFont::SetHeight(int32_t height) {
  if (height == height_)
    return;
  height_ = height;
  Change();
}

int32_t TFont::Size() const {
  return static_cast<int32_t>(std::lround(-static_cast<double>(height_) * 72.0 / pixels_per_inch_));
}

void TFont::SetSize(int32_t points) {
  SetHeight(-static_cast<int32_t>(std::lround(static_cast<double>(points) * pixels_per_inch_ / 72.0)));
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_)
    return;
  style_ = style;
  Change();
}

void TFont::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = color;
  // The colour is not part of the HFONT: keep the handle, tell the user.
  if (OnChange)
    OnChange(this);
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == charset_)
    return;
  charset_ = charset;
  Change();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_)
    return;
  pitch_ = pitch;
  Change();
}

void TFont::SetOrientation(int32_t tenths) {
  if (tenths == orientation_)
    return;
  orientation_ = tenths;
  Change();
}

void TFont::SetQuality(TFontQuality quality) {
  if (quality == quality_)
    return;
  quality_ = quality;
  Change();
}

HFONT TFont::Handle() {
  if (handle_ != nullptr)
    return static_cast<HFONT>(handle_);
  LOGFONTW log_font{};
  log_font.lfHeight = height_;
  log_font.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  log_font.lfItalic = style_.Contains(fsItalic);
  log_font.lfUnderline = style_.Contains(fsUnderline);
  log_font.lfStrikeOut = style_.Contains(fsStrikeOut);
  log_font.lfCharSet = charset_;
  log_font.lfEscapement = orientation_;
  log_font.lfOrientation = orientation_;
  log_font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log_font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log_font.lfQuality = QualityToSystem(quality_);
  log_font.lfPitchAndFamily = PitchToSystem(pitch_);
  const std::u16string face = Utf8ToUtf16(name_);
  const size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
  for (size_t i = 0; i < length; ++i)
    log_font.lfFaceName[i] = static_cast<WCHAR>(face[i]);
  handle_ = FontCache().Acquire(SharedHandles::KeyOf(log_font), [&] { return CreateFontIndirectW(&log_font); });
  owns_handle_ = true;
  cached_ = handle_ != nullptr;
  return static_cast<HFONT>(handle_);
}

void TFont::SetHandle(HFONT font) {
  if (font == handle_)
    return;
  LOGFONTW log_font{};
  if (font == nullptr || GetObjectW(font, sizeof(log_font), &log_font) == 0)
    return;
  height_ = log_font.lfHeight;
  style_ = {};
  style_.Set(fsBold, log_font.lfWeight >= FW_BOLD);
  style_.Set(fsItalic, log_font.lfItalic != 0);
  style_.Set(fsUnderline, log_font.lfUnderline != 0);
  style_.Set(fsStrikeOut, log_font.lfStrikeOut != 0);
  charset_ = log_font.lfCharSet;
  orientation_ = log_font.lfEscapement;
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && log_font.lfFaceName[i] != 0; ++i)
    face.push_back(static_cast<char16_t>(log_font.lfFaceName[i]));
  name_ = Utf16ToUtf8(face);
  ReplaceHandle(font);
  cached_ = false;
}
