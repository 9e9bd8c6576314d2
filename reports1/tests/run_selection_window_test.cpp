// A report's selection window comes back where the user left it: its section in
// tallvane.ini is named by its procedure, and closing the window writes its placement
// there for the next opening.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "engine_test_support.h"
#include "quay/reports/run/selection_window.h"

namespace quay::reports {
namespace {

class SelectionPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::qtApp();
    char pattern[] = "/tmp/quayselXXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::filesystem::path m_dir;
};

TEST_F(SelectionPlacement, OpensAtTheSavedPlaceOfItsProcedureAndSavesOnClose) {
  const auto path = m_dir / "tallvane.ini";
  std::ofstream(path) << "[SalesBySpSelect]\nMaximize=No\nXPosit=40\nYPosit=60\nWidth=420\nHeight=300\n"
                         "[CustBillSelect]\nMaximize=No\nXPosit=140\nYPosit=160\nWidth=400\nHeight=280\n";
  core::Settings settings(path);
  {
    SelectionWindow window("CustBillSelect", settings);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.geometry().x(), 140);
    EXPECT_EQ(window.geometry().y(), 160);
    EXPECT_EQ(window.width(), 400);
    window.setGeometry(90, 110, 380, 260);
    window.close();
    QApplication::processEvents();
  }
  EXPECT_EQ(settings.readNumber("CustBillSelect", "XPosit", 0), 90);
  EXPECT_EQ(settings.readNumber("CustBillSelect", "YPosit", 0), 110);
  EXPECT_EQ(settings.readNumber("CustBillSelect", "Width", 0), 380);
  EXPECT_EQ(settings.read("CustBillSelect", "Maximize"), "No");
  EXPECT_EQ(settings.readNumber("SalesBySpSelect", "XPosit", 0), 40);  // other windows keep theirs
}

}  // namespace
}  // namespace quay::reports
