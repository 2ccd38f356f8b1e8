#pragma once
// Scratch folders and whole-file helpers for tests that work on real files.

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

// File names as the programs hand them on (bytes on Linux, UTF-8 on Windows) and their paths:
// a path made from a plain string would read it in the C library's code page on Windows.
inline fs::path PathOf(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}
inline std::string NameOf(const fs::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

// The whole content of a file, or "<missing>" when it cannot be opened. A name is taken as the
// programs take it (UTF-8 on Windows), through PathOf.
inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline std::string ReadFile(const std::string& name) {
    return ReadFile(PathOf(name));
}
inline std::string ReadFile(const char* name) {
    return ReadFile(PathOf(name));
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::set<std::string> FileNames(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(NameOf(entry.path().filename()));
    return names;
}

// A fresh folder, removed with everything in it (write protection included) at the end. Its
// name starts with name (UTF-8) where one is given, for names beyond ASCII.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name = {}) {
        if (name.empty())
            dir_.emplace();
        else
            dir_.emplace(QDir::tempPath() + u'/' + QString::fromStdString(name) +
                         QStringLiteral("-XXXXXX"));
        if (!dir_->isValid())
            throw std::runtime_error("no temporary folder");
        path_ = PathOf(dir_->path().toStdString());
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& Path() const { return path_; }
    // The full name of the file name (UTF-8) in the folder, as the programs take it.
    std::string File(const std::string& name) const { return NameOf(path_ / PathOf(name)); }

private:
    std::optional<QTemporaryDir> dir_;
    fs::path path_;
};

// Runs the test inside a folder, for the fixed relative file names.
class WorkingDir {
public:
    explicit WorkingDir(const fs::path& dir) : previous_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~WorkingDir() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// Makes a file or folder unwritable for the test process. Root ignores permission bits, so on
// Linux it gets the immutable attribute instead. Active() is false when neither works here.
class WriteProtect {
public:
    explicit WriteProtect(const fs::path& path) : path_(path) {
#if defined(_WIN32)
        // Windows' read-only attribute does not stop new files in a folder; only access rights
        // would, which Wine does not model.
        if (fs::is_directory(path))
            return;
#endif
        if (!RunsAsRoot()) {
            std::error_code error;
            fs::permissions(
                path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove, error);
            if (!error)
                mode_ = Mode::Permissions;
        } else if (SetImmutable(true)) {
            mode_ = Mode::Immutable;
        }
    }
    ~WriteProtect() {
        std::error_code ignored;
        if (mode_ == Mode::Immutable)
            SetImmutable(false);
        else if (mode_ == Mode::Permissions)
            fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    WriteProtect(const WriteProtect&) = delete;
    WriteProtect& operator=(const WriteProtect&) = delete;

    bool Active() const {
        return mode_ != Mode::None;
    }

private:
    enum class Mode { None, Permissions, Immutable };

    static bool RunsAsRoot() {
#if defined(__linux__)
        return geteuid() == 0;
#else
        return false;
#endif
    }

    bool SetImmutable([[maybe_unused]] bool on) {
#if defined(__linux__)
        const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return ok;
#else
        return false;
#endif
    }

    fs::path path_;
    Mode mode_ = Mode::None;
};

} // namespace testfiles
