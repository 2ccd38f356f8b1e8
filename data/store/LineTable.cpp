#include "data/store/LineTable.h"

#include "data/store/DataFile.h"
#include "data/store/Errors.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

namespace vemo {

namespace {

// Bytes from memory are copied and split in blocks of the size a file is read in.
constexpr std::size_t kBlock = kReadBlock;

// The most bytes a table's buffer holds: every line's offset must fit in its 40 bits, and the
// buffer in the address space.
constexpr std::size_t kMaxBytes = static_cast<std::size_t>(
    std::min<std::uint64_t>(std::uint64_t{1} << 40, ByteBuffer::kMaxCapacity));

[[noreturn]] void TooLarge() {
    throw std::length_error("line table larger than it can hold");
}

// One bit for each of the 64 bytes at bytes that is CR or below: every CR, LF and NUL, and now
// and then a tab or other control byte that the caller skips. Two instructions per 16 bytes
// where the processor allows, against a search for each of the three bytes apart.
std::uint64_t LowBytes(const char* bytes) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    for (int i = 0; i < 4; ++i) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
        // A byte is at most CR when the smaller of it and CR is the byte itself.
        const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(chunk, cr), chunk);
        mask |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(low))} << (16 * i);
    }
#else
    for (int i = 0; i < 64; ++i) {
        if (static_cast<unsigned char>(bytes[i]) <= '\r')
            mask |= std::uint64_t{1} << i;
    }
#endif
    return mask;
}

} // namespace

LineTable::LineTable(const LineTable& other)
    : bytes_(other.size_), size_(other.size_), unused_(other.unused_), lines_(other.lines_) {
    if (size_ > 0)
        std::memcpy(bytes_.Data(), other.bytes_.Data(), size_);
}

LineTable& LineTable::operator=(const LineTable& other) {
    if (this != &other)
        *this = LineTable(other);
    return *this;
}

LineTable::LineTable(LineTable&& other) noexcept
    : bytes_(std::exchange(other.bytes_, {})), size_(std::exchange(other.size_, 0)),
      unused_(std::exchange(other.unused_, 0)), lines_(std::exchange(other.lines_, {})) {}

LineTable& LineTable::operator=(LineTable&& other) noexcept {
    if (this != &other) {
        bytes_ = std::exchange(other.bytes_, {});
        size_ = std::exchange(other.size_, 0);
        unused_ = std::exchange(other.unused_, 0);
        lines_ = std::exchange(other.lines_, {});
    }
    return *this;
}

LineTable::~LineTable() = default;

// Splits the buffer into lines while it fills, so that each block is split while it is still
// in the cache. Only offsets are kept, since the buffer may move between two blocks.
class LineTable::Splitter {
public:
    explicit Splitter(std::size_t expectedSize) {
        // Data lines are some 135 bytes long; a rough guess saves most of the regrowth, and the
        // part of the guess that stays unused is never touched, so it takes no memory.
        lines_.Reserve(expectedSize / 64 + 1);
    }

    // The first available bytes at begin are there; splits off every line they complete.
    void Feed(const char* begin, std::size_t available) {
        if (ended_)
            return;
        if (afterCr_) {
            if (next_ == available)
                return;
            if (begin[next_] == '\n')
                lineStart_ = ++next_;
            afterCr_ = false;
        }
        std::size_t at = next_;
        for (; available - at >= 64; at += 64) {
            std::uint64_t mask = LowBytes(begin + at);
            while (mask != 0) {
                if (!Stop(begin, at + static_cast<std::size_t>(std::countr_zero(mask)), available))
                    return;
                mask &= mask - 1;
                // The LF of a CR LF was taken with the CR: no need to stop at it.
                if (lineStart_ > at)
                    mask &= lineStart_ - at < 64 ? ~std::uint64_t{0} << (lineStart_ - at) : 0;
            }
        }
        for (; at < available; ++at) {
            if (static_cast<unsigned char>(begin[at]) <= '\r' && !Stop(begin, at, available))
                return;
        }
        next_ = available;
    }

    // No more bytes come: a last line without a line end is still a line.
    void Finish(const char* begin, std::size_t available) {
        Feed(begin, available);
        if (ended_)
            return;
        if (lineStart_ < available)
            Add(available);
        size_ = available;
        ended_ = true;
    }

    Places lines_;
    std::size_t size_ = 0; // the content's size: up to the first NUL
    std::size_t used_ = 0; // bytes inside lines

private:
    // Ends a line at pos when the byte there is a line end; false when it is the NUL that ends
    // the content.
    bool Stop(const char* begin, std::size_t pos, std::size_t available) {
        const char c = begin[pos];
        // The LF of a CR LF has been taken with the CR.
        if (pos < lineStart_ || (c != '\r' && c != '\n' && c != '\0'))
            return true;
        if (c == '\0') {
            // The content ends at the first NUL; a line before it is still a line.
            if (pos > lineStart_)
                Add(pos);
            size_ = pos;
            ended_ = true;
            return false;
        }
        Add(pos);
        std::size_t next = pos + 1;
        // CR LF ends one line; LF CR ends two, so only the LF after a CR is swallowed.
        if (c == '\r') {
            if (next == available)
                afterCr_ = true;
            else if (begin[next] == '\n')
                ++next;
        }
        lineStart_ = next;
        return true;
    }

    // The line from lineStart_ to end.
    void Add(std::size_t end) {
        lines_.Push(lineStart_, end - lineStart_);
        used_ += end - lineStart_;
    }

