#pragma once
// A log file written by the dispatcher, optionally split by size into parts
// or by date. FilePath may begin with a macro: "$(MyDocs)" (the user's
// documents folder), "$(AppExeDir)" (this program's folder) or "$(%NAME%)"
// (the environment variable NAME), followed by more of the path.

#include <cstdint>

#include "logging/base_destination.h"

class TLogFileDestination : public TBaseDestination {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TLogFileDestination", &TBaseDestination::kClass, nullptr,
                                 &TLogFileDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TLogFileDestination(TLogWireDestination* owner);

  const std::string& FilePath() const { return file_path_; }
  void SetFilePath(std::string_view path) { Update(file_path_, path); }
  const std::string& FileName() const { return file_name_; }
  void SetFileName(std::string_view name) { Update(file_name_, name); }
  int32_t MaxSize() const { return max_size_; }
  void SetMaxSize(int32_t size) { Update(max_size_, size); }
  int32_t MaxParts() const { return max_parts_; }
  void SetMaxParts(int32_t parts) { Update(max_parts_, parts); }
  bool LogByDate() const { return log_by_date_; }
  void SetLogByDate(bool by_date) { Update(log_by_date_, by_date); }
  const std::string& LogByDateFormat() const { return log_by_date_format_; }
  void SetLogByDateFormat(std::string_view format) { Update(log_by_date_format_, format); }

  void CopyFrom(const TBaseDestination& source) override;
  void Validate() override;
  void Reset() override;
  void SetOption(std::string_view name, std::string_view value) override;
  std::string GetText() const override;

  // `path` with a leading macro replaced and a trailing backslash. Text
  // after the macro's ")" is kept whole; one path delimiter directly after
  // it is taken as the separator. A macro that cannot be expanded (unknown,
  // no documents folder, an unset variable) leaves the path as it is. A "$("
  // without a closing ")" raises the missing-parameter error for FilePath.
  std::string ExpandPath(std::string_view path) const;

 private:
  std::string file_path_;
  std::string file_name_;
  int32_t max_size_ = 0;
  int32_t max_parts_ = 0;
  bool log_by_date_ = false;
  std::string log_by_date_format_;
};
