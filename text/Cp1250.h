#pragma once
// Windows-1250 <-> Unicode for the program's boundaries (widgets, collation, terminal output).
// The five bytes the code page leaves undefined map to the C1 controls of the same value,
// so every byte string survives the round trip.

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

char32_t Cp1250ToUnicode(unsigned char byte);
// The Windows-1250 byte for codePoint; nothing when the code page has none.
std::optional<unsigned char> UnicodeToCp1250(char32_t codePoint);

std::string Cp1250ToUtf8(std::string_view bytes);
// Characters outside the code page become "?".
std::string Utf8ToCp1250(std::string_view utf8);

// Czech words written in UTF-8 in the sources, as the Windows-1250 text the program carries.
inline std::string Cz(std::string_view utf8) {
    return Utf8ToCp1250(utf8);
}
// „text“ in Czech quotation marks (0x84 and 0x93 in Windows-1250).
std::string Quoted(std::string_view cp1250);

// Whether bytes are well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates and nothing past U+10FFFF.
bool IsUtf8(std::string_view bytes);
// Well-formed UTF-8 text in Windows-1250; nothing when a character has no byte there, and that
// character's code point in missing.
std::optional<std::string> Utf8ToCp1250Exact(std::string_view utf8, char32_t& missing);

} // namespace vemo
