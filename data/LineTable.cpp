#include "LineTable.h"

#include "Errors.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace vemo {

namespace {

QString NativeName(const std::string& fileName) {
    return QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
}

} // namespace

std::vector<std::string> SplitLines(std::string_view content) {
    if (const auto nul = content.find('\0'); nul != std::string_view::npos)
        content = content.substr(0, nul);

    std::vector<std::string> lines;
    if (content.empty())
        return lines;
    // Data lines are some 150 bytes long; a rough guess saves most of the regrowth.
    lines.reserve(content.size() / 64 + 1);
    const char* const end = content.data() + content.size();
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    // memchr is far faster than a byte loop. Each hit is kept until the scan passes it, so a
    // file with only one kind of line end is not searched to its end again for every line.
    const char* start = content.data();
    const char* cr = next(start, '\r');
    const char* lf = next(start, '\n');
    while (start < end) {
        if (cr < start)
            cr = next(start, '\r');
        if (lf < start)
            lf = next(start, '\n');
        const char* const stop = cr < lf ? cr : lf;
        if (stop == end)
            break;
        lines.emplace_back(start, stop);
        // CR LF ends one line; LF CR ends two, so only the LF after a CR is swallowed.
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n')
            ++start;
    }
    if (start < end)
        lines.emplace_back(start, end);
    return lines;
}

void LineTable::LoadFromFile(const std::string& fileName) {
    QFile file(NativeName(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(fileName);

    // Read the size the file claims, then on until the end, in case it grew or has no size.
    std::string content(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)), '\0');
    std::size_t used = 0;
    char chunk[65536];
    for (;;) {
        const bool inPlace = used < content.size();
        char* const into = inPlace ? content.data() + used : chunk;
        const qint64 room = inPlace ? static_cast<qint64>(content.size() - used) : sizeof chunk;
        const qint64 got = file.read(into, room);
        if (got < 0)
            throw FileError(fileName);
        if (got == 0)
            break;
        if (inPlace) {
            used += static_cast<std::size_t>(got);
        } else {
            content.resize(used);
            content.append(chunk, static_cast<std::size_t>(got));
            used = content.size();
        }
    }
    content.resize(used);
    lines_ = SplitLines(content);
}

void LineTable::LoadFromBytes(std::string_view content) {
    lines_ = SplitLines(content);
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

    std::string content;
    std::size_t total = 0;
    for (const auto& line : lines_)
        total += line.size() + 2;
    content.reserve(total);
    for (const auto& line : lines_) {
        content += line;
        content += "\r\n";
    }

    QSaveFile file(name);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(fileName);
    const qint64 written = file.write(content.data(), static_cast<qint64>(content.size()));
    if (written != static_cast<qint64>(content.size())) {
        file.cancelWriting();
        throw WriteError();
    }
    if (!file.commit()) {
        // commit() removes the temporary file; the target keeps its old content.
        if (file.error() == QFileDevice::RenameError)
            throw FileError(fileName);
        throw WriteError();
    }
}

} // namespace vemo
