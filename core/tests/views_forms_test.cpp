// Record forms on the shared form dialog, offscreen: a vendor form whose duplicate
// name sends the cursor back to the first field and whose terms field is looked up
// in Terms, a date field filled from the calendar with F2, and a list opened to
// pick a record answering with that record.
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFormLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/tables/orders.h"
#include "quay/tools/mail_launch.h"
#include "quay/tables/terms.h"
#include "quay/types/date.h"
#include "quay/views/field_binder.h"
#include "quay/views/form_dialog.h"
#include "quay/views/list_view.h"
#include "quay/views/window_registry.h"
#include "ui_test_support.h"
#include "offscreen_app.h"

namespace quay::core {
namespace {

QApplication& app() { return ::quay::testing::offscreenApp(); }

// A vendor list by name, as the program's lists are built, registered as "VendorBrowse".
void addVendorList(WindowRegistry& reg) {
    reg.add("VendorBrowse", [](WindowContext& c, const WindowRequest& r) {
        ListSpec s;
        s.procedure = "VendorBrowse";
        s.title = "Vendor List";
        s.columns = {{"Name / Company", 20}};
        s.format = rowCells<Vendors>([](const Vendors& v) { return std::vector<std::string>{v.NAME.str()}; });
        s.tabs = {{"by &Vendor Name", Vendors::byName, Vendors::desc().fieldIndex("NAME")}};
        return openListWindow<Vendors>(c, r, s);
    });
}

class FormViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        glo.reset();
        testing::openFresh(m_vendors);
        testing::openFresh(m_terms);
        m_terms.clear();
        m_terms.rec.TERMS = "Net 30";
        ASSERT_EQ(m_terms.add(), ErrorCode::None);
    }
    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    Handle<Vendors> m_vendors{m_db};
    Handle<Terms> m_terms{m_db};
    ScriptedUi m_ui;
};

TEST_F(FormViewsTest, DuplicateNameSendsTheCursorToTheFirstFieldAndTermsAreLookedUp) {
    testing::addVendor(m_vendors, "Acme");
    FormSpec spec;
    spec.procedure = "VendorForm";
    spec.title = "Vendor Form";
    WindowRequest r;
    r.request = Request::Insert;
    FormWindow form(m_db, m_ui, m_vendors, spec, r);
    ASSERT_TRUE(form.open());
    FormDialog dialog(form);
    auto* body = new QWidget;
    auto* layout = new QFormLayout(body);
    auto* name = dialog.binder()->bindText(new QLineEdit, "NAME");
    auto* city = dialog.binder()->bindText(new QLineEdit, "CITY");
    LookupSpec ls;
    ls.key = Terms::byTerms;
    ls.field = Terms::desc().fieldIndex("TERMS");
    ls.listProcedure = "TermsBrowse";
    FieldLookup lookup(m_ui, m_terms, ls);
    auto* terms = dialog.binder()->bindLookup(new QLineEdit, "TERMS", lookup);
    layout->addRow("&Name:", name);
    layout->addRow("&City:", city);
    layout->addRow("&Terms:", terms);
    dialog.setBody(body, name);
    EXPECT_EQ(dialog.windowTitle(), "Vendor Form");
    dialog.show();
    QApplication::processEvents();

    terms->setText("net 30");
    emit terms->editingFinished();
    EXPECT_EQ(terms->text(), "Net 30");  // the record's own spelling
    EXPECT_TRUE(m_ui.windows().empty());

    name->setText("ACME");
    city->setText("Salem");
    city->setFocus();
    dialog.accept();
    ASSERT_EQ(m_ui.captions(), (std::vector<std::string>{"Duplicate Key Error"}));
    EXPECT_FALSE(form.isClosed());
    EXPECT_TRUE(name->hasFocus());

    name->setText("Acme West");
    dialog.accept();
    EXPECT_EQ(form.response().response, Response::Completed);
    m_vendors.clear();
    m_vendors.rec.NAME = "Acme West";
    ASSERT_EQ(m_vendors.get(Vendors::byName), ErrorCode::None);
    EXPECT_EQ(m_vendors.rec.TERMS.str(), "Net 30");
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Salem");
}

TEST_F(FormViewsTest, F2OnADateFieldFillsItFromTheCalendar) {
    Handle<Orders> orders(m_db);
    testing::openFresh(orders);
    orders.clear();
    QWidget window;
    FieldBinder binder(
        Orders::desc(), [&orders] { return static_cast<void*>(&orders.rec); }, &window);
    const std::int32_t picked = *dateFromCivil(2026, 12, 24);
    m_ui.onWindow("DATESELECT", [picked](const WindowRequest& r) {
        EXPECT_EQ(r.number, *dateFromCivil(2026, 12, 1));
        return WindowResponse{Response::Completed, picked, {}};
    });
    auto* date = binder.bindDate(new QLineEdit(&window), "OrdDate", m_ui);
    date->setText("12/01/2026");
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(date, &f2);
    EXPECT_EQ(orders.rec.OrdDate, picked);
    EXPECT_EQ(date->text(), "12/24/2026");
}

