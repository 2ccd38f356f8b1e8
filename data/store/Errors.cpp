// vemo::Error, the file and write errors and the report text; the system's words are per platform.
#include "data/store/Errors.h"

#include "text/Cp1250.h"

namespace vemo {

Error::Error(std::string message, std::string reason)
    : message_(std::move(message)), reason_(std::move(reason)) {}

Error Error::Naming(std::string_view before, std::string fileName, std::string_view after,
                    std::string reason) {
    Error error(std::string(before), std::move(reason));
    error.nameAt_ = before.size();
    error.message_ += fileName;
    error.message_ += after;
    error.fileName_ = std::move(fileName);
    return error;
}

std::string Error::Utf8Message() const {
    const std::string_view message = message_;
    const std::size_t afterName = nameAt_ + fileName_.size();
    return Cp1250ToUtf8(message.substr(0, nameAt_)) + fileName_ +
           Cp1250ToUtf8(message.substr(afterName));
}

Error FileError(std::string fileName, std::string reason) {
    // "Nelze vytvořit soubor" with ř as the Windows-1250 byte 0xF8.
    return Error::Naming("Nelze vytvo\xF8it soubor ", std::move(fileName), {}, std::move(reason));
}

Error WriteError(std::string reason) {
    return Error("Stream write error", std::move(reason));
}

std::string ReportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace vemo
