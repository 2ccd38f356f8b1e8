#pragma once
// Internal to the safe save: the calls it makes on the system, so that a test can make any one
// of them fail or watch its writes. Only the safe save, the native save systems and the tests
// include this header.

#include "data/store/DataFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// The calls a save makes, in this order, on one file at a time.
class SaveSystem {
public:
    virtual ~SaveSystem() = default;
    // Makes a new, empty file in the folder of target, under a short name of its own, and keeps
    // it open; its name goes to tempName.
    virtual bool CreateTemp(const std::string& target, std::string& tempName) = 0;
    // Writes the first bytes of data to the open file; the count written (at least 1) or -1.
    virtual long long Write(const char* data, std::size_t size) = 0;
    // Gives the open file what the file target has besides its content: mode, owner and group
    // where the process may set them, ACL and extended attributes. Nothing when target does not
    // exist, or where the rename keeps them itself (Windows).
    virtual bool KeepAttributes(const std::string& target) = 0;
    // Brings what was written onto the disk.
    virtual bool Sync() = 0;
    virtual bool Close() = 0;
    // Puts from in place of to, replacing to when it exists.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Brings the rename in the folder of target onto the disk.
    virtual bool SyncFolder(const std::string& target) = 0;
    virtual bool Remove(const std::string& name) = 0;
    // Why the last call that failed failed: the system's words, or a cause of our own in Czech.
    virtual std::string Reason() const = 0;
};

// The operating system's calls (SaveSystemPosix.cpp or SaveSystemWindows.cpp).
class NativeSaveSystem final : public SaveSystem {
public:
    NativeSaveSystem() = default;
    ~NativeSaveSystem() override {
        if (handle_ != -1)
            Close();
    }
    NativeSaveSystem(const NativeSaveSystem&) = delete;
    NativeSaveSystem& operator=(const NativeSaveSystem&) = delete;

    bool CreateTemp(const std::string& target, std::string& tempName) override;
    long long Write(const char* data, std::size_t size) override;
    bool KeepAttributes(const std::string& target) override;
    bool Sync() override;
    bool Close() override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool SyncFolder(const std::string& target) override;
    bool Remove(const std::string& name) override;
    std::string Reason() const override { return reason_; }

private:
    // Takes the system's words for the call that just failed.
    void Failed();

    std::intptr_t handle_ = -1; // the open temporary file: a descriptor or a Windows handle
    std::string reason_;
};

// The most one write passes to the system, so that a large file is written in several calls.
inline constexpr std::size_t kSaveWriteBlock = 64 * 1024;

// SaveDataFile through the given calls. The pieces go to the system in the same writes as the
// whole content would.
void SaveDataFile(const std::string& fileName, std::string_view content, SaveSystem& system);
void SaveDataFile(const std::string& fileName, const ContentPieces& content, SaveSystem& system);

// For tests of the callers: while one lives, the saves of its thread that are given no system
// (SaveDataFile in DataFile.h) make their calls on system instead of the operating system.
class SaveSystemOverride {
public:
    explicit SaveSystemOverride(SaveSystem& system);
    ~SaveSystemOverride();
    SaveSystemOverride(const SaveSystemOverride&) = delete;
    SaveSystemOverride& operator=(const SaveSystemOverride&) = delete;

private:
    SaveSystem* previous_;
};

} // namespace vemo
