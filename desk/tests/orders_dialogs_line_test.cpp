// The line form ItemOrdForm on an offscreen display: the part look-up with
// PRODUCTBROWSE, pricing from the order's class and by Ctrl+1..Ctrl+8, the total
// and stock shown as they change, the Ok questions with their cursor rules, and
// the notes window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <QTableWidget>

#include "orders/views/item_ord_view.h"
#include "orders/views/order_small_windows.h"
#include "orders_dialogs_support_test.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

class LineForm : public testing::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        core::glo.PriceClass = "3";
        company([](core::Defaults& d) { d.ROUNDPC = "H"; });  // prices shown to four places
    }
    static QString shown(QWidget& view, const char* name) { return view.findChild<QLabel*>(name)->text(); }
};

TEST_F(LineForm, TypedPartIsPricedFromTheClassAndCtrl7TakesTheCost) {
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    ASSERT_TRUE(view.opened());
    showActive(view);
    EXPECT_EQ(field(view, "QTY")->text(), "1.00");
    typeAndTab(field(view, "PARTNUM"), "bolt-1");
    EXPECT_TRUE(ui.windows().empty());
    EXPECT_EQ(line.PARTNUM.view(), "BOLT-1");
    EXPECT_EQ(field(view, "DESCRIPTION")->text(), "Widget BOLT-1");
    EXPECT_EQ(field(view, "GROUP")->text(), "HARDWARE");
    EXPECT_EQ(line.PRICE, price("12.5000"));
    EXPECT_EQ(field(view, "PRICE")->text(), "$12.5000");
    EXPECT_EQ(shown(view, "OnHand"), "10.00");
    typeAndTab(field(view, "QTY"), "2");
    EXPECT_EQ(shown(view, "TOTAL"), "$25.00");
    QTest::keyClick(&view, Qt::Key_7, Qt::ControlModifier);
    EXPECT_EQ(line.PRICE, price("6.0000"));
    EXPECT_EQ(field(view, "PRICE")->text(), "$6.0000");
    EXPECT_EQ(shown(view, "TOTAL"), "$12.00");
    QTest::keyClick(&view, Qt::Key_8, Qt::ControlModifier);
    EXPECT_EQ(shown(view, "TOTAL"), "$40.00");
    altKey(view, Qt::Key_O);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_EQ(line.TOTAL, money("40.00"));
}

TEST_F(LineForm, UnknownPartOpensTheProductListAndTheTypedPriceSurvivesARepick) {
    pickIn("PRODUCTBROWSE", "PartNum", "NUT-2");
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    typeAndTab(field(view, "PARTNUM"), "NU");
    EXPECT_EQ(picks["PRODUCTBROWSE"], 1);
    EXPECT_EQ(line.PARTNUM.view(), "NUT-2");
    EXPECT_EQ(shown(view, "OnHand"), "4.00");
    typeAndTab(field(view, "PRICE"), "11.25");
    EXPECT_EQ(line.PRICE, price("11.2500"));
    QTest::mouseClick(view.findChild<QToolButton*>("PARTNUMLookup"), Qt::LeftButton);
    EXPECT_EQ(picks["PRODUCTBROWSE"], 2);
    EXPECT_EQ(line.PRICE, price("11.2500"));  // the same part: the typed price stays
    // While typing the quantity the total already shows what it makes.
    QLineEdit* qty = field(view, "QTY");
    qty->setFocus();
    qty->selectAll();
    QTest::keyClicks(qty, "3");
    EXPECT_EQ(shown(view, "TOTAL"), "$33.75");
}

TEST_F(LineForm, InactiveProductPickedInTheListIsRefusedWithAWord) {
    core::Products old = product("OLD-7");
    old.Active = 0;
    store(old);
    pickIn("PRODUCTBROWSE", "PartNum", "OLD-7");
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    QLineEdit* part = field(view, "PARTNUM");
    typeAndTab(part, "OLD-7");
    EXPECT_EQ(picks["PRODUCTBROWSE"], 1);
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "Product Not Active");
    EXPECT_TRUE(hasFocus(part));
    EXPECT_TRUE(line.DESCRIPTION.isBlank());
    EXPECT_TRUE(line.PRICE.isZero());
}

TEST_F(LineForm, CtrlKeysDoNothingBeforeThePartIsLookedUp) {
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    QLineEdit* part = field(view, "PARTNUM");
    part->setFocus();
    QTest::keyClicks(part, "BOLT-1");
    QTest::keyClick(&view, Qt::Key_7, Qt::ControlModifier);
    EXPECT_TRUE(line.PRICE.isZero());
}

TEST_F(LineForm, ZeroPriceQuestionPutsTheCursorOnThePriceAndBlankPartIsRefused) {
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    ui.answer(core::Button::Yes);
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "WARNING:  No Price");
    EXPECT_TRUE(hasFocus(field(view, "PRICE")));
    EXPECT_TRUE(view.isVisible());
    ui.answer(core::Button::No);
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_TRUE(hasFocus(field(view, "PARTNUM")));
    EXPECT_TRUE(view.isVisible());
    EXPECT_NE(view.response(), core::Response::Completed);
}

TEST_F(LineForm, LowInventoryQuestionPutsTheCursorOnTheQuantity) {
    company([](core::Defaults& d) { d.LOWINVENTORY = "W"; });
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    typeAndTab(field(view, "PARTNUM"), "BOLT-1");
    typeAndTab(field(view, "QTY"), "11");
    ui.answer(core::Button::Yes);
    QTest::keyClick(field(view, "QTY"), Qt::Key_Return);
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "WARNING:  Low Inventory");
    EXPECT_TRUE(hasFocus(field(view, "QTY")));
    typeAndTab(field(view, "QTY"), "10");
    QTest::keyClick(field(view, "QTY"), Qt::Key_Return);
    EXPECT_EQ(view.response(), core::Response::Completed);
}

