#pragma once
// Scratch folders and whole-file helpers for the data layer's tests.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "vemo-data-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
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

// Makes a file or folder unwritable for the test process, also for root (where permission bits
// are ignored) through the immutable attribute. Returns false when neither works here.
class WriteProtect {
public:
    explicit WriteProtect(const fs::path& path) : path_(path) {
        if (geteuid() != 0) {
            const auto perms = fs::status(path).permissions();
            fs::permissions(path, perms & ~(fs::perms::owner_write | fs::perms::group_write |
                                            fs::perms::others_write));
            mode_ = Mode::Permissions;
        } else if (SetImmutable(true)) {
            mode_ = Mode::Immutable;
        }
    }
    ~WriteProtect() {
        if (mode_ == Mode::Immutable)
            SetImmutable(false);
        else if (mode_ == Mode::Permissions)
            fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add);
    }
    WriteProtect(const WriteProtect&) = delete;
    WriteProtect& operator=(const WriteProtect&) = delete;

    bool Active() const { return mode_ != Mode::None; }

private:
    enum class Mode { None, Permissions, Immutable };

    bool SetImmutable(bool on) {
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
    }

    fs::path path_;
    Mode mode_ = Mode::None;
};

} // namespace testfiles
