#pragma once
// One QApplication for the whole test program, offscreen unless told otherwise. gtest_main
// provides main(), so a global environment makes it.

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
#ifndef Q_OS_WIN
        // Windows builds have only the `windows` platform, which needs no display server.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
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
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
