#pragma once
// The selection of a dataset-bound controller in grid mode: the controller
// holds only a window of the dataset, so selected records are held as
// dataset bookmark strings, sorted in the dataset's order, with the
// anchor as a bookmark too.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TlxDBDataSelection {
 public:
  // Negative, 0 or positive by the dataset's order of the two bookmarks.
  using TCompare = std::function<int32_t(const std::string& a, const std::string& b)>;

  explicit TlxDBDataSelection(TCompare compare) : compare_(std::move(compare)) {}

  int32_t Count() const { return static_cast<int32_t>(bookmarks_.size()); }
  const std::string& At(int32_t position) const { return bookmarks_.at(static_cast<size_t>(position)); }
  // The position of the bookmark, or -1.
  int32_t IndexOf(const std::string& bookmark) const;
  bool Contains(const std::string& bookmark) const { return IndexOf(bookmark) != -1; }
  // Inserts at the sorted place; a listed bookmark stays once.
  void Add(const std::string& bookmark);
  void Append(const std::string& bookmark) { bookmarks_.push_back(bookmark); }
  void InsertFirst(const std::string& bookmark);
  // Removing the anchor's bookmark clears the anchor.
  void Remove(const std::string& bookmark);
  void RemoveAt(int32_t position);
  void Clear() { bookmarks_.clear(); }

  const std::string& Anchor() const { return anchor_; }
  void SetAnchor(const std::string& bookmark) { anchor_ = bookmark; }

 private:
  // The first position whose bookmark is not before `bookmark`.
  size_t LowerBound(const std::string& bookmark) const;

  TCompare compare_;
  std::vector<std::string> bookmarks_;
  std::string anchor_;
};
