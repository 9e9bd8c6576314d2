// Start-up of the program on a scratch data directory through the scripted UI: the
// data directory rule, the tip-of-the-day settings, the user id, and the first run
// with its record, its area code and its two cancellations.
#include <gtest/gtest.h>

#include <fstream>

#include "desk_test_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/use_counters.h"
#include "quay/defaults/company_defaults.h"
#include "startup/first_run.h"
#include "startup/startup_sequence.h"

namespace quay::desk {
namespace {

namespace fs = std::filesystem;
using core::Button;
using core::Response;
using core::ScriptedUi;
using core::WindowRequest;
using core::WindowResponse;

class Startup : public testing::DeskTest {
protected:
    // A start that finds a company record: the first run is not needed.
    void makeCompanyRecord() {
        core::Database db(dataDir().string());
        core::Handle<core::Defaults> def(db);
        ASSERT_EQ(def.create(), core::ErrorCode::None);
        ASSERT_EQ(def.open(), core::ErrorCode::None);
        def.clear();
        def.rec.COMPANYNUM = 1;
        def.rec.COMPANYNAME = "Harbour Supply";
        ASSERT_EQ(def.add(), core::ErrorCode::None);
    }
    // The first run's two windows, answering as the test says.
    void scriptFirstRun(ScriptedUi& ui, Response area, Response form, std::string code = "617") {
        ui.onWindow(kAreaCodeWindow, [area, code](const WindowRequest&) {
            return WindowResponse{area, 0, area == Response::Completed ? code : std::string()};
        });
        ui.onWindow(kDefaultsForm, [this, form](const WindowRequest& r) {
            formRequest = r.request;
            formSawDataSet = openedDataSet != nullptr;
            return WindowResponse{form, 0, {}};
        });
    }
    StartupOptions options(std::vector<std::string> args, std::string login = "pat") {
        StartupOptions o;
        o.arguments = std::move(args);
        o.loginName = [login] { return login; };
        o.dataSetOpened = [this](core::Database& db) { openedDataSet = &db; };
        return o;
    }
    std::vector<core::Defaults> companyRecords() {
        core::Database db(dataDir().string());
        core::Handle<core::Defaults> def(db);
        std::vector<core::Defaults> out;
        if (def.open() != core::ErrorCode::None) return out;
        def.setFileOrder();
        while (def.next() == core::ErrorCode::None) out.push_back(def.rec);
        return out;
    }

    core::Request formRequest = core::Request::None;
    core::Database* openedDataSet = nullptr;
    bool formSawDataSet = false;
};

TEST_F(Startup, DataDirectoryParameterLosesBlanksAndOneTrailingBackslash) {
    EXPECT_EQ(dataDirectoryParameter("/srv/data\\  "), "/srv/data");
    EXPECT_EQ(dataDirectoryParameter("/srv/data"), "/srv/data");
    EXPECT_EQ(dataDirectoryParameter("   "), "");
}

TEST_F(Startup, TrailingBackslashDirectoryBecomesTheDataDirectory) {
    makeCompanyRecord();
    ScriptedUi ui;
    core::Settings settings(settingsFile());
    StartupSequence start(ui, settings);
    ASSERT_EQ(start.run(options({dataDir().string() + "\\"})), StartupOutcome::Ready);
    EXPECT_EQ(fs::current_path(), dataDir());
    EXPECT_EQ(start.dataDirectory(), dataDir());
    EXPECT_EQ(start.defaults().handle().rec.COMPANYNAME, "Harbour Supply");
    EXPECT_FALSE(start.ranFirstRun());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(core::glo.ProgramTitle, "Billquay");
}

TEST_F(Startup, MistypedDataDirectoryIsRefusedAndNoDataSetIsMade) {
    fs::current_path(root());
    { std::ofstream(root() / "a-file") << "not a directory"; }
    // column: what the parameter names, and how the message says it
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {root() / "no-such-place", " does not exist."},
        {root() / "a-file", " is not a directory."},
    };
    for (const auto& [named, why] : cases) {
        SCOPED_TRACE(named.string());
        ScriptedUi ui;
        core::Settings settings(settingsFile());
        StartupSequence start(ui, settings);
        EXPECT_EQ(start.run(options({named.string()})), StartupOutcome::ProgramEnded);
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].caption, "Billquay");
        EXPECT_EQ(ui.messages()[0].text.rfind("The data directory " + named.string() + why, 0), 0u)
            << ui.messages()[0].text;
        EXPECT_EQ(ui.messages()[0].icon, core::Icon::Error);
        ASSERT_EQ(ui.endings().size(), 1u);
        EXPECT_EQ(ui.endings()[0], kNoDataDirectory);
        // Nothing was made: not in the start-up directory, not under the name given.
        EXPECT_EQ(fs::current_path(), root());
        EXPECT_FALSE(fs::exists(root() / "billquay.sqlite3"));
        EXPECT_FALSE(fs::exists(root() / "billquay.locks"));
        EXPECT_EQ(openedDataSet, nullptr);
    }
    EXPECT_FALSE(fs::exists(root() / "no-such-place"));
}

