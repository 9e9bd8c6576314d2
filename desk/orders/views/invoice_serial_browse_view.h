// InvoiceSerialBrowseView ("Invoice Search by Serial Number"): the serial numbers
// sold on invoices, in serial-number order, with the line's part and the invoice's
// number, date and customer. Typing in the "Serial#" field positions the list; rows
// are read a page at a time as the user scrolls or pages down, so the search opens
// as fast over a million serial numbers as over ten. "&Insert", "&View" and
// "&Delete" (and the keys Insert, Enter, Delete, a double-click) open the
// closed-invoice window on the row's invoice; the list is read again afterwards.
// Opened for selection, "&Select" and a double-click pick the row and close.
#pragma once
#include <vector>

#include <QDialog>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "serials/invoice_serial_search.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quay::desk {

class InvoiceSerialBrowseView : public QDialog {
public:
    static constexpr std::size_t kPageSize = 100;

    InvoiceSerialBrowseView(core::Database& db, core::UiPort& ui, core::Request request = core::Request::None,
                            QWidget* parent = nullptr);

    // The rows read so far (a page, more after scrolling).
    const std::vector<InvoiceSerialRow>& rows() const { return m_rows; }
    // The picked row's order number when the list was opened for selection (0: none).
    std::int32_t selectedOrdNum() const { return m_selectedOrdNum; }
    core::Response response() const { return m_response; }
    // Reads the first page again from the typed serial number.
    void reload();
    // Reads the next page after the last row; false at the end.
    bool more();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRows(std::size_t from);
    void openInvoice(core::Request request);
    void select();

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Request m_request;
    std::vector<InvoiceSerialRow> m_rows;
    bool m_atEnd = false;
    QLineEdit* m_locate = nullptr;
    QTableWidget* m_table = nullptr;
    std::int32_t m_selectedOrdNum = 0;
    core::Response m_response = core::Response::Cancelled;
};

}  // namespace quay::desk
