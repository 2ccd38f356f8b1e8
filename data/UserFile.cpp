#include "data/UserFile.h"

#include "data/DataFile.h"
#include "data/Errors.h"
#include "text/Cp1250.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

std::string Message(std::string_view shownName, std::string_view whatUtf8) {
    return Utf8ToCp1250("Soubor ") + std::string(shownName) + Utf8ToCp1250(whatUtf8);
}

} // namespace

void SaveUserFile(const std::string& fileName, std::string_view shownName,
                  std::string_view content) {
    try {
        SaveDataFile(fileName, content);
    } catch (const Error& error) {
        throw Error(Message(shownName, " nelze uložit"), error.Reason());
    }
}

std::string ReadUserFile(const std::string& fileName, std::string_view shownName,
                         std::size_t largest) {
    // The size is asked first, so that a large file picked by mistake is never loaded.
    std::error_code ignored;
    const auto size = std::filesystem::file_size(FilePath(fileName), ignored);
    if (!ignored && size > largest)
        throw Error(Message(shownName, " je příliš velký"));
    DataFileContent content;
    try {
        content = ReadDataFile(fileName);
    } catch (const Error& error) {
        throw Error(Message(shownName, " nelze otevřít"), error.Reason());
    }
    if (content.size > largest)
        throw Error(Message(shownName, " je příliš velký"));
    std::string text(content.View());
    if (content.endedAtNul)
        text += '\0';
    return text;
}

} // namespace vemo
