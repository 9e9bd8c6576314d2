// The views on an offscreen display: each is built over its logic and real
// tables, driven through its widgets, and saved as a screenshot in the build
// folder (defaults_form_*.png, vendor_list.png, calendar.png, pick_products.png).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <QApplication>
#include <QAbstractButton>
#include <QLabel>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/defaults/company_defaults.h"
#include "quay/types/date.h"
#include "quay/views/defaults_form_view.h"
#include "quay/views/field_binder.h"
#include "quay/views/list_model.h"
#include "quay/views/list_view.h"
#include "quay/views/tool_views.h"
#include "quay/views/worker_dialog.h"
#include "alt_keys.h"
#include "ui_test_support.h"
#include "offscreen_app.h"

namespace quay::core {
namespace {

QApplication& app() { return ::quay::testing::offscreenApp(); }

void screenshot(QWidget& w, const char* file) {
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(QString::fromStdString((std::filesystem::current_path() / file).string())));
}

QLineEdit* editOf(FieldBinder* b, const char* field) {
    return qobject_cast<QLineEdit*>(b->widgetOf(Defaults::desc().fieldIndex(field)));
}

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        glo.reset();
    }
    // The company record as the first start leaves it, without a name.
    void firstStartRecord() {
        Handle<Defaults> d(m_db);
        testing::openFresh(d);
        ASSERT_EQ(createCompanyRecord(m_db, d, CompanyCreation::AtFirstStart), ErrorCode::None);
    }
    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    ScriptedUi m_ui;
};

TEST_F(ViewsTest, DefaultsFormShowsTheRecordAndOkStoresWhatWasTyped) {
    {
        Handle<Defaults> d(m_db);
        testing::openFresh(d);
        ASSERT_EQ(createCompanyRecord(m_db, d, CompanyCreation::AtFirstStart), ErrorCode::None);
        d.rec.COMPANYNAME = "Harbour Supplies Ltd";
        d.rec.ADD1 = "12 Quay Street";
        d.rec.CITY = "Portsmouth";
        d.rec.STATE = "NH";
        d.rec.ZIPCODE = "03801-1234";
        d.rec.DEFAREACODE = "603";
        d.rec.PHONE1 = "(603)555-0142";
        d.rec.EMAIL = "office@harbour.example";
        d.rec.WEBADR = "www.harbour.example";
        d.rec.PC1METHOD = "MARKUP";
        d.rec.PRICECLASS1 = Decimal<9, 4>::fromScaled(250000);
        d.rec.PC2METHOD = "MARGIN";
        d.rec.PRICECLASS2 = Decimal<9, 4>::fromScaled(200000);
        ASSERT_EQ(d.put(), ErrorCode::None);
    }
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    EXPECT_EQ(view.windowTitle(), "Company Defaults");
    ASSERT_EQ(view.tabs()->count(), 8);
    EXPECT_EQ(view.tabs()->tabText(3), "&Price Classes");
    EXPECT_EQ(editOf(view.binder(), "COMPANYNAME")->text(), "Harbour Supplies Ltd");
    view.resize(560, 480);
    screenshot(view, "defaults_form_company.png");
    view.tabs()->setCurrentIndex(3);
    screenshot(view, "defaults_form_price_classes.png");
    view.tabs()->setCurrentIndex(1);
    screenshot(view, "defaults_form_defaults.png");
    view.tabs()->setCurrentIndex(4);
    screenshot(view, "defaults_form_invoices.png");
    view.tabs()->setCurrentIndex(6);
    screenshot(view, "defaults_form_past_due.png");

    // A phone number the formatter refuses beeps and is not stored.
    QLineEdit* fax = editOf(view.binder(), "FAX");
    fax->setText("12345");
    emit fax->editingFinished();
    ASSERT_EQ(m_ui.beeps().size(), 1u);
    EXPECT_EQ(m_ui.beeps()[0].frequency, 150);
    fax->setText("555 0100");
    emit fax->editingFinished();
    EXPECT_EQ(fax->text(), "(603)555-0100");

    QLineEdit* tax = editOf(view.binder(), "SALESTAX1");
    tax->setText("7.125");
    editOf(view.binder(), "CITY")->setText("Dover");
    view.accept();
    EXPECT_EQ(form.response().response, Response::Completed);
    Handle<Defaults> check(m_db);
    ASSERT_EQ(check.open(), ErrorCode::None);
    ASSERT_EQ(GETCOMPANYDEFAULTS(check, 1), 0);
    EXPECT_EQ(check.rec.CITY.str(), "Dover");
    EXPECT_EQ(check.rec.FAX.str(), "(603)555-0100");
    EXPECT_EQ(check.rec.SALESTAX1.scaled(), 71250);
    EXPECT_EQ(check.rec.PC2METHOD.str(), "MARGIN");
}

TEST_F(ViewsTest, DefaultsFormAltKeysReachOneControlEachOnEveryTab) {
    firstStartRecord();
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    view.show();
    ::quay::testing::expectEachAltKeyReachesOneControlOnEveryTab(view, view.tabs(), "Company Defaults");
    // The second address line follows the first by Tab; every other field has a key.
    std::set<std::string> without;
    for (int tab = 0; tab < view.tabs()->count(); ++tab) {
        view.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        for (const std::string& f : ::quay::testing::fieldsWithoutAltKey(view)) without.insert(f);
    }
    EXPECT_EQ(without, (std::set<std::string>{"()"}));  // the second address line, without a label
}

