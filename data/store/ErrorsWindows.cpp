// The system's words for an error on Windows, in the user's language.
#include "data/store/Errors.h"

#include <windows.h>

#include <system_error>

namespace vemo {

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

} // namespace vemo
