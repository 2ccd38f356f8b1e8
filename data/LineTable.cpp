#include "LineTable.h"

#include "Errors.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    std::size_t ends = 0;
    for (char c : content)
        ends += (c == '\r' || c == '\n');
    lines.reserve(ends + 1);

    std::size_t start = 0;
    const std::size_t size = content.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(content.substr(start, i - start));
        // CR LF ends one line; LF CR ends two, so only the LF after a CR is swallowed.
        if (c == '\r' && i + 1 < size && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.emplace_back(content.substr(start));
    return lines;
}

void LineTable::LoadFromFile(const std::string& fileName) {
    QFile file(NativeName(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(fileName);

    std::string content;
    const qint64 expected = file.size();
    if (expected > 0)
        content.resize(static_cast<std::size_t>(expected));
    std::size_t used = 0;
    for (;;) {
        if (used == content.size())
            content.resize(content.empty() ? 65536 : content.size() * 2);
        const qint64 got =
            file.read(content.data() + used, static_cast<qint64>(content.size() - used));
        if (got < 0)
            throw FileError(fileName);
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
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
