#include "data/Errors.h"

#include "text/Cp1250.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <clocale>
#include <cstring>
#include <locale.h>
#endif

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

#ifdef _WIN32

std::string SystemReason(int code) {
    // Language 0: the user's language where Windows has the message in it.
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0)
        return std::system_category().message(code);
    std::wstring wide(text, length);
    LocalFree(text);
    // The text ends in ".\r\n", which the message around it does not want.
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' ||
                             wide.back() == L'.'))
        wide.pop_back();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::string TooLargeReason() {
    return SystemReason(ERROR_FILE_TOO_LARGE);
}

std::string NoMemoryReason() {
    return SystemReason(ERROR_NOT_ENOUGH_MEMORY);
}

#else

std::string SystemReason(int code) {
    // glibc's words in the language of the program's LC_MESSAGES (set by setlocale, which the
    // window's Qt and vemo-data call), converted to UTF-8 whatever the locale's own codeset.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (locale_t both = newlocale(LC_MESSAGES_MASK, messages ? messages : "C", utf8)) {
            std::string reason = strerror_l(code, both);
            freelocale(both);
            return reason;
        }
        freelocale(utf8);
    }
    return std::generic_category().message(code);
}

std::string TooLargeReason() {
    return SystemReason(EFBIG);
}

std::string NoMemoryReason() {
    return SystemReason(ENOMEM);
}

#endif

std::string ReportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace vemo
