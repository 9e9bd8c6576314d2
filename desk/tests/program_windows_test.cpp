// The window catalogue against what the program registers: every handle window logic
// opens a window by leads to a registered window, and names known only at run time are
// found exactly as catalogued.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "program_windows.h"
#include "quay/app/window_name.h"
#include "quay/views/window_registry.h"

namespace quay::desk {
namespace {

TEST(WindowCatalogue, EveryHandleOfTheProgramLeadsToARegisteredWindow) {
    core::WindowRegistry registry;
    registerProgramWindows(registry);
    EXPECT_EQ(unregisteredWindows(registry), std::vector<std::string>{});

    // A registry missing one window is caught by the same check main() runs at start-up.
    core::WindowRegistry partial;
    EXPECT_FALSE(unregisteredWindows(partial).empty());
}

TEST(WindowCatalogue, NamesKnownOnlyAtRunTimeAreFoundExactly) {
    ASSERT_TRUE(core::WindowName::find("CustomerForm").has_value());
    EXPECT_EQ(*core::WindowName::find("CustomerForm"), "CustomerForm");
    EXPECT_FALSE(core::WindowName::find("CustomerFrom").has_value());
    EXPECT_FALSE(core::WindowName::find("").has_value());
    constexpr core::WindowName form("QuoteForm1");
    static_assert(form.name() == "QuoteForm1");
    EXPECT_TRUE(core::WindowName().empty());
}

TEST(WindowCatalogue, EveryCataloguedNameIsNamedOnce) {
    std::vector<std::string_view> names(core::kWindowCatalogue.begin(), core::kWindowCatalogue.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

}  // namespace
}  // namespace quay::desk
