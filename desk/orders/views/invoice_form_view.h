// InvoiceForm1View ("Closed Invoice"): a stored invoice shown read-only with its
// lines and stored totals, with reprint, the invoice comments and the conversion
// back into a quote.
#pragma once
#include <vector>

#include <QDialog>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/orders.h"

class QLabel;
class QTableWidget;

namespace quay::desk {

class InvoiceForm1View : public QDialog {
public:
    InvoiceForm1View(core::Database& db, core::UiPort& ui, const core::Orders& order, QWidget* parent = nullptr);
    core::Response response() const { return m_response; }

private:
    void load();
    void convert();

    core::Database& m_db;
    core::UiPort& m_ui;
    static constexpr int kTotalCount = 12;
    core::Orders m_order;
    std::vector<QLabel*> m_fields;  // the header values, in the order they are laid out
    QTableWidget* m_lines = nullptr;
    QLabel* m_totals[kTotalCount] = {};
    core::Response m_response = core::Response::Cancelled;
};

}  // namespace quay::desk