TEST_F(Startup, WithoutAParameterTheCurrentDirectoryIsTheDataDirectory) {
    fs::current_path(dataDir());
    makeCompanyRecord();
    ScriptedUi ui;
    core::Settings settings(settingsFile());
    StartupSequence start(ui, settings);
    ASSERT_EQ(start.run(options({})), StartupOutcome::Ready);
    EXPECT_EQ(start.dataDirectory(), dataDir());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Startup, SettingsWithoutDefaultsSectionShowTipsFromTipOne) {
    makeCompanyRecord();
    core::Settings settings(settingsFile());
    ASSERT_EQ(settings.write("Main", "XPosit", "10"), core::SettingsStatus::Ok);
    ScriptedUi ui;
    StartupSequence start(ui, settings);
    ASSERT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
    EXPECT_EQ(core::glo.MessageOfDay, 1);
    EXPECT_EQ(core::glo.MODPosition, 1);
    EXPECT_EQ(core::glo.MODDone, 0);
}

TEST_F(Startup, TipSettingsAreReadAsWritten) {
    makeCompanyRecord();
    core::Settings settings(settingsFile());
    settings.write("Defaults", "TipOfDay", "True");
    settings.write("Defaults", "MODPosition", "7");
    {
        ScriptedUi ui;
        StartupSequence start(ui, settings);
        ASSERT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
        EXPECT_EQ(core::glo.MessageOfDay, 1);
        EXPECT_EQ(core::glo.MODPosition, 7);
    }
    // Anything but exactly "True" switches the tips off for the run.
    for (const char* off : {"False", "true", "Yes"}) {
        SCOPED_TRACE(off);
        core::glo.reset();
        settings.write("Defaults", "TipOfDay", off);
        ScriptedUi ui;
        StartupSequence start(ui, settings);
        ASSERT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
        EXPECT_EQ(core::glo.MessageOfDay, 0);
        EXPECT_EQ(core::glo.MODDone, 1);
        EXPECT_EQ(core::glo.MODPosition, 0);
    }
}

TEST_F(Startup, UserIdIsTheLogInNameUpperCasedOrDefault) {
    makeCompanyRecord();
    core::Settings settings(settingsFile());
    // columns: log-in name, user id
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"pat.morgan", "PAT.MORGAN"},
        {"jo  ", "JO"},
        {"", "DEFAULT"},
        {"   ", "DEFAULT"},
        {"averyveryverylongname12345", "AVERYVERYVERYLONGNAM"}};
    for (const auto& [login, id] : cases) {
        SCOPED_TRACE(login);
        ScriptedUi ui;
        StartupSequence start(ui, settings);
        ASSERT_EQ(start.run(options({dataDir().string()}, login)), StartupOutcome::Ready);
        EXPECT_EQ(core::glo.UserID, id);
    }
}

TEST_F(Startup, FrameHoldsDefaultsThroughItsUseCounter) {
    makeCompanyRecord();
    core::Settings settings(settingsFile());
    ScriptedUi ui;
    {
        StartupSequence start(ui, settings);
        ASSERT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
        EXPECT_EQ(core::UseCounters::count("Defaults"), 1);
        // Held shared: an exclusive open elsewhere is refused.
        core::Database other(dataDir().string());
        core::Handle<core::Defaults> def(other);
        EXPECT_NE(def.open(core::OpenMode::Exclusive), core::ErrorCode::None);
    }
    EXPECT_EQ(core::UseCounters::count("Defaults"), 0);
}

