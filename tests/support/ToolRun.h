#pragma once
// Runs one of our programs as a user would, in a given folder and locale, capturing both streams.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#if !defined(_WIN32)
#include <clocale>
#endif

#include <filesystem>
#include <string>
#include <vector>

namespace testfiles {

struct ToolResult {
    int status = -1; // the exit code; -1 when the program did not start or did not end normally
    std::string out;
    std::string err;
};

// Runs program with args (UTF-8) in dir, with LC_ALL set to locale.
inline ToolResult RunTool(const std::string& program, const std::vector<std::string>& args,
                          const std::filesystem::path& dir, const std::string& locale) {
    QStringList arguments;
    for (const auto& arg : args)
        arguments << QString::fromStdString(arg);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromStdString(locale));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdU16String(dir.u16string()));
    process.start(QString::fromStdString(program), arguments);
    ToolResult result;
    if (!process.waitForStarted(-1))
        return result;
    // A watchdog, not a measurement: a tool that hangs is killed and the test fails on its
    // status instead of stalling the run.
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(-1);
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// Whether the C library knows the locale, for tests that need the Czech one.
inline bool LocaleAvailable([[maybe_unused]] const char* name) {
#if defined(_WIN32)
    return false;
#else
    locale_t locale = newlocale(LC_ALL_MASK, name, nullptr);
    if (!locale)
        return false;
    freelocale(locale);
    return true;
#endif
}

} // namespace testfiles
