#include "app/ConsoleOutput.h"

#ifdef _WIN32
#include <QString>

#include <algorithm>
#include <io.h>
#include <windows.h>
#endif

namespace vemo {

namespace {

bool consoleFailed = false;

#ifdef _WIN32
// The console behind stream, or nullptr when stream goes to a file, a pipe or nowhere.
HANDLE ConsoleOf(std::FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}
#endif

} // namespace

void WriteText(std::FILE* stream, std::string_view utf8) {
#ifdef _WIN32
    if (const HANDLE console = ConsoleOf(stream)) {
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        const auto* units = reinterpret_cast<const wchar_t*>(text.utf16());
        // Older consoles take a limited amount per call; a pair of surrogates stays together.
        constexpr qsizetype kPiece = 8192;
        for (qsizetype done = 0; done < text.size();) {
            qsizetype piece = std::min(kPiece, text.size() - done);
            if (done + piece < text.size() && text.at(done + piece - 1).isHighSurrogate())
                --piece;
            DWORD written = 0;
            if (!WriteConsoleW(console, units + done, static_cast<DWORD>(piece), &written,
                               nullptr) ||
                written == 0) {
                consoleFailed = true;
                return;
            }
            done += written;
        }
        return;
    }
#endif
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

bool ConsoleWriteFailed() {
    return consoleFailed;
}

} // namespace vemo
