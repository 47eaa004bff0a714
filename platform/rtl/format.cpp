// Format: the platform's printf-like formatting with argument indexes.

#include <cmath>
#include <optional>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

// Width and precision beyond this are a mistake, not a request for a
// gigabyte of blanks.
constexpr int64_t kMaxWidth = 1 << 20;

class Formatter {
 public:
  Formatter(std::string_view format, std::initializer_list<TFormatArg> args, const TFormatSettings& settings)
      : format_(format), args_(args), settings_(settings) {}

  std::string Run() {
    std::string out;
    size_t i = 0;
    while (i < format_.size()) {
      const size_t percent = format_.find('%', i);
      if (percent == std::string_view::npos) {
        out.append(format_.substr(i));
        break;
      }
      out.append(format_.substr(i, percent - i));
      i = percent + 1;
      if (i < format_.size() && format_[i] == '%') {
        out.push_back('%');
        ++i;
        continue;
      }
      out += Specifier(i);
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const { throw EConvertError::InvalidFormat(format_); }

  const TFormatArg& NextArg() {
    if (next_arg_ >= args_.size())
      throw EConvertError::ArgumentMissing(format_);
    return args_.begin()[next_arg_++];
  }

  // A number in the specifier, or "*" for one taken from the arguments.
  std::optional<int64_t> Number(size_t& i) {
    if (i < format_.size() && format_[i] == '*') {
      ++i;
      const TFormatArg& arg = NextArg();
      if (arg.kind() != TFormatArg::Kind::kInteger)
        Invalid();
      return arg.integer();
    }
    if (i >= format_.size() || format_[i] < '0' || format_[i] > '9')
      return std::nullopt;
    int64_t value = 0;
    while (i < format_.size() && format_[i] >= '0' && format_[i] <= '9') {
      value = value * 10 + (format_[i] - '0');
      if (value > kMaxWidth)
        Invalid();
      ++i;
    }
    return value;
  }

  std::string Specifier(size_t& i) {
    // [index ":"] ["-"] [width] ["." precision] type
    std::optional<int64_t> first = Number(i);
    if (i < format_.size() && format_[i] == ':') {
      ++i;
      if (!first || *first < 0)
        Invalid();
      next_arg_ = static_cast<size_t>(*first);
      first.reset();
    }
    bool left_align = false;
    if (!first && i < format_.size() && format_[i] == '-') {
      left_align = true;
      ++i;
    }
    std::optional<int64_t> width = first ? first : Number(i);
    std::optional<int64_t> precision;
    if (i < format_.size() && format_[i] == '.') {
      ++i;
      precision = Number(i);
      if (!precision)
        precision = 0;
    }
    if (i >= format_.size())
      Invalid();
    const char type = format_[i++];
    if ((width && *width > kMaxWidth) || (precision && (*precision < 0 || *precision > kMaxWidth)))
      Invalid();
    if (width && *width < 0) {  // a negative "*" width aligns left, as in printf
      left_align = true;
      width = -*width;
    }
    const std::string text = Convert(type, NextArg(), precision);
    return Pad(text, width.value_or(0), left_align);
  }

  static std::string Pad(const std::string& text, int64_t width, bool left_align) {
    const int64_t length = static_cast<int64_t>(Utf8Length(text));
    if (length >= width)
      return text;
    const std::string blanks(static_cast<size_t>(width - length), ' ');
    return left_align ? text + blanks : blanks + text;
  }

  static std::string WithMinDigits(std::string digits, std::optional<int64_t> precision) {
    const bool negative = !digits.empty() && digits[0] == '-';
    const size_t length = digits.size() - (negative ? 1 : 0);
    if (precision && static_cast<size_t>(*precision) > length)
      digits.insert(negative ? 1 : 0, static_cast<size_t>(*precision) - length, '0');
    return digits;
  }

  double FloatOf(const TFormatArg& arg) const {
    if (arg.kind() == TFormatArg::Kind::kFloat)
      return arg.float_value();
    if (arg.kind() == TFormatArg::Kind::kCurrency)
      return arg.currency().ToDouble();
    Invalid();
  }

  std::string Convert(char type, const TFormatArg& arg, std::optional<int64_t> precision) {
    using Kind = TFormatArg::Kind;
    const bool integer = arg.kind() == Kind::kInteger || arg.kind() == Kind::kUnsigned;
    switch (type | 0x20) {  // the type letter in either case
      case 'd':
        if (!integer)
          Invalid();
        return WithMinDigits(arg.kind() == Kind::kInteger ? std::to_string(arg.integer())
                                                          : std::to_string(arg.unsigned_value()),
                             precision);
      case 'u':
        if (!integer)
          Invalid();
        return WithMinDigits(std::to_string(AsUnsigned(arg)), precision);
      case 'x':
        if (!integer)
          Invalid();
        return IntToHex(AsUnsigned(arg), static_cast<int>(precision.value_or(0)));
      case 'p':
        if (arg.kind() != Kind::kPointer)
          Invalid();
        return IntToHex(reinterpret_cast<uintptr_t>(arg.pointer()), 2 * static_cast<int>(sizeof(void*)));
      case 's':
        if (arg.kind() != Kind::kText)
          Invalid();
        return Truncated(arg.text(), precision);
      case 'e':
        return FloatToStrF(FloatOf(arg), TFloatFormat::ffExponent, static_cast<int>(precision.value_or(15)), 3,
                           settings_);
      case 'f':
        return FloatToStrF(FloatOf(arg), TFloatFormat::ffFixed, 18, static_cast<int>(precision.value_or(2)),
                           settings_);
      case 'g':
        return FloatToStrF(FloatOf(arg), TFloatFormat::ffGeneral, static_cast<int>(precision.value_or(15)), 3,
                           settings_);
      case 'n':
        return FloatToStrF(FloatOf(arg), TFloatFormat::ffNumber, 18, static_cast<int>(precision.value_or(2)),
                           settings_);
      case 'm':
        return FloatToStrF(FloatOf(arg), TFloatFormat::ffCurrency, 18,
                           static_cast<int>(precision.value_or(settings_.CurrencyDecimals)), settings_);
      default:
        Invalid();
    }
  }

  // Negative integers show as their 32-bit two's complement when they fit
  // 32 bits, as the platform's Integer arguments do, else as 64 bits.
  static uint64_t AsUnsigned(const TFormatArg& arg) {
    if (arg.kind() == TFormatArg::Kind::kUnsigned)
      return arg.unsigned_value();
    const int64_t value = arg.integer();
    if (value < 0 && value >= INT32_MIN)
      return static_cast<uint32_t>(value);
    return static_cast<uint64_t>(value);
  }

  // Cuts after `precision` characters, never inside a UTF-8 sequence.
  static std::string Truncated(std::string_view text, std::optional<int64_t> precision) {
    if (!precision)
      return std::string(text);
    size_t position = 0;
    for (int64_t count = 0; count < *precision && position < text.size(); ++count)
      DecodeUtf8(text, position);
    return std::string(text.substr(0, position));
  }

  std::string_view format_;
  std::initializer_list<TFormatArg> args_;
  const TFormatSettings& settings_;
  size_t next_arg_ = 0;
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args,
                   const TFormatSettings& settings) {
  return Formatter(format, args, settings).Run();
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
  return Format(format, args, UserLocale().Settings());
}
