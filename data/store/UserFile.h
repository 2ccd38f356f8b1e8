#pragma once
// Files the user names (a saved route, a quote as PDF), read and written with the data files'
// whole-file read and safe save. A failure is a vemo::Error whose Czech message names the file
// as the user sees it, shownName (Windows-1250), since fileName is in the system's encoding.

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo {

// Replaces the file by content, or leaves it byte for byte as it was: "Soubor <shownName> nelze
// uložit: <the system's words for the cause>", the words also the error's reason.
void SaveUserFile(const std::string& fileName, std::string_view shownName,
                  std::string_view content);

// The whole content: "Soubor <shownName> nelze otevřít: <reason>" when it cannot be read, "Soubor
// <shownName> je příliš velký" when it holds more than largest bytes (it is then not read).
// The read ends at a NUL as a data file's does, but keeps that NUL as the content's last byte,
// so that the caller can refuse the file rather than lose what followed unnoticed.
std::string ReadUserFile(const std::string& fileName, std::string_view shownName,
                         std::size_t largest);

} // namespace vemo
