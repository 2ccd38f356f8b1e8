// The system's words for an error on Linux, in the language of the program's messages.
#include "data/store/Errors.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <locale.h>

#include <system_error>

namespace vemo {

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

} // namespace vemo