TEST_F(FormViewsTest, ListOpenedToPickAnswersWithThePickedRecord) {
    testing::addVendor(m_vendors, "Acme");
    testing::addVendor(m_vendors, "Baker");
    WindowRegistry reg;
    reg.setDatabase(&m_db);
    addVendorList(reg);
    QTimer::singleShot(0, [] {
        auto* table = QApplication::activeModalWidget()->findChild<QTableView*>();
        ASSERT_NE(table, nullptr);
        table->setCurrentIndex(table->model()->index(1, 0));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(table, &enter);
    });
    Handle<Vendors> mine(m_db);
    ASSERT_EQ(mine.open(), ErrorCode::None);
    WindowRequest r;
    r.request = Request::Select;
    r.table = &mine;
    const WindowResponse response = reg.run(m_ui, "VendorBrowse", r);
    EXPECT_EQ(response.response, Response::Completed);
    EXPECT_EQ(mine.rec.NAME.str(), "Baker");
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
}

TEST_F(FormViewsTest, ListOpenedForATypedValueStandsOnTheNearestRecord) {
    for (const char* name : {"Acme", "Baker", "Bradley, Anne", "Carver"}) testing::addVendor(m_vendors, name);
    WindowRegistry reg;
    reg.setDatabase(&m_db);
    addVendorList(reg);
    QTimer::singleShot(0, [] {
        auto* table = QApplication::activeModalWidget()->findChild<QTableView*>();
        ASSERT_NE(table, nullptr);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(table, &enter);  // picks the highlighted record as it opened
    });
    Handle<Vendors> mine(m_db);
    ASSERT_EQ(mine.open(), ErrorCode::None);
    WindowRequest r;
    r.request = Request::Select;
    r.table = &mine;
    r.text = "Brad";
    const WindowResponse response = reg.run(m_ui, "VendorBrowse", r);
    EXPECT_EQ(response.response, Response::Completed);
    EXPECT_EQ(mine.rec.NAME.str(), "Bradley, Anne");
}

TEST_F(FormViewsTest, ListBroughtBackToTheFrontShowsRecordsAddedMeanwhile) {
    testing::addVendor(m_vendors, "Acme");
    QMdiArea frame;
    frame.resize(900, 700);
    frame.show();
    WindowRegistry reg;
    reg.setDatabase(&m_db);
    reg.setMdiArea(&frame);
    addVendorList(reg);
    reg.run(m_ui, "VendorBrowse", {});
    auto* other = frame.addSubWindow(new QWidget);
    other->show();
    ASSERT_EQ(frame.subWindowList().size(), 2);
    QMdiSubWindow* list = frame.subWindowList()[0];
    auto* view = list->widget()->findChild<QTableView*>();
    if (view == nullptr) view = qobject_cast<QTableView*>(list->widget());
    ASSERT_NE(view, nullptr);
    frame.setActiveSubWindow(other);
    QApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), 1);
    testing::addVendor(m_vendors, "Baker");  // another window or station adds one
    frame.setActiveSubWindow(list);
    QApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), 2);
    frame.closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class RecordingLauncher : public Launcher {
public:
    void open(const std::string& target) override { targets.push_back(target); }
    std::vector<std::string> targets;
};

TEST_F(FormViewsTest, DoubleClickOnAnAddressHandsItToTheDesktop) {
    RecordingLauncher launcher;
    Launcher* before = programLauncher();
    setProgramLauncher(&launcher);
    QWidget window;
    FieldBinder binder(
        Vendors::desc(), [this] { return static_cast<void*>(&m_vendors.rec); }, &window);
    auto* mail = binder.bindText(new QLineEdit(&window), "EMAIL");
    auto* web = binder.bindText(new QLineEdit(&window), "WEBADR");
    binder.openOnDoubleClick(mail, FieldBinder::Address::Mail, m_ui);
    binder.openOnDoubleClick(web, FieldBinder::Address::Web, m_ui);
    mail->setText("buyer@acme.example");
    web->setText("www.acme.example");
    for (QLineEdit* e : {mail, web}) {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(2, 2), e->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &dbl);
    }
    setProgramLauncher(before);
    EXPECT_EQ(launcher.targets, (std::vector<std::string>{"mailto:buyer@acme.example", "www.acme.example"}));
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
}

}  // namespace
}  // namespace quay::core
