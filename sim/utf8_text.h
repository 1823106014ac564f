// UTF-8 text as the charts write it: counted and shortened by characters, and escaped for XML.
#pragma once

#include <cstdint>
#include <string>

// Length of the UTF-8 sequence starting at text[i] and the code point it encodes, or 0 when the
// bytes there are no valid sequence.
size_t utf8Sequence(const std::string& text, size_t i, uint32_t& codePoint);

// The text as XML character data. Bytes that are no UTF-8 and characters XML forbids (most
// control characters) become U+FFFD.
std::string xmlEscaped(const std::string& text);

// An attribute value of the program's own (a number, a colour, a font list) made safe between
// double quotes.
std::string xmlAttributeValue(const std::string& text);

// At most maxChars characters of text, the last replaced by "…" when it was cut.
std::string shortened(const std::string& text, size_t maxChars);

// Characters in text; a byte that is no UTF-8 counts as one.
size_t characterCount(const std::string& text);
