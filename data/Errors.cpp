#include "Errors.h"

namespace vemo {

Error FileError(std::string_view fileName) {
    // "vytvořit" with ř as the Windows-1250 byte 0xF8.
    std::string message = "Nelze vytvo\xF8it soubor ";
    message.append(fileName);
    return Error(std::move(message));
}

Error WriteError() {
    return Error("Stream write error");
}

} // namespace vemo
