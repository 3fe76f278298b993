// Text helpers shared by the parser, the error values and the Python layer:
// UTF-8 validation, lossy decoding and the pieces of the debug text form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace volarion {

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or
// code points above U+10FFFF).
bool is_valid_utf8(std::string_view bytes) noexcept;

// The bytes as UTF-8 text with every maximal invalid subsequence replaced by
// one U+FFFD. Valid input is copied unchanged.
std::string lossy_utf8(std::string_view bytes);
void append_lossy_utf8(std::string& out, std::string_view bytes);

// True for characters the debug text writes as \u{hex}: control and other
// non-printable characters, and grapheme-extending marks.
bool needs_unicode_escape(char32_t c) noexcept;

// Appends the quoted debug form of valid UTF-8 text: "..." with \\, \", \0,
// \t, \n, \r and \u{hex} escapes.
void append_quoted(std::string& out, std::string_view utf8_text);

// Appends the debug form of a float: shortest round-trip digits, plain
// notation for 1e-4 <= |v| < 1e16 (always with a fractional part), otherwise
// scientific ("1e16", "5e-5"); "NaN", "inf", "-inf".
void append_debug_float(std::string& out, double value);

}  // namespace volarion
