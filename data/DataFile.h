#pragma once
// Whole-file read and replace for the data and source files: a read that takes only what the
// file held when it was opened, and a save that replaces the file with every byte or not at all.

#include "data/ByteBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vemo {

// What a read took from a file: the first size bytes of bytes.
struct DataFileContent {
    ByteBuffer bytes;
    std::size_t size = 0;

    std::string_view View() const { return {bytes.Data(), size}; }
};

// The most one read asks the system for: a block small enough that a caller can work on it while
// it is still in the cache.
inline constexpr std::size_t kReadBlock = 512 * 1024;

// The content of a regular file up to the size it had when opened, cut at the first NUL since
// the content ends there, read straight into a buffer that is not cleared first. A folder,
// FIFO, socket or device, or a file that cannot be opened, raises FileError with fileName as
// passed; the open never waits for a writer. When given, opened runs once the size is taken,
// before the first read, and received after every block read, with the content so far (its
// buffer is as large as the file was at open).
DataFileContent
ReadDataFile(const std::string& fileName, const std::function<void()>& opened = {},
             const std::function<void(const DataFileContent& content)>& received = {});

// The calls a save makes, on one file at a time, so that a test can make any one of them fail.
class SaveSystem {
public:
    virtual ~SaveSystem() = default;
    // Makes a new, empty file in the folder of target, named target plus ".tmp" and a suffix,
    // and keeps it open; its name goes to tempName.
    virtual bool CreateTemp(const std::string& target, std::string& tempName) = 0;
    // Writes the first bytes of data to the open file; the count written (at least 1) or -1.
    virtual long long Write(const char* data, std::size_t size) = 0;
    // Brings what was written onto the disk.
    virtual bool Sync() = 0;
    virtual bool Close() = 0;
    // Puts from in place of to, replacing to when it exists.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& name) = 0;
    // The system's words for the last call that failed.
    virtual std::string Reason() const = 0;
};

// The operating system's calls.
class NativeSaveSystem final : public SaveSystem {
public:
    NativeSaveSystem() = default;
    ~NativeSaveSystem() override;
    NativeSaveSystem(const NativeSaveSystem&) = delete;
    NativeSaveSystem& operator=(const NativeSaveSystem&) = delete;

    bool CreateTemp(const std::string& target, std::string& tempName) override;
    long long Write(const char* data, std::size_t size) override;
    bool Sync() override;
    bool Close() override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& name) override;
    std::string Reason() const override { return reason_; }

private:
    void Failed();

    std::intptr_t handle_ = -1; // the open temporary file: a descriptor or a Windows handle
    std::string reason_;
};

// The most one write passes to the system, so that a large file is written in several calls.
inline constexpr std::size_t kSaveWriteBlock = 64 * 1024;

// Replaces the file by content, written into a temporary file beside it that is synced and then
// renamed over it. Either every byte lands, or the file stays byte for byte as it was and the
// temporary file is gone. FileError when the file cannot be created (a folder or other
// non-regular file, not writable, no such folder, the temporary file or the rename fails);
// WriteError when a write, the sync or the close fails.
void SaveDataFile(const std::string& fileName, std::string_view content);
void SaveDataFile(const std::string& fileName, std::string_view content, SaveSystem& system);

// The content of a save handed over a piece at a time: the function calls put with every piece
// in order, so that a table need not be copied into one string first. The pieces go to the
// system in the same writes as the whole content would.
using ContentPieces = std::function<void(const std::function<void(std::string_view)>& put)>;
void SaveDataFile(const std::string& fileName, const ContentPieces& content);
void SaveDataFile(const std::string& fileName, const ContentPieces& content, SaveSystem& system);

} // namespace vemo
