#pragma once
// The BLOB editor's rules without its window: which kind of data a value
// is taken for, the short texts that stand for it in a single line, and
// the icon of the shared list that shows it.

#include <cstdint>
#include <string>

#include "platform/rtl/variant.h"

enum TlxBlobEditKind : uint8_t { bekAuto, bekMemo, bekPict, bekOle, bekBlob };
enum TlxBlobPaintStyle : uint8_t { bpsDefault, bpsIcon, bpsText };

// The kind bound data suggests (0 and 1 binary, 2 picture, 3 memo, 4 OLE).
TlxBlobEditKind lxBlobKindOfSuggestion(int32_t suggested_kind);

// The editor's own text for a value of a resolved kind: the whole memo
// text with `full_text`; "(memo)"/"(MEMO)" and "(picture)"/"(PICTURE)" for
// empty and filled values in bpsDefault; a memo's first line in bpsText;
// nothing otherwise.
std::string lxBlobDisplayText(TlxBlobEditKind kind, TlxBlobPaintStyle style, const Variant& value, bool full_text);

// The text grids show: nothing for Null, the memo as above, "(PICTURE)",
// "OLE" or "BLOB".
std::string lxBlobFormatDisplayText(TlxBlobEditKind kind, TlxBlobPaintStyle style, const Variant& value,
                                    bool full_text);

// The index in the shared icon list: 2 memo, 4 picture, 6 OLE, 0 binary,
// one more for a value that is not blank.
int32_t lxBlobImageIndex(TlxBlobEditKind kind, const Variant& value);

// The text up to the first line break.
std::string lxBlobFirstLine(const std::string& text);