TEST_F(LineForm, PriceShownToTwoPlacesKeepsItsFourPlaces) {
    company([](core::Defaults& d) { d.ROUNDPC = "D"; });
    LineEntry line;
    line.PARTNUM = "BOLT-1";
    line.QTY = money("1.00");
    line.PRICE = price("12.3456");
    ItemOrdView view(*db, ui, core::Request::Change, line);
    showActive(view);
    EXPECT_EQ(field(view, "PRICE")->text(), "$12.35");
    QTest::keyClick(field(view, "QTY"), Qt::Key_Return);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_EQ(line.PRICE, price("12.3456"));
    EXPECT_EQ(line.TOTAL, money("12.35"));
}

TEST_F(LineForm, EscapeAsksBeforeDroppingATypedPriceAndPutsTheLineBack) {
    LineEntry line;
    line.PARTNUM = "BOLT-1";
    line.QTY = money("2.00");
    line.PRICE = price("10.0000");
    ItemOrdView view(*db, ui, core::Request::Change, line);
    showActive(view);
    QLineEdit* priceField = field(view, "PRICE");
    priceField->setFocus();
    priceField->selectAll();
    QTest::keyClicks(priceField, "7.5");  // still typing: not read back yet
    ui.answer(core::Button::No);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Update Cancelled"}));
    typeAndTab(field(view, "QTY"), "3");
    EXPECT_EQ(line.QTY, money("3.00"));
    ui.answer(core::Button::Yes);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(view.response(), core::Response::Cancelled);
    EXPECT_EQ(line.QTY, money("2.00"));  // as it was when the form opened
    EXPECT_EQ(line.PRICE, price("10.0000"));
}

TEST_F(LineForm, F4OpensTheNotesAndTheCursorReturnsToTheQuantity) {
    LineEntry line;
    ItemOrdView view(*db, ui, core::Request::Insert, line);
    showActive(view);
    QString caption;
    QTimer::singleShot(0, [&caption] {
        QWidget* notes = QApplication::activeModalWidget();
        ASSERT_NE(notes, nullptr);
        caption = notes->windowTitle();
        auto* text = notes->findChild<QPlainTextEdit*>("COMMENTS");
        ASSERT_NE(text, nullptr);
        QTest::keyClicks(text, "Cut to 2 m");
        QTest::mouseClick(notes->findChild<QPushButton*>("Close"), Qt::LeftButton);
    });
    QTest::keyClick(field(view, "PARTNUM"), Qt::Key_F4);
    EXPECT_EQ(caption, "Item Comments");
    EXPECT_EQ(line.COMMENTS, "Cut to 2 m");
    // The offscreen display does not give the window back its activation by itself.
    showActive(view);
    EXPECT_TRUE(hasFocus(field(view, "QTY")));
}

class SerialList : public testing::DialogsTest {
protected:
    // The serial-number form the list opens: the user types `number` and presses Enter.
    void answerForm(QWidget& list, const char* number) {
        testing::whenModalOpens(&list, [number](QWidget* form) {
            EXPECT_EQ(form->windowTitle(), "Serial Number Form");
            auto* serial = form->findChild<QLineEdit*>("SERIALNUMBER");
            ASSERT_NE(serial, nullptr);
            serial->selectAll();
            QTest::keyClicks(serial, number);
            QTest::keyClick(serial, Qt::Key_Return);
        });
    }
    static QStringList rows(QTableWidget* t) {
        QStringList out;
        for (int r = 0; r < t->rowCount(); ++r) out << t->item(r, 0)->text();
        return out;
    }
};

TEST_F(SerialList, NumbersEnteredByKeyShowSortedAndSaveKeepsThem) {
    core::glo.PartNum = "BOLT-1";
    std::vector<QuoteSerialList::Number> numbers;
    QuoteSerialListView view(ui, numbers);
    showActive(view);
    QTableWidget* list = view.list();
    list->setFocus();
    answerForm(view, "B7");
    QTest::keyClick(list, Qt::Key_Insert);
    showActive(view);
    answerForm(view, "A1");
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(rows(list), QStringList({"A1", "B7"}));
    EXPECT_EQ(list->currentRow(), 0);  // the new entry is selected
    // Enter on a row changes it; the list stays sorted.
    showActive(view);
    list->setFocus();
    answerForm(view, "C3");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(rows(list), QStringList({"B7", "C3"}));
    EXPECT_EQ(list->currentRow(), 0);  // the same row stays selected
    // Delete asks first; OK removes the highlighted row.
    showActive(view);
    ui.answer(core::Button::Ok);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "Delete Serial Number");
    EXPECT_EQ(rows(list), QStringList({"C3"}));
    altKey(view, Qt::Key_S);
    EXPECT_EQ(view.response(), core::Response::Completed);
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0].view(), "C3");
}

TEST_F(SerialList, CancelAnswersCancelledWhateverWasEntered) {
    std::vector<QuoteSerialList::Number> numbers{QuoteSerialList::Number("A1")};
    std::vector<QuoteSerialList::Number> working = numbers;
    QuoteSerialListView view(ui, working);
    showActive(view);
    answerForm(view, "Z9");
    QTest::mouseClick(testing::buttonCaptioned(&view, "&Insert"), Qt::LeftButton);
    EXPECT_EQ(rows(view.list()), QStringList({"A1", "Z9"}));
    QTest::mouseClick(testing::buttonCaptioned(&view, "Cancel"), Qt::LeftButton);
    EXPECT_EQ(view.response(), core::Response::Cancelled);
}

}  // namespace
}  // namespace quay::desk
