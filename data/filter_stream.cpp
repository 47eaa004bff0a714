// The binary filter stream (versions 1 to 3) and the component stream of a
// criteria. The binary stream is a stored format that user-picked filter
// files carry: every count, kind and length is checked against what is left,
// nesting is bounded, and a stream that fails leaves the criteria as it was.
#include <algorithm>

#include "data/data_controller_texts.h"
#include "data/filter_criteria.h"
#include "data/filter_operators.h"
#include "data/filter_wrapper.h"
#include "data/typed_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"

namespace {

// Lists nested deeper than this are refused.
constexpr int kMaxListNesting = 64;

std::string ReadText(TStream& stream, bool wide) {
  if (wide)
    return Utf16ToUtf8(lxReadWideString(stream));
  return lxReadAnsiString(stream);
}

void WriteText(TStream& stream, bool wide, std::string_view text) {
  if (wide)
    lxWriteWideString(stream, Utf8ToUtf16(text));
  else
    lxWriteAnsiString(stream, text);
}

// A child count: every child takes at least its IsList byte and one more.
int32_t ReadChildCount(TStream& stream, int32_t count) {
  if (count < 0 || int64_t{2} * count > stream.Remaining())
    lxRaiseDataReadError();
  return count;
}

int& ReadingDepth() {
  static thread_local int depth = 0;
  return depth;
}

class NestingScope {
 public:
  NestingScope() {
    if (++ReadingDepth() > kMaxListNesting) {
      --ReadingDepth();
      lxRaiseDataReadError();
    }
  }
  NestingScope(const NestingScope&) = delete;
  NestingScope& operator=(const NestingScope&) = delete;
  ~NestingScope() { --ReadingDepth(); }
};

}  // namespace

uint8_t lxFilterVersionOfStreamId(int32_t id) {
  if (id == -2)
    return 3;
  if (id == -1)
    return 2;
  return 1;
}

int32_t lxFilterStreamIdOfVersion(uint8_t version) {
  if (version == 2)
    return -1;
  if (version == 3)
    return -2;
  return 0;
}

// Lists

void TlxFilterCriteriaItemList::SaveToStream(TStream& stream) const {
  lxWriteByte(stream, bool_operator_kind_);
  lxWriteInteger(stream, ItemCount());
  for (const auto& child : items_)
    SaveChild(stream, *child);
}

void TlxFilterCriteriaItemList::LoadFromStream(TStream& stream) {
  NestingScope nesting;
  const uint8_t kind = lxReadByte(stream);
  if (kind > fbkNotOr)
    lxRaiseDataReadError();
  SetBoolOperatorKind(static_cast<TlxFilterBoolOperatorKind>(kind));
  const int32_t count = ReadChildCount(stream, lxReadInteger(stream));
  for (int32_t i = 0; i < count; ++i)
    LoadChild(stream);
}

void TlxFilterCriteriaItemList::SaveChild(TStream& stream, const TlxCustomFilterCriteriaItem& child) const {
  lxWriteBoolean(stream, child.IsList());
  child.SaveToStream(stream);
}

void TlxFilterCriteriaItemList::LoadChild(TStream& stream) {
  const uint8_t is_list = lxReadByte(stream);
  if (is_list > 1)
    lxRaiseDataReadError();
  TlxCustomFilterCriteriaItem* node = nullptr;
  if (is_list == 1)
    node = AddSubList(fbkAnd);
  else
    node = AddCondition(nullptr, fokEqual, Variant::Null(), std::string());
  node->LoadFromStream(stream);
  // A list without children and a condition whose field is unknown go again.
  if (node->IsEmptyNode())
    FreeChild(node);
}

// Conditions

void TlxFilterCriteriaItem::SaveToStream(TStream& stream) const {
  const TlxFilterCriteria& criteria = *OwningCriteria();
  lxWriteByte(stream, operator_kind_);
  WriteText(stream, criteria.IsWideText(), display_value_);
  lxWriteInteger(stream, criteria.GetItemLinkId(ItemLink()));
  if (criteria.stream_version_ == 3)
    WriteText(stream, criteria.IsWideText(), criteria.GetItemLinkName(ItemLink()));
  lxWriteVariant(stream, value_);
}

