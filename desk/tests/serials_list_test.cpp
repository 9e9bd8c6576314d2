// The serial-number list of one line: kept sorted, selection after insert, change
// and delete, and delete asked with Cancel as the default.
#include <gtest/gtest.h>

#include "quay/app/scripted_ui.h"
#include "serials/quote_serial_list.h"

namespace quay::desk {
namespace {

using core::Button;

std::vector<std::string> texts(const std::vector<QuoteSerialList::Number>& v) {
    std::vector<std::string> out;
    for (const auto& n : v) out.push_back(n.str());
    return out;
}

TEST(SerialList, NumbersStaySortedAndTheNewOneIsSelected) {
    core::ScriptedUi ui;
    std::vector<QuoteSerialList::Number> numbers;
    QuoteSerialList list(ui, numbers);
    list.insert("B7");
    list.insert("A1");
    EXPECT_EQ(texts(numbers), (std::vector<std::string>{"A1", "B7"}));
    EXPECT_EQ(list.selected(), 0);
    list.select(1);
    list.change("A0");
    EXPECT_EQ(texts(numbers), (std::vector<std::string>{"A0", "A1"}));
    EXPECT_EQ(list.selected(), 1);
}

TEST(SerialList, DeleteAsksAndSelectsTheRowBefore) {
    core::ScriptedUi ui;
    std::vector<QuoteSerialList::Number> numbers{QuoteSerialList::Number("A1"), QuoteSerialList::Number("B7")};
    QuoteSerialList list(ui, numbers);
    list.select(1);
    ui.answer(Button::Cancel);
    list.remove();
    EXPECT_EQ(numbers.size(), 2u);
    EXPECT_EQ(ui.messages().back().caption, "Delete Serial Number");
    EXPECT_EQ(ui.messages().back().defaultButton, Button::Cancel);
    ui.answers({Button::Ok, Button::Ok});
    list.remove();
    EXPECT_EQ(texts(numbers), (std::vector<std::string>{"A1"}));
    EXPECT_EQ(list.selected(), 0);
    list.remove();
    EXPECT_TRUE(numbers.empty());
    EXPECT_EQ(list.selected(), -1);
    list.remove();  // nothing left: no question
    EXPECT_EQ(ui.messages().size(), 3u);
}

}  // namespace
}  // namespace quay::desk
