#pragma once
// TprDisplayFormat: how the report library shows a value of a data type
// with a display format, and the ready-made formats it offers per data
// type. Its operations are class-level (virtual functions of one stateless
// instance), so report code can install a descendant as the library's
// display formatter.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/format_settings.h"
#include "platform/rtl/object.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/variant.h"

// Data-type codes of the display formatter.
enum TprDisplayDataType : int32_t {
  prdfBoolean = 0,
  prdfDate = 1,
  prdfTime = 2,
  prdfDateTime = 3,
  prdfCurrency = 8,
  prdfMaskedString = 10,
};

bool prIsNumberDataType(int32_t data_type);  // 4 to 8, 12, 17
bool prIsTextDataType(int32_t data_type);    // 9, 10, 14, 18

// Separates a ready-made format's sample text from the format.
constexpr char kprDisplayFormatSeparator = '\x01';

class TprDisplayFormat : public TObject {
 public:
  static constexpr TClass kClass{"TprDisplayFormat", &TObject::kClass, &ConstructInstance<TprDisplayFormat>};
  const TClass* ClassType() const override { return &kClass; }

  // `value` as text in `format` for its data type; empty for a null value.
  // A value that does not convert to the data type raises the variant's
  // conversion error.
  virtual std::string Format(std::string_view format, int32_t data_type, const Variant& value) const;
  // Clears `list` and adds the formats offered for the data type, each as
  // sample text, kprDisplayFormatSeparator and the format.
  virtual void GetDisplayFormats(int32_t data_type, TStrings& list) const;
};

// The base formatter's work with explicit regional settings.
std::string prFormatDisplayValue(std::string_view format, int32_t data_type, const Variant& value,
                                 const TFormatSettings& settings);

// The library's display formatter: set at module start, cleared at its end
// (null then).
const TprDisplayFormat* prDisplayFormatClass();
void prSetDisplayFormatClass(const TprDisplayFormat* formatter);