void TlxFilterCriteriaItem::LoadFromStream(TStream& stream) {
  TlxFilterCriteria& criteria = *OwningCriteria();
  const uint8_t kind = lxReadByte(stream);
  if (kind > kLxLastFilterOperatorKind)
    lxRaiseDataReadError();
  const std::string display_value = ReadText(stream, criteria.IsWideText());
  const int32_t id = lxReadInteger(stream);
  const std::string name = criteria.stream_version_ == 3 ? ReadText(stream, criteria.IsWideText()) : std::string();
  const Variant operand = lxReadVariant(stream);
  SetOperatorKind(kind);
  SetDisplayValue(display_value);
  SetValue(operand);

  TObject* link = nullptr;
  if (name.empty()) {
    link = criteria.FindItemLinkById(id);
  } else {
    link = criteria.FindItemLinkByName(name);
    if (link == nullptr) {
      // An item found by id alone is taken only when it has no name of its
      // own: a named one is a different item.
      link = criteria.FindItemLinkById(id);
      if (link != nullptr && !criteria.GetItemLinkName(link).empty())
        link = nullptr;
    }
  }
  StoreItemLink(link);
  ApplyBlankDisplayValue();
}

// The criteria

void TlxFilterCriteria::WriteBinary(TStream& stream, uint8_t version) const {
  // Writers produce version 2 or 3 only: version 1 has no root header.
  version = std::clamp<uint8_t>(version, 2, 3);
  stream_version_ = version;
  lxWriteInteger(stream, lxFilterStreamIdOfVersion(version));
  root_->SaveToStream(stream);
}

void TlxFilterCriteria::SaveToBinaryStream(TStream& stream, uint8_t version_limit) {
  uint8_t version = version_;
  if (version_limit != 0)
    version = std::min(version, version_limit);
  saved_version_ = std::clamp<uint8_t>(version, 2, 3);
  WriteBinary(stream, saved_version_);
}

void TlxFilterCriteria::ReadBody(TStream& stream, TlxFilterCriteriaItemList& root) {
  const int32_t id = lxReadInteger(stream);
  stream_version_ = lxFilterVersionOfStreamId(id);
  if (stream_version_ == 1) {
    const int32_t count = ReadChildCount(stream, id);
    for (int32_t i = 0; i < count; ++i)
      root.LoadChild(stream);
    return;
  }
  root.LoadFromStream(stream);
}

void TlxFilterCriteria::LoadFromBinaryStream(TStream& stream) {
  TlxFilterChangesScope changes(*this);
  // Reading marks changes; a read that fails changed nothing.
  struct PendingChangeScope {
    bool& changed;
    bool before;
    bool committed = false;
    ~PendingChangeScope() {
      if (!committed)
        changed = before;
    }
  } pending{changed_, changed_};
  // The new tree is read beside the old one and replaces it only once it
  // was read completely.
  TlxFilterCriteriaItemList loaded(nullptr);
  loaded.SetCriteria(this);
  ReadBody(stream, loaded);
  pending.committed = true;
  loaded_version_ = stream_version_;
  root_->FreeAllChildren();
  while (loaded.ItemCount() > 0)
    root_->AppendChild(loaded.RemoveChild(loaded.ItemAt(0)));
  root_->SetBoolOperatorKind(loaded.BoolOperatorKind());
}

bool TlxFilterCriteria::HasSameContent(const TlxFilterCriteria& other, bool version2_only) const {
  uint8_t version = std::min<uint8_t>({version_, other.version_, 3});
  if (version2_only)
    version = std::min<uint8_t>(version, 2);
  TMemoryStream mine;
  TMemoryStream theirs;
  WriteBinary(mine, version);
  other.WriteBinary(theirs, version);
  return mine.Bytes() == theirs.Bytes();
}

void TlxFilterCriteria::AssignItems(const TlxFilterCriteria& source, bool version2_only) {
  if (HasSameContent(source, version2_only))
    return;
  TlxFilterChangesScope changes(*this);
  RemoveAllItems();
  uint8_t limit = version_;
  if (version2_only)
    limit = std::min<uint8_t>(limit, 2);
  TMemoryStream buffer;
  source.WriteBinary(buffer, std::min(source.version_, limit));
  buffer.SetPosition(0);
  LoadFromBinaryStream(buffer);
}

void TlxFilterCriteria::SaveToComponentStream(TStream& stream) {
  saving_to_stream_ = true;
  struct SavingScope {
    bool& flag;
    ~SavingScope() { flag = false; }
  } saving{saving_to_stream_};
  TFilterWrapper wrapper(nullptr);
  wrapper.SetFilter(this);
  stream.WriteComponent(wrapper);
}

void TlxFilterCriteria::LoadFromComponentStream(TStream& stream) {
  TlxFilterChangesScope changes(*this);
  TFilterWrapper wrapper(nullptr);
  wrapper.SetFilter(this);
  stream.ReadComponent(&wrapper);
}
