#pragma once
// Whole-file read and replace for the data and source files: a read that takes only what the
// file held when it was opened, and a save that replaces the file with every byte or not at all.

#include "data/store/ByteBuffer.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vemo {

// What a read took from a file: the first size bytes of bytes.
struct DataFileContent {
    ByteBuffer bytes;
    std::size_t size = 0;
    bool endedAtNul = false; // a NUL ended the content before the file's end

    std::string_view View() const { return {bytes.Data(), size}; }
};

// The most one read asks the system for: a block small enough that a caller can work on it while
// it is still in the cache.
inline constexpr std::size_t kReadBlock = 512 * 1024;

// File names are passed as the user gave them: bytes on Linux, UTF-8 on Windows (opened by their
// wide form). The window's file dialog and vemo-data's command line hand them on so.

// The std::filesystem path of such a name. A path built from the plain string would read it in
// the C library's code page on Windows and name another file.
std::filesystem::path FilePath(const std::string& fileName);

// The content of a regular file up to the size it had when opened, cut at the first NUL since
// the content ends there, read straight into a buffer that is not cleared first. A folder,
// FIFO, socket or device, a file that cannot be opened, or one larger than memory allows,
// raises FileError with fileName as passed; the open never waits for a writer, but waits for
// the holder of a lease as a plain open would. When given, opened runs once the size is taken,
// before the first read, and received after every block read, with the content so far (its
// buffer is as large as the file was at open).
DataFileContent
ReadDataFile(const std::string& fileName, const std::function<void()>& opened = {},
             const std::function<void(const DataFileContent& content)>& received = {});

// Replaces the file by content, written into a temporary file beside it that gets the old
// file's mode, owner, group, ACL and extended attributes (those the process may set), is synced
// and then renamed over it; the folder is synced after. Either every byte lands, or the file
// stays byte for byte as it was; the temporary file is gone either way. A link is followed, a
// dangling one to where its target would be, and stays a link. FileError when the file cannot
// be created (a folder or other non-regular file, not writable, more than one hard link, no such
// folder, a folder that is not writable, the temporary file or the rename fails); WriteError
// when a write or a sync fails.
void SaveDataFile(const std::string& fileName, std::string_view content);

// The content of a save handed over a piece at a time: the function calls put with every piece
// in order, so that a table need not be copied into one string first. Whatever the function
// throws stops the save as a failed write would, and goes on to the caller.
using ContentPieces = std::function<void(const std::function<void(std::string_view)>& put)>;
void SaveDataFile(const std::string& fileName, const ContentPieces& content);

} // namespace vemo