    std::size_t lineStart_ = 0;
    std::size_t next_ = 0; // where the search for the next line end goes on
    bool afterCr_ = false; // the last byte so far is a CR that ended a line
    bool ended_ = false;
};

void LineTable::Places::PushLong(std::size_t offset, std::size_t length) {
    packed_.push_back(0);
    try {
        Put(packed_.size() - 1, offset, length);
    } catch (...) {
        packed_.pop_back();
        throw;
    }
}

void LineTable::Places::Put(std::size_t index, std::size_t offset, std::size_t length) {
    if (offset > kOffsetMask)
        throw std::length_error("line table larger than 1 TiB");
    if (length >= kLongLine) {
        longLengths_[index] = length;
        packed_[index] = offset | (kLongLine << kOffsetBits);
        return;
    }
    if (!longLengths_.empty())
        longLengths_.erase(index);
    packed_[index] = offset | (std::uint64_t{length} << kOffsetBits);
}

void LineTable::Adopt(ByteBuffer bytes, Splitter& splitter) {
    bytes_ = std::move(bytes);
    size_ = splitter.size_;
    unused_ = splitter.size_ - splitter.used_;
    lines_ = std::move(splitter.lines_);
}

ByteBuffer LineTable::Repack(std::size_t capacity) {
    ByteBuffer fresh(capacity);
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines_.Count(); ++i) {
        const std::size_t length = lines_.Length(i);
        if (length > 0)
            std::memcpy(fresh.Data() + at, bytes_.Data() + lines_.Offset(i), length);
        lines_.Put(i, at, length);
        at += length;
    }
    size_ = at;
    unused_ = 0;
    return std::exchange(bytes_, std::move(fresh));
}

std::size_t LineTable::Needed(std::size_t extra) const {
    const std::size_t used = size_ - unused_;
    if (used > kMaxBytes || extra > kMaxBytes - used)
        TooLarge();
    return used + extra;
}

std::size_t LineTable::Place(std::string_view line) {
    // line may lie in the current buffer, so the old buffer lives until line has been copied.
    ByteBuffer old;
    if (bytes_.Capacity() - size_ < line.size()) {
        // needed is at most kMaxBytes, so half of it again cannot wrap.
        const std::size_t needed = Needed(line.size());
        old = Repack(std::max<std::size_t>(std::min(needed + needed / 2, kMaxBytes), 256));
    }
    const std::size_t offset = size_;
    if (!line.empty())
        std::memcpy(bytes_.Data() + offset, line.data(), line.size());
    size_ += line.size();
    return offset;
}

void LineTable::Set(int index, std::string_view line) {
    const std::size_t at = static_cast<std::size_t>(index);
    if (at >= lines_.Count())
        throw std::out_of_range("line table index");
    const std::size_t length = lines_.Length(at);
    const std::size_t offset = Place(line);
    try {
        lines_.Put(at, offset, line.size());
    } catch (...) {
        unused_ += line.size();
        throw;
    }
    unused_ += length;
}

void LineTable::Append(std::string_view line) {
    const std::size_t offset = Place(line);
    try {
        lines_.Push(offset, line.size());
    } catch (...) {
        unused_ += line.size();
        throw;
    }
}

void LineTable::Clear() {
    *this = LineTable();
}

void LineTable::Reserve(std::size_t lines, std::size_t bytes) {
    if (lines > Places::kMaxLines - lines_.Count())
        TooLarge();
    const std::size_t capacity = bytes_.Capacity() - size_ < bytes ? Needed(bytes) : 0;
    lines_.Reserve(lines_.Count() + lines);
    if (capacity > 0)
        Repack(capacity);
}

std::vector<std::string> LineTable::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(lines_.Count());
    for (int i = 0; i < Count(); ++i)
        lines.emplace_back(Get(i));
    return lines;
}

void LineTable::LoadFromFile(const std::string& fileName) {
    // The file is read straight into the table's buffer, and every block is split while it is
    // still in the cache.
    std::optional<Splitter> splitter;
    DataFileContent content;
    try {
        content = ReadDataFile(fileName, {}, [&splitter](const DataFileContent& sofar) {
            if (sofar.size > kMaxBytes)
                TooLarge();
            if (!splitter)
                splitter.emplace(sofar.bytes.Capacity());
            splitter->Feed(sofar.bytes.Data(), sofar.size);
        });
        if (!splitter)
            splitter.emplace(content.size);
        splitter->Finish(content.bytes.Data(), content.size);
    } catch (const std::length_error&) {
        throw FileError(fileName, TooLargeReason());
    } catch (const std::bad_alloc&) {
        throw FileError(fileName, NoMemoryReason());
    }
    Adopt(std::move(content.bytes), *splitter);
}

void LineTable::LoadFromBytes(std::string_view content) {
    content = content.substr(0, content.find('\0'));
    if (content.size() > kMaxBytes)
        TooLarge();
    ByteBuffer bytes(content.size());
    Splitter splitter(content.size());
    // Copied and split a block at a time, like a file.
    for (std::size_t at = 0; at < content.size(); at += kBlock) {
        const std::size_t block = std::min(content.size() - at, kBlock);
        std::memcpy(bytes.Data() + at, content.data() + at, block);
        splitter.Feed(bytes.Data(), at + block);
    }
    splitter.Finish(bytes.Data(), content.size());
    Adopt(std::move(bytes), splitter);
}

void LineTable::SaveToFile(const std::string& fileName) const {
    SaveDataFile(fileName, [this](const auto& put) {
        for (int i = 0; i < Count(); ++i) {
            put(Get(i));
            put("\r\n");
        }
    });
}

} // namespace vemo
