#pragma once
// Text rules of the memo's inner edit control that need no window.

#include <string>
#include <string_view>

// The line breaks of a text that replaces the memo's selection: a reversed
// pair LF CR, which the system's edit control would show as two broken
// lines, becomes two proper breaks CR LF CR LF; CR LF pairs and lone CR or
// LF characters stay as they are.
std::u16string lxNormalizeMemoLineBreaks(std::u16string_view text);
