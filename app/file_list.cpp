#include "app/file_list.h"

#include <set>

#include "platform/db/client_data_set.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

// The longest path the system can name (in UTF-16 units, so no more
// characters): the "Datei" field holds any path whole.
constexpr int32_t kLongestPath = 32767;

template <class Field>
Field* AddField(TClientDataSet* data_set, const char* name) {
  auto* field = new Field(data_set);
  field->SetName(std::string(data_set->Name()) + name);
  field->SetFieldName(name);
  field->SetDataSet(data_set);
  return field;
}

}  // namespace

FileList::FileList(TComponent* owner) : data_set_(new TClientDataSet(owner)) {
  data_set_->SetName("cdsDateien");
  datei_ = AddField<TStringField>(data_set_, "Datei");
  datei_->SetSize(kLongestPath);
  groesse_ = AddField<TFloatField>(data_set_, "Groesse");
  datum_ = AddField<TDateTimeField>(data_set_, "Datum");
  sortkey_ = AddField<TIntegerField>(data_set_, "Sortkey");
  data_set_->CreateDataSet();
}

int32_t FileList::RowCount() const { return data_set_->RecordCount(); }

void FileList::AddFile(const std::string& path) {
  const int64_t size = FileSize64(path);
  TDateTime modified{};
  if (!FileAge(path, modified))
    throw Exception("Das Änderungsdatum von " + path + " kann nicht gelesen werden.");

  data_set_->Append();
  TScopeFail cancel_row([this] { data_set_->Cancel(); });
  datei_->SetAsString(path);
  groesse_->SetAsFloat(static_cast<double>(size));
  datum_->SetAsDateTime(modified);
  sortkey_->SetAsInteger(next_sortkey_);
  data_set_->Post();
  ++next_sortkey_;
}

void FileList::AddListedFiles(const std::vector<std::string>& paths) {
  TControlsDisabledScope quiet(*data_set_);
  for (const std::string& path : paths) {
    if (ListsFile(path))
      AddFile(path);
  }
}

void FileList::ReplaceWithListedFiles(const std::vector<std::string>& paths) {
  TControlsDisabledScope quiet(*data_set_);
  Clear();
  AddListedFiles(paths);
  data_set_->First();
}

void FileList::DeleteRows(const std::vector<int32_t>& sortkeys) {
  const std::set<int32_t> leaving(sortkeys.begin(), sortkeys.end());
  TControlsDisabledScope quiet(*data_set_);
  data_set_->First();
  while (!data_set_->Eof()) {
    if (leaving.contains(sortkey_->AsInteger()))
      data_set_->Delete();
    else
      data_set_->Next();
  }
  data_set_->First();
}

void FileList::Clear() {
  data_set_->EmptyDataSet();
  next_sortkey_ = 1;
}

std::vector<std::string> FileList::Paths() const {
  std::vector<std::string> paths;
  TControlsDisabledScope quiet(*data_set_);
  const TBookmark position = data_set_->Bookmark();
  for (data_set_->First(); !data_set_->Eof(); data_set_->Next())
    paths.push_back(datei_->AsString());
  if (!position.empty() && data_set_->BookmarkValid(position))
    data_set_->GotoBookmark(position);
  return paths;
}

bool IsPdfPath(std::string_view path) { return AnsiUpperCase(ExtractFileExt(path)) == ".PDF"; }

bool ListsFile(const std::string& path) { return IsPdfPath(path) && FileExists(path); }

int64_t FileSize64(const std::string& path) {
  TFileStream file(path, fmOpenRead | fmShareDenyNone);
  try {
    return file.Size();
  } catch (const Exception&) {
    return 0;
  }
}
