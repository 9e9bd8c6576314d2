// The master-data windows on an offscreen display over a small data set: every
// list and every form (each tab) is built and saved as a picture in the build
// folder for a person to look at, and checked here for what can be checked
// without eyes: every documented label is shown, no widget lies outside its
// window, the tab order follows the form's layout, and a typed entry goes through
// its picture into the record.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "masterlists_test_support.h"
#include "quay/customers/cust_comments_record.h"
#include "quay/customers/customer_browse.h"
#include "quay/customers/customer_form.h"
#include "quay/masterlists/master_lists.h"
#include "quay/products/product_browse.h"
#include "quay/products/product_form.h"
#include "quay/products/vendor_part_form.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/tools/mail_launch.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/field_entry.h"
#include "alt_keys.h"
#include "offscreen_app.h"

namespace quay::core {
namespace {

using testing::req;

QApplication& app() { return ::quay::testing::offscreenApp(); }

QString shotDir() {
    const QString dir = QDir::currentPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir;
}

void save(QWidget& w, const QString& name) {
    w.show();
    QApplication::processEvents();
    ASSERT_TRUE(w.grab().save(shotDir() + QLatin1Char('/') + name + QStringLiteral(".png")));
}

// Every child widget lies inside the window.
void expectInside(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window) || child->isWindow()) continue;
        const QRect r(child->mapTo(&window, QPoint(0, 0)), child->size());
        EXPECT_TRUE(window.rect().contains(r))
            << child->metaObject()->className() << " " << child->objectName().toStdString() << " at " << r.x() << ","
            << r.y() << " " << r.width() << "x" << r.height();
    }
}

std::vector<std::string> shownTexts(QWidget& window) {
    std::vector<std::string> out;
    for (QLabel* l : window.findChildren<QLabel*>()) out.push_back(l->text().toStdString());
    for (QCheckBox* c : window.findChildren<QCheckBox*>()) out.push_back(c->text().toStdString());
    for (QPushButton* b : window.findChildren<QPushButton*>()) out.push_back(b->text().toStdString());
    return out;
}

class MasterViews : public testing::MasterDataTest {
protected:
    void SetUp() override {
        app();
        MasterDataTest::SetUp();
        strict = false;
        company();
        ui.setDefaultAnswer(Button::Yes);
        seed();
    }

    void seed() {
        const char* names[][6] = {{"Harbour Supplies", "Ann", "Lee", "Hull", "YK", "HU1 2AB"},
                                  {"Lee, Tom", "Tom", "Lee", "Leeds", "YK", "LS1 4DY"},
                                  {"Quayside Marine", "Bob", "Smith", "Whitby", "YK", "YO21 3PU"}};
        for (auto& n : names) {
            Customer c;
            c.Active = 1;
            c.Name = n[0];
            c.FNAME = n[1];
            c.LNAME = n[2];
            c.CITY = n[3];
            c.STATE = n[4];
            c.ZipCode = n[5];
            c.PRICECLASS = "2";
            c.PHONE1 = "(212)555-0199";
            c.CREDITLIMIT = Decimal<13, 2>::fromScaled(500000);
            store(c);
            Vendors v;
            v.Active = 1;
            v.NAME = n[0];
            v.FIRSTNAME = n[1];
            v.LASTNAME = n[2];
            v.CITY = n[3];
            v.STATE = n[4];
            v.ZIPCODE = n[5];
            v.EMAIL = "orders@example.test";
            store(v);
        }
        for (int i = 1; i <= 3; ++i) {
            Products p;
            p.Active = 1;
            p.PartNum = "VALVE-" + std::to_string(i * 100);
            p.Group = "Valves";
            p.DESCRIPTION = "Brass gate valve " + std::to_string(i * 10) + " mm";
            p.COST = Decimal<13, 4>::fromScaled(12345 * i);
            p.MSRP = Decimal<13, 4>::fromScaled(25000 * i);
            p.OnHand = Decimal<13, 2>::fromScaled(1200 * i);
            store(p);
            Comments n;
            n.CMTID = i;
            n.Customer = "Harbour Supplies";
            n.CMTDATE = 80000 + i;
            n.CMTTIME = 360000 * i;
            n.SUBJECT = "Called about order " + std::to_string(i);
            store(n);
        }
        VenProds vp;
        vp.VPRID = 1;
        vp.PartNum = "VALVE-100";
        vp.Vendor = "Harbour Supplies";
        vp.VENPARTNUM = "HS-77";
        store(vp);
        Groups g;
        g.ACTIVE = 1;
        g.GROUP = "Valves";
        store(g);
        Manufact m;
        m.ACTIVE = 1;
        m.NAME = "Quay Brassworks";
        m.CONTACT = "Ann Lee";
        m.CITY = "Hull";
        store(m);
        Salesmen s;
        s.ACTIVE = 1;
        s.Initials = "AL";
        s.NAME = "Lee, Ann";
        s.FIRSTNAME = "Ann";
        s.LASTNAME = "Lee";
        store(s);
        Terms t;
        t.TERMS = "Net 30";
        store(t);
        ShipMthd sh;
        sh.SHIPVIA = "Courier";
        store(sh);
        Schedule e;
        e.SCHID = 1;
        e.Customer = "Harbour Supplies";
        e.ACTION = "Call back about the spring catalogue";
        e.ALARMDATE = 80100;
        e.ALARMTIME = 5400000;
        store(e);
    }

