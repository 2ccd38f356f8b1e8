#include "data/Errors.h"

namespace vemo {

Error FileError(std::string_view fileName, std::string reason) {
    // "vytvořit" with ř as the Windows-1250 byte 0xF8.
    std::string message = "Nelze vytvo\xF8it soubor ";
    message.append(fileName);
    return Error(std::move(message), std::move(reason));
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
