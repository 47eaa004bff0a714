#pragma once
// Windows code page 1252, the "ANSI" code page of Western European and German
// systems, in which earlier versions of the program and most editors there
// wrote text files. Every byte has a character: the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, as the system converts them, so that any
// byte string survives the way to UTF-8 and back unchanged.

#include <string>
#include <string_view>

// Never fails: each byte becomes one character.
std::string Cp1252ToUtf8(std::string_view bytes);

// The 1252 bytes of UTF-8 `text`; false, with `bytes` unspecified, when the
// text holds a character the code page has no byte for (a broken UTF-8
// sequence counts as such).
bool Utf8ToCp1252(std::string_view text, std::string& bytes);
