#pragma once
// The file list: the in-memory dataset "cdsDateien" with its four fields
// ("Datei", "Groesse", "Datum", "Sortkey") and the sort key of the next row.

#include <cstdint>
#include <string>
#include <vector>

class TClientDataSet;
class TComponent;
class TDateTimeField;
class TFloatField;
class TIntegerField;
class TStringField;

class FileList {
 public:
  // The dataset and its fields belong to `owner` (the main window).
  explicit FileList(TComponent* owner);

  TClientDataSet* DataSet() const { return data_set_; }
  int32_t NextSortkey() const { return next_sortkey_; }
  int32_t RowCount() const;

  // Adds a row for `path` with its size and last-modification time and the
  // next sort key. The file's facts are read before the row is begun, and a
  // failure while filling the row cancels it: an error never leaves a half
  // row behind. The error passes on to the caller.
  void AddFile(const std::string& path);

  // Empties the list and starts the sort keys at 1 again.
  void Clear();

  // The "Datei" values in the dataset's row order.
  std::vector<std::string> Paths() const;

 private:
  TClientDataSet* data_set_;
  TStringField* datei_;
  TFloatField* groesse_;
  TDateTimeField* datum_;
  TIntegerField* sortkey_;
  int32_t next_sortkey_ = 1;
};

// A file's size in bytes, opened for reading with nothing denied to others.
// An error while opening passes on; one while asking the size gives 0.
int64_t FileSize64(const std::string& path);
