// The main() of a window test program: an offscreen display unless one is named,
// and window placement kept in a private settings file of this run (removed at the
// end), never in the user's own tallvane.ini.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>

#include "quay/views/placement_keeper.h"

namespace quay::desk::testing {

inline int runWindowTests(int argc, char** argv, const char* name) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto settings =
        std::filesystem::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()) + ".ini");
    std::filesystem::remove(settings);
    ::setenv("QUAY_SETTINGS", settings.c_str(), 1);
    (void)core::programSettings();  // the program's settings file is fixed from here on
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove(settings);
    return result;
}

}  // namespace quay::desk::testing
