// The copy window only shows the source order; CopyOrder asks "Are you sure?" and
// does the copy in one transaction.
#include "orders/views/copy_order_view.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "orders/views/order_view_text.h"
#include "quay/types/picture.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using text::qstr;

CopyOrderView::CopyOrderView(CopyOrder& logic, QWidget* parent) : QDialog(parent), m_logic(logic) {
    setObjectName("CopyOrder");
    setWindowTitle("Copy Order");
    const core::Orders& s = logic.source();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("This procedure will copy the following order ..."));
    auto* form = new QFormLayout;
    auto value = [&](const char* caption, const QString& text, const char* name) {
        auto* shown = new QLabel(text);
        shown->setObjectName(name);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, shown);
    };
    static const auto money = core::Picture::parse("@n$-13.2");
    std::string total = money ? money->format(s.TOTAL) : s.TOTAL.toString();
    total.erase(0, total.find_first_not_of(' '));
    value("Order#:", QString::number(s.OrdNum), "OrdNum");
    value("Cust Name:", qstr(s.CustName.view()), "CustName");
    value("Reference:", qstr(s.REFERENCE.view()), "REFERENCE");
    value("Total:", qstr(total), "TOTAL");
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_response = m_logic.ok();
        if (m_response == core::Response::Completed)
            accept();
        else
            reject();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    core::keepPlacement(this, "CopyOrder");
}

core::Response runCopyOrder(core::Database& db, core::UiPort& ui, std::int32_t& newOrdNum, QWidget* parent) {
    CopyOrder logic(db, ui);
    if (!logic.open()) return core::Response::Cancelled;
    CopyOrderView view(logic, parent);
    view.exec();
    newOrdNum = logic.newOrderNumber();
    return view.response();
}

}  // namespace quay::desk
