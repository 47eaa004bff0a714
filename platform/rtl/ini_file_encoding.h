#pragma once
// The encodings a settings file may have, and the way between its bytes and
// the program's UTF-8 text.
//
// Reading: a byte order mark names the encoding (UTF-8, UTF-16 LE or BE);
// without one, text that is valid UTF-8 (plain ASCII among it) is UTF-8, and
// anything else is code page 1252, as earlier versions of the program and
// editors on German systems wrote it.
//
// Writing goes back to the encoding the file had, with its mark. Where that
// would lose or change text, the file becomes UTF-8 with a mark instead,
// which holds any text and reads back unchanged:
// - code page 1252 cannot hold a character of the text, or its bytes would
//   read back as UTF-8 or as a mark (rare pairs such as "Ã¼" are valid
//   UTF-8, and "ï»¿" at the start is the UTF-8 mark);
// - the text is not valid UTF-8 (a caller's fault; UTF-16 could not hold
//   it, and without a mark it would read back as 1252), or, for UTF-8
//   without a mark, it starts with U+FEFF (it would be taken for the mark).
// A UTF-8 file with a mark passes its bytes through unchanged either way.

#include <cstdint>
#include <string>
#include <string_view>

enum class TIniEncoding : uint8_t { kUtf8, kUtf8Bom, kAnsi1252, kUtf16LE, kUtf16BE };

// The bytes as UTF-8 text, and the encoding they were found in. Broken
// UTF-16 (a lone surrogate, an odd last byte) becomes U+FFFD.
std::string DecodeIniBytes(std::string_view bytes, TIniEncoding& encoding);

// The bytes of `text` in `encoding`, mark included; `encoding` becomes
// kUtf8Bom where the rules above call for it.
std::string EncodeIniText(std::string_view text, TIniEncoding& encoding);
