#pragma once
// An ordered list of byte strings with load from and save to a text file.
//
// All lines live in one buffer: a loaded file stays as it was read and its lines are positions in
// it, so loading costs no allocation per line. A replaced or appended line is copied to the end
// of the buffer; when the buffer has to grow, the bytes no line uses any more are dropped.

#include "data/store/ByteBuffer.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vemo {

class LineTable {
public:
    LineTable() = default;
    LineTable(const LineTable& other);
    LineTable& operator=(const LineTable& other);
    LineTable(LineTable&& other) noexcept;
    LineTable& operator=(LineTable&& other) noexcept;
    ~LineTable();

    // Replaces the contents by the lines of the file; throws FileError and keeps the contents
    // when the file cannot be opened or is larger than a table can hold.
    void LoadFromFile(const std::string& fileName);
    // Replaces the contents by the lines of content: it ends at the first NUL; a line ends at CR,
    // LF or CR LF (LF CR ends two lines); a line end at the very end adds no empty line.
    void LoadFromBytes(std::string_view content);
    // Writes every line followed by CR LF. The file is replaced only when every byte was written:
    // FileError when it cannot be created, WriteError when writing fails; the old file stays.
    void SaveToFile(const std::string& fileName) const;

    int Count() const { return static_cast<int>(lines_.Count()); }
    // The line at index (std::out_of_range outside); the view stays valid until the table
    // changes.
    std::string_view Get(int index) const {
        const auto at = static_cast<std::size_t>(index);
        if (at >= lines_.Count())
            throw std::out_of_range("line table index");
        return {bytes_.Data() + lines_.Offset(at), lines_.Length(at)};
    }
    // line may be a view into this table.
    void Set(int index, std::string_view line);
    void Append(std::string_view line);
    void Clear();
    // Room for lines more lines of bytes bytes in all, so that appending them moves nothing.
    // std::length_error, with the table unchanged, when that is more than a table can hold.
    void Reserve(std::size_t lines, std::size_t bytes);
    // A copy of every line, for tests and tools.
    std::vector<std::string> Lines() const;

private:
    // Where each line lies in the buffer, in 8 bytes a line: its offset in the low 40 bits and
    // its length in the high 24. A line of 16 MiB or more, which no data file holds, keeps its
    // length in a map instead.
    class Places {
    public:
        static constexpr int kOffsetBits = 40;
        static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
        static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << (64 - kOffsetBits)) - 1;
        // Count() answers in an int.
        static constexpr std::size_t kMaxLines = INT_MAX;

        std::size_t Count() const { return packed_.size(); }
        std::size_t Offset(std::size_t index) const { return packed_[index] & kOffsetMask; }
        std::size_t Length(std::size_t index) const {
            const std::uint64_t length = packed_[index] >> kOffsetBits;
            return length == kLongLine ? longLengths_.at(index) : length;
        }
        void Reserve(std::size_t count) { packed_.reserve(count); }
        void Push(std::size_t offset, std::size_t length) {
            if (packed_.size() >= kMaxLines)
                throw std::length_error("line table with more than INT_MAX lines");
            if (length < kLongLine && offset <= kOffsetMask)
                packed_.push_back(offset | (std::uint64_t{length} << kOffsetBits));
            else
                PushLong(offset, length);
        }
        void Put(std::size_t index, std::size_t offset, std::size_t length);

    private:
        void PushLong(std::size_t offset, std::size_t length);

        std::vector<std::uint64_t> packed_;
        std::unordered_map<std::size_t, std::size_t> longLengths_; // by line index
    };

    class Splitter;
    // Takes bytes as the buffer and the lines the splitter found in it.
    void Adopt(ByteBuffer bytes, Splitter& splitter);
    // Copies line to the end of the buffer and returns its offset.
    std::size_t Place(std::string_view line);
    // The bytes the lines use plus extra; std::length_error when more than a table can hold.
    std::size_t Needed(std::size_t extra) const;
    // Moves the lines into a new buffer of capacity bytes, without the unused bytes, and returns
    // the old buffer, for a caller that still has to copy from it.
    ByteBuffer Repack(std::size_t capacity);

    ByteBuffer bytes_;
    std::size_t size_ = 0;   // bytes written, from the start of the buffer
    std::size_t unused_ = 0; // bytes written that no line refers to: line ends, replaced lines
    Places lines_;
};

} // namespace vemo
