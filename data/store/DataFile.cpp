// The whole-file read: what a file held when it was opened, block by block into one buffer.
#include "data/store/DataFile.h"

#include "data/store/Errors.h"
#include "data/store/private/NativeFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace vemo {

namespace {

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

} // namespace

DataFileContent ReadDataFile(const std::string& fileName, const std::function<void()>& opened,
                             const Received& received) {
    InputFile file(fileName);
    if (opened)
        opened();

    // What is appended after this point is not part of the content.
    DataFileContent content = ContentFor(fileName, file.Size());
    const auto size = static_cast<std::size_t>(file.Size());
    while (content.size < size) {
        const std::size_t got = file.Read(content.bytes.Data() + content.size,
                                          std::min(size - content.size, kReadBlock));
        // Zero: the file shrank meanwhile; what was read is the content.
        if (got == 0 || KeepUpToNul(content, got, received))
            break;
    }
    return content;
}

} // namespace vemo
