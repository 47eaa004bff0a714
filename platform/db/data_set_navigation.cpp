// TDataSet: moving the cursor, record numbers and bookmarks.

#include <algorithm>
#include <cstring>

#include "platform/db/data_set.h"
#include "platform/db/data_set_internal.h"
#include "platform/db/db_errors.h"
#include "platform/db/record_store.h"

namespace {

// A bookmark: the dataset's serial number, the store's generation and the
// record's id.
constexpr size_t kBookmarkSize = sizeof(uint64_t) + 2 * sizeof(uint32_t);

struct TBookmarkParts {
  uint64_t serial = 0;
  uint32_t generation = 0;
  uint32_t id = 0;
};

TBookmark EncodeBookmark(const TBookmarkParts& parts) {
  TBookmark bookmark(kBookmarkSize, '\0');
  std::memcpy(bookmark.data(), &parts.serial, sizeof(parts.serial));
  std::memcpy(bookmark.data() + 8, &parts.generation, sizeof(parts.generation));
  std::memcpy(bookmark.data() + 12, &parts.id, sizeof(parts.id));
  return bookmark;
}

bool DecodeBookmark(const TBookmark& bookmark, TBookmarkParts& parts) {
  if (bookmark.size() != kBookmarkSize)
    return false;
  std::memcpy(&parts.serial, bookmark.data(), sizeof(parts.serial));
  std::memcpy(&parts.generation, bookmark.data() + 8, sizeof(parts.generation));
  std::memcpy(&parts.id, bookmark.data() + 12, sizeof(parts.id));
  return true;
}

}  // namespace

void TDataSet::ScrollTo(int32_t position, bool keep_flags) {
  DoBeforeScroll();
  const int32_t old_position = position_;
  MoveCursor(position);
  if (!keep_flags)
    bof_ = eof_ = false;
  if (position_ != old_position)
    DataEvent(deDataSetScroll, TDataEventInfo::Scroll(position_ - old_position));
  DoAfterScroll();
}

void TDataSet::First() {
  CheckActive();
  CheckBrowseMode();
  const int32_t count = Records().Count();
  bof_ = true;
  eof_ = count == 0;
  ScrollTo(count > 0 ? 0 : -1, true);
}

void TDataSet::Last() {
  CheckActive();
  CheckBrowseMode();
  const int32_t count = Records().Count();
  eof_ = true;
  bof_ = count == 0;
  ScrollTo(count - 1, true);
}

int32_t TDataSet::MoveBy(int32_t distance) {
  CheckActive();
  CheckBrowseMode();
  if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_))
    return 0;
  bof_ = eof_ = false;
  const int64_t count = Records().Count();
  int64_t target = int64_t{position_} + distance;
  if (target >= count) {
    target = count - 1;
    eof_ = true;
  }
  if (target < 0) {
    target = count > 0 ? 0 : -1;
    bof_ = true;
  }
  const int32_t old_position = position_;
  ScrollTo(static_cast<int32_t>(target), true);
  return position_ - old_position;
}

int32_t TDataSet::RecNo() const {
  CheckActive();
  if (state_ == dsInsert)
    return -1;
  return position_ + 1;
}

void TDataSet::SetRecNo(int32_t number) {
  CheckActive();
  CheckBrowseMode();
  const int32_t count = Records().Count();
  if (count == 0)
    return;
  const int32_t target = std::clamp(number, 1, count) - 1;
  if (target == position_)
    return;
  ScrollTo(target, false);
}

int32_t TDataSet::RecordCount() const {
  CheckActive();
  return Records().Count();
}

bool TDataSet::IsEmpty() const {
  if (!Active())
    return true;
  return Records().Count() == 0 && state_ != dsInsert;
}

// --- Bookmarks

TBookmark TDataSet::GetBookmark() const {
  if (!Active() || position_ < 0 || state_ == dsInsert)
    return TBookmark();
  const std::byte* block = Records().At(position_);
  return EncodeBookmark({serial_, Records().Generation(), TRecordLayout::RecordId(block)});
}

int32_t TDataSet::PositionOfBookmark(const TBookmark& bookmark) const {
  TBookmarkParts parts;
  if (!DecodeBookmark(bookmark, parts))
    DatabaseError(db_text::kInvalidBookmark, this);
  if (parts.serial != serial_)
    DatabaseError(db_text::kForeignBookmark, this);
  if (parts.generation != Records().Generation())
    return -1;
  std::byte* block = Records().FindById(parts.id);
  return block == nullptr ? -1 : Records().PositionOf(block);
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  CheckActive();
  if (bookmark.empty())
    return;
  CheckBrowseMode();
  const int32_t position = PositionOfBookmark(bookmark);
  if (position < 0)
    DatabaseError(db_text::kRecordNotFound, this);
  ScrollTo(position, false);
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
  if (!Active() || bookmark.empty())
    return false;
  TBookmarkParts parts;
  if (!DecodeBookmark(bookmark, parts) || parts.serial != serial_)
    return false;
  return PositionOfBookmark(bookmark) >= 0;
}

int32_t TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  if (a.empty() || b.empty())
    return (a.empty() ? 0 : 1) - (b.empty() ? 0 : 1);
  CheckActive();
  const int32_t position_a = PositionOfBookmark(a);
  const int32_t position_b = PositionOfBookmark(b);
  if (position_a >= 0 && position_b >= 0)
    return (position_a > position_b) - (position_a < position_b);
  // A record that is gone has no place any more; the bytes keep the order
  // total.
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}