    void list(Table& table, ListSpec spec, const QString& name, std::size_t rows) {
        ListWindow logic(ui, table, std::move(spec), req(Request::None));
        logic.open();
        ListView view(logic);
        view.resize(760, 380);
        EXPECT_EQ(logic.rowCount(), rows) << name.toStdString();
        save(view, name);
        expectInside(view);
    }

    // Shows each tab of the form and saves it; checks labels and the tab order.
    void form(FormWindow& f, const QString& name) {
        ASSERT_TRUE(f.open()) << name.toStdString();
        MasterFormView view(f);
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        const auto texts = shownTexts(view);
        for (const FormField& field : f.layout().fields) {
            if (field.label.empty()) continue;
            EXPECT_NE(std::find(texts.begin(), texts.end(), field.label), texts.end())
                << name.toStdString() << ": label " << field.label;
        }
        for (const FormButton& b : f.layout().buttons)
            EXPECT_NE(std::find(texts.begin(), texts.end(), b.caption), texts.end()) << b.caption;
        if (QTabWidget* tabs = view.tabs()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                save(view, name + QStringLiteral("-") + QString::number(i + 1));
                expectInside(view);
            }
            tabs->setCurrentIndex(0);
        } else {
            save(view, name);
            expectInside(view);
        }
        // Tab order: entry fields of the first page in the order of the layout.
        std::vector<QWidget*> expected;
        const std::string firstTab = f.layout().tabs.empty() ? std::string() : f.layout().tabs.front();
        for (const FormField& field : f.layout().fields) {
            if (field.tab != firstTab && !field.tab.empty()) continue;
            if (field.kind != FieldKind::Entry && field.kind != FieldKind::Lookup) continue;
            QWidget* w = view.widgetFor(field.field);
            if (auto* e = w ? w->findChild<QLineEdit*>() : nullptr) w = e;
            expected.push_back(w);
        }
        if (expected.size() > 1) {
            QWidget* w = expected.front();
            std::size_t next = 1;
            for (int steps = 0; steps < 200 && next < expected.size(); ++steps) {
                w = w->nextInFocusChain();
                if (w == expected[next]) ++next;
            }
            EXPECT_EQ(next, expected.size()) << name.toStdString() << ": tab order leaves the layout's order";
        }
        ::quay::testing::expectEachAltKeyReachesOneControlOnEveryTab(view, view.tabs(), name.toStdString());
        if (name == "CustomerForm") {
            // Every field has a key but for what the captions have no letters left
            // for: the second address line, the extension, the tax licences and rates.
            EXPECT_EQ(::quay::testing::fieldsWithoutAltKey(view),
                      (std::vector<std::string>{"", "Ext:", "Tax#:", "Sales Tax #1 %", "Tax#2:", "Sales Tax #2 %"}));
        }
        view.hide();
        f.cancel();
    }
};

TEST_F(MasterViews, EveryListShowsItsRows) {
    Handle<Customer> cus(*db);
    open(cus);
    list(cus, customerBrowseSpec(), "CustomerBrowse", 3);
    Handle<CustRef> csr(*db);
    open(csr);
    list(csr, custRefBrowseSpec(), "CustRefBrowse", 3);
    glo.PriceClass = "R";
    Handle<Products> prd(*db);
    open(prd);
    list(prd, productBrowseSpec(), "ProductBrowse", 3);
    const std::size_t counts[] = {3, 1, 1, 1, 1, 1};
    std::size_t i = 0;
    for (const MasterListMember& m : masterListMembers()) {
        std::vector<unsigned char> buffer(m.table->recordSize);
        Table t(*db, *m.table, buffer.data());
        open(t);
        list(t, m.browse(), QString::fromStdString(m.browseProcedure), counts[i++]);
    }
}

TEST_F(MasterViews, EveryFormShowsItsLabelsInsideTheWindow) {
    Handle<Customer> cus(*db);
    open(cus);
    cus.rec.Name = "Harbour Supplies";
    ASSERT_EQ(cus.get(Customer::byName), ErrorCode::None);
    CustomerForm customer(*db, ui, cus, req(Request::Change, &cus));
    form(customer, "CustomerForm");

    Handle<Comments> cmt(*db);
    open(cmt);
    CustCommentsRecord note(*db, ui, cmt, req(Request::Insert, &cmt, "Harbour Supplies"));
    form(note, "CustCommentsRecord");

    Handle<Products> prd(*db);
    open(prd);
    prd.rec.PartNum = "VALVE-100";
    ASSERT_EQ(prd.get(Products::byPartNum), ErrorCode::None);
    ProductForm product(*db, ui, prd, req(Request::Change, &prd));
    form(product, "ProductForm");

    Handle<VenProds> vpr(*db);
    open(vpr);
    VendorPartForm pair(*db, ui, vpr, req(Request::Insert, &vpr, "VALVE-200"));
    form(pair, "VendorPartForm");

    for (const MasterListMember& m : masterListMembers()) {
        std::vector<unsigned char> buffer(m.table->recordSize);
        Table t(*db, *m.table, buffer.data());
        open(t);
        t.set(KeyId{0});
        ASSERT_EQ(t.next(), ErrorCode::None);
        MasterListForm f(*db, ui, t, m.form(), req(Request::Change, &t));
        form(f, QString::fromStdString(m.formProcedure));
    }
}