TEST_F(ViewsTest, DefaultsFormOffersTheProgramNoticeOnInvoicesAndKeepsItsChoice) {
    {
        Handle<Defaults> d(m_db);
        testing::openFresh(d);
        ASSERT_EQ(createCompanyRecord(m_db, d, CompanyCreation::AtFirstStart), ErrorCode::None);
        d.rec.COMPANYNAME = "Harbour Supplies";
        ASSERT_EQ(d.put(), ErrorCode::None);
    }
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    QCheckBox* notice = nullptr;
    for (auto* box : view.findChildren<QCheckBox*>())
        if (box->text().remove('&').startsWith("Program notice")) notice = box;
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isChecked());  // the first start switches it on
    notice->setChecked(false);
    view.accept();
    EXPECT_EQ(form.response().response, Response::Completed);
    Handle<Defaults> check(m_db);
    ASSERT_EQ(check.open(), ErrorCode::None);
    ASSERT_EQ(GETCOMPANYDEFAULTS(check, 1), 0);
    EXPECT_EQ(check.rec.INVOICEAD, 0);
}

TEST_F(ViewsTest, DefaultsFormWithoutACompanyNameSaysSoAndPutsTheCursorThere) {
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    view.show();
    view.tabs()->setCurrentIndex(2);
    QApplication::processEvents();
    view.accept();
    EXPECT_FALSE(form.isClosed());
    EXPECT_EQ(view.statusLine()->text().toStdString(), DefaultsForm::kNameRequired);
    EXPECT_EQ(view.tabs()->currentIndex(), 0);
    EXPECT_EQ(view.focusWidget(), editOf(view.binder(), "COMPANYNAME"));
    view.reject();
}

TEST_F(ViewsTest, EscapeWithTextStillBeingTypedAsksBeforeDroppingIt) {
    firstStartRecord();
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    view.show();
    QLineEdit* city = editOf(view.binder(), "CITY");
    city->setFocus();
    city->setText("Dover");  // typed, as a user types, and the cursor still in the field
    city->setModified(true);
    m_ui.answer(Button::No);
    view.reject();
    EXPECT_EQ(m_ui.captions(), (std::vector<std::string>{"Update Cancelled"}));
    EXPECT_FALSE(form.isClosed());
    EXPECT_EQ(city->text(), "Dover");
    m_ui.answer(Button::Yes);
    view.reject();
    EXPECT_TRUE(form.isClosed());
    EXPECT_EQ(form.response().response, Response::Cancelled);
}

TEST_F(ViewsTest, DefaultsFormRefusesAnEntryItsPictureCannotRead) {
    DefaultsForm form(m_ui, m_db);
    ASSERT_TRUE(form.open());
    DefaultsFormView view(form, m_ui);
    editOf(view.binder(), "SALESTAX2")->setText("seven");
    view.accept();
    EXPECT_FALSE(form.isClosed());
    EXPECT_EQ(form.rec().SALESTAX2.scaled(), 0);
    view.reject();  // unchanged insert: no question, the added record goes
    EXPECT_EQ(form.response().response, Response::Cancelled);
    Handle<Defaults> check(m_db);
    ASSERT_EQ(check.open(), ErrorCode::None);
    EXPECT_EQ(check.records(), 0);
}

TEST_F(ViewsTest, VendorListPagesAndSendsItsKeysToTheLogic) {
    Handle<Vendors> v(m_db);
    testing::openFresh(v);
    for (int i = 0; i < 300; ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "Vendor %03d", i);
        testing::addVendor(v, name, i % 7 ? 1 : 0, "Pat", "Salem");
    }
    ListSpec spec;
    spec.procedure = "VendorBrowse";
    spec.title = "Vendor List";
    spec.formProcedure = "VendorForm";
    spec.columns = {{"Name / Company", 24}, {"First Name", 12}, {"City", 14}};
    spec.format = rowCells<Vendors>([](const Vendors& x) {
        return std::vector<std::string>{x.NAME.str(), x.FIRSTNAME.str(), x.CITY.str()};
    });
    spec.tabs = {{"by &Vendor Name", Vendors::byActiveName, Vendors::desc().fieldIndex("NAME")},
                 {"by &First Name", Vendors::byActiveFirstName, Vendors::desc().fieldIndex("FIRSTNAME")}};
    spec.activeField = Vendors::desc().fieldIndex("Active");
    spec.activeTip = "Active Vendors Only";
    ListWindow logic(m_ui, v, spec, {});
    ListView view(logic);
    view.resize(620, 400);
    ListModel* model = view.model();
    EXPECT_EQ(model->rowCount(), 100);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name / Company");
    EXPECT_TRUE(model->canFetchMore({}));
    model->fetchMore({});
    EXPECT_EQ(model->rowCount(), 200);
    screenshot(view, "vendor_list.png");

    m_ui.onWindow("VendorForm", [](const WindowRequest& r) {
        return WindowResponse{Response::Cancelled, 0, {r.request == Request::Insert ? "i" : "c"}};
    });
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(view.table(), &insert);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view.table(), &enter);
    ASSERT_EQ(m_ui.windows().size(), 2u);
    EXPECT_EQ(m_ui.windows()[0].request.request, Request::Insert);
    EXPECT_EQ(m_ui.windows()[1].request.request, Request::Change);

    // Typing in the list goes to the locator and positions the list.
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier, "V");
    QApplication::sendEvent(view.table(), &letter);
    EXPECT_EQ(view.locator()->text(), "V");
    view.locator()->setText("Vendor 250");
    emit view.locator()->textEdited("Vendor 250");
    ASSERT_TRUE(logic.current());
    EXPECT_EQ(logic.row(*logic.current()).cells[0], "Vendor 250");
    EXPECT_EQ(view.table()->currentIndex().row(), static_cast<int>(*logic.current()));
}

