#pragma once
// Scratch folders and whole-file helpers for tests that work on real files.

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
#include <set>
#include <stdexcept>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::set<std::string> FileNames(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// A fresh folder, removed with everything in it (write protection included) at the end.
class ScratchDir {
public:
    ScratchDir() {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary folder");
        path_ = fs::path(dir_.path().toStdString());
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    QTemporaryDir dir_;
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

    bool Active() const { return mode_ != Mode::None; }

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
