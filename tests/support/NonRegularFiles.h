#pragma once
// Data files that are not plain finished files, made in a scratch folder, and the guard that
// turns a load that hangs on one of them into a failed test instead of a stalled run.

#include <cerrno>
#include <filesystem>
#include <functional>
#include <ostream>
#include <system_error>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testsupport {

// Ends the test process after ten seconds on Linux; on Windows ctest's timeout does it.
class Watchdog {
public:
#if defined(__linux__)
    Watchdog() {
        alarm(10);
    }
    ~Watchdog() {
        alarm(0);
    }
#else
    // User-provided, so that a watchdog that does nothing still counts as used.
    Watchdog() {}
    ~Watchdog() {}
#endif
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

// Makes the file at the given path something other than a finished regular file.
struct SpecialCase {
    const char* name;
    std::function<void(const std::filesystem::path& file)> make;
};

// Names the case in test listings instead of its bytes.
inline void PrintTo(const SpecialCase& c, std::ostream* os) {
    *os << c.name;
}

#if defined(__linux__)
inline const SpecialCase kFifo{"Fifo", [](const std::filesystem::path& file) {
                                   if (mkfifo(file.c_str(), 0600) != 0)
                                       throw std::filesystem::filesystem_error(
                                           "mkfifo", file,
                                           std::error_code(errno, std::generic_category()));
                               }};
inline const SpecialCase kLinkToDevZero{"LinkToDevZero", [](const std::filesystem::path& file) {
                                            std::filesystem::create_symlink("/dev/zero", file);
                                        }};
inline const SpecialCase kLinkToDevUrandom{
    "LinkToDevUrandom", [](const std::filesystem::path& file) {
        std::filesystem::create_symlink("/dev/urandom", file);
    }};
#endif
inline const SpecialCase kFolder{
    "Folder", [](const std::filesystem::path& file) { std::filesystem::create_directory(file); }};

} // namespace testsupport
