#include "platform/rtl/file_utils.h"

#include "platform/rtl/file_stream.h"
#include "platform/rtl/scope.h"

namespace {

bool IsDelimiter(char c) { return kPathDelimiters.find(c) != std::string_view::npos; }

// Index just past the last path or drive delimiter (0 when there is none).
size_t NameStart(std::string_view file_name) {
  const size_t last = file_name.find_last_of(kPathDelimiters);
  return last == std::string_view::npos ? 0 : last + 1;
}

// Index of the dot that starts the extension, or npos.
size_t ExtensionStart(std::string_view file_name) {
  const size_t dot = file_name.find_last_of('.');
  if (dot == std::string_view::npos || dot < NameStart(file_name))
    return std::string_view::npos;
  return dot;
}

}  // namespace

std::string ExtractFileExt(std::string_view file_name) {
  const size_t dot = ExtensionStart(file_name);
  return dot == std::string_view::npos ? std::string() : std::string(file_name.substr(dot));
}

std::string ExtractFileName(std::string_view file_name) { return std::string(file_name.substr(NameStart(file_name))); }

std::string ExtractFilePath(std::string_view file_name) {
  return std::string(file_name.substr(0, NameStart(file_name)));
}

std::string ExtractFileDir(std::string_view file_name) {
  size_t end = NameStart(file_name);
  if (end > 1 && file_name[end - 1] == PathDelim && !IsDelimiter(file_name[end - 2]))
    --end;
  return std::string(file_name.substr(0, end));
}

std::string ChangeFileExt(std::string_view file_name, std::string_view extension) {
  const size_t dot = ExtensionStart(file_name);
  return std::string(file_name.substr(0, dot)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != PathDelim)
    result += PathDelim;
  return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() == PathDelim)
    result.pop_back();
  return result;
}

bool ForceDirectories(const std::string& directory) {
  const std::string path = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
  if (path.empty() || DirectoryExists(path))
    return true;
  const std::string parent = ExtractFileDir(path);
  if (parent == path)
    return false;  // a root that does not exist
  return ForceDirectories(parent) && (CreateDir(path) || DirectoryExists(path));
}

void WriteFileAtomically(const std::string& file_name, std::string_view content) {
  const std::string temporary = file_name + ".~new";
  {
    // A temporary file that could not be created is not ours to remove.
    // Once it is, a failed write removes it after it has been closed.
    bool created = false;
    TScopeFail remove_temporary([&] {
      if (created)
        RemoveFile(temporary);
    });
    TFileStream file(temporary, fmCreate | fmShareExclusive);
    created = true;
    file.WriteBuffer(content.data(), static_cast<int64_t>(content.size()));
    file.FlushToDisk();
  }
  std::string reason;
  if (!ReplaceFileWith(temporary, file_name, reason)) {
    RemoveFile(temporary);
    throw EFCreateError("Cannot create file \"" + file_name + "\". " + reason);
  }
}
