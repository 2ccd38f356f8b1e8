#pragma once
// A 64 KiB tmpfs for the full-disk tests, mounted in a mount namespace of the calling thread
// alone, so that nothing outside the test sees it. Needs root; Problem() says why it is missing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace testsupport {

class SmallDisk {
public:
    explicit SmallDisk(const std::filesystem::path& where) : where_(where) {
        if (unshare(CLONE_NEWNS) != 0) {
            problem_ = "unshare: " + std::string(strerror(errno));
            return;
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") != 0) {
            problem_ = "mount: " + std::string(strerror(errno));
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_)
            umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when the disk is there.
    const std::string& Problem() const { return problem_; }

    // Writes "filler" until the disk is full, then gives back freeBytes of it.
    static void Fill(const std::filesystem::path& where, std::size_t freeBytes) {
        const std::string filler = (where / "filler").string();
        const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        for (ssize_t n; (n = write(fd, block.data(), block.size())) > 0;)
            size += n;
        ASSERT_EQ(errno, ENOSPC);
        if (freeBytes > 0) {
            ASSERT_EQ(ftruncate(fd, size - static_cast<off_t>(freeBytes)), 0);
        }
        close(fd);
    }

private:
    std::filesystem::path where_;
    std::string problem_;
    bool mounted_ = false;
};

} // namespace testsupport
