// The scripted UI port: answers in script order, records every message with the
// answer given, reports questions nobody scripted, and records program ends and
// sub-window calls so window logic can be tested without a display.
#include <gtest/gtest.h>

#include "quay/app/scripted_ui.h"

namespace quay::core {
namespace {

TEST(ScriptedAnswers, QuestionsAreAnsweredInScriptOrder) {
    ScriptedUi ui;
    ui.answers({Button::No, Button::Yes});
    EXPECT_EQ(ui.message("Q1", "first?", Icon::Question, Button::Yes | Button::No, Button::Yes), Button::No);
    EXPECT_EQ(ui.message("Q2", "second?", Icon::Question, Button::Yes | Button::No, Button::No), Button::Yes);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].caption, "Q1");
    EXPECT_EQ(ui.messages()[0].text, "first?");
    EXPECT_EQ(ui.messages()[0].icon, Icon::Question);
    EXPECT_EQ(ui.messages()[0].buttons, Button::Yes | Button::No);
    EXPECT_EQ(ui.messages()[0].defaultButton, Button::Yes);
    EXPECT_EQ(ui.messages()[0].answer, Button::No);
    EXPECT_EQ(ui.messages()[1].answer, Button::Yes);
    EXPECT_EQ(ui.pendingAnswers(), 0u);
}

TEST(ScriptedAnswers, OkOnlyMessagesTakeNothingFromTheScript) {
    ScriptedUi ui;
    ui.answer(Button::Cancel);
    EXPECT_EQ(ui.inform("Note", "done"), Button::Ok);
    EXPECT_EQ(ui.pendingAnswers(), 1u);
    EXPECT_EQ(ui.message("Confirm", "sure?", Icon::Question, Button::Ok | Button::Cancel, Button::Cancel),
              Button::Cancel);
}

TEST(ScriptedAnswers, EmptyScriptGivesTheDefaultAndReportsIt) {
    ScriptedUi ui;
    std::vector<std::string> reports;
    ui.onUnscripted(
        [&](const RecordedMessage& m, const std::string& why) { reports.push_back(m.caption + ": " + why); });
    EXPECT_EQ(ui.message("Save?", "x", Icon::Question, Button::Yes | Button::No | Button::Cancel, Button::No),
              Button::No);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Save?: no scripted answer left");

    ui.setDefaultAnswer(Button::Yes);
    EXPECT_EQ(ui.message("Save?", "x", Icon::Question, Button::Yes | Button::No, Button::No), Button::Yes);
    EXPECT_EQ(reports.size(), 2u);
}

TEST(ScriptedAnswers, AnswerTheBoxDoesNotOfferIsReportedAndTheDefaultGiven) {
    ScriptedUi ui;
    std::string why;
    ui.onUnscripted([&](const RecordedMessage&, const std::string& w) { why = w; });
    ui.answer(Button::Retry);
    EXPECT_EQ(ui.message("Q", "x", Icon::Question, Button::Yes | Button::No, Button::No), Button::No);
    EXPECT_EQ(why, "scripted answer Retry is not a button of this message");
    EXPECT_EQ(ui.messages().back().answer, Button::No);
}

TEST(ScriptedRecord, BeepsBusyCursorAndProgramEndsAreRecorded) {
    ScriptedUi ui;
    ui.beep(800, 200);
    ui.setBusy(true);
    EXPECT_TRUE(ui.isBusy());
    ui.setBusy(false);
    EXPECT_FALSE(ui.programEnded());
    ui.endProgram("Disk Error");
    ASSERT_EQ(ui.beeps().size(), 1u);
    EXPECT_EQ(ui.beeps()[0].frequency, 800);
    EXPECT_EQ(ui.beeps()[0].duration, 200);
    EXPECT_EQ(ui.busyChanges(), (std::vector<bool>{true, false}));
    EXPECT_TRUE(ui.programEnded());
    EXPECT_EQ(ui.endings(), (std::vector<std::string>{"Disk Error"}));
    ui.clearRecord();
    EXPECT_FALSE(ui.programEnded());
    EXPECT_TRUE(ui.messages().empty());
}

TEST(ScriptedWindows, RegisteredWindowAnswersAndTheCallIsRecorded) {
    ScriptedUi ui;
    ui.onWindow("DATESELECT", [](const WindowRequest& r) {
        return WindowResponse{Response::Completed, 0, "(" + r.text.substr(0, 3) + ")" + r.text.substr(3)};
    });
    WindowRequest req;
    req.request = Request::Change;
    req.text = "5551234567";
    const WindowResponse resp = ui.runWindow("DATESELECT", req);
    EXPECT_EQ(resp.response, Response::Completed);
    EXPECT_EQ(resp.text, "(555)1234567");
    ASSERT_EQ(ui.windows().size(), 1u);
    EXPECT_EQ(ui.windows()[0].window, "DATESELECT");
    EXPECT_EQ(ui.windows()[0].request.request, Request::Change);
}

TEST(ScriptedWindows, UnregisteredWindowIsCancelledAndReported) {
    ScriptedUi ui;
    std::string why;
    ui.onUnscripted([&](const RecordedMessage&, const std::string& w) { why = w; });
    EXPECT_EQ(ui.runWindow("CustomerForm", WindowRequest{Request::Insert, nullptr, 0, {}}).response,
              Response::Cancelled);
    EXPECT_EQ(why, "no handler for window CustomerForm");
}

}  // namespace
}  // namespace quay::core
