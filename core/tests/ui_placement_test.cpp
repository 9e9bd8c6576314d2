// Saving and restoring window placement in the settings file: what is written for
// normal, maximised and minimised windows, and what a restore takes from
// complete, partial and absent sections.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/settings.h"
#include "quay/ui/placement.h"

namespace quay::core {
namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("quay_placement_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_file = m_dir / "tallvane.ini";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void writeFile(const std::string& text) { std::ofstream(m_file) << text; }
    std::string fileText() const {
        std::ifstream in(m_file);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_file;
};

TEST_F(PlacementTest, SaveWritesAllFiveKeysOfANormalWindow) {
    Settings s(m_file);
    ASSERT_EQ(savePlacement(s, "VendorBrowse", {10, 20, 300, 400, false, false, true}), SettingsStatus::Ok);
    EXPECT_EQ(s.find("VendorBrowse", "Maximize"), "No");
    EXPECT_EQ(s.readNumber("VendorBrowse", "XPosit", -1), 10);
    EXPECT_EQ(s.readNumber("VendorBrowse", "YPosit", -1), 20);
    EXPECT_EQ(s.readNumber("VendorBrowse", "Width", -1), 300);
    EXPECT_EQ(s.readNumber("VendorBrowse", "Height", -1), 400);
}

TEST_F(PlacementTest, SaveOfAMaximisedWindowKeepsItsNormalPlacement) {
    Settings s(m_file);
    ASSERT_EQ(savePlacement(s, "Main", {5, 6, 700, 500, true, false, true}), SettingsStatus::Ok);
    EXPECT_EQ(s.find("Main", "Maximize"), "Yes");
    EXPECT_EQ(s.readNumber("Main", "Width", 0), 700);

    WindowGeometry g{0, 0, 100, 100, false, false, true};
    ASSERT_TRUE(restorePlacement(s, "Main", g));
    EXPECT_EQ(g, (WindowGeometry{5, 6, 700, 500, true, false, true}));
}

TEST_F(PlacementTest, MinimisedWindowWritesNothingAndKeepsEarlierPlacement) {
    writeFile("[QuoteBrowse]\nMaximize=No\nXPosit=11\nYPosit=12\nWidth=13\nHeight=14\n");
    const std::string before = fileText();
    Settings s(m_file);
    ASSERT_EQ(savePlacement(s, "QuoteBrowse", {99, 99, 99, 99, false, true, true}), SettingsStatus::Ok);
    EXPECT_EQ(fileText(), before);

    Settings empty(m_dir / "none.ini");
    ASSERT_EQ(savePlacement(empty, "QuoteBrowse", {1, 2, 3, 4, true, true, true}), SettingsStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "none.ini"));
}

TEST_F(PlacementTest, RestoreWithoutXPositChangesNothing) {
    // Columns: the section's text as stored.
    for (const char* text : {"", "[Other]\nXPosit=5\n", "[W]\nYPosit=5\nMaximize=Yes\n", "[W]\nXPosit=0\nYPosit=9\n",
                             "[W]\nXPosit=abc\nYPosit=9\n"}) {
        SCOPED_TRACE(text);
        writeFile(text);
        Settings s(m_file);
        WindowGeometry g{1, 2, 3, 4, false, true, true};
        const WindowGeometry before = g;
        EXPECT_FALSE(restorePlacement(s, "W", g));
        EXPECT_EQ(g, before);
    }
}

TEST_F(PlacementTest, RestoreMovesAndSizesAResizableWindow) {
    writeFile("[W]\nMaximize=No\nXPosit=40\nYPosit=50\nWidth=600\nHeight=300\n");
    Settings s(m_file);
    WindowGeometry g{0, 0, 100, 80, false, false, true};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_EQ(g, (WindowGeometry{40, 50, 600, 300, false, false, true}));
}

TEST_F(PlacementTest, RestoreKeepsTheSizeOfAFixedSizeWindow) {
    writeFile("[W]\nXPosit=40\nYPosit=50\nWidth=600\nHeight=300\n");
    Settings s(m_file);
    WindowGeometry g{0, 0, 100, 80, false, false, false};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_EQ(g, (WindowGeometry{40, 50, 100, 80, false, false, false}));
}

TEST_F(PlacementTest, RestoreKeepsTheSizeWhenWidthOrHeightIsMissingOrZero) {
    // Columns: the size keys as stored.
    for (const char* keys : {"Width=600\n", "Height=300\n", "Width=0\nHeight=300\n", "Width=-5\nHeight=300\n"}) {
        SCOPED_TRACE(keys);
        writeFile(std::string("[W]\nXPosit=40\nYPosit=50\n") + keys);
        Settings s(m_file);
        WindowGeometry g{0, 0, 100, 80, false, false, true};
        ASSERT_TRUE(restorePlacement(s, "W", g));
        EXPECT_EQ(g, (WindowGeometry{40, 50, 100, 80, false, false, true}));
    }
}

TEST_F(PlacementTest, RestoreWithoutYPositOnlySetsTheMaximisedState) {
    writeFile("[W]\nXPosit=40\nWidth=600\nHeight=300\nMaximize=Yes\n");
    Settings s(m_file);
    WindowGeometry g{7, 8, 100, 80, false, false, true};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_EQ(g, (WindowGeometry{7, 8, 100, 80, true, false, true}));
}

TEST_F(PlacementTest, RestoreOfAMaximisedWindowOnlyReadsMaximize) {
    writeFile("[W]\nXPosit=40\nYPosit=50\nWidth=600\nHeight=300\nMaximize=No\n");
    Settings s(m_file);
    WindowGeometry g{7, 8, 100, 80, true, false, true};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_EQ(g, (WindowGeometry{7, 8, 100, 80, false, false, true}));
}

TEST_F(PlacementTest, AbsentMaximizeRestoresTheWindow) {
    writeFile("[W]\nXPosit=40\nYPosit=50\n");
    Settings s(m_file);
    WindowGeometry g{7, 8, 100, 80, false, true, true};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_FALSE(g.maximised);
    EXPECT_FALSE(g.minimised);
    EXPECT_EQ(g.x, 40);
}

TEST_F(PlacementTest, SaveKeepsOtherSectionsAndComments) {
    writeFile("; workstation settings\n[Defaults]\nTipOfDay=False\n");
    Settings s(m_file);
    ASSERT_EQ(savePlacement(s, "DefaultsForm", {1, 2, 3, 4, false, false, true}), SettingsStatus::Ok);
    EXPECT_EQ(s.find("Defaults", "TipOfDay"), "False");
    EXPECT_NE(fileText().find("; workstation settings"), std::string::npos);
}

}  // namespace
}  // namespace quay::core

