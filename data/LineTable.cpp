#include "LineTable.h"

#include "Errors.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace vemo {

namespace {

QString NativeName(const std::string& fileName) {
    return QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
}

} // namespace

LineTable::LineTable(const LineTable& other)
    : bytes_(std::make_unique_for_overwrite<char[]>(other.size_)), size_(other.size_),
      capacity_(other.size_), unused_(other.unused_), lines_(other.lines_) {
    if (size_ > 0)
        std::memcpy(bytes_.get(), other.bytes_.get(), size_);
}

LineTable& LineTable::operator=(const LineTable& other) {
    if (this != &other)
        *this = LineTable(other);
    return *this;
}

LineTable::LineTable(LineTable&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), unused_(std::exchange(other.unused_, 0)),
      lines_(std::move(other.lines_)) {
    other.lines_.clear();
}

LineTable& LineTable::operator=(LineTable&& other) noexcept {
    if (this != &other) {
        bytes_ = std::move(other.bytes_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        unused_ = std::exchange(other.unused_, 0);
        lines_ = std::move(other.lines_);
        other.lines_.clear();
    }
    return *this;
}

LineTable::~LineTable() = default;

void LineTable::Adopt(std::unique_ptr<char[]> bytes, std::size_t size, std::size_t capacity) {
    const char* const begin = bytes.get();
    if (const void* nul = size > 0 ? std::memchr(begin, '\0', size) : nullptr)
        size = static_cast<std::size_t>(static_cast<const char*>(nul) - begin);

    std::vector<Span> lines;
    // Data lines are some 135 bytes long; a rough guess saves most of the regrowth, and the part
    // of the guess that stays unused is never touched, so it takes no memory.
    lines.reserve(size / 64 + 1);
    std::size_t used = 0;
    const char* const end = begin + size;
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    const auto add = [&](const char* from, const char* to) {
        const auto length = static_cast<std::size_t>(to - from);
        lines.push_back({static_cast<std::size_t>(from - begin), length});
        used += length;
    };
    // memchr is far faster than a byte loop. Each hit is kept until the scan passes it, so a
    // file with only one kind of line end is not searched to its end again for every line.
    const char* start = begin;
    const char* cr = size > 0 ? next(start, '\r') : end;
    const char* lf = size > 0 ? next(start, '\n') : end;
    while (start < end) {
        if (cr < start)
            cr = next(start, '\r');
        if (lf < start)
            lf = next(start, '\n');
        const char* const stop = cr < lf ? cr : lf;
        if (stop == end)
            break;
        add(start, stop);
        // CR LF ends one line; LF CR ends two, so only the LF after a CR is swallowed.
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n')
            ++start;
    }
    if (start < end)
        add(start, end);

    bytes_ = std::move(bytes);
    size_ = size;
    capacity_ = capacity;
    unused_ = size - used;
    lines_ = std::move(lines);
}

std::unique_ptr<char[]> LineTable::Repack(std::size_t capacity) {
    auto fresh = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t at = 0;
    for (Span& span : lines_) {
        if (span.length > 0)
            std::memcpy(fresh.get() + at, bytes_.get() + span.offset, span.length);
        span.offset = at;
        at += span.length;
    }
    size_ = at;
    capacity_ = capacity;
    unused_ = 0;
    return std::exchange(bytes_, std::move(fresh));
}

std::size_t LineTable::Place(std::string_view line) {
    // Line may lie in the current buffer, so the old buffer lives until Line has been copied.
    std::unique_ptr<char[]> old;
    if (capacity_ - size_ < line.size()) {
        const std::size_t needed = size_ - unused_ + line.size();
        old = Repack(std::max<std::size_t>(needed + needed / 2, 256));
    }
    const std::size_t offset = size_;
    if (!line.empty())
        std::memcpy(bytes_.get() + offset, line.data(), line.size());
    size_ += line.size();
    return offset;
}

void LineTable::Set(int index, std::string_view line) {
    const std::size_t at = static_cast<std::size_t>(index);
    const std::size_t length = lines_.at(at).length;
    const std::size_t offset = Place(line);
    unused_ += length;
    lines_[at] = {offset, line.size()};
}

void LineTable::Append(std::string_view line) {
    lines_.push_back({size_, 0});
    try {
        lines_.back() = {Place(line), line.size()};
    } catch (...) {
        lines_.pop_back();
        throw;
    }
}

void LineTable::Clear() {
    *this = LineTable();
}

void LineTable::Reserve(std::size_t lines, std::size_t bytes) {
    lines_.reserve(lines_.size() + lines);
    if (capacity_ - size_ < bytes)
        Repack(size_ - unused_ + bytes);
}

std::vector<std::string> LineTable::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    for (int i = 0; i < Count(); ++i)
        lines.emplace_back(Get(i));
    return lines;
}

void LineTable::LoadFromFile(const std::string& fileName) {
    QFile file(NativeName(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(fileName);

    // Read straight into the table's buffer, left uninitialised: the size the file claims,
    // then on until the end, in case it grew or has no size.
    std::size_t capacity = static_cast<std::size_t>(std::max<qint64>(file.size(), 0)) + 1;
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t used = 0;
    for (;;) {
        if (used == capacity) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::memcpy(larger.get(), bytes.get(), used);
            bytes = std::move(larger);
            capacity *= 2;
        }
        const qint64 got = file.read(bytes.get() + used, static_cast<qint64>(capacity - used));
        if (got < 0)
            throw FileError(fileName);
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    Adopt(std::move(bytes), used, capacity);
}

void LineTable::LoadFromBytes(std::string_view content) {
    content = content.substr(0, content.find('\0'));
    auto bytes = std::make_unique_for_overwrite<char[]>(content.size());
    if (!content.empty())
        std::memcpy(bytes.get(), content.data(), content.size());
    Adopt(std::move(bytes), content.size(), content.size());
}

void LineTable::SaveToFile(const std::string& fileName) const {
    const QString name = NativeName(fileName);

    // The temporary file would be renamed over a read-only target, so refuse it here, as an
    // ordinary create-or-empty would.
    const QFileInfo target(name);
    if (target.exists() && (target.isDir() || !target.isWritable()))
        throw FileError(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        throw FileError(fileName);

    QSaveFile file(name);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(fileName);
    // The lines go out through one block of 64 KiB instead of a second copy of the whole table.
    std::string block;
    block.reserve(std::size_t{1} << 16);
    const auto flush = [&] {
        if (file.write(block.data(), static_cast<qint64>(block.size())) !=
            static_cast<qint64>(block.size())) {
            file.cancelWriting();
            throw WriteError();
        }
        block.clear();
    };
    for (int i = 0; i < Count(); ++i) {
        const std::string_view line = Get(i);
        if (block.size() + line.size() + 2 > block.capacity()) {
            flush();
            if (line.size() + 2 > block.capacity())
                block.reserve(line.size() + 2);
        }
        block += line;
        block += "\r\n";
    }
    flush();
    if (!file.commit()) {
        // commit() removes the temporary file; the target keeps its old content.
        if (file.error() == QFileDevice::RenameError)
            throw FileError(fileName);
        throw WriteError();
    }
}

} // namespace vemo
