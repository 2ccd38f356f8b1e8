#include "data/store/UserFile.h"

#include "data/store/DataFile.h"
#include "data/store/Errors.h"
#include "text/Cp1250.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

std::string Message(std::string_view shownName, std::string_view whatUtf8) {
    return Utf8ToCp1250("Soubor ") + std::string(shownName) + Utf8ToCp1250(whatUtf8);
}

// The user chose the file, so the message names the system's reason too, as the data tools do:
// "Soubor X nelze uložit: Systém souborů je jen pro čtení".
Error WithReason(std::string message, const Error& cause) {
    if (!cause.Reason().empty())
        message += ": " + Utf8ToCp1250(cause.Reason());
    return Error(std::move(message), cause.Reason());
}

} // namespace

void SaveUserFile(const std::string& fileName, std::string_view shownName,
                  std::string_view content) {
    try {
        SaveDataFile(fileName, content);
    } catch (const Error& error) {
        throw WithReason(Message(shownName, " nelze uložit"), error);
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
        throw WithReason(Message(shownName, " nelze otevřít"), error);
    }
    if (content.size > largest)
        throw Error(Message(shownName, " je příliš velký"));
    std::string text(content.View());
    if (content.endedAtNul)
        text += '\0';
    return text;
}

} // namespace vemo
