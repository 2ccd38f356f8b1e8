// The POSIX file calls: the read's open, the checks of a save's target and links, the save system.
#include "data/store/Errors.h"
#include "data/store/SaveSystem.h"
#include "data/store/private/ExtendedAttributes.h"
#include "data/store/private/NativeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace vemo {

namespace {

constexpr const char* kFileNotWritable = "do souboru nelze zapisovat";

std::string LastReason() {
    return SystemReason(errno);
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

} // namespace

std::filesystem::path FilePath(const std::string& fileName) {
    return std::filesystem::path(fileName);
}

InputFile::InputFile(const std::string& fileName)
    : fileName_(fileName), handle_(OpenForReading(fileName)) {
    if (handle_ < 0)
        throw FileError(fileName, LastReason());
    struct stat status {};
    const bool known = fstat(static_cast<int>(handle_), &status) == 0;
    // A device or FIFO has no end to read to, and a folder no content.
    if (!known || !S_ISREG(status.st_mode)) {
        std::string reason = known ? std::string(kNotRegular) : LastReason();
        close(static_cast<int>(handle_));
        throw FileError(fileName, std::move(reason));
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

InputFile::~InputFile() {
    close(static_cast<int>(handle_));
}

std::size_t InputFile::Read(char* data, std::size_t size) {
    for (;;) {
        const ssize_t got = read(static_cast<int>(handle_), data, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw FileError(fileName_, LastReason());
    }
}

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

std::string ReplacedFile(const std::string& fileName, std::string& problem) {
    std::string name = fileName;
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
}

std::string TargetProblem(const std::string& fileName) {
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
}

void NativeSaveSystem::Failed() {
    reason_ = LastReason();
}

bool NativeSaveSystem::CreateTemp(const std::string& target, std::string& tempName) {
    // A file that will take the old file's mode starts readable by its owner alone, so that
    // the new content of a private file is never open to others; a new file gets the mode an
    // ordinary create gives, 0666 under the umask and the folder's default ACL.
    struct stat status {};
    const mode_t mode = stat(target.c_str(), &status) == 0 ? 0600 : 0666;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = TempName(target, static_cast<unsigned>(getpid()));
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
    if (!CopyExtendedAttributes(target, fd) || fchmod(fd, old.st_mode & 07777) != 0) {
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

} // namespace vemo
