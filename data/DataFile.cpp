#include "data/DataFile.h"

#include "data/Errors.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#endif

namespace vemo {

namespace {

// Each temporary name is tried once per process; the suffix only has to differ from names
// another save or another process is using at the same moment.
std::atomic<unsigned> tempCounter{0};
constexpr int kTempAttempts = 100;

using Received = std::function<void(const DataFileContent& content)>;

// Takes the got bytes just read into content and reports whether a NUL ended the content there.
bool KeepUpToNul(DataFileContent& content, std::size_t got, const Received& received) {
    const char* const bytes = content.bytes.Data();
    const void* nul = std::memchr(bytes + content.size, '\0', got);
    content.size =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : content.size + got;
    if (received)
        received(content);
    return nul != nullptr;
}

#ifdef _WIN32

std::string SystemReason() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

// File names are bytes in the ANSI code page, as the rest of the program passes them.
std::wstring Wide(const std::string& name) {
    if (name.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), size);
    return wide;
}

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

unsigned ProcessId() {
    return static_cast<unsigned>(GetCurrentProcessId());
}

// Others may read the file but not write it while it is read.
DataFileContent ReadNative(const std::string& fileName, const std::function<void()>& opened,
                           const Received& received) {
    const HANDLE file = CreateFileW(Wide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw FileError(fileName, SystemReason());
    struct Closer {
        HANDLE h;
        ~Closer() { CloseHandle(h); }
    } closer{file};

    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(fileName, "not a regular file");
    const auto size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (opened)
        opened();

    // A size beyond the address space asks for more than can be had: the buffer throws.
    const auto total = static_cast<std::size_t>(std::min<std::uint64_t>(size, SIZE_MAX));
    DataFileContent content{ByteBuffer(total), 0};
    while (content.size < total) {
        const DWORD want = static_cast<DWORD>(std::min(total - content.size, kReadBlock));
        DWORD got = 0;
        if (!ReadFile(file, content.bytes.Data() + content.size, want, &got, nullptr))
            throw FileError(fileName, SystemReason());
        if (got == 0 || KeepUpToNul(content, got, received))
            break;
    }
    return content;
}

#else

std::string SystemReason() {
    return std::generic_category().message(errno);
}

unsigned ProcessId() {
    return static_cast<unsigned>(getpid());
}

DataFileContent ReadNative(const std::string& fileName, const std::function<void()>& opened,
                           const Received& received) {
    // Without O_NONBLOCK a FIFO would wait in open for a writer that may never come.
    int fd;
    do {
        fd = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw FileError(fileName, SystemReason());
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};

    struct stat status {};
    if (fstat(fd, &status) != 0)
        throw FileError(fileName, SystemReason());
    // A device or FIFO has no end to read to, and a folder no content.
    if (!S_ISREG(status.st_mode))
        throw FileError(fileName, "not a regular file");
    if (opened)
        opened();

    // What is appended after this point is not part of the content.
    // A size beyond the address space asks for more than can be had: the buffer throws.
    const auto size = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(status.st_size), SIZE_MAX));
    DataFileContent content{ByteBuffer(size), 0};
    while (content.size < size) {
        const ssize_t got = read(fd, content.bytes.Data() + content.size,
                                 std::min(size - content.size, kReadBlock));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(fileName, SystemReason());
        // Zero: the file shrank meanwhile; what was read is the content.
        if (got == 0 || KeepUpToNul(content, static_cast<std::size_t>(got), received))
            break;
    }
    return content;
}

#endif

// Why the target cannot be replaced, or empty when it can: it exists and is no regular file or
// is not writable, or its folder is missing.
std::string TargetProblem(const std::string& fileName) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(Wide(fileName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return "not a regular file";
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return "read-only file";
    return {};
#else
    struct stat status {};
    if (stat(fileName.c_str(), &status) != 0)
        return errno == ENOENT ? std::string() : SystemReason();
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    // The rename would replace a read-only file all the same.
    if (access(fileName.c_str(), W_OK) != 0)
        return SystemReason();
    return {};
#endif
}

// The file that a save replaces: the target of a link rather than the link itself.
std::string ReplacedFile(const std::string& fileName) {
#ifndef _WIN32
    struct stat status {};
    if (lstat(fileName.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        if (char* resolved = realpath(fileName.c_str(), nullptr)) {
            std::string target = resolved;
            std::free(resolved);
            return target;
        }
    }
#endif
    return fileName;
}

} // namespace

DataFileContent ReadDataFile(const std::string& fileName, const std::function<void()>& opened,
                             const Received& received) {
    return ReadNative(fileName, opened, received);
}

NativeSaveSystem::~NativeSaveSystem() {
    if (handle_ != -1)
        Close();
}

void NativeSaveSystem::Failed() {
    reason_ = SystemReason();
}

#ifdef _WIN32

bool NativeSaveSystem::CreateTemp(const std::string& target, std::string& tempName) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = target + ".tmp" + std::to_string(ProcessId()) + "-" +
                           std::to_string(tempCounter.fetch_add(1));
        const HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        // A reserved name ("nul", "con.sdf") opens a device whatever its extension: no file
        // to rename would ever come of it.
        if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            reason_ = "not a regular file";
            return false;
        }
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            tempName = std::move(name);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    Failed();
    return false;
}

