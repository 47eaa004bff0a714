#pragma once
// The file list: the in-memory dataset "cdsDateien" with its four fields
// ("Datei", "Groesse", "Datum", "Sortkey") and the sort key of the next row.

#include <cstdint>
#include <string>
#include <string_view>
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
  // row behind. The error passes on to the caller. The "Datei" field holds
  // the longest path the system can name: a cut name would be another
  // file's.
  void AddFile(const std::string& path);

  // Adds a row for each of `paths` that the list takes (ListsFile), in
  // order, inside one display bracket of the dataset: whoever shows the list
  // takes the rows over once, when the bracket closes, rather than once per
  // row, so that a drop of thousands of files costs in proportion to its
  // size. An error ends the adding: the rows before it stay, the bracket is
  // closed, and the error passes on to the caller.
  void AddListedFiles(const std::vector<std::string>& paths);

  // Empties the list, adds the files as AddListedFiles does with sort keys
  // from 1, and moves to the first row: loading a stored selection.
  void ReplaceWithListedFiles(const std::vector<std::string>& paths);

  // Deletes the rows whose "Sortkey" is among `sortkeys`, inside one display
  // bracket; the other rows keep their order and keys, and the next key
  // stays as it is.
  void DeleteRows(const std::vector<int32_t>& sortkeys);

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

// Whether the path's extension, upper-cased by the locale, is ".PDF".
bool IsPdfPath(std::string_view path);

// Whether the list takes `path`, dropped or stored in a selection: an
// existing file, not a folder, whose extension is ".PDF". Anything else is
// passed over without a word; a file that has gone since a selection was
// saved is passed over as the print run would pass it over.
bool ListsFile(const std::string& path);

// A file's size in bytes, opened for reading with nothing denied to others.
// An error while opening passes on; one while asking the size gives 0.
int64_t FileSize64(const std::string& path);
