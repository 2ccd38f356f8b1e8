#include "data/DataFile.h"

#include "data/Errors.h"
#include "data/SaveSystem.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>
#endif

namespace vemo {

namespace {

// Each temporary name is tried once per process; the suffix only has to differ from names
// another save or another process is using at the same moment.
std::atomic<unsigned> tempCounter{0};
constexpr int kTempAttempts = 100;

// Causes of our own, in Czech like the messages they follow.
constexpr const char* kNotRegular = "není to obyčejný soubor";
constexpr const char* kHardLinks =
    "soubor má více pevných odkazů a nový obsah by dostal jen jeden z nich";
constexpr const char* kFolderNotWritable = "do složky nelze zapisovat";
constexpr const char* kFileNotWritable = "do souboru nelze zapisovat";

using Received = std::function<void(const DataFileContent& content)>;

// Takes the got bytes just read into content and reports whether a NUL ended the content there.
bool KeepUpToNul(DataFileContent& content, std::size_t got, const Received& received) {
    const char* const bytes = content.bytes.Data();
    const void* nul = std::memchr(bytes + content.size, '\0', got);
    content.size =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : content.size + got;
    content.endedAtNul = nul != nullptr;
    if (received)
        received(content);
    return nul != nullptr;
}

// The buffer for a file of size bytes, or FileError when no buffer can be that large.
DataFileContent ContentFor(const std::string& fileName, std::uint64_t size) {
    if (size > ByteBuffer::kMaxCapacity)
        throw FileError(fileName, TooLargeReason());
    try {
        return DataFileContent{ByteBuffer(static_cast<std::size_t>(size)), 0};
    } catch (const std::bad_alloc&) {
        throw FileError(fileName, NoMemoryReason());
    }
}

// The folder part of name with its last separator ("" for a bare name), where the temporary
// file goes so that the rename stays within one file system.
std::string FolderOf(const std::string& name) {
#ifdef _WIN32
    const std::size_t slash = name.find_last_of("\\/:");
#else
    const std::size_t slash = name.rfind('/');
#endif
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// A name of a few bytes, so that the temporary file fits wherever the target does.
std::string TempName(const std::string& target, unsigned processId) {
    return FolderOf(target) + "vemo-" + std::to_string(processId) + "-" +
           std::to_string(tempCounter.fetch_add(1)) + ".tmp";
}

#ifdef _WIN32

std::string LastReason() {
    return SystemReason(static_cast<int>(GetLastError()));
}

std::wstring Wide(const std::string& name) {
    if (name.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wide.data(), size);
    return wide;
}

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

unsigned ProcessId() {
    return static_cast<unsigned>(GetCurrentProcessId());
}

// A reserved name ("nul", "con.sdf") names a device in any folder, which its full path shows.
bool NamesADevice(const std::wstring& name) {
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(name.c_str(), size, full.data(), nullptr));
    return full.rfind(L"\\\\.\\", 0) == 0 && name.rfind(L"\\\\.\\", 0) != 0;
}

// Others may read the file but not write it while it is read.
DataFileContent ReadNative(const std::string& fileName, const std::function<void()>& opened,
                           const Received& received) {
    const HANDLE file = CreateFileW(Wide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw FileError(fileName, LastReason());
    struct Closer {
        HANDLE h;
        ~Closer() { CloseHandle(h); }
    } closer{file};

    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(fileName, kNotRegular);
    const auto size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (opened)
        opened();

    DataFileContent content = ContentFor(fileName, size);
    const auto total = static_cast<std::size_t>(size);
    while (content.size < total) {
        const DWORD want = static_cast<DWORD>(std::min(total - content.size, kReadBlock));
        DWORD got = 0;
        if (!ReadFile(file, content.bytes.Data() + content.size, want, &got, nullptr))
            throw FileError(fileName, LastReason());
        if (got == 0 || KeepUpToNul(content, got, received))
            break;
    }
    return content;
}

#else

std::string LastReason() {
    return SystemReason(errno);
}

unsigned ProcessId() {
    return static_cast<unsigned>(getpid());
}

int OpenRetrying(const char* name, int flags) {
    int fd;
    do {
        fd = open(name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Opens fileName for reading without ever waiting for a FIFO's writer.
int OpenForReading(const std::string& fileName) {
    constexpr int kFlags = O_RDONLY | O_NOCTTY | O_CLOEXEC;
    // Without O_NONBLOCK a FIFO would wait in open for a writer that may never come.
    const int fd = OpenRetrying(fileName.c_str(), kFlags | O_NONBLOCK);
    if (fd >= 0 || errno != EWOULDBLOCK)
        return fd;
    // Only a lease holder (Samba's oplocks) turns a non-blocking open away. The file is opened
    // again, waiting for the holder as a plain open would, through a handle to the very file
    // found now, so that a FIFO put in its place meanwhile is still opened without waiting.
    const int path = OpenRetrying(fileName.c_str(), O_PATH | O_CLOEXEC);
    if (path < 0)
        return -1;
    struct stat status {};
    const bool regular = fstat(path, &status) == 0 && S_ISREG(status.st_mode);
    const std::string self = "/proc/self/fd/" + std::to_string(path);
    const int reopened = OpenRetrying(self.c_str(), kFlags | (regular ? 0 : O_NONBLOCK));
    const int cause = errno;
    close(path);
    errno = cause;
    return reopened;
}

DataFileContent ReadNative(const std::string& fileName, const std::function<void()>& opened,
                           const Received& received) {
    const int fd = OpenForReading(fileName);
    if (fd < 0)
        throw FileError(fileName, LastReason());
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};

    struct stat status {};
    if (fstat(fd, &status) != 0)
        throw FileError(fileName, LastReason());
    // A device or FIFO has no end to read to, and a folder no content.
    if (!S_ISREG(status.st_mode))
        throw FileError(fileName, kNotRegular);
    if (opened)
        opened();

    // What is appended after this point is not part of the content.
    DataFileContent content = ContentFor(fileName, static_cast<std::uint64_t>(status.st_size));
    const auto size = static_cast<std::size_t>(status.st_size);
    while (content.size < size) {
        const ssize_t got = read(fd, content.bytes.Data() + content.size,
                                 std::min(size - content.size, kReadBlock));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(fileName, LastReason());
        // Zero: the file shrank meanwhile; what was read is the content.
        if (got == 0 || KeepUpToNul(content, static_cast<std::size_t>(got), received))
            break;
    }
    return content;
}

// The names of the extended attributes of the file name, or false with errno set.
bool AttributeNames(const std::string& name, std::vector<std::string>& names) {
    std::vector<char> list;
    for (;;) {
        const ssize_t size = listxattr(name.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP; // a file system without them: nothing to keep
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = listxattr(name.c_str(), list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) // ERANGE: the list grew meanwhile
            return false;
    }
    for (std::size_t at = 0; at < list.size();) {
        names.emplace_back(list.data() + at);
        at += names.back().size() + 1;
    }
    return true;
}

bool AttributeValue(const std::string& file, const std::string& name, std::vector<char>& value) {
    for (;;) {
        const ssize_t size = getxattr(file.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = getxattr(file.c_str(), name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

constexpr const char* kAclAttribute = "system.posix_acl_access";

// Copies the extended attributes of old, its ACL among them, onto the open file fd. An
// attribute the process may not set (a security label, trusted.*) is left out; the ACL never
// is, since without it the group bits would give the owning group what the ACL's mask gave.
bool CopyAttributes(const std::string& old, int fd) {
    std::vector<std::string> names;
    if (!AttributeNames(old, names))
        return false;
    bool hasAcl = false;
    std::vector<char> value;
    for (const std::string& name : names) {
        if (!AttributeValue(old, name, value)) {
            if (errno == ENODATA) // removed meanwhile
                continue;
            return false;
        }
        const bool acl = name == kAclAttribute;
        hasAcl = hasAcl || acl;
        if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0 &&
            (acl || (errno != EPERM && errno != EACCES && errno != ENOTSUP)))
            return false;
    }
    // The temporary file may have taken an ACL from the folder's default that the old file
    // did not have.
    if (!hasAcl && fremovexattr(fd, kAclAttribute) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    return true;
}

#endif

// The file that a save replaces: the target of a link rather than the link itself, also when
// the target does not exist yet. Empty with the reason in problem when the links loop.
std::string ReplacedFile(const std::string& fileName, std::string& problem) {
    std::string name = fileName;
#ifndef _WIN32
    // As many links as the system itself follows in one path.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return name;
        std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t length = readlink(name.c_str(), link.data(), link.size());
        if (length < 0) {
            problem = LastReason();
            return {};
        }
        link.resize(static_cast<std::size_t>(length));
        // A relative link is relative to the folder it lies in.
        name = link.front() == '/' ? link : FolderOf(name) + link;
    }
    problem = SystemReason(ELOOP);
    return {};
#else
    static_cast<void>(problem);
    return name;
#endif
}

// Why the target cannot be replaced, or empty when it can: it exists and is no regular file, is
// not writable or has more than one hard link. A missing folder is left to the temporary file.
std::string TargetProblem(const std::string& fileName) {
#ifdef _WIN32
    const std::wstring wide = Wide(fileName);
    if (NamesADevice(wide))
        return kNotRegular;
    const HANDLE file = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!disk || !known ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return kNotRegular;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return "soubor je jen pro čtení";
    if (info.nNumberOfLinks > 1)
        return kHardLinks;
    return {};
#else
    struct stat status {};
    if (stat(fileName.c_str(), &status) != 0)
        return errno == ENOENT ? std::string() : LastReason();
    if (!S_ISREG(status.st_mode))
        return kNotRegular;
    // The rename would replace a read-only file all the same.
    if (access(fileName.c_str(), W_OK) != 0)
        return std::string(kFileNotWritable) + " (" + LastReason() + ")";
    // A rename gives the new content to this name only: the other names would keep the old one.
    if (status.st_nlink > 1)
        return kHardLinks;
    return {};
#endif
}

} // namespace

std::filesystem::path FilePath(const std::string& fileName) {
#ifdef _WIN32
    return std::filesystem::path(Wide(fileName));
#else
    return std::filesystem::path(fileName);
#endif
}

DataFileContent ReadDataFile(const std::string& fileName, const std::function<void()>& opened,
                             const Received& received) {
    return ReadNative(fileName, opened, received);
}

NativeSaveSystem::~NativeSaveSystem() {
    if (handle_ != -1)
        Close();
}

void NativeSaveSystem::Failed() {
    reason_ = LastReason();
}

#ifdef _WIN32

bool NativeSaveSystem::CreateTemp(const std::string& target, std::string& tempName) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = TempName(target, ProcessId());
        const HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            reason_ = kNotRegular;
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
    const DWORD error = GetLastError();
    Failed();
    if (error == ERROR_ACCESS_DENIED)
        reason_ = std::string(kFolderNotWritable) + " (" + reason_ + ")";
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

bool NativeSaveSystem::KeepAttributes(const std::string&) {
    // ReplaceFileW in Rename keeps the old file's attributes and ACL.
    return true;
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

// The full path of name: Wine's ReplaceFileW refuses names relative to the working folder.
static std::wstring FullPath(const std::string& name) {
    const std::wstring wide = Wide(name);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return wide;
    full.resize(length);
    return full;
}

bool NativeSaveSystem::Rename(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = FullPath(from);
    const std::wstring wideTo = FullPath(to);
    // ReplaceFileW keeps the replaced file's attributes, ACL and creation time, which a move
    // would lose; a file that is not there yet is moved into place. Its presence is asked
    // first, since the error ReplaceFileW gives for a missing file differs between systems.
    const bool present = GetFileAttributesW(wideTo.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool done =
        present ? ReplaceFileW(wideTo.c_str(), wideFrom.c_str(), nullptr, 0, nullptr, nullptr)
                : MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!done)
        Failed();
    return done;
}

bool NativeSaveSystem::SyncFolder(const std::string&) {
    // NTFS journals the rename; Windows has no call to sync a folder.
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
    // A file that will take the old file's mode starts readable by its owner alone, so that
    // the new content of a private file is never open to others; a new file gets the mode an
    // ordinary create gives, 0666 under the umask and the folder's default ACL.
    struct stat status {};
    const mode_t mode = stat(target.c_str(), &status) == 0 ? 0600 : 0666;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = TempName(target, ProcessId());
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            handle_ = fd;
            tempName = std::move(name);
            return true;
        }
        if (errno != EEXIST && errno != EINTR)
            break;
    }
    const int error = errno;
    Failed();
    if (error == EACCES || error == EPERM || error == EROFS)
        reason_ = std::string(kFolderNotWritable) + " (" + reason_ + ")";
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

bool NativeSaveSystem::KeepAttributes(const std::string& target) {
    const int fd = static_cast<int>(handle_);
    struct stat old {};
    if (stat(target.c_str(), &old) != 0) {
        if (errno == ENOENT) // a new file: nothing to keep
            return true;
        Failed();
        return false;
    }
    // The owner first, since a change of owner clears the set-ID bits that the mode then sets.
    // Only root may give a file away; an ordinary user may still give it a group of theirs.
    if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
        (errno != EPERM ||
         (fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM))) {
        Failed();
        return false;
    }
    if (!CopyAttributes(target, fd) || fchmod(fd, old.st_mode & 07777) != 0) {
        Failed();
        return false;
    }
    return true;
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

bool NativeSaveSystem::SyncFolder(const std::string& target) {
    // The rename is an entry in the folder: until the folder is synced, a power cut may bring
    // the old file back after the save was reported done.
    const std::string folder = FolderOf(target);
    const int fd =
        OpenRetrying(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        Failed();
        return false;
    }
    // EINVAL: a file system that cannot sync a folder, where nothing more can be done.
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    if (!synced)
        Failed();
    close(fd);
    return synced;
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
    std::string problem;
    const std::string target = ReplacedFile(fileName, problem);
    if (problem.empty())
        problem = TargetProblem(target);
    if (!problem.empty())
        throw FileError(fileName, std::move(problem));

    std::string temp;
    if (!system.CreateTemp(target, temp))
        throw FileError(fileName, system.Reason());

    // Whatever stops the save from here to the rename (a failed call, no memory for the waiting
    // bytes, any exception from the content) takes the temporary file with it. Every throw
    // below takes the failed call's reason before this runs.
    struct Temporary {
        SaveSystem& system;
        const std::string& name;
        bool open = true;
        bool renamed = false;
        ~Temporary() {
            if (renamed)
                return;
            if (open)
                system.Close();
            system.Remove(name);
        }
    } temporary{system, temp};

    // Writes from the front of bytes while a whole block is there (or, when last, while
    // anything is); returns how many bytes went out. Every write starts at the first byte not
    // yet written, so the writes are those of the content in one piece.
    const auto write = [&](std::string_view bytes, bool last) {
        std::size_t done = 0;
        while (bytes.size() - done >= kSaveWriteBlock || (last && done < bytes.size())) {
            const long long written =
                system.Write(bytes.data() + done, std::min(bytes.size() - done, kSaveWriteBlock));
            if (written <= 0)
                throw WriteError(system.Reason());
            done += std::min(bytes.size() - done, static_cast<std::size_t>(written));
        }
        return done;
    };
    // Less than a block waits here for the next piece; a piece that arrives while nothing
    // waits goes out without being copied.
    std::string waiting;
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

    if (!system.KeepAttributes(target))
        throw FileError(fileName, system.Reason());
    if (!system.Sync())
        throw WriteError(system.Reason());
    temporary.open = false;
    if (!system.Close())
        throw WriteError(system.Reason());
    if (!system.Rename(temp, target))
        throw FileError(fileName, system.Reason());
    temporary.renamed = true;
    // The new content is in place; only whether it survives a power cut is in doubt.
    if (!system.SyncFolder(target))
        throw WriteError(system.Reason());
}

} // namespace vemo
