// The Qt application the font, window and device tests need.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace quay::reports::testing {

// One QApplication for the whole test program (the offscreen platform is set by CTest).
// It is made before the first test and destroyed after the last, while Qt's own globals
// still exist.
inline std::unique_ptr<QApplication>& qtAppHolder() {
    static std::unique_ptr<QApplication> app;
    return app;
}

inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "quayrep1_engine_tests";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication>& app = qtAppHolder();
    if (!app) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    return *app;
}

class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { qtApp(); }
    void TearDown() override { qtAppHolder().reset(); }
};
inline ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace quay::reports::testing
