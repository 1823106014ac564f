// UTF-8 text as the charts write it: counted, measured and shortened, and escaped for XML.
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

// About how many pixels wide text is drawn at the given font size: a wide character (CJK,
// kana, hangul, full-width forms, and "…", which the chart fonts draw an em wide) about one em,
// any other about 7/12 of one. Every chart lays out its labels by this.
double textWidth(const std::string& text, double size);

// As much of text as is at most maxWidth wide at size, the last character replaced by "…" when
// it was cut; just "…" when not even one character fits beside it.
std::string shortenedToWidth(const std::string& text, double maxWidth, double size);
