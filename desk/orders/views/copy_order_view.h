// CopyOrderView ("Copy Order"): shows the order about to be copied — its number,
// customer, reference and total — with "&Ok", which asks once more and copies it
// into a new quote, and "Cancel". Opens where it was left (section "CopyOrder").
#pragma once
#include <QDialog>

#include "orders/copy_order.h"

namespace quay::desk {

class CopyOrderView : public QDialog {
public:
    // Copies the order glo.OrdNum. REQUIRES: logic.open() succeeded.
    CopyOrderView(CopyOrder& logic, QWidget* parent = nullptr);
    core::Response response() const { return m_response; }

private:
    CopyOrder& m_logic;
    core::Response m_response = core::Response::Cancelled;
};

// Opens CopyOrder on glo.OrdNum and runs its window. Completed with the new quote's
// number in `newOrdNum`.
core::Response runCopyOrder(core::Database& db, core::UiPort& ui, std::int32_t& newOrdNum, QWidget* parent);

}  // namespace quay::desk
