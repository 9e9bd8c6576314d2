// QuoteForm1View: the open-order form's window. It shows the header, the lines and
// the totals of its QuoteForm1 and forwards every command and key to it; the
// windows the form opens are the dialogs of order entry and the prints of the
// report libraries.
#pragma once
#include <memory>

#include <QDialog>

#include "orders/quote_form.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quay::desk {

class QuoteForm1View : public QDialog {
public:
    QuoteForm1View(core::Database& db, core::UiPort& ui, core::Request request, const core::Orders& order,
                   QWidget* parent = nullptr);
    ~QuoteForm1View() override;

    // Opens the logic; false when the form does not open (no company, a delete done).
    bool start();
    QuoteForm1& logic() { return *m_logic; }
    core::Response response() const { return m_logic->response(); }
    // Refreshes everything shown from the logic.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kTotalCount = 7;
    void after();
    void showSerialMark();
    QPushButton* command(const char* text, const QKeySequence& key, void (QuoteForm1::*fn)());

    core::Database& m_db;
    core::UiPort& m_ui;
    std::unique_ptr<QuoteForm1> m_logic;
    QTableWidget* m_lines = nullptr;
    QLabel* m_header = nullptr;
    QLabel* m_totals[kTotalCount] = {};
    QLabel* m_status = nullptr;
    QPushButton* m_serials = nullptr;
    std::vector<QPushButton*> m_lineCommands;
    QPushButton* m_insert = nullptr;
    bool m_ticked = false;
};

}  // namespace quay::desk
