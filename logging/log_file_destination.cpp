#include "logging/log_file_destination.h"

#include <optional>

#include "logging/system_info.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

constexpr std::string_view kDefaultDateFormat = "yyyymmdd";

// Destination strings carry Windows paths in both builds; "/" is accepted
// as well, as Windows itself does.
bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

std::string WithTrailingBackslash(std::string path) {
  if (path.empty() || !IsPathDelimiter(path.back()))
    path += '\\';
  return path;
}

// Position just past the last "\", "/" or drive colon.
size_t FileNameStart(std::string_view path) {
  const size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? 0 : last + 1;
}

std::optional<std::string> MacroValue(std::string_view macro) {
  if (SameText(macro, "MyDocs")) {
    std::string folder = LogWireDocumentsFolder();
    if (folder.empty())
      return std::nullopt;
    return folder;
  }
  if (SameText(macro, "AppExeDir"))
    return ExtractFilePath(ProgramFileName());
  if (macro.size() >= 2 && macro.front() == '%' && macro.back() == '%') {
    std::optional<std::string> value = LogWireEnvironmentValue(macro.substr(1, macro.size() - 2));
    if (!value || value->empty())
      return std::nullopt;
    return value;
  }
  return std::nullopt;
}

}  // namespace

void TLogFileDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TLogFileDestination>();
  p.String("FilePath", &TLogFileDestination::FilePath, &TLogFileDestination::SetFilePath);
  p.String("FileName", &TLogFileDestination::FileName, &TLogFileDestination::SetFileName);
  p.Integer("MaxSize", &TLogFileDestination::MaxSize, &TLogFileDestination::SetMaxSize, 0);
  p.Integer("MaxParts", &TLogFileDestination::MaxParts, &TLogFileDestination::SetMaxParts, 0);
  p.Boolean("LogByDate", &TLogFileDestination::LogByDate, &TLogFileDestination::SetLogByDate, false);
  p.String("LogByDateFormat", &TLogFileDestination::LogByDateFormat,
           &TLogFileDestination::SetLogByDateFormat);
}

TLogFileDestination::TLogFileDestination(TLogWireDestination* owner) : TBaseDestination(owner, "File") {
  Reset();
}

void TLogFileDestination::CopyFrom(const TBaseDestination& source) {
  TBaseDestination::CopyFrom(source);
  const auto* file = dynamic_cast<const TLogFileDestination*>(&source);
  if (file == nullptr)
    return;
  SetFilePath(file->FilePath());
  SetFileName(file->FileName());
  SetMaxSize(file->MaxSize());
  SetMaxParts(file->MaxParts());
  SetLogByDate(file->LogByDate());
  SetLogByDateFormat(file->LogByDateFormat());
}

void TLogFileDestination::Validate() {
  if (Active() && file_name_.empty())
    RaiseMissingParameter("FileName");
}

void TLogFileDestination::Reset() {
  TBaseDestination::Reset();
  file_path_.clear();
  file_name_.clear();
  max_size_ = 0;
  max_parts_ = 0;
  log_by_date_ = false;
  log_by_date_format_ = kDefaultDateFormat;
}

void TLogFileDestination::SetOption(std::string_view name, std::string_view value) {
  if (SameText(name, "Path")) {
    const size_t name_start = FileNameStart(value);
    SetFilePath(value.substr(0, name_start));
    SetFileName(value.substr(name_start));
  } else if (SameText(name, "MaxSize")) {
    SetMaxSize(LogWireOptionInteger(value));
  } else if (SameText(name, "MaxParts")) {
    SetMaxParts(LogWireOptionInteger(value));
  } else if (SameText(name, "LogByDate")) {
    SetLogByDate(LogWireOptionBoolean(value));
  } else if (SameText(name, "LogByDateFormat")) {
    SetLogByDateFormat(value);
  } else {
    RaiseUnknownOption(name);
  }
}

std::string TLogFileDestination::GetText() const {
  std::string text = TypeName() + "[Path=" + ExpandPath(file_path_) + file_name_;
  if (max_size_ > 0) {
    text += ";MaxSize=" + IntToStr(max_size_);
    if (max_parts_ > 0)
      text += ";MaxParts=" + IntToStr(max_parts_);
  }
  if (log_by_date_) {
    text += ";LogByDate=true";
    if (UpperCase(log_by_date_format_) != "YYYYMMDD")
      text += ";LogByDateFormat=" + log_by_date_format_;
  }
  return text + "]";
}

std::string TLogFileDestination::ExpandPath(std::string_view path) const {
  const size_t macro_start = path.find("$(");
  if (macro_start == std::string_view::npos)
    return WithTrailingBackslash(std::string(path));
  const size_t macro_end = path.find(')', macro_start + 2);
  if (macro_end == std::string_view::npos)
    RaiseMissingParameter("FilePath");

  const std::optional<std::string> value =
      MacroValue(path.substr(macro_start + 2, macro_end - macro_start - 2));
  if (!value)
    return WithTrailingBackslash(std::string(path));

  std::string result = std::string(path.substr(0, macro_start)) + *value;
  std::string_view rest = path.substr(macro_end + 1);
  if (!rest.empty() && IsPathDelimiter(rest.front()))
    rest.remove_prefix(1);
  if (!rest.empty())
    result = WithTrailingBackslash(std::move(result)) + std::string(rest);
  return WithTrailingBackslash(std::move(result));
}
