#pragma once
// One QApplication for the whole test program, offscreen unless told otherwise. gtest_main
// provides main(), so a global environment makes it.

#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <memory>

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
#ifndef Q_OS_WIN
        // Windows builds have only the `windows` platform, which needs no display server.
        // The offscreen screen is an ordinary desktop's, 1280 × 1024 at 96 dpi, on which the
        // window stands at its stored place (offscreen's own 800 × 600 would not hold it).
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            screens_ = std::make_unique<QTemporaryFile>();
            if (screens_->open()) {
                screens_->write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0,
                    "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96,
                    "dpr": 1}]})");
                screens_->flush();
                qputenv("QT_QPA_PLATFORM",
                        "offscreen:configfile=" + screens_->fileName().toLocal8Bit());
            } else {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
        }
#endif
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setApplicationName(QStringLiteral("Vemo Maut"));
    }
    void TearDown() override {
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[16] = "vemo_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QTemporaryFile> screens_;
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
