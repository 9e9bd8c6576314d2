// Shared pieces of the report engine's tests: a fixed-pitch measurer that makes every
// position in a dump predictable, and the Qt application the font and widget tests need.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <string_view>

#include "quay/reports/engine/text_measurer.h"

namespace quay::reports::testing {

// Every character is 100 units wide and every line 200 units high, whatever the font.
class FixedPitchMeasurer final : public TextMeasurer {
 public:
  static constexpr int kCharWidth = 100;
  static constexpr Units kLineHeight = 200;

  double width(const FontSpec&, std::string_view text) const override {
    int chars = 0;
    for (unsigned char c : text)
      if ((c & 0xC0) != 0x80) ++chars;
    return chars * double(kCharWidth);
  }
  Units lineHeight(const FontSpec&) const override { return kLineHeight; }
};

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
