// The dialog of record forms.
#include "quay/views/form_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "quay/views/field_binder.h"
#include "quay/views/placement_keeper.h"

namespace quay::core {

FormDialog::FormDialog(FormWindow& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(QString::fromStdString(form.spec().title));
    setObjectName(QString::fromStdString(form.spec().procedure));
    FormWindow* f = &form;
    m_binder = new FieldBinder(form.table().desc(), [f] { return f->record(); }, this,
                               [f](int field) { f->recallField(field); });
}

void FormDialog::setBody(QWidget* body, QWidget* firstField) {
    m_firstField = firstField;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body, 1);
    auto* bottom = new QHBoxLayout;
    m_status = new QLabel(QString::fromStdString(m_form.statusText()), this);
    m_status->setStyleSheet("color: palette(mid);");
    bottom->addWidget(m_status);
    bottom->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &FormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FormDialog::reject);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    m_form.setReloadListener([this] {
        m_binder->load();
        m_status->setText(QString::fromStdString(m_form.statusText()));
    });
    m_binder->load();
    keepPlacement(this, QString::fromStdString(m_form.spec().procedure));
    if (m_firstField) m_firstField->setFocus();
}

void FormDialog::accept() {
    if (!m_binder->storeAll()) return;
    if (m_form.ok()) {
        QDialog::accept();
        return;
    }
    if (m_form.takeFirstFieldRequest() && m_firstField) {
        // Bring the first field's tab forward before putting the cursor there.
        for (QWidget* w = m_firstField; w; w = w->parentWidget()) {
            if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) {
                if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) tabs->setCurrentWidget(w);
            }
        }
        m_firstField->setFocus();
    }
}

void FormDialog::reject() {
    if (m_form.cancel()) QDialog::reject();
}

}  // namespace quay::core