TEST_F(Startup, FirstRunStoresTheDocumentedRecordAndTheAreaCode) {
    core::Settings settings(settingsFile());
    ScriptedUi ui;
    scriptFirstRun(ui, Response::Completed, Response::Completed, "508");
    StartupSequence start(ui, settings);
    ASSERT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
    EXPECT_TRUE(start.ranFirstRun());
    ASSERT_EQ(ui.windows().size(), 2u);
    EXPECT_EQ(ui.windows()[0].window, kAreaCodeWindow);
    EXPECT_EQ(ui.windows()[1].window, kDefaultsForm);
    EXPECT_EQ(formRequest, core::Request::Change);
    // The company window runs on the program's own connection, known before the first run.
    EXPECT_TRUE(formSawDataSet);
    EXPECT_EQ(openedDataSet, &start.database());

    const auto records = companyRecords();
    ASSERT_EQ(records.size(), 1u);
    const core::Defaults& d = records[0];
    EXPECT_EQ(d.COMPANYNUM, 1);
    EXPECT_TRUE(d.COMPANYNAME.isBlank());
    EXPECT_EQ(d.DEFAREACODE, "508");
    EXPECT_EQ(d.PRINTNAME + d.PRINTADDRESS + d.PRINTPHONE + d.PRINTEMAIL + d.PRINTWWW, 5);
    EXPECT_EQ(d.CREDITLIMIT, "W");
    EXPECT_EQ(d.LOWINVENTORY, "W");
    for (const auto* m : {&d.PC1METHOD, &d.PC2METHOD, &d.PC3METHOD, &d.PC4METHOD, &d.PC5METHOD, &d.PC6METHOD})
        EXPECT_EQ(*m, "MARKUP");
    EXPECT_EQ(d.ROUNDPC, "C");
    EXPECT_EQ(d.DEFAULTTOAR, 1);
    EXPECT_EQ(d.UPDATECOSTSATINV, 1);
    EXPECT_EQ(d.INVOICEAD, 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(ui.programEnded());
}

TEST_F(Startup, CancellingEitherFirstRunWindowLeavesNoCompanyRecordAndEndsTheProgram) {
    // columns: area-code window's answer, company window's answer, windows run
    const std::vector<std::tuple<Response, Response, std::size_t>> cases = {
        {Response::Cancelled, Response::Completed, 1}, {Response::Completed, Response::Cancelled, 2}};
    for (const auto& [area, form, windows] : cases) {
        SCOPED_TRACE(windows);
        core::Settings settings(settingsFile());
        ScriptedUi ui;
        scriptFirstRun(ui, area, form);
        {
            StartupSequence start(ui, settings);
            EXPECT_EQ(start.run(options({dataDir().string()})), StartupOutcome::ProgramEnded);
            EXPECT_EQ(core::UseCounters::count("Defaults"), 0);
        }
        EXPECT_EQ(ui.windows().size(), windows);
        ASSERT_EQ(ui.endings().size(), 1u);
        EXPECT_EQ(ui.endings()[0], kFirstRunCancelled);
        EXPECT_TRUE(companyRecords().empty());
    }
    // The next start begins the first run again.
    core::Settings settings(settingsFile());
    ScriptedUi ui;
    scriptFirstRun(ui, Response::Completed, Response::Completed);
    StartupSequence start(ui, settings);
    EXPECT_EQ(start.run(options({dataDir().string()})), StartupOutcome::Ready);
    EXPECT_TRUE(start.ranFirstRun());
    EXPECT_EQ(companyRecords().size(), 1u);
}

TEST_F(Startup, FirstRunWithoutTheCompanyWindowEndsAfterProcedureNotDefinedIsReported) {
    // The scripted port stands for a registry without DEFAULTSFORM: the form cannot
    // run, so the set-up cannot finish and must not leave a half-made record.
    core::Settings settings(settingsFile());
    ScriptedUi ui;
    ui.onWindow(kAreaCodeWindow, [](const WindowRequest&) { return WindowResponse{Response::Completed, 0, "617"}; });
    ui.onUnscripted([](const core::RecordedMessage&, const std::string&) {});
    StartupSequence start(ui, settings);
    EXPECT_EQ(start.run(options({dataDir().string()})), StartupOutcome::ProgramEnded);
    EXPECT_TRUE(companyRecords().empty());
}

}  // namespace
}  // namespace quay::desk
