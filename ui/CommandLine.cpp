#include "ui/CommandLine.h"

namespace {

bool IsBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QStringList SplitCommandLine(QStringView line) {
    if (const qsizetype nul = line.indexOf(QChar(0)); nul >= 0)
        line = line.left(nul);
    QStringList arguments;
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i == n)
            return arguments;
        QString argument;
        bool quoted = false;
        for (; i < n && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == u'"')
                quoted = !quoted;
            else
                argument.append(line[i]);
        }
        arguments.append(argument);
    }
}
