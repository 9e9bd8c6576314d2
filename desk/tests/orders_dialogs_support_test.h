// What the order-entry dialog tests share: the data set of the order tests with a
// second customer, an inactive one, a salesperson, terms and a shipping method;
// scripted list windows that pick a record in select mode and a scripted calendar;
// and helpers that drive a shown dialog by keyboard and mouse as a user would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include "orders/quote_details.h"
#include "orders_test_support.h"
#include "quay/store/table.h"
#include "quay/ui/record_fields.h"
#include "quay/types/date.h"

namespace quay::desk::testing {

class DialogsTest : public OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(customer("Acme Supply"));
        core::Customer baker = customer("Baker Bros");
        baker.PRICECLASS = "1";
        baker.SALESTAX1 = price("6.0000");
        baker.TAX1EXEMPT = 1;
        baker.TAXLIC1 = "EX-4411";
        store(baker);
        core::Customer old = customer("Old Co");
        old.Active = 0;
        store(old);
        store(product("BOLT-1", "10.00", 1));
        store(product("NUT-2", "4.00", 0));
        core::Salesmen sp;
        sp.Initials = "JD";
        sp.NAME = "Doe, Jane";
        store(sp);
        core::Terms ter;
        ter.TERMS = "Net 30";
        store(ter);
        core::ShipMthd shm;
        shm.SHIPVIA = "UPS Ground";
        store(shm);
    }

    // A list window in select mode that picks the record whose key field is `value`
    // (the handle it is given is the look-up's own), or answers Cancelled when empty.
    void pickIn(const std::string& list, const char* field, const std::string& value) {
        ui.onWindow(list, [this, list, field, value](const core::WindowRequest& r) {
            core::WindowResponse w;
            ++picks[list];
            EXPECT_EQ(r.request, core::Request::Select);
            if (value.empty() || r.table == nullptr) return w;
            core::Table& t = *r.table;
            t.clear();
            core::setFieldText(t.desc(), fieldIndexOf(t.desc(), field), t.buffer(), value);
            if (t.get(core::KeyId{0}) == core::ErrorCode::None) w.response = core::Response::Completed;
            return w;
        });
    }
    // The calendar answers `day` (0: cancelled) and notes the title it was opened under.
    void calendarAnswers(std::int32_t day) {
        ui.onWindow("DATESELECT", [this, day](const core::WindowRequest&) {
            calendarTitles.push_back(core::glo.CalendarTitle.str());
            core::WindowResponse w;
            w.response = day ? core::Response::Completed : core::Response::Cancelled;
            w.number = day;
            return w;
        });
    }

    static void showActive(QWidget& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    template <class W = QLineEdit>
    static W* field(QWidget& w, const char* name) {
        W* f = w.findChild<W*>(name);
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    // Puts the cursor in the field, replaces its text by typing, and leaves it by Tab.
    static void typeAndTab(QLineEdit* f, const QString& text) {
        f->setFocus();
        QApplication::processEvents();
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Tab);
        QApplication::processEvents();
    }
    // Alt+letter as the user presses it; a button's mnemonic clicks it after its
    // short press animation.
    static void altKey(QWidget& w, Qt::Key key) {
        QTest::keyClick(&w, key, Qt::AltModifier);
        QTest::qWait(250);
    }
    static bool hasFocus(QWidget* w) { return QApplication::focusWidget() == w; }

    std::map<std::string, int> picks;
    std::vector<std::string> calendarTitles;
};

// Waits until a modal window other than `below` is up and hands it to `act`.
inline void whenModalOpens(QWidget* below, std::function<void(QWidget*)> act) {
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [below, act, poll](int left) {
        QWidget* w = QApplication::activeModalWidget();
        if (w != nullptr && w != below && w->isVisible()) {
            act(w);
            return;
        }
        if (left > 0) QTimer::singleShot(20, [poll, left] { (*poll)(left - 1); });
    };
    QTimer::singleShot(20, [poll] { (*poll)(100); });
}

inline QPushButton* buttonCaptioned(QWidget* w, const QString& caption) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

}  // namespace quay::desk::testing