namespace quay::core {
namespace {

// A damaged or foreign settings file must not put a window out of reach, and a
// window that ended up out of reach must not be saved that way.
TEST_F(PlacementTest, AbsurdSavedPlacementIsBroughtIntoTheArea) {
    const PlacementArea screen{0, 0, 1366, 768};
    // column: the saved section, the placement restored on a 1366 x 768 screen
    const std::vector<std::pair<std::string, WindowGeometry>> cases = {
        {"XPosit=40\nYPosit=99999999\nWidth=600\nHeight=300\n", {40, 468, 600, 300, false, false, true}},
        {"XPosit=-99999999\nYPosit=50\nWidth=600\nHeight=300\n", {0, 50, 600, 300, false, false, true}},
        {"XPosit=5000\nYPosit=5000\nWidth=90000\nHeight=90000\n", {0, 0, 1366, 768, false, false, true}},
        // partly off the left edge, its title bar still in reach: left as the user put it
        {"XPosit=-300\nYPosit=100\nWidth=600\nHeight=300\n", {-300, 100, 600, 300, false, false, true}},
        // saved on a larger screen, in reach: keeps its size
        {"XPosit=20\nYPosit=20\nWidth=1900\nHeight=1000\n", {20, 20, 1900, 1000, false, false, true}},
    };
    for (const auto& [section, expected] : cases) {
        SCOPED_TRACE(section);
        writeFile("[W]\n" + section);
        Settings s(m_file);
        WindowGeometry g{10, 10, 200, 100, false, false, true};
        ASSERT_TRUE(restorePlacement(s, "W", g, screen));
        EXPECT_EQ(g, expected);
    }
    // With no area known, numbers past any desktop are still refused.
    writeFile("[W]\nXPosit=40\nYPosit=99999999\n");
    Settings s(m_file);
    WindowGeometry g{10, 10, 200, 100, false, false, false};
    ASSERT_TRUE(restorePlacement(s, "W", g));
    EXPECT_LE(g.y, kPlacementLimit);
}

TEST_F(PlacementTest, UnreachablePlacementIsSavedBroughtIntoReach) {
    const PlacementArea screen{0, 32, 1366, 736};  // below a 32-pixel panel
    // column: the window's placement at close, what is saved
    const std::vector<std::pair<WindowGeometry, WindowGeometry>> cases = {
        {{40, 99999999, 600, 300, false, false, true}, {40, 468, 600, 300, false, false, true}},
        {{1300, 50, 600, 300, false, false, true}, {766, 50, 600, 300, false, false, true}},  // 66 px left in view
        {{40, 10, 600, 300, false, false, true}, {40, 32, 600, 300, false, false, true}},  // title bar under the panel
        // in reach, though mostly off the screen: saved as it is
        {{1200, 600, 600, 300, false, false, true}, {1200, 600, 600, 300, false, false, true}},
    };
    for (const auto& [closed, saved] : cases) {
        SCOPED_TRACE(std::to_string(closed.x) + "," + std::to_string(closed.y));
        Settings s(m_file);
        ASSERT_EQ(savePlacement(s, "W", closed, screen), SettingsStatus::Ok);
        WindowGeometry back{0, 0, 10, 10, false, false, true};
        ASSERT_TRUE(restorePlacement(s, "W", back, screen));
        EXPECT_EQ(back, saved);
        EXPECT_EQ(s.readNumber("W", "YPosit", 0), saved.y);
    }
}

}  // namespace
}  // namespace quay::core