TEST_F(MasterViews, TypedEntriesGoThroughTheirPicturesIntoTheRecord) {
    Handle<Customer> cus(*db);
    open(cus);
    cus.rec.Name = "Harbour Supplies";
    ASSERT_EQ(cus.get(Customer::byName), ErrorCode::None);
    CustomerForm f(*db, ui, cus, req(Request::Change, &cus));
    ASSERT_TRUE(f.open());
    MasterFormView view(f);
    view.show();
    QApplication::processEvents();
    auto* credit = qobject_cast<QLineEdit*>(view.widgetFor(CustomerForm::field("CREDITLIMIT")));
    ASSERT_NE(credit, nullptr);
    EXPECT_EQ(credit->text().trimmed().toStdString(), "$5,000.00");
    credit->setFocus();
    credit->selectAll();
    QTest::keyClicks(credit, "1234.5");
    QMetaObject::invokeMethod(credit, "editingFinished");
    EXPECT_EQ(f.rec().CREDITLIMIT.toString(), "1234.50");
    auto* phone = qobject_cast<QLineEdit*>(view.widgetFor(CustomerForm::field("PHONE2")));
    ASSERT_NE(phone, nullptr);
    phone->setFocus();
    QTest::keyClicks(phone, "8005550123");
    QMetaObject::invokeMethod(phone, "editingFinished");
    EXPECT_EQ(phone->text().toStdString(), "(800)555-0123");
    EXPECT_EQ(f.rec().PHONE2, "(800)555-0123");
    // The price shown with fewer places than it is kept with is not written back
    // when the user did not type in it.
    view.hide();
    f.cancel();
}

TEST_F(MasterViews, F2OnANoteDateOpensTheCalendarAndEntersItsChoice) {
    Handle<Comments> cmt(*db);
    open(cmt);
    CustCommentsRecord note(*db, ui, cmt, req(Request::Insert, &cmt, "Harbour Supplies"));
    ASSERT_TRUE(note.open());
    std::int32_t passed = -1;
    ui.onWindow("DATESELECT", [&passed](const WindowRequest& r) {
        passed = r.number;
        return WindowResponse{Response::Completed, 80123, {}};
    });
    MasterFormView view(note);
    view.show();
    QApplication::processEvents();
    auto* date = qobject_cast<QLineEdit*>(view.widgetFor(Comments::desc().fieldIndex("CMTDATE")));
    ASSERT_NE(date, nullptr);
    date->setFocus();
    QTest::keyClick(date, Qt::Key_F2);
    EXPECT_EQ(passed, today());
    EXPECT_EQ(cmt.rec.CMTDATE, 80123);
    EXPECT_EQ(date->text().toStdString(),
              formatField(Comments::desc(), Comments::desc().fieldIndex("CMTDATE"), &cmt.rec, Picture::parse("@d2")));
    view.hide();
    ui.answer(Button::No);
    EXPECT_TRUE(note.cancel());
    EXPECT_EQ(all<Comments>().size(), 3u);  // the seeded notes only
}

}  // namespace
}  // namespace quay::core

namespace quay::core {
namespace {

TEST(MasterWindowRegistration, EveryListAndFormIsFoundByItsProcedureName) {
    app();
    WindowRegistry registry;
    Launcher* const before = programLauncher();
    registerMasterWindows(registry);
    for (const char* name :
         {"CUSTOMERBROWSE", "CustomerBrowse", "CustomerForm",      "CustRefBrowse",     "CustCommentsRecord",
          "PRODUCTBROWSE",  "ProductBrowse",  "ProductForm",       "VendorPartForm",    "VENDORBROWSE",
          "VendorBrowse",   "VendorForm",     "SALESPEOPLEBROWSE", "SalespeopleBrowse", "SalespersonForm",
          "TERMSBROWSE",    "TermsBrowse",    "TermsForm",         "MANUFACTBROWSE",    "ManufactBrowse",
          "ManufactForm",   "GROUPSBROWSE",   "GroupsBrowse",      "GroupForm",         "BROWSESHIPVIA",
          "BrowseShipVia",  "ShipViaForm"})
        EXPECT_TRUE(registry.contains(name)) << name;
    // The master windows bring no launcher of their own: the program's is the
    // framework's, which opens only mail and web addresses.
    EXPECT_EQ(programLauncher(), before);
}

}  // namespace
}  // namespace quay::core