TEST_F(ViewsTest, CalendarShowsTheMonthAndAnswersThePressedDay) {
    glo.CalendarTitle = "Select a Date";
    const std::int32_t may1 = *dateFromCivil(2026, 5, 1);
    DateSelectView view(may1 + 9);
    EXPECT_EQ(view.windowTitle(), "Select a Date");
    int visible = 0;
    QPushButton* day31 = nullptr;
    for (auto* b : view.findChildren<QPushButton*>()) {
        if (!b->isHidden() && b->text() == "31") day31 = b;
        if (!b->isHidden() && b->text().toInt() > 0) ++visible;
    }
    EXPECT_EQ(visible, 31);
    screenshot(view, "calendar.png");
    ASSERT_NE(day31, nullptr);
    day31->click();
    EXPECT_EQ(view.chosen(), *dateFromCivil(2026, 5, 31));
}

TEST_F(ViewsTest, PickListFillsOnItsTimerAndOkKeepsTheMarks) {
    Handle<Products> p(m_db);
    testing::openFresh(p);
    for (int i = 0; i < 40; ++i) {
        p.clear();
        p.rec.PartNum = "HX-" + std::to_string(1000 + i);
        p.rec.DESCRIPTION = "Hex bolt M" + std::to_string(6 + i % 10);
        ASSERT_EQ(p.add(), ErrorCode::None);
    }
    pick::Prd::Queue.clear();
    PickList list(m_ui, p, *pickSpec("PICKPRODUCTS"));
    PickListView view(list);
    view.tick();
    EXPECT_EQ(view.table()->rowCount(), 25);
    view.tick();
    EXPECT_EQ(view.table()->rowCount(), 40);
    list.click(2, PickClick::Plain);
    list.click(6, PickClick::Shift);
    view.refreshMarks();
    EXPECT_EQ(view.table()->item(4, 0)->background().color(), view.palette().highlight().color());
    EXPECT_EQ(view.table()->item(7, 0)->background().color(), view.palette().base().color());
    screenshot(view, "pick_products.png");
    for (auto* b : view.findChildren<QPushButton*>())
        if (b->text() == "&Ok") b->click();
    EXPECT_EQ(list.response(), Response::Completed);
    EXPECT_EQ(pick::Prd::Queue.markedCount(), 5u);
    pick::Prd::Queue.clear();
}

// Counts to a number in steps, reporting each.
class StepJob : public WorkerJob {
public:
    WorkerOutcome run(const std::string&, WorkerProgress& progress) override {
        for (long i = 1; i <= 50; ++i) {
            if (progress.isCancelled()) return WorkerOutcome::Cancelled;
            progress.report(i, 50, "Step " + std::to_string(i));
        }
        return WorkerOutcome::Finished;
    }
};

TEST_F(ViewsTest, WorkerDialogShowsProgressFromTheWorkerThreadUntilTheJobEnds) {
    WorkerDialog dialog(std::make_unique<StepJob>(), m_dir.path(), "Counting");
    EXPECT_EQ(dialog.run(), WorkerOutcome::Finished);
    EXPECT_EQ(dialog.finalState().done, 50);
    EXPECT_EQ(dialog.value(), 50);
    EXPECT_EQ(dialog.labelText(), "Step 50");
}

TEST(DesktopLauncherTargets, OnlyMailAndWebAddressesAreOpened) {
    app();
    // Columns: target handed on, what is opened ("" = refused).
    const std::pair<const char*, const char*> cases[] = {
        {"mailto:office@harbour.example", "mailto:office@harbour.example"},
        {"mailto:", "mailto:"},
        {"www.harbour.example", "http://www.harbour.example"},
        {"https://harbour.example/orders", "https://harbour.example/orders"},
        {"file:///etc/passwd", ""},
        {"/usr/bin/xterm", ""},
        {"C:\\Windows\\system32\\cmd.exe", ""},
        {"", ""},
    };
    for (const auto& [target, expected] : cases) {
        SCOPED_TRACE(target);
        EXPECT_EQ(DesktopLauncher::resolve(target), expected);
    }
}

}  // namespace
}  // namespace quay::core
