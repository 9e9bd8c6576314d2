// The area code window. The entry takes digits only, so the logic's check is met by
// what can be typed; OK still goes through it, which keeps the window open on a
// short entry and says why.
#include "areacode/area_code_view.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "quay/views/placement_keeper.h"

namespace quay::desk {

AreaCodeView::AreaCodeView(core::UiPort& ui, core::Settings& settings, QWidget* parent) : QDialog(parent), m_logic(ui) {
    setWindowTitle(QString::fromUtf8(kAreaCodeTitle));
    setObjectName(kAreaCodeSection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    auto* prompt = new QLabel(QString::fromUtf8(kAreaCodePrompt), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addSpacing(6);

    auto* form = new QFormLayout;
    m_entry = new QLineEdit(this);
    m_entry->setMaxLength(3);
    m_entry->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), m_entry));
    m_entry->setFixedWidth(m_entry->fontMetrics().horizontalAdvance("0000") + 16);
    m_entry->setAccessibleName(tr("Area Code"));
    auto* label = new QLabel(QString::fromUtf8(kAreaCodeLabel), this);
    label->setBuddy(m_entry);
    form->addRow(label, m_entry);
    layout->addLayout(form);
    layout->addSpacing(6);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("&Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    adjustSize();
    new core::PlacementKeeper(this, settings, QString::fromUtf8(kAreaCodeSection));
    m_entry->setFocus();
}

void AreaCodeView::done(int result) {
    if (result == QDialog::Accepted) {
        if (!m_logic.ok(m_entry->text().toStdString())) {
            m_entry->setFocus();
            m_entry->selectAll();
            return;
        }
    } else {
        m_logic.cancel();
    }
    QDialog::done(result);
}

}  // namespace quay::desk
