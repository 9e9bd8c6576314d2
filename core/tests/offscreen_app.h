// The one QApplication of a test program that shows windows: made on first use on the
// offscreen display (unless the environment names another), or the one already made.
#pragma once

#include <cstdlib>

#include <QApplication>

namespace quay::testing {

inline QApplication& offscreenApp() {
    static int argc = 1;
    static char name[] = "quay_window_test";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [] {
        if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return existing;
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *a;
}

}  // namespace quay::testing
