#pragma once
// A block of bytes that is left unfilled when it is allocated, so that a file can be read
// straight into it without the cost of clearing it first.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

namespace vemo {

class ByteBuffer {
public:
    // Blocks of several megabytes are asked for in whole huge pages of this size.
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    // The most a buffer can hold: no object may be larger than PTRDIFF_MAX bytes, and rounding
    // up to whole huge pages from here on stays below it, so no size sum can wrap.
    static constexpr std::size_t kMaxCapacity =
        static_cast<std::size_t>(PTRDIFF_MAX) / kHugePage * kHugePage;

    ByteBuffer() = default;
    // At least capacity bytes; throws std::bad_alloc, also for a capacity above kMaxCapacity.
    // A block of several megabytes is asked for in huge pages where the system offers them,
    // since faulting in a large file's worth of small pages costs as much as reading it.
    explicit ByteBuffer(std::size_t capacity);
    ByteBuffer(ByteBuffer&& other) noexcept
        : bytes_(std::move(other.bytes_)), capacity_(std::exchange(other.capacity_, 0)) {}
    ByteBuffer& operator=(ByteBuffer&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }

    char* Data() { return bytes_.get(); }
    const char* Data() const { return bytes_.get(); }
    // Bytes usable; may exceed what was asked for.
    std::size_t Capacity() const { return capacity_; }

private:
    struct Free {
        void operator()(char* bytes) const noexcept { std::free(bytes); }
    };
    std::unique_ptr<char, Free> bytes_;
    std::size_t capacity_ = 0;
};

} // namespace vemo