long long NativeSaveSystem::Write(const char* data, std::size_t size) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!WriteFile(AsHandle(handle_), data, want, &written, nullptr) || written == 0) {
        Failed();
        return -1;
    }
    return static_cast<long long>(written);
}

bool NativeSaveSystem::Sync() {
    if (!FlushFileBuffers(AsHandle(handle_))) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Close() {
    const HANDLE file = AsHandle(handle_);
    handle_ = -1;
    if (!CloseHandle(file)) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Rename(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Remove(const std::string& name) {
    if (!DeleteFileW(Wide(name).c_str())) {
        Failed();
        return false;
    }
    return true;
}

#else

bool NativeSaveSystem::CreateTemp(const std::string& target, std::string& tempName) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = target + ".tmp" + std::to_string(ProcessId()) + "-" +
                           std::to_string(tempCounter.fetch_add(1));
        // 0666 under the umask, the mode an ordinary create gives the data file.
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            handle_ = fd;
            tempName = std::move(name);
            return true;
        }
        if (errno != EEXIST && errno != EINTR)
            break;
    }
    Failed();
    return false;
}

long long NativeSaveSystem::Write(const char* data, std::size_t size) {
    for (;;) {
        const ssize_t written =
            write(static_cast<int>(handle_), data, std::min<std::size_t>(size, SSIZE_MAX));
        if (written > 0)
            return written;
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        Failed();
        return -1;
    }
}

bool NativeSaveSystem::Sync() {
    if (fsync(static_cast<int>(handle_)) != 0) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Close() {
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    // The descriptor is gone even when close reports an error, so it is never retried.
    if (close(fd) != 0) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Rename(const std::string& from, const std::string& to) {
    if (rename(from.c_str(), to.c_str()) != 0) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Remove(const std::string& name) {
    if (unlink(name.c_str()) != 0) {
        Failed();
        return false;
    }
    return true;
}

#endif

void SaveDataFile(const std::string& fileName, std::string_view content) {
    NativeSaveSystem system;
    SaveDataFile(fileName, content, system);
}

void SaveDataFile(const std::string& fileName, std::string_view content, SaveSystem& system) {
    SaveDataFile(
        fileName, [content](const auto& put) { put(content); }, system);
}

void SaveDataFile(const std::string& fileName, const ContentPieces& content) {
    NativeSaveSystem system;
    SaveDataFile(fileName, content, system);
}

void SaveDataFile(const std::string& fileName, const ContentPieces& content, SaveSystem& system) {
    const std::string target = ReplacedFile(fileName);
    if (std::string problem = TargetProblem(target); !problem.empty())
        throw FileError(fileName, std::move(problem));

    std::string temp;
    if (!system.CreateTemp(target, temp))
        throw FileError(fileName, system.Reason());

    bool open = true;
    // Removes the temporary file and gives the reason of the failed call, taken first since
    // closing and removing may overwrite it.
    const auto abandon = [&] {
        std::string reason = system.Reason();
        if (open)
            system.Close();
        system.Remove(temp);
        return reason;
    };

    // Writes from the front of bytes while a whole block is there (or, when last, while
    // anything is); returns how many bytes went out. Every write starts at the first byte not
    // yet written, so the writes are those of the content in one piece.
    const auto write = [&](std::string_view bytes, bool last) {
        std::size_t done = 0;
        while (bytes.size() - done >= kSaveWriteBlock || (last && done < bytes.size())) {
            const long long written =
                system.Write(bytes.data() + done, std::min(bytes.size() - done, kSaveWriteBlock));
            if (written <= 0)
                throw WriteError(abandon());
            done += std::min(bytes.size() - done, static_cast<std::size_t>(written));
        }
        return done;
    };
    // Less than a block waits here for the next piece; a piece that arrives while nothing
    // waits goes out without being copied.
    std::string waiting;
    try {
        content([&](std::string_view piece) {
            if (waiting.empty()) {
                piece.remove_prefix(write(piece, false));
                waiting.assign(piece);
                return;
            }
            waiting.append(piece);
            waiting.erase(0, write(waiting, false));
        });
        write(waiting, true);
    } catch (const Error&) {
        throw; // a failed write has given up the temporary file already
    } catch (...) {
        // Whatever else stops the pieces (no memory for the waiting bytes, a failing source)
        // must not leave the temporary file behind either.
        abandon();
        throw;
    }

    if (!system.Sync())
        throw WriteError(abandon());
    open = false;
    if (!system.Close())
        throw WriteError(abandon());
    if (!system.Rename(temp, target))
        throw FileError(fileName, abandon());
}

} // namespace vemo
